// SPDX-License-Identifier: GPL-3.0-or-later

#include "Launch.h"

#include "AppDelegate.h"
#include "Clipboard.h"

#include <QGuiApplication>
#include <QTimer>

void attachDelegate(QGuiApplication &application, AppDelegate &delegate)
{
    application.setQuitOnLastWindowClosed(delegate.applicationShouldTerminateAfterLastWindowClosed());
    QTimer::singleShot(0, &delegate, &AppDelegate::applicationDidFinishLaunching);
}

void AppDelegate::applicationDidFinishLaunching()
{
    buildMenu();
    buildWindow();
    window->raise();
    window->activateWindow();
    whenClipboardReadable(window, [this] { pasteNow(); });
}
