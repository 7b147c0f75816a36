// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFile>
#include <QProcess>
#include <QThread>

#include <csignal>

// Ends a child process that a test started: asked first, then made to.
inline void stopChild(QProcess &child)
{
    if (child.state() == QProcess::NotRunning)
        return;
    child.terminate();
    if (!child.waitForFinished(10'000)) {
        child.kill();
        child.waitForFinished();
    }
}

// Stops a child with SIGSTOP and returns once it is stopped: the signal is
// delivered asynchronously, and a child still running could answer a request
// made right after.
inline bool pauseChild(const QProcess &child)
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
