// SPDX-License-Identifier: GPL-3.0-or-later

#include "ReadingCache.h"

#include <QCryptographicHash>
#include <QImage>

namespace {

std::size_t bytesOf(const QString &text)
{
    return sizeof(QString) + std::size_t(text.size()) * sizeof(QChar);
}

// About what a reading takes in memory.
std::size_t bytesOf(const LineReading &reading)
{
    std::size_t bytes = sizeof(LineReading) + bytesOf(reading.model);
    for (const QString &why : reading.why)
        bytes += bytesOf(why);
    for (const WordReading &word : reading.words) {
        bytes += sizeof(WordReading) + bytesOf(word.text);
        for (const LetterReading &letter : word.letters)
            bytes += sizeof(LetterReading) + bytesOf(letter.text);
    }
    return bytes;
}

} // namespace

QByteArray ReadingCache::keyOf(const QImage &line, const QString &model)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const int size[3] = {line.width(), line.height(), int(line.format())};
    hash.addData(QByteArrayView(reinterpret_cast<const char *>(size), sizeof size));
    const qsizetype rowBytes = qsizetype(line.width()) * line.depth() / 8;
    for (int y = 0; y < line.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(line.constScanLine(y)), rowBytes));
    return hash.result() + model.toUtf8();
}

std::optional<LineReading> ReadingCache::find(const QImage &line, const QString &model)
{
    const QByteArray key = keyOf(line, model);
    const std::lock_guard lock(mutex);
    const auto found = byKey.find(key);
    if (found == byKey.end())
        return std::nullopt;
    entries.splice(entries.begin(), entries, found->second);
    return found->second->reading;
}

void ReadingCache::insert(const QImage &line, const QString &model, const LineReading &reading)
{
    QByteArray key = keyOf(line, model);
    const std::size_t bytes = bytesOf(reading) + std::size_t(key.size()) * 2;
    const std::lock_guard lock(mutex);
    if (byKey.contains(key) || bytes > maxBytes)
        return;
    entries.push_front({key, reading, bytes});
    byKey.emplace(std::move(key), entries.begin());
    used += bytes;
    while (used > maxBytes) {
        used -= entries.back().bytes;
        byKey.erase(entries.back().key);
        entries.pop_back();
    }
}

std::size_t ReadingCache::bytes() const
{
    const std::lock_guard lock(mutex);
    return used;
}

std::size_t ReadingCache::size() const
{
    const std::lock_guard lock(mutex);
    return entries.size();
}
