// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "AppDelegate.h"
#include "ImageView.h"
#include "TargetLanguages.h"

// The controls the window would hand the delegate, without the window.
// Made after the delegate, so they are gone before it is.
struct WiredControls {
    QLabel status;
    QComboBox popup;
    ImageView view;

    explicit WiredControls(AppDelegate &delegate)
    {
        for (const TargetLanguage &language : targetLanguages)
            popup.addItem(language.name);
        delegate.statusLabel = &status;
        delegate.popup = &popup;
        delegate.imageView = &view;
    }
};
