#include "AppDelegate.h"
#include "TargetLanguages.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QTimer>

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
    AppDelegate appDelegate;
    delegate = &appDelegate;
    app->setQuitOnLastWindowClosed(delegate->applicationShouldTerminateAfterLastWindowClosed());
    QTimer::singleShot(0, delegate, &AppDelegate::applicationDidFinishLaunching);
    return app->exec();
}
