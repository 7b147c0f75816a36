// SPDX-License-Identifier: GPL-3.0-or-later

#include "RoutedTranslation.h"

#include <mutex>

namespace {

std::mutex routing;
TranslationRoute current;

TranslationRoute currentRoute()
{
    const std::lock_guard lock(routing);
    return current;
}

} // namespace

void routeTranslations(const TranslationRoute &route)
{
    const std::lock_guard lock(routing);
    current = route;
}

void translateText(const QString &text, const QString &to, TranslationCompletion completion)
{
    translateText(text, to, std::move(completion), currentRoute());
}

void openTranslationConnection()
{
    openTranslationConnection(currentRoute());
}
