// SPDX-License-Identifier: GPL-3.0-or-later

// Runs one translation job whose lines the service at argv[1] answers, with
// the real client and renderer, and prints its status; the test that starts it
// (no_side_effects.py) watches what the process does meanwhile.
#include "AppDelegate.h"
#include "RoutedTranslation.h"
#include "WiredControls.h"

#include <QApplication>
#include <QDeadlineTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: ReplyEffectsProbe ENDPOINT LINE...\n");
        return 2;
    }
    routeTranslations({QByteArray(argv[1]), {std::chrono::seconds(20), std::chrono::seconds(40)}});
    AppDelegate delegate;
    WiredControls controls(delegate);

    QImage picture(800, 40 * argc, QImage::Format_RGB32);
    picture.fill(Qt::white);
    delegate.currentCG = picture;
    for (int i = 2; i < argc; ++i)
        delegate.currentItems.append({QString::fromUtf8(argv[i]), QRectF(0.05, 1.0 - (i - 1) * 40.0 / picture.height(),
                                                                         0.9, 30.0 / picture.height())});
    delegate.translateAndShow();
    const QDeadlineTimer deadline(60'000);
    while (!delegate.lastImage && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    std::printf("%s\n", qPrintable(controls.status.text()));
    return delegate.lastImage ? 0 : 1;
}
