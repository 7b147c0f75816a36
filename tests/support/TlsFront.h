// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "LocalServer.h"

#include <QTemporaryDir>

// tls_front.py: HTTPS with HTTP/2 on a free port of 127.0.0.1, in front of the
// plain-HTTP service on `backendPort`, with a certificate of its own that no
// one trusts until told to.
class TlsFront {
public:
    explicit TlsFront(quint16 backendPort);

    bool isListening() const { return server.port() != 0; }
    // https://127.0.0.1:PORT/translate_a/single
    QByteArray endpoint() const;
    QString certificatePath() const { return folder.filePath(QStringLiteral("cert.pem")); }
    // "<alpn> <request line> <status>" for every request it answered.
    QStringList accessLog() const { return readLines(folder.filePath(QStringLiteral("access.log"))); }

private:
    QTemporaryDir folder;
    LocalServer server;
};
