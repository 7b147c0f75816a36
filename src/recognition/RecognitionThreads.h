// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

class QThreadPool;

// The worker threads that recognition runs on, one per core. They stop with
// the application object: from then on recognitionStopping() is true, and the
// application's destruction waits for the lines being read at that moment.
QThreadPool &recognitionThreads();
bool recognitionStopping();

// Keeps Tesseract's OpenMP loops on the calling thread. Debian's Tesseract
// spreads each loop over all cores, which on a small machine makes a page
// several times slower; the environment variable that limits it is read when
// the OpenMP runtime loads, before any code of ours runs, so the limit is set
// per thread instead. Call it on a thread before it runs Tesseract.
void keepOpenMPOnThisThread();

// Calls `body` for every index below `count`, on the calling thread and on
// whichever recognition threads are idle, and returns when all are done.
void parallelFor(int count, const std::function<void(int)> &body);

// Calls `body` for every index below `count` on the two threads that draw
// text, and returns when all are done. Each thread that draws text keeps
// fonts of its own, about 10 MB, for as long as it lives: drawing on these
// two alone keeps that from growing with the number of cores.
void drawInParallel(int count, const std::function<void(int)> &body);
