// SPDX-License-Identifier: GPL-3.0-or-later

#include "TranslationMemory.h"

std::optional<QString> TranslationMemory::recall(const QString &text, const QString &code)
{
    const auto found = index.constFind(key(text, code));
    if (found == index.constEnd())
        return std::nullopt;
    recent.splice(recent.begin(), recent, *found);
    return recent.front().second;
}

void TranslationMemory::remember(const QString &text, const QString &code, const QString &translation)
{
    const QString entry = key(text, code);
    if (const auto found = index.constFind(entry); found != index.constEnd()) {
        (*found)->second = translation;
        recent.splice(recent.begin(), recent, *found);
        return;
    }
    recent.emplace_front(entry, translation);
    index.insert(entry, recent.begin());
    if (index.size() > capacity) {
        index.remove(recent.back().first);
        recent.pop_back();
    }
}
