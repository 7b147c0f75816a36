// SPDX-License-Identifier: GPL-3.0-or-later

#include "Paragraphs.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

namespace {

// Lengths are fractions of a line's height, which follows its font size.
constexpr double sizeTolerance = 0.15; // of the taller line
constexpr double maxGap = 0.6;         // between one box and the next
constexpr double maxOverlap = 0.35;    // tightly set lines' boxes overlap
// Recognition may keep a list marker's ink in the box while dropping it from
// the text, which moves the box's edge by the marker and its space.
constexpr double edgeTolerance = 0.6; // between aligned edges or centres
constexpr double pitchTolerance = 0.25;
// A line that ended where the next word would still have fitted ended on
// purpose; widths are read from ink, so they may fall a little short.
constexpr double fitSlack = 0.97;
constexpr int minWordsAbove = 3;
constexpr int minLettersAboveWithoutSpaces = 6;

bool isUnspacedScript(char32_t c)
{
    switch (QChar::script(c)) {
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Thai:
    case QChar::Script_Lao:
    case QChar::Script_Khmer:
    case QChar::Script_Myanmar:
        return true;
    default:
        return false;
    }
}

char32_t firstLetter(QStringView text)
{
    if (text.size() > 1 && text[0].isHighSurrogate())
        return QChar::surrogateToUcs4(text[0], text[1]);
    return text.isEmpty() ? 0 : text[0].unicode();
}

char32_t lastLetter(QStringView text)
{
    if (text.size() > 1 && text.back().isLowSurrogate())
        return QChar::surrogateToUcs4(text[text.size() - 2], text.back());
    return text.isEmpty() ? 0 : text.back().unicode();
}

bool endsSentence(const QString &text)
{
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        const QChar c = text[i];
        if (!c.isSpace() && !QStringView(u"\"'”’»)]}›").contains(c))
            return QStringView(u".!?…:。！？؟۔").contains(c);
    }
    return true;
}

// The length of the list marker a line starts with ("• ", "2. ", "b) "), 0
// when there is none.
qsizetype listMarkerLength(const QString &text)
{
    static const QRegularExpression marker(
        QStringLiteral(R"(^([•·‣◦▪▫●○■□–—*-]|\(?\d{1,3}[.)]|\(?[a-zA-Z]\))(\s+|$))"));
    return marker.match(text).capturedLength();
}

QStringList wordsOf(const QString &text)
{
    static const QRegularExpression space(QStringLiteral(R"(\s+)"));
    return text.split(space, Qt::SkipEmptyParts);
}

bool holdsAFewWords(const QString &text)
{
    return isWrittenWithoutSpaces(text) ? text.size() >= minLettersAboveWithoutSpaces
                                        : wordsOf(text).size() >= minWordsAbove;
}

// Pixels, rows counted from the top.
struct Line {
    QRectF box;
    QString text;
};

double height(const Line &line)
{
    return line.box.height();
}

bool sameSize(const Line &a, const Line &b)
{
    return std::abs(height(a) - height(b)) <= sizeTolerance * std::max(height(a), height(b));
}

// Where a list item's text starts after its marker, its own lines hanging
// there, estimated from the marker's share of the line's letters.
std::optional<double> hangingEdge(const Line &line)
{
    const qsizetype marker = listMarkerLength(line.text);
    if (marker == 0)
        return std::nullopt;
    const double share = line.box.width() * double(marker) / double(line.text.size());
    return line.text.isRightToLeft() ? line.box.right() - share : line.box.left() + share;
}

bool aligned(const Line &a, const Line &b)
{
    const double tolerance = edgeTolerance * height(a);
    const std::optional<double> hanging = hangingEdge(a);
    const double bStart = a.text.isRightToLeft() ? b.box.right() : b.box.left();
    return std::abs(a.box.left() - b.box.left()) <= tolerance || std::abs(a.box.right() - b.box.right()) <= tolerance ||
           std::abs(a.box.center().x() - b.box.center().x()) <= tolerance ||
           (hanging && std::abs(*hanging - bStart) <= tolerance);
}

bool closeBelow(const Line &above, const Line &below)
{
    const double gap = below.box.top() - above.box.bottom();
    return gap > -maxOverlap * height(above) && gap < maxGap * height(above) && below.box.left() < above.box.right() &&
           above.box.left() < below.box.right();
}

