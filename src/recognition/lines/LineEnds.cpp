// SPDX-License-Identifier: GPL-3.0-or-later

#include "LineEnds.h"

#include <algorithm>
#include <utility>

namespace {

// An icon stands apart from the text by at least this share of the text's
// height (a gap of half an em is usual; letters and Han characters sit
// closer, and words no further than a space).
constexpr double minIconGap = 0.4;
// An icon is no wider than this many text heights, and about as wide as
// tall.
constexpr double maxIconWidth = 3.0;
constexpr double minIconAspect = 0.5, maxIconAspect = 1.6;
// ...and no shorter than most of the text beside it.
constexpr double minIconHeight = 0.8;
// Text sits on its baseline; an icon is centred on the line and reaches this
// far below the baseline and nearly as high as the tallest letters...
constexpr double iconOverhang = 0.15;
// ...or is clearly taller than the text with its ascenders and descenders...
constexpr double tallIcon = 1.15;
// ...beyond a descender's depth below the baseline, when it reaches no higher
// than the text...
constexpr double descender = 0.4;
// ...or is a filled shape (a radio button's dot, a filled check box)...
constexpr double solidFill = 0.55;
// ...but not pieces side by side as letters stand: pieces as tall as a
// letter, overlapping no more than this share of the narrower's width (marks
// over and under letters aside).
constexpr double sideBySide = 0.3;
constexpr double letterHeight = 0.4;
// A bracket is this many times narrower than tall, or more.
constexpr double thinBracket = 0.4;
// ...or stands further apart than an icon's width from the text as a rule
// does, and twice as far as any two words of the text: Han and Hangul
// icons match their characters in size.
constexpr double wideIconGap = 0.5;
constexpr double wordGapsToIconGap = 2.0;
// A single piece of text this many times wider than tall is a word of a
// joined script (Arabic), its letters' height no measure of the line's.
constexpr double joinedWordAspect = 3.0;
// Icons are about square: a glyph this much narrower than tall is a letter
// or a digit.
constexpr double narrowGlyph = 0.8;
// Two such glyphs side by side ("20 items") are wider than tall, where an
// icon of bars (a pause sign, a grid's columns) is about square.
constexpr double numberWidth = 1.2;

// A run of pieces that overlap side by side: a glyph with its marks, or an
// icon's outline with what it holds.
struct Unit {
    QRect box;
    int ink = 0;
    QList<QRect> pieces;
};

QList<Unit> unitsOf(QList<GlyphPiece> pieces)
{
    std::sort(pieces.begin(), pieces.end(),
              [](const GlyphPiece &a, const GlyphPiece &b) { return a.box.left() < b.box.left(); });
    QList<Unit> units;
    for (const GlyphPiece &p : pieces) {
        if (!units.isEmpty() && p.box.left() <= units.last().box.right() + 1) {
            units.last().box |= p.box;
            units.last().ink += p.ink;
            units.last().pieces.append(p.box);
        } else {
            units.append({p.box, p.ink, {p.box}});
        }
    }
    return units;
}

// Where the text's glyphs stand: the height of its tall letters over its
// baseline.
struct Body {
    int top = 0, baseline = 0;
    int extent = 0; // from the tallest letters to the lowest descenders
    int height() const { return baseline - top + 1; }
};

// Measured on whole glyphs, not on their pieces: the parts of a Hangul
// syllable or a Han character end above its baseline.
Body bodyOf(const QList<Unit> &units)
{
    QList<int> tops, bottoms;
    for (const Unit &u : units) {
        tops.append(u.box.top());
        bottoms.append(u.box.bottom());
    }
    if (tops.isEmpty())
        return {};
    std::sort(tops.begin(), tops.end());
    std::sort(bottoms.begin(), bottoms.end());
    const qsizetype last = tops.size() - 1;
    return {tops[tops.size() / 4], bottoms[bottoms.size() / 2], bottoms[last - last / 10] - tops[last / 10] + 1};
}

// Whether a unit's pieces stand side by side as a word's letters do, where
// an icon's stand within each other (a ring and its dot, a power sign) or
// are alike (a grid's squares or columns). Pieces over one another are one
// glyph (a letter the ink mask broke, with its marks).
bool isLetters(const Unit &unit)
{
    QList<QRect> pieces = unit.pieces;
    std::sort(pieces.begin(), pieces.end(), [](const QRect &a, const QRect &b) { return a.left() < b.left(); });
    QList<QRect> glyphs;
    for (const QRect &piece : pieces) {
        if (!glyphs.isEmpty()) {
            QRect &last = glyphs.last();
            const int overlap = std::min(last.right(), piece.right()) - std::max(last.left(), piece.left()) + 1;
            if (overlap > sideBySide * std::min(last.width(), piece.width())) {
                last |= piece;
                continue;
            }
        }
        glyphs.append(piece);
    }
    glyphs.removeIf([&](const QRect &glyph) { return glyph.height() < letterHeight * unit.box.height(); });
    const bool alike = std::all_of(glyphs.begin(), glyphs.end(), [&](const QRect &glyph) {
        return std::abs(glyph.width() - glyphs.first().width()) <= 1 &&
               std::abs(glyph.height() - glyphs.first().height()) <= 1;
    });
    return glyphs.size() > 1 && !alike;
}

// The gaps between the text's glyphs: the widest, and whether it is a space
// between words, clearly wider than most gaps, which are between letters.
struct Gaps {
    int widest = 0;
    bool spaced = false;
};

Gaps gapsOf(const QList<Unit> &units)
{
    QList<int> gaps;
    for (qsizetype i = 1; i < units.size(); ++i)
        gaps.append(units[i].box.left() - units[i - 1].box.right() - 1);
    if (gaps.isEmpty())
        return {};
    std::sort(gaps.begin(), gaps.end());
    return {gaps.last(), gaps.last() >= 2 * gaps[gaps.size() / 2] + 2};
}

bool looksLikeIcon(const Unit &icon, const Body &text, int gap, const Gaps &after, bool joinedWord)
{
    const int h = icon.box.height(), w = icon.box.width(), body = text.height();
    if (body <= 0 || h < minIconHeight * body || w < minIconAspect * h || w > maxIconAspect * h)
        return false;
    const double overhang = iconOverhang * body;
    // Letters that reach below the baseline start at most a little above the
    // tall letters; an icon overhangs both ways alike.
    const auto isCentred = [&](const QRect &box) {
        const int below = box.bottom() - text.baseline, above = text.top - box.top();
        return below >= overhang && 2 * above >= below;
    };
    const int below = icon.box.bottom() - text.baseline;
    const bool letters = isLetters(icon);
    // A word whose marks rise over the tall letters and whose letters reach
    // below the baseline ("Sắp", "Μη") overhangs both ways too, but none of
    // its pieces does, where the tallest piece of an icon does (an avatar's
    // rim, which the ink mask may break into arcs), or the icon stands further
    // from the text than its words from each other.
    const QRect tallest = *std::max_element(icon.pieces.begin(), icon.pieces.end(),
                                            [](const QRect &a, const QRect &b) { return a.height() < b.height(); });
    // A bracket before or after a word ("(не", "з)") overhangs both ways as
    // an icon's rim does, but it is thin, no taller than the text's tall
    // letters and descenders, and it opens the word: the letters beside it
    // stand on the text's baseline, where a rim's other arcs and what it
    // holds do not.
    const bool bracketed =
        icon.pieces.size() > 1 && tallest.width() <= thinBracket * tallest.height() &&
        tallest.height() <= text.extent + 1 &&
        std::none_of(icon.pieces.begin(), icon.pieces.end(),
                     [&](const QRect &p) { return p.left() < tallest.left(); }) &&
        std::all_of(icon.pieces.begin(), icon.pieces.end(), [&](const QRect &p) {
            return p == tallest || p.height() < letterHeight * h || std::abs(p.bottom() - text.baseline) <= 1;
        });
    const bool centred = isCentred(icon.box) && !bracketed &&
                         (!letters || isCentred(tallest) || gap >= wordGapsToIconGap * after.widest);
    // A lone letter with marks over it ("ý" in "Đồng ý") is a word of its
    // own, a space from the text; an icon has no marks over it.
    const bool markedLetter =
        icon.pieces.size() > 1 && !isCentred(tallest) &&
        std::all_of(icon.pieces.begin(), icon.pieces.end(), [&](const QRect &p) {
            return p == tallest || (p.bottom() <= tallest.top() && 2 * p.height() <= tallest.height());
        });
    if (markedLetter)
        return false;
    // A first word such as "Її" or "À" is as tall beside lower case without
    // ascenders, and stands as far from one more word, a small heavy "В" as
    // filled, but it stands on the baseline, a number of narrow glyphs ("5
    // items", "20 items") give or take the pixel that smoothing adds.
    const bool narrow =
        w < narrowGlyph * h ||
        (w >= numberWidth * h && std::all_of(icon.pieces.begin(), icon.pieces.end(),
                                             [](const QRect &p) { return p.width() < narrowGlyph * p.height(); }));
    const bool onBaseline = below <= (narrow ? 1 : 0);
    // A short word with a letter below the baseline ("אין", "gap") is as tall
    // beside text without one, as dense as a filled shape in bold, and as far
    // from a line of one word as an icon (twice its letters' gaps), but its
    // pieces stand side by side as letters do, where most icons' stand
    // within each other; such pieces are taken for an icon only by their gap
    // from text with spaces between its words.
    // A word whose letters touch ("By" at small sizes) is one piece, which
    // reaches below the baseline no further than a descender and no higher
    // than the text; an icon is centred on the line.
    const bool descends = icon.box.top() >= text.top && below >= overhang && below <= descender * body;
    const bool tall = h >= tallIcon * text.extent && !onBaseline && !letters && !descends;
    const bool solid = icon.ink >= solidFill * w * h && !onBaseline && !letters;
    const bool apart = gap >= wideIconGap * body && gap >= wordGapsToIconGap * after.widest &&
                       (!letters || after.spaced) && !onBaseline && !descends;
    // Beside one word of a joined script, which may have no letter rising
    // or falling past the others ("محمد" beside "علي"), only a filled shape
    // tells an icon from the next word.
    if (joinedWord)
        return solid;
    return centred || tall || solid || apart;
}

// The number of units at the start of `units` that form an icon, or 0.
// The icon of units [0, k), completed by the pieces of the page around it
// that went to no line or to another (the corners of a scan icon, the lower
// squares of a grid).
Unit completed(const QList<Unit> &units, int k, const QList<Unit> &around, const Body &text)
{
    Unit icon{units[0].box, 0, {}};
    for (int i = 0; i < k; ++i) {
        icon.box |= units[i].box;
        icon.ink += units[i].ink;
        icon.pieces += units[i].pieces;
    }
    const QRect own = icon.box;
    const int reach = text.height();
    // An icon's parts lie closer to each other than half its height; the
    // letters of the lines over and under a short word lie further.
    const int near = own.height() / 2;
    for (const Unit &u : around) {
        const int shared = std::min(u.box.right(), own.right()) - std::max(u.box.left(), own.left()) + 1;
        const bool close = u.box.top() <= own.bottom() + near && u.box.bottom() >= own.top() - near;
        if (2 * shared >= u.box.width() && close && u.box.top() >= text.top - reach &&
            u.box.bottom() <= text.baseline + reach) {
            icon.box |= u.box;
            icon.ink += u.ink;
            icon.pieces += u.pieces;
        }
    }
    return icon;
}

// The icon at the start of `units`, if any: how many units it takes and the
// box of all of it. An icon may fall into pieces with gaps between them as
// wide as the gap before the text (the rim of an avatar), so every split
// with an icon's gap after it is tried, the widest first.
std::pair<int, QRect> iconAtStart(const QList<Unit> &units, const QList<Unit> &around)
{
    // An avatar beside two lines of text is more than twice as tall as the
    // first, and about as wide as it is tall.
    const auto narrowEnough = [&](int last) {
        const QRect box = units[0].box | units[last].box;
        const int text = bodyOf(units.mid(last + 1)).height();
        return box.width() <= maxIconWidth * text ||
               box.width() <= maxIconAspect * std::min<double>(box.height(), maxIconWidth * text);
    };
    int last = 0;
    while (last + 1 < units.size() && narrowEnough(last))
        ++last;
    for (int k = last; k >= 1; --k) {
        const Body text = bodyOf(units.mid(k));
        const int gap = units[k].box.left() - units[k - 1].box.right() - 1;
        if (text.height() <= 0 || gap < minIconGap * text.height())
            continue;
        const Unit icon = completed(units, k, around, text);
        const bool joinedWord =
            units.size() == k + 1 && units[k].box.width() >= joinedWordAspect * units[k].box.height();
        if (looksLikeIcon(icon, text, gap, gapsOf(units.mid(k)), joinedWord))
            return {k, icon.box};
    }
    return {0, {}};
}

QList<Unit> mirrored(QList<Unit> units, int axis)
{
    for (Unit &u : units)
        u.box = QRect(axis - u.box.right(), u.box.top(), u.box.width(), u.box.height());
    std::reverse(units.begin(), units.end());
    return units;
}

QRect mirrored(const QRect &box, int axis)
{
    return QRect(axis - box.right(), box.top(), box.width(), box.height());
}

} // namespace

LineWithoutIcons withoutEndIcons(const QList<GlyphPiece> &pieces, const QList<GlyphPiece> &around)
{
    QList<Unit> units = unitsOf(pieces);
    QList<Unit> others;
    for (const GlyphPiece &p : around)
        others.append({p.box, p.ink, {p.box}});
    LineWithoutIcons out;
    const auto [first, startIcon] = iconAtStart(units, others);
    if (first > 0)
        out.icons.append(startIcon);
    units = units.mid(first);
    if (!units.isEmpty()) {
        const int axis = units.last().box.right() + units.first().box.left();
        const auto [last, endIcon] = iconAtStart(mirrored(units, axis), mirrored(others, axis));
        if (last > 0)
            out.icons.append(mirrored(endIcon, axis));
        units.resize(units.size() - last);
    }
    for (const Unit &u : units)
        out.text |= u.box;
    return out;
}
