// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "LineReader.h"

#include <QByteArray>

#include <cstddef>
#include <list>
#include <mutex>
#include <optional>
#include <unordered_map>

class QImage;

// The readings of the last pictures' line images, by the exact pixels of the
// image and the model that read it: screenshots pasted one after another
// (a chat scrolled by a few messages, a dialog after one change, the same
// picture again) share most of their lines, and a line read before is not
// read again. A reading depends on nothing but its image and model, so what
// comes back is what reading anew would give. Bounded in memory, the lines
// used least recently forgotten first. Safe from any thread.
class ReadingCache {
public:
    static constexpr std::size_t defaultBytes = std::size_t(32) << 20;

    explicit ReadingCache(std::size_t maxBytes = defaultBytes) : maxBytes(maxBytes) {}

    std::optional<LineReading> find(const QImage &line, const QString &model);
    void insert(const QImage &line, const QString &model, const LineReading &reading);

    // What the kept readings take, as counted against the bound.
    std::size_t bytes() const;
    std::size_t size() const;

private:
    struct Entry {
        QByteArray key;
        LineReading reading;
        std::size_t bytes = 0;
    };

    static QByteArray keyOf(const QImage &line, const QString &model);

    mutable std::mutex mutex;
    std::size_t maxBytes;
    std::size_t used = 0;
    std::list<Entry> entries; // most recently used first
    std::unordered_map<QByteArray, std::list<Entry>::iterator> byKey;
};
