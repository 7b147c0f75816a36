// SPDX-License-Identifier: GPL-3.0-or-later

#include "QueryEncoder.h"

namespace {

bool isAsciiAlphanumeric(char byte)
{
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9');
}

} // namespace

QByteArray encodeQueryValue(const QString &text)
{
    static constexpr char hexDigits[] = "0123456789ABCDEF";
    const QByteArray utf8 = text.toUtf8();
    QByteArray encoded;
    encoded.reserve(utf8.size() * 3);
    for (const char byte : utf8) {
        if (isAsciiAlphanumeric(byte)) {
            encoded.append(byte);
        } else {
            const auto value = static_cast<unsigned char>(byte);
            encoded.append('%').append(hexDigits[value >> 4]).append(hexDigits[value & 0xF]);
        }
    }
    return encoded;
}
