// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

// Each command takes the arguments after its name and returns the exit code.
int runOcrCommand(QStringList args);
int runTranslateCommand(const QStringList &args);
int runRenderCommand(const QStringList &args);
