// SPDX-License-Identifier: GPL-3.0-or-later

#include "LineFilter.h"

#include "GlyphPieces.h"
#include "LineText.h"
#include "Scripts.h"

#include <QImage>
#include <QtMath>

#include <algorithm>

namespace {

// Below this, a line is an icon or a picture read as letters.
constexpr int minConfidence = 45;
// A line in another script than the page's main lines must be surer: the
// other scripts' models read shapes as letters more readily than they fail.
constexpr int minForeignConfidence = 60;
// A word at a line's end this short and this unsure may be a widget's edge...
constexpr int shortWord = 2;
constexpr float minShortWordConfidence = 60;
constexpr float minLoneLetterConfidence = 93;
// ...when it stands further from the text than this share of the text's
// height, and further than the text's words stand from each other, or is
// clearly taller than the text: a space between words is a third of the
// height or less.
constexpr double wordSpace = 0.6;
constexpr double tallerThanText = 1.25;
// Digits are narrower than tall, where an icon read as one is about square:
// a count or a day before the text ("12 items", "3 Mar 2021") stands a wide
// space apart as often as an icon does.
constexpr double narrowDigit = 0.8;
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

// Marks that text writes beside its words; a widget's edge reads as a bar,
// a square bracket, a slash or a sign.
bool isTextMark(const QString &text)
{
    static const QString marks =
        QStringLiteral(".,:;!?()\"'\u2026\u00ab\u00bb\u201c\u201d\u2018\u2019\u201e\u05f3\u05f4"
                       "\u3001\u3002\uff0c\uff1a\uff1b\uff01\uff1f\uff08\uff09\u300c\u300d"
                       "\u061f\u060c\u061b-\u2013\u2014\u00b7");
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return marks.contains(c); });
}

// The widest space between two of `words` next to each other in [first,
// end), in the pixels of the line image; 0 without boxes.
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

// The height of the text of words [first, end): the middle height of its
// words of letters or digits, marks left out.
int textHeight(const QList<WordReading> &words, qsizetype first, qsizetype end)
{
    QList<int> heights;
    for (qsizetype i = first; i < end; ++i) {
        if (!words[i].box.isEmpty() && wordCharacters(words[i].text) > 0)
            heights.append(words[i].box.height());
    }
    if (heights.isEmpty())
        return 0;
    std::sort(heights.begin(), heights.end());
    return heights[heights.size() / 2];
}

// Whether `word`, at a line's end beside `neighbour`, is no text: stray
// symbols, or an unsure letter or two that stand apart from the text or
// tower over it. `widest` is the widest space between the other words,
// `height` the height of the line's text.
bool isJunkAtEnd(const WordReading &word, const WordReading &neighbour, int widest, int height)
{
    const QString text = cleanLineText(word.text);
    const int characters = wordCharacters(text);
    if (characters == 0 && !isTextMark(text))
        return true;
    // An icon the shape test let through reads as a digit or two ("0" for a
    // paper clip), marks ("()") or an unsure letter, and stands apart. A Han
    // or kana letter alone is a word ("否", the long vowel of "レター" set
    // apart).
    const bool letters = characters > 0 && !std::all_of(text.begin(), text.end(),
                                                        [](QChar c) { return c.isDigit() || !c.isLetterOrNumber(); });
    const bool unsure = (text.size() <= shortWord && word.confidence < minShortWordConfidence) ||
                        (text.size() == 1 && !isSquareLetter(text[0]) && word.confidence < minLoneLetterConfidence);
    if (letters ? !unsure : text.size() > shortWord)
        return false;
    // A count after a separator ("Новая папка · 21") is the line's own.
    if (!letters && hasDigit(text) && isTextMark(cleanLineText(neighbour.text)))
        return false;
    if (word.box.isEmpty() || neighbour.box.isEmpty())
        return letters;
    if (!letters && word.box.width() < narrowDigit * word.box.height() * characters &&
        word.box.height() <= tallerThanText * height)
        return false;
    const int space =
        std::max(word.box.left(), neighbour.box.left()) - std::min(word.box.right(), neighbour.box.right()) - 1;
    return (space > wordSpace * height && space > widest) || word.box.height() > tallerThanText * height;
}

} // namespace

