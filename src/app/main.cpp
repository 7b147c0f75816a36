// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppDelegate.h"
#include "Launch.h"
#include "RecognizeText.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QSettings>

// The process-wide objects besides targetLanguages, which is static data
// ready before main runs. Set once, in this order, and alive until main returns.
QApplication *app = nullptr;
AppDelegate *delegate = nullptr;

int main(int argc, char *argv[])
{
    // Desktops match the window to quillmere.desktop by these: the X11 window
    // class comes from the application name, the Wayland app id from the
    // desktop file name.
    QApplication::setApplicationName(QStringLiteral("Quillmere"));
    QApplication::setDesktopFileName(QStringLiteral("quillmere"));
    QApplication application(argc, argv);
    app = &application;
    QIcon icon;
    for (const QString &size : QDir(QStringLiteral(":/icons")).entryList())
        icon.addFile(QStringLiteral(":/icons/%1/quillmere.png").arg(size));
    app->setWindowIcon(icon);

    // Made after the application so that it goes first: its window is gone
    // before the window system is, and work still running in the background
    // finds it gone and drops its result.
    AppDelegate appDelegate;
    delegate = &appDelegate;
    // Pastes are mostly in one language, from one run to the next too: the
    // first is taken to be in the language of the last page of the run before.
    QSettings settings(QStringLiteral("quillmere"), QStringLiteral("quillmere"));
    const QString languageKey = QStringLiteral("recognition/lastLanguage");
    RecognitionMemory &memory = *delegate->recognitionMemory;
    memory.setLanguage(settings.value(languageKey).toString());
    warmUpRecognizer(memory.language());
    attachDelegate(*app, *delegate);
    const int status = app->exec();
    if (const QString language = memory.language(); !language.isEmpty())
        settings.setValue(languageKey, language);
    return status;
}
