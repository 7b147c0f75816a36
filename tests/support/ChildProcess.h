// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProcess>

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
