#include "RecognitionThreads.h"

#include <QCoreApplication>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

#include <omp.h>

#include <atomic>
#include <memory>

namespace {

std::atomic<bool> stopping = false;

// Runs as the application object goes, before the process's static objects
// (the engine pool, Tesseract's own caches) are destroyed under a thread still
// reading: work not yet begun is dropped, lines not yet read are skipped, and
// this waits for the lines being read now.
void stopRecognition()
{
    stopping = true;
    recognitionThreads().clear();
    recognitionThreads().waitForDone();
}

} // namespace

QThreadPool &recognitionThreads()
{
    static QThreadPool *pool = [] {
        auto *threads = new QThreadPool;
        threads->setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
        qAddPostRoutine(stopRecognition);
        return threads;
    }();
    return *pool;
}

bool recognitionStopping()
{
    return stopping.load();
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
