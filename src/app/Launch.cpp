#include "AppDelegate.h"

void AppDelegate::applicationDidFinishLaunching()
{
    buildMenu();
    buildWindow();
    window->raise();
    window->activateWindow();
    pasteNow();
}
