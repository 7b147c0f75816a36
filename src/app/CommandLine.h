// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "PictureSource.h"

#include <QString>
#include <QStringList>

// What the command line asks for.
struct CommandLine {
    enum class Action { Open, Help, Version, Misuse };
    Action action = Action::Open;
    PictureSource picture; // what to open
    QString problem;       // what is wrong with a misused command line, for the terminal
};

// Reads the arguments that follow the program's name: none (the clipboard),
// one FILE (made absolute against the current folder), or "-" (standard
// input); "--" ends the options. --help, then --version, win over anything
// else before "--". Qt's own options (-platform NAME, ...) are to be taken
// out first, as QApplication does.
CommandLine readCommandLine(const QStringList &arguments);

// The answers to --help and --version, for the terminal.
QString helpText();
QString versionText();
