// SPDX-License-Identifier: GPL-3.0-or-later

#include "LocalServers.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <csignal>

void stopChild(QProcess &child)
{
    if (child.state() == QProcess::NotRunning)
        return;
    child.terminate();
    if (!child.waitForFinished(10'000)) {
        child.kill();
        child.waitForFinished();
    }
}

bool pauseChild(const QProcess &child)
{
    const qint64 pid = child.processId();
    if (pid <= 0 || ::kill(pid_t(pid), SIGSTOP) != 0)
        return false;
    for (int tries = 0; tries < 500; ++tries) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            return false;
        // "pid (name) state ...": the state follows the last ')'.
        const QByteArray line = stat.readAll();
        const qsizetype close = line.lastIndexOf(')');
        if (close >= 0 && line.size() > close + 2 && line[close + 2] == 'T')
            return true;
        QThread::msleep(10);
    }
    return false;
}

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
