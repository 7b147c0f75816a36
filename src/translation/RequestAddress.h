// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

// The address string of one request: `endpoint`, then exactly the pairs
// client=gtx, sl=auto, tl=<to>, dt=t and q=<encoded text>, in that order.
QByteArray requestAddressString(const QByteArray &endpoint, const QString &to, const QString &text);

// That string as an address, or nothing when it cannot be formed: `to` is not
// a plain language code (ASCII letters, digits and "-", as "iw" or "zh-CN"), or
// the string is not a valid http(s) URL with a host.
std::optional<QUrl> requestAddress(const QByteArray &endpoint, const QString &to, const QString &text);
