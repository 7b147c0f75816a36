// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The translation held by a reply body: a JSON array whose element 0 is the
// list of segments; element 0 of each segment, when it is a string, is one
// piece, and the pieces are joined in order with nothing between them and no
// trimming. Nothing when the body has no such form or the pieces join to "".
std::optional<QString> readReply(const QByteArray &body);
