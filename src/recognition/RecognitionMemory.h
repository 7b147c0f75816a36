// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <mutex>

class ReadingCache;

// What reading one page leaves for the next: screenshots pasted one after
// another are mostly of one app and one language, and share many of their
// lines. Whoever pastes them keeps one and hands it to every recognition;
// pages read at once share it safely.
class RecognitionMemory {
public:
    // The language of the page read last (a model's name, "jpn", "heb"),
    // which the next page is first taken to be in; empty before the first.
    QString language() const
    {
        const std::lock_guard lock(mutex);
        return lastLanguage;
    }

    void setLanguage(const QString &language)
    {
        const std::lock_guard lock(mutex);
        lastLanguage = language;
    }

    // The readings of the lines read before, which the recogniser makes on
    // its first use of the memory.
    std::shared_ptr<ReadingCache> readings(const std::function<std::shared_ptr<ReadingCache>()> &make)
    {
        const std::lock_guard lock(mutex);
        if (!lines)
            lines = make();
        return lines;
    }

private:
    mutable std::mutex mutex;
    QString lastLanguage;
    std::shared_ptr<ReadingCache> lines;
};
