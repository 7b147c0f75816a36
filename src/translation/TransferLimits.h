// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#include <chrono>

// Bounds on one exchange with the service; past any of them the line fails.
struct TransferLimits {
    // No byte moving for this long, counted from the call (waiting for a free
    // connection counts too): a server that accepts and never answers.
    std::chrono::milliseconds inactivity{15'000};
    // The whole line, from the call to the last byte, waits between attempts
    // included: a server that trickles, or one that keeps refusing.
    std::chrono::milliseconds deadline{30'000};
    // A real reply is a few kilobytes; a larger body is broken or hostile.
    qint64 maxBodyBytes = 4 * 1024 * 1024;
};
