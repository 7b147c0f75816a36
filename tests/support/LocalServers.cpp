// SPDX-License-Identifier: GPL-3.0-or-later

#include "LocalServers.h"

#include "ChildProcess.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

void LocalServer::start(const QString &script, const QStringList &arguments)
{
    const QString portFile = file(QStringLiteral("port"));
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(QStringLiteral(QUILLMERE_PYTHON),
                  QStringList{QStringLiteral(QUILLMERE_TEST_SUPPORT_DIR "/") + script, QStringLiteral("--port-file"),
                              portFile, QStringLiteral("--max-seconds"), QStringLiteral("600")} +
                      arguments);
    const QDeadlineTimer deadline(20'000);
    while (!deadline.hasExpired() && process.state() != QProcess::NotRunning) {
        QFile written(portFile);
        if (written.open(QIODevice::ReadOnly)) {
            listeningPort = written.readAll().trimmed().toUShort();
            return;
        }
        QThread::msleep(20);
    }
}

LocalServer::~LocalServer()
{
    stopChild(process);
}

QStringList LocalServer::lines(const QString &name) const
{
    QFile log(file(name));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

QByteArray LocalServer::endpoint(const char *scheme) const
{
    return QByteArray(scheme) + "://127.0.0.1:" + QByteArray::number(port()) + "/translate_a/single";
}

FakeTranslationService::FakeTranslationService(const QStringList &options)
{
    start(QStringLiteral("fake_translate.py"),
          QStringList{QStringLiteral("--log"), file(QStringLiteral("requests.log")), QStringLiteral("--headers"),
                      file(QStringLiteral("headers.log"))} +
              options);
}

TlsFront::TlsFront(quint16 backendPort)
{
    start(QStringLiteral("tls_front.py"),
          {QStringLiteral("--backend-port"), QString::number(backendPort), QStringLiteral("--dir"), file(QString())});
}
