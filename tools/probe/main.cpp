// quillmere-probe: runs one service of the app on its own, for developers.
#include "ProbeCommands.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const QString command = args.isEmpty() ? QString() : args.takeFirst();
    if (command == QLatin1String("ocr"))
        return runOcrCommand(args);
    if (command == QLatin1String("translate"))
        return runTranslateCommand(args);
    if (command == QLatin1String("render"))
        return runRenderCommand(args);
    std::fprintf(stderr, "usage: quillmere-probe ocr IMAGE...\n"
                         "       quillmere-probe translate LANG TEXT...\n"
                         "       quillmere-probe render IMAGE ITEMS.json OUT.png\n");
    return 2;
}
