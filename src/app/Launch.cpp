// SPDX-License-Identifier: GPL-3.0-or-later

#include "Launch.h"

#include "AppDelegate.h"

#include <QGuiApplication>
#include <QTimer>

void attachDelegate(QGuiApplication &application, AppDelegate &delegate, PictureSource firstPicture)
{
    application.setQuitOnLastWindowClosed(delegate.applicationShouldTerminateAfterLastWindowClosed());
    QTimer::singleShot(0, &delegate, [&delegate, firstPicture] {
        delegate.applicationDidFinishLaunching();
        // A picture named at launch is translated instead of the clipboard's,
        // which is most likely an older one.
        openPicture(delegate, firstPicture);
    });
}

void AppDelegate::applicationDidFinishLaunching()
{
    buildMenu();
    buildWindow();
    window->raise();
    window->activateWindow();
}
