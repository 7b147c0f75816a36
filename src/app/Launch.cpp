#include "AppDelegate.h"
#include "Clipboard.h"

void AppDelegate::applicationDidFinishLaunching()
{
    buildMenu();
    buildWindow();
    window->raise();
    window->activateWindow();
    whenClipboardReadable(window, [this] { pasteNow(); });
}
