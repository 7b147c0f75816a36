// SPDX-License-Identifier: GPL-3.0-or-later

#include "TranslateText.h"

#include "BoundedGet.h"
#include "NetworkThread.h"
#include "ReplyReader.h"
#include "RequestAddress.h"
#include "TranslationRoute.h"

void translateText(const QString &text, const QString &to, TranslationCompletion completion,
                   const TranslationRoute &route)
{
    const std::optional<QUrl> address = requestAddress(route.endpoint, to, text);
    if (!address) {
        completion(std::nullopt);
        return;
    }
    onNetworkThread([address = *address, limits = route.limits,
                     completion = std::move(completion)](QNetworkAccessManager &manager) mutable {
        boundedGet(manager, address, limits, [completion = std::move(completion)](std::optional<QByteArray> body) {
            completion(body ? readReply(*body) : std::nullopt);
        });
    });
}
