// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppDelegate.h"

#include "Clipboard.h"
#include "Messages.h"

void AppDelegate::copyImage()
{
    if (!lastImage) {
        setStatus(Messages::noImageToCopy());
        return;
    }
    writeClipboardImage(*lastImage);
    setStatus(Messages::imageCopied());
}

void AppDelegate::copyText()
{
    if (lastText.isEmpty()) {
        setStatus(Messages::noTextToCopy());
        return;
    }
    writeClipboardText(lastText);
    setStatus(Messages::textCopied());
}
