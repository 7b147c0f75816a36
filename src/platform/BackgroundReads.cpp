// SPDX-License-Identifier: GPL-3.0-or-later

#include "BackgroundReads.h"

#include "ClipboardPicture.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

#include <memory>
#include <mutex>

namespace {

// Qt's own X11 clipboard waits for the owner on the main thread, for seconds
// and then for as long as a frozen owner stays frozen. X11 reads therefore run
// here, one at a time, each on a connection of its own; so do the decoding
// and the file reads of every other clipboard read and of drops, and the
// reads of files and pipes handed over by other programs.
class BackgroundReads {
public:
    static BackgroundReads &shared()
    {
        static BackgroundReads reads;
        return reads;
    }

    void start(QObject *receiver, ClipboardPictureCompletion done, BackgroundRead read)
    {
        const std::shared_ptr<std::atomic<bool>> stop = renew();
        auto deliver = [receiver = QPointer(receiver), done = std::move(done), stop](std::optional<QImage> picture) {
            if (receiver && !stop->load())
                done(std::move(picture));
        };
        threads.start([stop, read = std::move(read), deliver = std::move(deliver)]() mutable {
            std::optional<QImage> picture = read(*stop);
            if (stop->load())
                return;
            QMetaObject::invokeMethod(
                qApp, [deliver = std::move(deliver), picture = std::move(picture)]() mutable { deliver(picture); },
                Qt::QueuedConnection);
        });
    }

    void abandon() { renew(); }

private:
    BackgroundReads()
    {
        threads.setMaxThreadCount(1);
        qAddPostRoutine([] { shared().stopAll(); });
    }

    // Abandons the read under way, if any, and gives the next one its flag.
    std::shared_ptr<std::atomic<bool>> renew()
    {
        const std::lock_guard lock(mutex);
        if (current)
            current->store(true);
        current = std::make_shared<std::atomic<bool>>(false);
        return current;
    }

    void stopAll()
    {
        {
            const std::lock_guard lock(mutex);
            if (current)
                current->store(true);
        }
        threads.waitForDone();
    }

    std::mutex mutex;
    std::shared_ptr<std::atomic<bool>> current;
    QThreadPool threads;
};

} // namespace

void readInBackground(QObject *receiver, ClipboardPictureCompletion done, BackgroundRead read)
{
    BackgroundReads::shared().start(receiver, std::move(done), std::move(read));
}

void abandonBackgroundRead()
{
    BackgroundReads::shared().abandon();
}

void limitAllocationOnce()
{
    static const bool limited = (limitPictureAllocation(), true);
    Q_UNUSED(limited);
}
