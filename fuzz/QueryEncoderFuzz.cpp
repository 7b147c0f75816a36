// SPDX-License-Identifier: GPL-3.0-or-later

// Any text, in UTF-8 or UTF-16: its encoding holds only ASCII letters, digits
// and "%XX" with upper-case hex, decodes back to the text's UTF-8 bytes, and
// always makes an address that carries exactly the five pairs.
#include "QueryEncoder.h"
#include "RequestAddress.h"

#include <QUrlQuery>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void check(const QString &text)
{
    const QByteArray encoded = encodeQueryValue(text);
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const char c = encoded[i];
        if (c == '%') {
            if (i + 2 >= encoded.size())
                std::abort();
            for (const char hex : {encoded[i + 1], encoded[i + 2]}) {
                if (!((hex >= '0' && hex <= '9') || (hex >= 'A' && hex <= 'F')))
                    std::abort();
            }
            i += 2;
        } else if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) {
            std::abort();
        }
    }
    if (QByteArray::fromPercentEncoding(encoded) != text.toUtf8())
        std::abort();

    const std::optional<QUrl> address =
        requestAddress("https://translate.example/translate_a/single", QStringLiteral("iw"), text);
    if (!address)
        std::abort();
    const QList<std::pair<QString, QString>> pairs = QUrlQuery(*address).queryItems(QUrl::FullyEncoded);
    if (pairs.size() != 5 || pairs[0].first != u"client" ||
        pairs[2] != std::pair(QStringLiteral("tl"), QStringLiteral("iw")) || pairs[4].first != u"q")
        std::abort();
    if (QByteArray::fromPercentEncoding(pairs[4].second.toLatin1()) != text.toUtf8())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *bytes = reinterpret_cast<const char *>(data);
    check(QString::fromUtf8(bytes, qsizetype(size)));
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * 2);
    check(QString::fromStdU16String(units));
    return 0;
}
