// SPDX-License-Identifier: GPL-3.0-or-later

#include "DictionaryWords.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int minWordLetters = 3;
// Longer words than this are compounds the dictionary spells in parts.
constexpr int maxWordLetters = 20;

} // namespace

WordCover wordCover(const QString &text, const QList<QChar::Script> &scripts,
                    const std::function<bool(const QString &word)> &isWord)
{
    const QList<uint> letters = text.toUcs4();
    const auto ofScript = [&](uint c) {
        return (QChar::isLetter(c) || QChar::isMark(c)) && scripts.contains(QChar::script(c));
    };
    WordCover cover;
    for (qsizetype start = 0; start < letters.size();) {
        if (!ofScript(letters[start])) {
            ++start;
            continue;
        }
        qsizetype end = start;
        while (end < letters.size() && ofScript(letters[end]))
            ++end;
        // The most letters covered from each position to the run's end.
        const int n = int(end - start);
        std::vector<int> best(n + 1, 0);
        for (int a = n - 1; a >= 0; --a) {
            best[a] = best[a + 1];
            for (int b = a + minWordLetters; b <= std::min(n, a + maxWordLetters); ++b) {
                if (b - a + best[b] > best[a] &&
                    isWord(QString::fromUcs4(reinterpret_cast<const char32_t *>(&letters[start + a]), b - a)))
                    best[a] = b - a + best[b];
            }
        }
        cover.letters += n;
        cover.inWords += best[0];
        start = end;
    }
    return cover;
}
