// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecognitionThreads.h"

#include <QCoreApplication>
#include <QThread>
#include <QThreadPool>

#include <malloc.h>
#include <omp.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace {

std::atomic<bool> stopping{false};

// Kept for as long as the process runs, so that the fonts it keeps are
// loaded once (see DrawingQueue).
QThreadPool &drawingThread()
{
    static QThreadPool *const thread = newKeptThread();
    return *thread;
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
    drawingThread().waitForDone();
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

QThreadPool *newKeptThread()
{
    auto *thread = new QThreadPool;
    thread->setMaxThreadCount(1);
    thread->setExpiryTimeout(-1);
    return thread;
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
    // A helper handed to an idle thread waits in the pool's queue until that
    // thread wakes, and the pool drops its queue at quit: the loop waits only
    // for helpers that began before it ended, and the rest do nothing.
    struct Loop {
        std::atomic<int> next{0};
        std::mutex mutex;
        std::condition_variable idle;
        int helping = 0;
        bool ended = false;
    };
    auto loop = std::make_shared<Loop>();
    auto work = [count, &body](Loop &loop) {
        for (int i = loop.next++; i < count && !stopping; i = loop.next++)
            body(i);
    };
    for (int i = 1; i < std::min(count, recognitionThreads().maxThreadCount()); ++i) {
        // Only threads that are idle now are asked: a helper queued behind
        // other work would come too late to help.
        const bool started = recognitionThreads().tryStart([loop, work] {
            {
                const std::lock_guard lock(loop->mutex);
                if (loop->ended)
                    return;
                ++loop->helping;
            }
            keepOpenMPOnThisThread();
            work(*loop);
            const std::lock_guard lock(loop->mutex);
            if (--loop->helping == 0)
                loop->idle.notify_all();
        });
        if (!started)
            break;
    }
    work(*loop);
    std::unique_lock lock(loop->mutex);
    loop->ended = true;
    loop->idle.wait(lock, [&] { return loop->helping == 0; });
}

DrawingQueue::DrawingQueue(std::function<void(int)> body) : body(std::move(body))
{
}

DrawingQueue::~DrawingQueue()
{
    done.acquire(added);
}

void DrawingQueue::add(int index)
{
    ++added;
    drawingThread().start([this, index] {
        if (!stopping)
            body(index);
        done.release();
    });
}
