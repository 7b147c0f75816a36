// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "AppDelegate.h"
#include "FakeServices.h"
#include "WiredControls.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>

#include <memory>

// A delegate wired to bare controls, with the fakes reset, as the window
// would leave it after launch.
struct WorkflowFixture {
    std::unique_ptr<AppDelegate> delegate = std::make_unique<AppDelegate>();
    WiredControls controls{*delegate};
    QLabel *status = &controls.status;
    QComboBox *popup = &controls.popup;
    ImageView *view = &controls.view;

    WorkflowFixture() { fakes::reset(); }

    AppDelegate &d() { return *delegate; }

    static QImage picture(QColor colour, QSize size = {64, 48})
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }

    static void putOnClipboard(const QImage &image) { QGuiApplication::clipboard()->setImage(image); }

    static TextItems lines(const QStringList &texts)
    {
        TextItems items;
        for (qsizetype i = 0; i < texts.size(); ++i)
            items.append({texts[i], QRectF(0.1, 0.8 - 0.1 * double(i), 0.5, 0.08)});
        return items;
    }

    // Pastes `image` and lets its recognition report `texts`.
    void pasteAndRecognise(const QImage &image, const QStringList &texts)
    {
        putOnClipboard(image);
        d().pasteNow();
        fakes::calls().recognitions.last().completion(lines(texts));
    }
};
