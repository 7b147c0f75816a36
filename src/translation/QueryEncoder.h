// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// The value of the `q` pair: the text's UTF-8 bytes, with every byte other
// than an ASCII letter or digit written as "%" and two upper-case hex digits.
// The empty text gives the empty value.
QByteArray encodeQueryValue(const QString &text);
