// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "X11Selection.h"

#include <QByteArray>

#include <atomic>
#include <chrono>
#include <optional>

// How long and how much a pipe may take to deliver a picture. A screenshot
// tool writes only once its user has chosen the region, so the wait allows
// for a slow hand; the size limit is the clipboard's.
struct PipeLimits {
    std::chrono::milliseconds deadline{120'000};
    qint64 maxBytes = SelectionLimits{}.maxBytes;
};

// Everything `fd` (a pipe, a socket or a file) gives up to its end; nothing
// when that is more than the limit, the end has not come by the deadline,
// `fd` is a terminal or fails, or `stop` turns true. The wait looks at `stop`
// every tenth of a second. `fd` stays open. Thread-safe.
std::optional<QByteArray> readPipeContent(int fd, const PipeLimits &limits, const std::atomic<bool> &stop);
