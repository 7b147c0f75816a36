// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDateTime>

#include <chrono>
#include <optional>

// The free endpoint answers 429 after a burst and 503 while briefly down;
// such a line is asked again, at most this many times.
inline constexpr int maxRetries = 2;

// The wait a Retry-After value asks for, counted from `now`: delta-seconds or
// an HTTP date (a date already past asks for none). Nothing when the value is
// neither.
std::optional<std::chrono::milliseconds> retryAfterWait(const QByteArray &value, const QDateTime &now);

// How long to wait before asking again after a response with `status`, when
// `retriesDone` retries have been made and `remaining` is left of the line's
// deadline: what Retry-After asks for, or else a back-off of 0.5 to 1.5 s
// (`jitter` in [0, 1) picks where) that doubles with each retry. Nothing when
// the status is not a refusal, the retries are used up, or the next attempt
// would start past the deadline.
std::optional<std::chrono::milliseconds> retryWait(int status, const QByteArray &retryAfter, int retriesDone,
                                                   std::chrono::milliseconds remaining, const QDateTime &now,
                                                   double jitter);
