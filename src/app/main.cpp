#include "AppDelegate.h"
#include "RecognizeText.h"
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
    warmUpRecognizer();
    QTimer::singleShot(0, delegate, &AppDelegate::applicationDidFinishLaunching);
    return app->exec();
}