KeptLine keptLine(const LineReading &reading, bool inPageScript)
{
    if (reading.confidence < (inPageScript ? minConfidence : minForeignConfidence))
        return {};
    const QList<WordReading> &words = reading.words;
    qsizetype first = 0, end = words.size();
    while (end - first > 1 && isJunkAtEnd(words[first], words[first + 1], widestSpace(words, first + 1, end),
                                          textHeight(words, first + 1, end)))
        ++first;
    while (end - first > 1 && isJunkAtEnd(words[end - 1], words[end - 2], widestSpace(words, first, end - 1),
                                          textHeight(words, first, end - 1)))
        --end;
    const QString text = reading.textOf(first, end - first);
    if (wordCharacters(text) < minWordCharacters)
        return {};
    // Screens write Thai numbers in European digits; Thai digits alone are
    // round lights and dots of a photograph, read as ๑ and ๐.
    if (std::all_of(text.begin(), text.end(),
                    [](QChar c) { return !c.isLetterOrNumber() || (c.isDigit() && c.script() == QChar::Script_Thai); }))
        return {};
    // A window's button or a tray icon alone reads as two unsure capitals
    // ("YW", "KN"); a short word alone, as a button's, reads surely.
    const bool latinLetters = std::all_of(text.begin(), text.end(), [](QChar c) {
        return !c.isLetterOrNumber() || (c.isLetter() && c.script() == QChar::Script_Latin);
    });
    if (latinLetters && wordCharacters(text) <= shortWord && reading.confidence < minShortWordConfidence)
        return {};
    return {text, first, end - first};
}

void dropOddSizedLines(QList<TextItem> &items, const QList<LineReading> &readings, const QString &lead)
{
    constexpr double speckHeight = 0.5, iconHeight = 1.4;
    constexpr int fewCharacters = 4, fewLetters = 3, sureLetters = 85;
    QList<double> heights;
    for (const TextItem &item : std::as_const(items)) {
        if (!item.text.isEmpty())
            heights.append(item.box.height());
    }
    if (heights.isEmpty())
        return;
    std::nth_element(heights.begin(), heights.begin() + heights.size() / 2, heights.end());
    const double median = heights[heights.size() / 2];
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString &text = items[i].text;
        const auto characters = std::count_if(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber(); });
        if (characters == 0 || std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }))
            continue;
        const Script *script = scriptOf(readings[i].model);
        const bool speck = items[i].box.height() < speckHeight * median && characters <= fewCharacters;
        const bool icon = items[i].box.height() > iconHeight * median && characters <= fewLetters && script &&
                          script->joined && (readings[i].model != lead || readings[i].confidence < sureLetters);
        if (speck || icon)
            items[i] = {};
    }
}

void dropLinesReadTwice(QList<TextItem> &items, const QList<LineReading> &readings)
{
    // Centres of lines on one row lie within half the shorter one's height.
    constexpr double sharedArea = 0.5, rowSlack = 0.5;
    for (qsizetype i = 0; i < items.size(); ++i) {
        for (qsizetype j = i + 1; j < items.size() && !items[i].text.isEmpty(); ++j) {
            const QRectF &a = items[i].box, &b = items[j].box;
            if (items[j].text.isEmpty() ||
                std::abs(a.center().y() - b.center().y()) > rowSlack * std::min(a.height(), b.height()))
                continue;
            const QRectF shared = a & b;
            if (shared.width() * shared.height() <
                sharedArea * std::min(a.width() * a.height(), b.width() * b.height()))
                continue;
            items[readings[i].confidence >= readings[j].confidence ? j : i] = {};
        }
    }
}

