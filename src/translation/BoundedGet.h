// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "TransferLimits.h"

#include <QByteArray>
#include <QUrl>

#include <functional>
#include <optional>

class QNetworkAccessManager;

// A response that arrived whole.
struct Response {
    int status = 0;
    QByteArray retryAfter; // the Retry-After header, empty when there is none
    QByteArray body;
};

using ResponseCompletion = std::function<void(std::optional<Response>)>;

// One GET of `address` through `manager`, on the manager's thread. `done` runs
// exactly once, on that thread: with the response when it arrived whole,
// whatever its HTTP status; with nothing when the transport failed, a limit
// was passed, or a redirect led anywhere but to HTTPS. No cookie is sent or kept.
void boundedGet(QNetworkAccessManager &manager, const QUrl &address, const TransferLimits &limits,
                ResponseCompletion done);