// The line right below `i` in its column, if any.
qsizetype lineBelow(const QList<Line> &lines, qsizetype i)
{
    qsizetype best = -1;
    for (qsizetype j = 0; j < lines.size(); ++j) {
        if (j == i || !closeBelow(lines[i], lines[j]) || !sameSize(lines[i], lines[j]) || !aligned(lines[i], lines[j]))
            continue;
        if (best < 0 || lines[j].box.top() < lines[best].box.top())
            best = j;
    }
    return best;
}

bool readsOn(const Line &above, const Line &below)
{
    return holdsAFewWords(above.text) && !endsSentence(above.text) && listMarkerLength(below.text) == 0;
}

// Whether the first word of `below` (with its space) would not have fitted
// after `above` in a column `column` wide, the word's width estimated from its
// share of the line's letters.
bool wrapped(const Line &above, const Line &below, double column)
{
    const qsizetype space = below.text.indexOf(u' ');
    const qsizetype word = isWrittenWithoutSpaces(below.text) ? 1 : (space < 0 ? below.text.size() : space);
    const double nextWord = below.box.width() * double(word + 1) / double(std::max<qsizetype>(1, below.text.size()));
    return above.box.width() + nextWord >= fitSlack * column;
}

// Cuts a chain of lines, each reading on to the next, where a line ended
// before the column's width.
QList<Paragraph> cutAtDeliberateBreaks(const QList<Line> &lines, const Paragraph &chain)
{
    double column = 0;
    for (const qsizetype k : chain)
        column = std::max(column, lines[k].box.width());
    QList<Paragraph> paragraphs{{chain.first()}};
    for (qsizetype n = 1; n < chain.size(); ++n) {
        if (!wrapped(lines[chain[n - 1]], lines[chain[n]], column))
            paragraphs.append(Paragraph());
        paragraphs.last().append(chain[n]);
    }
    return paragraphs;
}

} // namespace

bool isWrittenWithoutSpaces(const QString &text)
{
    return !text.contains(u' ') && isUnspacedScript(firstLetter(text));
}

QList<Paragraph> paragraphsOf(const TextItems &items, QSizeF picture)
{
    QList<Line> lines;
    for (const TextItem &item : items) {
        const QRectF box = scaledBox(item.box, picture);
        lines.append({QRectF(box.x(), picture.height() - box.bottom(), box.width(), box.height()), item.text});
    }
    QList<qsizetype> topDown(lines.size());
    std::iota(topDown.begin(), topDown.end(), 0);
    std::stable_sort(topDown.begin(), topDown.end(),
                     [&](qsizetype a, qsizetype b) { return lines[a].box.top() < lines[b].box.top(); });

    QList<qsizetype> next(lines.size(), -1), previous(lines.size(), -1);
    for (const qsizetype i : topDown) {
        const qsizetype j = lineBelow(lines, i);
        if (j < 0 || previous[j] >= 0 || !readsOn(lines[i], lines[j]) ||
            !wrapped(lines[i], lines[j], std::max(lines[i].box.width(), lines[j].box.width())))
            continue;
        // Lines of one paragraph stand at one distance from each other; a
        // wider step is the space between two blocks.
        if (const qsizetype p = previous[i]; p >= 0) {
            const double pitch = lines[j].box.top() - lines[i].box.top();
            if (std::abs(pitch - (lines[i].box.top() - lines[p].box.top())) > pitchTolerance * height(lines[i]))
                continue;
        }
        next[i] = j;
        previous[j] = i;
    }

    QList<Paragraph> paragraphs;
    for (qsizetype head = 0; head < lines.size(); ++head) {
        if (previous[head] >= 0)
            continue;
        Paragraph chain;
        for (qsizetype k = head; k >= 0; k = next[k])
            chain.append(k);
        paragraphs += cutAtDeliberateBreaks(lines, chain);
    }
    std::sort(paragraphs.begin(), paragraphs.end(), [](const Paragraph &a, const Paragraph &b) {
        return *std::min_element(a.begin(), a.end()) < *std::min_element(b.begin(), b.end());
    });
    return paragraphs;
}

QString paragraphText(const TextItems &lines, const Paragraph &paragraph)
{
    QString text;
    for (const qsizetype k : paragraph) {
        const QString &line = lines[k].text;
        if (!text.isEmpty() && !(isUnspacedScript(lastLetter(text)) && isUnspacedScript(firstLetter(line))))
            text += u' ';
        text += line;
    }
    return text;
}
