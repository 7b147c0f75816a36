// SPDX-License-Identifier: GPL-3.0-or-later

// Paste timing on a real desktop clipboard (X11 or Wayland, as the platform
// plugin finds it): time from the paste command to its status, how long the
// command itself held the main thread, and the longest the event loop stood
// still meanwhile. Whatever the clipboard holds is put there before by the
// caller (bench/clipboard/run).
//   clipboard-bench LABEL ROUNDS [qt]
// With "qt", each round is instead Qt's own read of the clipboard's picture
// on the main thread, as the paste made it before it read in the background.
#include "AppDelegate.h"
#include "Clipboard.h"
#include "FakeServices.h"
#include "Messages.h"
#include "WiredControls.h"

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMimeData>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString label = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("paste");
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 10;
    const bool throughQt = argc > 3 && qstrcmp(argv[3], "qt") == 0;

    // A Wayland client sees the clipboard only while a window of its own has the focus.
    QMainWindow window;
    window.resize(320, 200);
    window.show();
    bool readable = false;
    whenClipboardReadable(&window, [&] { readable = true; });
    const QDeadlineTimer focusDeadline(20'000);
    while (!readable && !focusDeadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (!readable) {
        std::printf("%s: the window never got the focus\n", qPrintable(label));
        return 1;
    }

    AppDelegate delegate;
    WiredControls controls(delegate);
    QElapsedTimer sinceTick;
    qint64 longestStall = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] { longestStall = std::max(longestStall, sinceTick.restart()); });

    QList<double> toStatus;
    qint64 longestReturn = 0;
    QString outcome;
    for (int round = 0; round < rounds; ++round) {
        fakes::reset();
        controls.status.clear();
        sinceTick.start();
        ticker.start();
        QElapsedTimer clock;
        clock.start();
        if (throughQt) {
            const QMimeData *data = QGuiApplication::clipboard()->mimeData();
            const QImage image = data && data->hasImage() ? qvariant_cast<QImage>(data->imageData()) : QImage();
            if (image.isNull())
                controls.status.setText(Messages::noImage());
            else
                delegate.pasteImage(image);
        } else {
            delegate.pasteNow();
        }
        longestReturn = std::max(longestReturn, clock.elapsed());
        const QDeadlineTimer deadline(60'000);
        while (controls.status.text().isEmpty() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        toStatus.append(double(clock.nsecsElapsed()) / 1e6);
        longestStall = std::max(longestStall, sinceTick.elapsed());
        ticker.stop();
        if (controls.status.text() == Messages::recognising() && delegate.currentCG)
            outcome =
                QStringLiteral("picture %1x%2").arg(delegate.currentCG->width()).arg(delegate.currentCG->height());
        else if (controls.status.text() == Messages::noImage())
            outcome = QStringLiteral("no picture");
        else
            outcome = QStringLiteral("no status after 60 s");
    }
    std::sort(toStatus.begin(), toStatus.end());
    std::printf("%-34s rounds %2d | paste to status: median %8.1f ms, max %8.1f ms | paste command held the "
                "thread %5lld ms | longest event-loop stall %5lld ms | %s\n",
                qPrintable(label), rounds, toStatus[toStatus.size() / 2], toStatus.last(), longestReturn, longestStall,
                qPrintable(outcome));
    return 0;
}
