// SPDX-License-Identifier: GPL-3.0-or-later

#include "XvfbServer.h"

#include "ChildProcess.h"

#include <QDeadlineTimer>

#include <poll.h>
#include <unistd.h>

XvfbServer::XvfbServer()
{
    // Xvfb picks a free display itself and writes its number to this pipe,
    // whose write end the child inherits.
    int ends[2];
    if (pipe(ends) != 0)
        return;
    server.setStandardOutputFile(QProcess::nullDevice());
    server.setStandardErrorFile(QProcess::nullDevice());
    server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QString::number(ends[1]),
                                          QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1280x900x24"),
                                          QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    close(ends[1]);
    QByteArray number;
    const QDeadlineTimer deadline(20'000);
    while (!number.endsWith('\n') && !deadline.hasExpired() && server.state() != QProcess::NotRunning) {
        pollfd readable{ends[0], POLLIN, 0};
        if (poll(&readable, 1, 100) <= 0)
            continue;
        char byte = 0;
        if (read(ends[0], &byte, 1) != 1)
            break;
        number += byte;
    }
    close(ends[0]);
    if (number.endsWith('\n'))
        name = ':' + number.trimmed();
}

XvfbServer::~XvfbServer()
{
    stopChild(server);
}
