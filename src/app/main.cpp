#include "AppDelegate.h"
#include "TargetLanguages.h"

#include <QApplication>
#include <QTimer>

QApplication *app = nullptr;
AppDelegate *delegate = nullptr;

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    app = &application;
    AppDelegate appDelegate;
    delegate = &appDelegate;
    app->setQuitOnLastWindowClosed(delegate->applicationShouldTerminateAfterLastWindowClosed());
    QTimer::singleShot(0, delegate, &AppDelegate::applicationDidFinishLaunching);
    return app->exec();
}
