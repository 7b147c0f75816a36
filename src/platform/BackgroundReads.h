// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Clipboard.h"

#include <atomic>
#include <functional>
#include <optional>

// The one background thread that reads pictures: the clipboard's, a drop's,
// a file's or a pipe's. Reads run one at a time, and a newer read abandons an
// older one.

using BackgroundRead = std::function<std::optional<QImage>(const std::atomic<bool> &stop)>;

// Runs `read` there and gives its picture, or nothing, to `done` on the main
// thread, unless a newer read has started meanwhile or `receiver` is gone.
// `read` is to end soon after `stop` turns true.
void readInBackground(QObject *receiver, ClipboardPictureCompletion done, BackgroundRead read);

// Abandons the read under way, if any: its `done` never runs.
void abandonBackgroundRead();

// Sets the allocation limit of decoded pictures, the first time only. Main
// thread.
void limitAllocationOnce();
