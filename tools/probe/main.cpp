// SPDX-License-Identifier: GPL-3.0-or-later

// quillmere-probe: runs one service of the app on its own, for developers.
#include "ProbeCommands.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

namespace {

// Drawing text needs a platform plugin for its fonts (the renderer draws
// translations, and reading measures each line against text drawn in a
// reference font); without a display, the offscreen one serves, as on a build
// machine or over ssh.
std::unique_ptr<QCoreApplication> guiApplication(int &argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int main(int argc, char *argv[])
{
    const QString command = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    // Asking for translations needs no window system.
    const auto app = command == QLatin1String("translate") ? std::make_unique<QCoreApplication>(argc, argv)
                                                           : guiApplication(argc, argv);
    QStringList args = app->arguments().mid(2);
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
