// SPDX-License-Identifier: GPL-3.0-or-later

#include "RequestAddress.h"

#include "QueryEncoder.h"

#include <algorithm>

namespace {

// The code goes into the address unencoded, so anything beyond these
// characters could add pairs of its own or end the query.
bool isPlainLanguageCode(const QString &code)
{
    return !code.isEmpty() && std::all_of(code.begin(), code.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-';
    });
}

} // namespace

QByteArray requestAddressString(const QByteArray &endpoint, const QString &to, const QString &text)
{
    return endpoint + "?client=gtx&sl=auto&tl=" + to.toUtf8() + "&dt=t&q=" + encodeQueryValue(text);
}

std::optional<QUrl> requestAddress(const QByteArray &endpoint, const QString &to, const QString &text)
{
    if (!isPlainLanguageCode(to))
        return std::nullopt;
    // Strict parsing refuses a malformed address instead of quietly repairing
    // it. Either mode keeps every "%XX" of the query as it is, except those of
    // "-", ".", "_" and "~", which QUrl always writes as the plain character
    // (an equivalent form of the same address).
    const QUrl address = QUrl::fromEncoded(requestAddressString(endpoint, to, text), QUrl::StrictMode);
    const QString scheme = address.scheme();
    if (!address.isValid() || address.host().isEmpty() || (scheme != u"https" && scheme != u"http"))
        return std::nullopt;
    return address;
}
