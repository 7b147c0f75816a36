// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QTest>

#include <optional>

// What a completion receives, printed readably when a comparison fails.
using Translation = std::optional<QString>;

namespace QTest {
template <> inline char *toString(const Translation &translation)
{
    return translation ? toString(*translation) : qstrdup("(no translation)");
}
} // namespace QTest
