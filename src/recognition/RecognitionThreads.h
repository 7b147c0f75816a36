// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSemaphore>

#include <atomic>
#include <functional>

class QThreadPool;

// The worker threads that recognition runs on, one per core. They stop with
// the application object: from then on recognitionStopping() is true, and the
// application's destruction waits for the lines being read at that moment.
QThreadPool &recognitionThreads();
bool recognitionStopping();

// A thread of its own for work that must all run on one thread, kept for as
// long as the process runs.
QThreadPool *newKeptThread();

// Keeps Tesseract's OpenMP loops on the calling thread. Debian's Tesseract
// spreads each loop over all cores, which on a small machine makes a page
// several times slower; the environment variable that limits it is read when
// the OpenMP runtime loads, before any code of ours runs, so the limit is set
// per thread instead. Call it on a thread before it runs Tesseract.
void keepOpenMPOnThisThread();

// Calls `body` for every index below `count`, on the calling thread and on
// whichever recognition threads are idle, and returns when all are done.
void parallelFor(int count, const std::function<void(int)> &body);

// Calls `body` for each index handed to add(), in turn, on the one thread that
// draws text, while the caller goes on; the destructor waits for all of them.
// Each thread that draws text keeps fonts of its own for as long as it lives
// (about 10 MB, and the CJK font files mapped again, 17 MB more): drawing on
// one alone keeps that from growing with the number of cores. Handed each
// line as its reading comes in, it draws beside the reading, which keeps the
// cores busy.
class DrawingQueue {
public:
    explicit DrawingQueue(std::function<void(int)> body);
    ~DrawingQueue();
    DrawingQueue(const DrawingQueue &) = delete;
    DrawingQueue &operator=(const DrawingQueue &) = delete;

    // May be called from any thread.
    void add(int index);

private:
    std::function<void(int)> body;
    std::atomic<int> added{0};
    QSemaphore done;
};
