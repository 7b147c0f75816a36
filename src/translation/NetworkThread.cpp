// SPDX-License-Identifier: GPL-3.0-or-later

#include "NetworkThread.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSemaphore>
#include <QThread>

#include <mutex>
#include <utility>

namespace {

using Work = std::function<void(QNetworkAccessManager &)>;

// Owns the manager for its whole life, so it is made, used and destroyed on
// this one thread.
class NetworkThread final : public QThread {
public:
    void startManager()
    {
        start();
        ready.acquire();
    }

    void post(Work work)
    {
        QNetworkAccessManager *target = manager;
        QMetaObject::invokeMethod(
            target, [target, work = std::move(work)] { work(*target); }, Qt::QueuedConnection);
    }

protected:
    void run() override
    {
        QNetworkAccessManager owned;
        // A connection opened ahead has a reply of its own that no caller
        // holds; every reply goes once it has finished.
        owned.setAutoDeleteReplies(true);
        manager = &owned;
        ready.release();
        exec();
        // Work still queued starts now and every open request is aborted, so
        // each completion still runs once, with nothing, before the manager goes.
        QCoreApplication::sendPostedEvents();
        const QList<QNetworkReply *> open = owned.findChildren<QNetworkReply *>();
        for (QNetworkReply *reply : open)
            reply->abort();
    }

private:
    QSemaphore ready;
    QNetworkAccessManager *manager = nullptr;
};

struct Running {
    std::mutex mutex;
    NetworkThread *thread = nullptr;
};

Running &running()
{
    static Running instance;
    return instance;
}

void stopNetworkThread()
{
    NetworkThread *thread = nullptr;
    {
        const std::lock_guard lock(running().mutex);
        thread = std::exchange(running().thread, nullptr);
    }
    if (thread) {
        thread->quit();
        thread->wait();
        delete thread;
    }
}

} // namespace

void onNetworkThread(Work work)
{
    const std::lock_guard lock(running().mutex);
    if (!running().thread) {
        running().thread = new NetworkThread;
        running().thread->setObjectName(QStringLiteral("Network"));
        running().thread->startManager();
        qAddPostRoutine(stopNetworkThread);
    }
    running().thread->post(std::move(work));
}
