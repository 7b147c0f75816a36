#include "RecognitionThreads.h"

#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

#include <omp.h>

#include <atomic>
#include <memory>

QThreadPool &recognitionThreads()
{
    static QThreadPool *pool = [] {
        auto *threads = new QThreadPool;
        threads->setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
        return threads;
    }();
    return *pool;
}

void keepOpenMPOnThisThread()
{
    omp_set_max_active_levels(0);
}

void parallelFor(int count, const std::function<void(int)> &body)
{
    auto next = std::make_shared<std::atomic<int>>(0);
    auto work = [next, count, &body] {
        for (int i = (*next)++; i < count; i = (*next)++)
            body(i);
    };
    QSemaphore done;
    int helpers = 0;
    for (int i = 1; i < std::min(count, recognitionThreads().maxThreadCount()); ++i) {
        // Only threads that are idle now take part: waiting here for a queued
        // task could wait on ourselves.
        const bool started = recognitionThreads().tryStart([work, &done] {
            keepOpenMPOnThisThread();
            work();
            done.release();
        });
        if (!started)
            break;
        ++helpers;
    }
    work();
    done.acquire(helpers);
}
