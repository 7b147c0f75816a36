// SPDX-License-Identifier: GPL-3.0-or-later

#include "LocalServer.h"

#include "ChildProcess.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

LocalServer::LocalServer(const QString &script, const QStringList &arguments, const QString &folder)
{
    const QString portFile = QDir(folder).filePath(QStringLiteral("port"));
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    // The server also stops by itself, should this process die before it can stop it.
    process.start(QStringLiteral(QUILLMERE_PYTHON),
                  QStringList{QStringLiteral(QUILLMERE_TEST_SUPPORT_DIR "/") + script, QStringLiteral("--port-file"),
                              portFile, QStringLiteral("--max-seconds"), QStringLiteral("600")} +
                      arguments);
    const QDeadlineTimer deadline(20'000);
    while (!deadline.hasExpired() && process.state() != QProcess::NotRunning) {
        QFile file(portFile);
        if (file.open(QIODevice::ReadOnly)) {
            listeningPort = file.readAll().trimmed().toUShort();
            return;
        }
        QThread::msleep(20);
    }
}

LocalServer::~LocalServer()
{
    stopChild(process);
}

QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}
