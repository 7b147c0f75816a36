// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppDelegate.h"

#include "Clipboard.h"
#include "ImageView.h"
#include "Messages.h"
#include "RecognizeText.h"
#include "TranslateText.h"

AppDelegate::AppDelegate() = default;

// The window and its controls belong to the delegate and go with it.
AppDelegate::~AppDelegate()
{
    delete window;
}

void AppDelegate::setStatus(const QString &text)
{
    statusLabel->setText(text);
}

void AppDelegate::pasteNow()
{
    readClipboardImage(this, [this](std::optional<QImage> image) { pasteImage(std::move(image)); });
}

void AppDelegate::pasteImage(std::optional<QImage> image)
{
    if (!image) {
        setStatus(Messages::noImage());
        return;
    }
    currentCG = *image;
    currentItems.clear();
    imageView->setImage(*image);
    setStatus(Messages::recognising());
    openTranslationConnection();
    const qint64 recognition = ++jobID;
    recognizeText(
        *image,
        [self = QPointer(this), recognition](TextItems items) {
            if (!self || recognition != self->jobID)
                return;
            self->currentItems = std::move(items);
            if (self->currentItems.isEmpty())
                self->setStatus(Messages::noText());
            else
                self->translateAndShow();
        },
        recognitionMemory);
}

void AppDelegate::languageChanged()
{
    if (!currentCG || currentItems.isEmpty())
        return;
    translateAndShow();
}

void AppDelegate::setWholeSentences(bool on)
{
    wholeSentences = on;
    languageChanged();
}
