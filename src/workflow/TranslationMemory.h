// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QString>

#include <list>
#include <optional>

// The answers of this run, so that a line already translated into a language
// is not asked again. The text of a screenshot may be private: answers stay
// in memory, never on disk, and the least recently used go once `capacity`
// is reached.
class TranslationMemory {
public:
    explicit TranslationMemory(qsizetype capacity = 20'000) : capacity(capacity) {}

    // The translation of `text` into `code`, if one was remembered; it then
    // counts as just used.
    std::optional<QString> recall(const QString &text, const QString &code);
    void remember(const QString &text, const QString &code, const QString &translation);
    qsizetype size() const { return index.size(); }

private:
    using Entry = std::pair<QString, QString>; // key, translation
    static QString key(const QString &text, const QString &code) { return code + QChar(0) + text; }

    qsizetype capacity;
    std::list<Entry> recent; // most recently used first
    QHash<QString, std::list<Entry>::iterator> index;
};