bool onSmallTile(const QImage &gray, const QRect &box)
{
    // Levels within a tile differ by less than this (0..255), and the tile
    // from what lies past its edge by more.
    constexpr int sameTone = 12, edgeStep = 24;
    // A tile is at most this many times the symbol's longer side across, and
    // its sides differ by at most this factor.
    constexpr double largestTile = 3.2, squareTile = 1.35;
    const QRect page = gray.rect();
    if (!page.contains(box.adjusted(-2, -2, 2, 2)))
        return false;
    const auto level = [&](int px, int py) { return int(gray.constScanLine(py)[px]); };
    // The tile's tone: what most of the pixels just around the box are.
    QList<int> around;
    for (int i = 1; i < 4; ++i) {
        const int x = box.left() + i * box.width() / 4, y = box.top() + i * box.height() / 4;
        around +=
            {level(box.left() - 2, y), level(box.right() + 2, y), level(x, box.top() - 2), level(x, box.bottom() + 2)};
    }
    std::sort(around.begin(), around.end());
    const int tone = around[around.size() / 2];
    const int side = std::max(box.width(), box.height()), limit = qCeil(largestTile * side);
    // How far the tile reaches past the box's side in a direction: from a
    // quarter, the middle and three quarters along the side, out of the
    // symbol's own ink (a heart's point below its lobes) and across the tile
    // to an edge; the furthest, or -1 where no edge ends it.
    const auto reach = [&](int dx, int dy) {
        int furthest = -1;
        for (int i = 1; i < 4; ++i) {
            int px = dx < 0 ? box.left() - 2 : dx > 0 ? box.right() + 2 : box.left() + i * box.width() / 4;
            int py = dy < 0 ? box.top() - 2 : dy > 0 ? box.bottom() + 2 : box.top() + i * box.height() / 4;
            bool onTile = false;
            for (int steps = 0; steps <= limit && page.contains(px, py); ++steps, px += dx, py += dy) {
                const bool tileTone = std::abs(level(px, py) - tone) <= sameTone;
                if (tileTone || !onTile) {
                    onTile = onTile || tileTone;
                    continue;
                }
                // An edge is smoothed over a pixel or two.
                const int bx = px + 2 * dx, by = py + 2 * dy;
                if (page.contains(bx, by) && std::abs(level(bx, by) - tone) >= edgeStep)
                    furthest = std::max(furthest, steps);
                break;
            }
        }
        return furthest;
    };
    const int left = reach(-1, 0), right = reach(1, 0), up = reach(0, -1), down = reach(0, 1);
    if (left < 0 || right < 0 || up < 0 || down < 0)
        return false;
    const double width = box.width() + 4 + left + right, height = box.height() + 4 + up + down;
    return width <= largestTile * side + 4 && height <= largestTile * side + 4 &&
           std::max(width, height) <= squareTile * std::min(width, height);
}

bool isPictogram(const LineReading &reading, const QString &text, const QImage &gray, const QImage &mask,
                 const QRect &line, const QRect &box)
{
    constexpr int fewLetters = 3;
    constexpr double squareLetterWidth = 0.8;
    constexpr int sureLetters = 80, sureWordConfidence = 90;
    const auto letters = std::count_if(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
    if (letters > fewLetters || std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }))
        return false;
    // A word on a tile no larger than an icon's is a button's only when it
    // is read surely from the dictionary ("OK" on a round button).
    const bool sureWord = reading.confidence >= sureWordConfidence &&
                          std::any_of(reading.words.begin(), reading.words.end(),
                                      [](const WordReading &word) { return word.inDictionary; });
    if (!sureWord && onSmallTile(gray, line))
        return true;
    const Script *script = scriptOf(reading.model);
    if (script && script->joined)
        return false;
    const bool squareLetters =
        std::all_of(text.begin(), text.end(), [](QChar c) { return !c.isLetter() || isSquareLetter(c); });
    if (squareLetters && reading.confidence >= sureLetters && box.width() >= squareLetterWidth * letters * box.height())
        return false;
    return glyphPieces(mask.copy(box)).size() < letters;
}
