// SPDX-License-Identifier: GPL-3.0-or-later

#include "XvfbServer.h"

#include "ChildProcess.h"

#include <QDeadlineTimer>

XvfbServer::XvfbServer()
{
    // Xvfb picks a free display itself and writes its number to standard output.
    server.setStandardErrorFile(QProcess::nullDevice());
    server.start(u"Xvfb"_qs,
                 {u"-displayfd"_qs, u"1"_qs, u"-screen"_qs, u"0"_qs, u"1280x900x24"_qs, u"-nolisten"_qs, u"tcp"_qs});
    const QDeadlineTimer deadline(20'000);
    while (!server.canReadLine() && server.waitForReadyRead(int(deadline.remainingTime()))) {
    }
    if (server.canReadLine())
        name = ':' + server.readLine().trimmed();
}

XvfbServer::~XvfbServer()
{
    stopChild(server);
}
