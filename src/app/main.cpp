#include "AppDelegate.h"
#include "Launch.h"
#include "RecognizeText.h"

#include <QApplication>

#include <cstdlib>

// The process-wide objects besides targetLanguages, which is static data
// ready before main runs. Set once, in this order, and alive until the event
// loop has returned.
QApplication *app = nullptr;
AppDelegate *delegate = nullptr;

int main(int argc, char *argv[])
{
    int code = 0;
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
        code = app->exec();
        delegate = nullptr;
    }
    app = nullptr;
    // Recognition threads may still be loading language data or reading a
    // picture, inside Tesseract, which cannot be interrupted. Running the
    // destructors of static objects now would free the engines and the
    // library's shared dictionaries under them, so the process ends here.
    std::_Exit(code);
}
