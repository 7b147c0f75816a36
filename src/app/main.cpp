#include "AppDelegate.h"
#include "Launch.h"
#include "RecognizeText.h"

#include <QApplication>

// The process-wide objects besides targetLanguages, which is static data
// ready before main runs. Set once, in this order, and alive until main returns.
QApplication *app = nullptr;
AppDelegate *delegate = nullptr;

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmere"));
    app = &application;

    // Made after the application so that it goes first: its window is gone
    // before the window system is, and work still running in the background
    // finds it gone and drops its result.
    AppDelegate appDelegate;
    delegate = &appDelegate;
    warmUpRecognizer();
    attachDelegate(*app, *delegate);
    return app->exec();
}
