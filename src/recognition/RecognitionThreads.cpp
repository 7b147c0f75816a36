// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecognitionThreads.h"

#include <QCoreApplication>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

#include <malloc.h>
#include <omp.h>

#include <algorithm>
#include <atomic>
#include <memory>

namespace {

std::atomic<bool> stopping{false};

// Threads kept for as long as the process runs, so that the fonts each
// keeps are loaded once (see drawInParallel).
QThreadPool &drawingThreads()
{
    static QThreadPool *pool = [] {
        auto *threads = new QThreadPool;
        threads->setMaxThreadCount(2);
        threads->setExpiryTimeout(-1);
        return threads;
    }();
    return *pool;
}

// The engines and Tesseract's own tables are torn down with the process, so
// the threads must be done with them first: work not yet begun is dropped,
// pages still being read give up after their current line; their results go
// nowhere anyway.
void finishBeforeExit()
{
    stopping = true;
    recognitionThreads().clear();
    recognitionThreads().waitForDone();
    drawingThreads().waitForDone();
}

} // namespace

QThreadPool &recognitionThreads()
{
    static QThreadPool *pool = [] {
        // Each thread that allocates gets a heap of its own by default, and
        // what a reading frees stays in that heap: with many cores the freed
        // memory of every thread adds up. Two heaps are shared by all threads.
        mallopt(M_ARENA_MAX, 2);
        auto *threads = new QThreadPool;
        threads->setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
        qAddPostRoutine(finishBeforeExit);
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
        for (int i = (*next)++; i < count && !stopping; i = (*next)++)
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

void drawInParallel(int count, const std::function<void(int)> &body)
{
    auto next = std::make_shared<std::atomic<int>>(0);
    QSemaphore done;
    const int threads = std::min(count, drawingThreads().maxThreadCount());
    for (int t = 0; t < threads; ++t) {
        drawingThreads().start([next, count, &body, &done] {
            for (int i = (*next)++; i < count && !stopping; i = (*next)++)
                body(i);
            done.release();
        });
    }
    done.acquire(threads);
}
