// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProcess>
#include <QStringList>

// One of the helper servers of this folder (a Python script), listening on a
// free port of 127.0.0.1 for as long as this object lives. It writes its port
// into `folder`, which must outlive it.
class LocalServer {
public:
    LocalServer(const QString &script, const QStringList &arguments, const QString &folder);
    ~LocalServer();
    LocalServer(const LocalServer &) = delete;
    LocalServer &operator=(const LocalServer &) = delete;

    // 0 when the server did not come up.
    quint16 port() const { return listeningPort; }

private:
    QProcess process;
    quint16 listeningPort = 0;
};

// The lines of a text file, without their line ends; none when it is missing.
QStringList readLines(const QString &path);
