// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Clipboard.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

// One read of the clipboard as the workflow makes it, with how long it took
// and the longest the event loop went without running a timer meanwhile.
struct ClipboardRead {
    bool delivered = false;
    std::optional<QImage> picture;
    qint64 milliseconds = 0;
    qint64 longestStall = 0;
};

inline ClipboardRead readClipboard(int timeoutMs = 20'000)
{
    ClipboardRead read;
    QObject receiver;
    QElapsedTimer clock, sinceTick;
    QTimer ticker;
    ticker.setInterval(20);
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { read.longestStall = std::max(read.longestStall, sinceTick.restart()); });
    clock.start();
    sinceTick.start();
    ticker.start();
    readClipboardImage(&receiver, [&](std::optional<QImage> picture) {
        read.delivered = true;
        read.picture = std::move(picture);
    });
    const bool delivered = QTest::qWaitFor([&] { return read.delivered; }, timeoutMs);
    Q_UNUSED(delivered);
    read.milliseconds = clock.elapsed();
    read.longestStall = std::max(read.longestStall, sinceTick.elapsed());
    return read;
}
