// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <mutex>

// What reading one page leaves for the next: screenshots pasted one after
// another are mostly of one app and one language. Whoever pastes them keeps
// one and hands it to every recognition; pages read at once share it safely.
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

private:
    mutable std::mutex mutex;
    QString lastLanguage;
};
