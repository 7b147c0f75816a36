// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "LocalServer.h"

#include <QTemporaryDir>

// fake_translate.py on a free port of 127.0.0.1, recording every request line.
// `options` are its own (--delay-ms, --answer, --fail...).
class FakeTranslationService {
public:
    explicit FakeTranslationService(const QStringList &options = {});

    bool isListening() const { return server.port() != 0; }
    quint16 port() const { return server.port(); }
    // http://127.0.0.1:PORT/translate_a/single
    QByteArray endpoint() const;
    // Every request line received so far, in order.
    QStringList requestLines() const { return readLines(folder.filePath(QStringLiteral("requests.log"))); }

private:
    QTemporaryDir folder;
    LocalServer server;
};
