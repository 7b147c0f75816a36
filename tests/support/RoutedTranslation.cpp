// SPDX-License-Identifier: GPL-3.0-or-later

#include "RoutedTranslation.h"

#include <mutex>

namespace {

struct Routing {
    std::mutex mutex;
    TranslationRoute route;
};

Routing &routing()
{
    static Routing instance;
    return instance;
}

} // namespace

void routeTranslations(const TranslationRoute &route)
{
    const std::lock_guard lock(routing().mutex);
    routing().route = route;
}

void translateText(const QString &text, const QString &to, TranslationCompletion completion)
{
    TranslationRoute route;
    {
        const std::lock_guard lock(routing().mutex);
        route = routing().route;
    }
    translateText(text, to, std::move(completion), route);
}
