// SPDX-License-Identifier: GPL-3.0-or-later

#include "LineFilter.h"

#include "LineText.h"

#include <algorithm>

namespace {

// Below this, a line is an icon or a picture read as letters.
constexpr int minConfidence = 45;
// A line in another script than the page's main lines must be surer: the
// other scripts' models read shapes as letters more readily than they fail.
constexpr int minForeignConfidence = 60;
// A word at a line's end this short and this unsure is a widget's edge.
constexpr int shortWord = 2;
constexpr float minShortWordConfidence = 60;
// A lone letter at a line's end is an icon unless read this surely.
constexpr float minLoneLetterConfidence = 93;
// Fewer letters and digits than this give nothing to translate; alone, a
// digit is as often a bar or a ring read as "1" or "0".
constexpr int minWordCharacters = 2;

int wordCharacters(const QString &text)
{
    return int(std::count_if(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber(); }));
}

bool hasDigit(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

// Icons beside a line are left out by their shape before reading, so digits
// at a line's ends are text: the time of a date, a count after a label.

bool isJunkAtEnd(const WordReading &word)
{
    const QString text = cleanLineText(word.text);
    if (wordCharacters(text) == 0)
        return true;
    if (hasDigit(text))
        return false;
    if (text.size() <= shortWord && word.confidence < minShortWordConfidence)
        return true;
    return text.size() == 1 && !text[0].isDigit() && word.confidence < minLoneLetterConfidence;
}

// The widest space between two of `words`, next to each other, in the
// pixels of the line image; 0 for fewer than two words or without boxes.
int widestSpace(const QList<WordReading> &words, qsizetype first, qsizetype end)
{
    int widest = 0;
    for (qsizetype i = first + 1; i < end; ++i) {
        const QRect &a = words[i - 1].box, &b = words[i].box;
        if (a.isEmpty() || b.isEmpty())
            return 0;
        widest = std::max(widest, std::max(a.left(), b.left()) - std::min(a.right(), b.right()) - 1);
    }
    return widest;
}

// A letter or short word the reader was unsure of ("В" before "принтере")
// is the line's own when it stands no further from the text than the text's
// words from each other and is no taller than its neighbour: an icon or a
// widget keeps its distance.
bool joinsText(const WordReading &word, const WordReading &neighbour, int widest)
{
    if (widest <= 0 || word.box.isEmpty() || wordCharacters(cleanLineText(word.text)) == 0)
        return false;
    const int space =
        std::max(word.box.left(), neighbour.box.left()) - std::min(word.box.right(), neighbour.box.right()) - 1;
    return space <= widest && word.box.height() <= neighbour.box.height() * 5 / 4;
}

// Marks that end a sentence or clause, or close a quote: a widget's edge
// reads as a bar, a bracket or a letter, not as these.
bool isClosingMark(const WordReading &word)
{
    static const QString marks = QStringLiteral(".,:;!?\u2026\u3002\u3001\uff0c\uff1a\uff1b\uff01\uff1f"
                                                "\u061f\u060c\u061b\"'\u201d\u2019\u00bb");
    const QString text = cleanLineText(word.text);
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return marks.contains(c); });
}

} // namespace

KeptLine keptLine(const LineReading &reading, bool inPageScript)
{
    if (reading.confidence < (inPageScript ? minConfidence : minForeignConfidence))
        return {};
    if (reading.words.isEmpty()) {
        const QString text = reading.text();
        return wordCharacters(text) >= minWordCharacters ? KeptLine{text} : KeptLine{};
    }
    qsizetype first = 0, end = reading.words.size();
    while (first < end && isJunkAtEnd(reading.words[first]))
        ++first;
    while (end > first && isJunkAtEnd(reading.words[end - 1]))
        --end;
    const int widest = widestSpace(reading.words, first, end);
    while (first > 0 && first < end && joinsText(reading.words[first - 1], reading.words[first], widest))
        --first;
    while (end > first && end < reading.words.size() && joinsText(reading.words[end], reading.words[end - 1], widest))
        ++end;
    const QString text = reading.textOf(first, end - first);
    if (wordCharacters(text) < minWordCharacters)
        return {};
    qsizetype inkFirst = first, inkEnd = end;
    while (inkFirst > 0 && isClosingMark(reading.words[inkFirst - 1]))
        --inkFirst;
    while (inkEnd < reading.words.size() && isClosingMark(reading.words[inkEnd]))
        ++inkEnd;
    return {text, first, end - first, inkFirst, inkEnd - inkFirst};
}
