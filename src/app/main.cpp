// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppDelegate.h"
#include "CommandLine.h"
#include "Launch.h"
#include "RecognizeText.h"
#include "SingleWindow.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QSettings>

#include <cstdio>

// The process-wide objects besides targetLanguages, which is static data
// ready before main runs. Set once, in this order, and alive until main returns.
QApplication *app = nullptr;
AppDelegate *delegate = nullptr;

namespace {

QStringList argumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

} // namespace

int main(int argc, char *argv[])
{
    // Answered before the window system is reached, so that they work
    // without a display too.
    if (const CommandLine asked = readCommandLine(argumentsOf(argc, argv));
        asked.action == CommandLine::Action::Help || asked.action == CommandLine::Action::Version) {
        std::fputs(qPrintable(asked.action == CommandLine::Action::Help ? helpText() : versionText()), stdout);
        return 0;
    }

    // Desktops match the window to the desktop entry by these: the X11 window
    // class comes from the application name, the Wayland app id from the
    // desktop file name.
    QApplication::setApplicationName(QStringLiteral("Quillmere"));
    QApplication::setDesktopFileName(QLatin1String(SingleWindow::busName));
    QApplication application(argc, argv);
    app = &application;
    // What is left once Qt has taken its own options.
    const CommandLine command = readCommandLine(argumentsOf(argc, argv));
    if (command.action == CommandLine::Action::Misuse) {
        std::fprintf(stderr, "quillmere: %s\nTry 'quillmere --help'.\n", qPrintable(command.problem));
        return 2;
    }

    // Made after the application so that it goes first: its window is gone
    // before the window system is, and work still running in the background
    // finds it gone and drops its result.
    AppDelegate appDelegate;
    delegate = &appDelegate;
    SingleWindow singleWindow(appDelegate);
    if (singleWindow.handedOver(command.picture))
        return 0;

    QIcon icon;
    for (const QString &size : QDir(QStringLiteral(":/icons")).entryList())
        icon.addFile(QStringLiteral(":/icons/%1/quillmere.png").arg(size));
    app->setWindowIcon(icon);
    // Pastes are mostly in one language, from one run to the next too: the
    // first is taken to be in the language of the last page of the run before.
    QSettings settings(QStringLiteral("quillmere"), QStringLiteral("quillmere"));
    const QString languageKey = QStringLiteral("recognition/lastLanguage");
    RecognitionMemory &memory = *delegate->recognitionMemory;
    memory.setLanguage(settings.value(languageKey).toString());
    warmUpRecognizer(memory.language());
    attachDelegate(*app, *delegate, command.picture);
    const int status = app->exec();
    if (const QString language = memory.language(); !language.isEmpty())
        settings.setValue(languageKey, language);
    return status;
}
