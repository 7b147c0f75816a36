// SPDX-License-Identifier: GPL-3.0-or-later

#include "TextBand.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// How far a script's text reaches above and below the baseline, in font
// sizes, with room for the accents, marks and tall letters of other lines.
// `onStroke`: the letters join on a stroke along the baseline, and fonts
// differ most in how deep they descend and how wide they draw a word, so the
// size is taken from the height above that stroke and the bulk of the ink,
// never from the width. `marksStack`: fonts differ most in how high they
// stack marks over the letters, so the size is taken from the letters' body,
// the rows that hold most of the ink.
struct Reach {
    double above, below;
    bool onStroke = false, marksStack = false;
};

constexpr Reach alphabetReach{0.92, 0.28};
constexpr Reach arabicReach{0.92, 0.33, true};
// Ideographs and syllables fill most of the em square, centred above the
// baseline, with no descenders.
constexpr Reach squareReach{0.96, 0.22};
// Figures and signs belong to no script: a line of them alone stands among
// text of any script, and is given room between the scripts' reaches.
constexpr Reach figureReach{0.96, 0.30};
// Vowel and tone marks stack above and below the letters.
constexpr Reach stackedReach{1.0, 0.30, false, true};

Reach reachOf(QChar::Script script)
{
    switch (script) {
    case QChar::Script_Arabic:
    case QChar::Script_Syriac:
    case QChar::Script_Thaana:
        return arabicReach;
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Hangul:
    case QChar::Script_Bopomofo:
        return squareReach;
    case QChar::Script_Thai:
    case QChar::Script_Lao:
    case QChar::Script_Khmer:
    case QChar::Script_Myanmar:
    case QChar::Script_Devanagari:
    case QChar::Script_Bengali:
    case QChar::Script_Tamil:
        return stackedReach;
    case QChar::Script_Unknown:
        return figureReach;
    default:
        return alphabetReach;
    }
}

// The script most of the text's letters belong to.
QChar::Script mainScript(const QString &text)
{
    std::array<int, QChar::ScriptCount> counts{};
    for (const uint c : text.toUcs4()) {
        const QChar::Script script = QChar::script(c);
        if (script > QChar::Script_Common && script < QChar::ScriptCount)
            ++counts[script];
    }
    return QChar::Script(std::max_element(counts.begin(), counts.end()) - counts.begin());
}

// The rows between which a line's ink lies but for a small share above and
// below: accents, dots and commas move these rows little, so they hold even
// where the reading missed or added such a mark.
constexpr double outerShare = 0.03;
// The rows of the letters' body: all but this share of the ink above and
// below, which marks stacked over and under the letters hold.
constexpr double bodyShare = 0.2;

struct Spread {
    double top, bottom;
};

// `rows`: the ink of each row; row i spans [origin + i, origin + i + 1).
Spread spreadOf(const QList<double> &rows, double origin, double share = outerShare)
{
    double total = 0;
    for (const double r : rows)
        total += r;
    const auto position = [&](double share) {
        double before = 0;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            if (rows[i] > 0 && before + rows[i] >= share * total)
                return origin + i + (share * total - before) / rows[i];
            before += rows[i];
        }
        return origin + rows.size();
    };
    return {position(share), position(1 - share)};
}

// `family`, followed by the Noto families for the scripts it lacks.
QFont referenceFont(const QString &family, int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies({family, QStringLiteral("Noto Sans"), QStringLiteral("Noto Sans Hebrew"),
                      QStringLiteral("Noto Sans Arabic"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Noto Sans Thai")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Common interface fonts. They differ in how tall their letters are for their
// size (Noto's Hebrew is tall, DejaVu's short), so a text is measured in each
// and the measures averaged.
const QStringList &referenceFamilies()
{
    static const QStringList families{QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans")};
    return families;
}

struct InkSpreads {
    Spread outer, body;
    double mass; // in square font sizes
};

// How the text's ink spreads (see spreadOf) in a reference font, in font
// sizes from the baseline (negative above it).
InkSpreads inkSpreadIn(const QString &family, const QString &text, bool bold)
{
    constexpr int size = 48;
    const QFont font = referenceFont(family, size, bold);
    QImage picture(qCeil(QFontMetricsF(font).horizontalAdvance(text)) + size, 3 * size, QImage::Format_Grayscale8);
    picture.fill(255);
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(size / 2, 2 * size), text);
    painter.end();
    const int width = picture.width(), height = picture.height();
    QList<double> rows(height, 0.0);
    double mass = 0;
    for (int y = 0; y < height; ++y) {
        const uchar *g = picture.constScanLine(y);
        int ink = 0;
        for (int x = 0; x < width; ++x)
            ink += 255 - g[x];
        rows[y] = ink / 255.0;
        mass += rows[y];
    }
    const Spread outer = spreadOf(rows, -2 * size), body = spreadOf(rows, -2 * size, bodyShare);
    return {{outer.top / size, outer.bottom / size}, {body.top / size, body.bottom / size}, mass / (size * size)};
}

// The text's outlines in a reference font, in font sizes from the start of
// its baseline.
QRectF outlinesIn(const QString &family, const QString &text, bool bold)
{
    constexpr int size = 200;
    const QRectF r = QFontMetricsF(referenceFont(family, size, bold)).tightBoundingRect(text);
    return {r.topLeft() / size, r.size() / size};
}

struct Reference {
    Spread outlines, ink, body;
    double width = 0; // of the outlines
    double mass = 0;  // of the ink
};

Reference referenceOf(const QString &text, bool bold)
{
    Reference sum{};
    for (const QString &family : referenceFamilies()) {
        const QRectF outlines = outlinesIn(family, text, bold);
        const InkSpreads ink = inkSpreadIn(family, text, bold);
        sum.outlines.top += outlines.top();
        sum.outlines.bottom += outlines.bottom();
        sum.width += outlines.width();
        sum.ink.top += ink.outer.top;
        sum.ink.bottom += ink.outer.bottom;
        sum.body.top += ink.body.top;
        sum.body.bottom += ink.body.bottom;
        sum.mass += ink.mass;
    }
    const double n = referenceFamilies().size();
    return {{sum.outlines.top / n, sum.outlines.bottom / n},
            {sum.ink.top / n, sum.ink.bottom / n},
            {sum.body.top / n, sum.body.bottom / n},
            sum.width / n,
            sum.mass / n};
}

// Texts of dashes and dots say too little about their size.
constexpr double minReferenceHeight = 0.2;
// A row whose inkiest pixel is covered less than this holds no edge.
constexpr double edgeInk = 0.05;
// The two ways of sizing a line agree this closely unless its ink holds
// more or less than its reading says.
constexpr double maxDisagreement = 1.12;
// Fonts differ more in how tall their letters are for their size than in
// how tall and wide together (a tall Hebrew serif is narrow), so a line's
// width sizes it too, unless it disagrees this much with its height: a
// condensed or spaced font, or a reading that missed or added letters.
constexpr double maxWidthDisagreement = 1.3;
// A line whose ink weighs this much more than its reference's, at the size it
// seems, is bold.
constexpr double boldWeight = 1.35;

// How much ink each row of `area` holds, in pixels' worth (`mass`), and how
// much of its inkiest pixel (`peak`), from the grey levels of the line's
// paper and ink, so that antialiased edges count for the part of a pixel they
// cover. Only pixels in or beside the mask's ink count: paper shading and
// widgets inside the box do not.
struct RowInk {
    QList<double> mass, peak;
    int paperLevel = 0, inkLevel = 0;

    double coverage(uchar gray) const
    {
        return std::clamp(double(gray - paperLevel) / (inkLevel - paperLevel), 0.0, 1.0);
    }
};

RowInk rowInk(const QImage &gray, const QImage &mask, const QRect &area)
{
    QList<int> ink, paper;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar *g = gray.constScanLine(y);
        const uchar *m = mask.constScanLine(y);
        for (int x = area.left(); x <= area.right(); ++x)
            (m[x] ? ink : paper).append(g[x]);
    }
    RowInk rows{QList<double>(area.height(), 0.0), QList<double>(area.height(), 0.0)};
    if (ink.isEmpty() || paper.isEmpty())
        return rows;
    std::sort(ink.begin(), ink.end());
    std::sort(paper.begin(), paper.end());
    rows.paperLevel = paper[paper.size() / 2];
    const bool darkText = ink[ink.size() / 2] < rows.paperLevel;
    // The inkiest tenth: the cores of strokes, not their antialiased edges.
    rows.inkLevel = darkText ? ink[ink.size() / 10] : ink[ink.size() - 1 - ink.size() / 10];
    if (rows.inkLevel == rows.paperLevel)
        return rows;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar *g = gray.constScanLine(y);
        const uchar *m = mask.constScanLine(y);
        const uchar *above = mask.constScanLine(std::max(y - 1, area.top()));
        const uchar *below = mask.constScanLine(std::min(y + 1, area.bottom()));
        double &mass = rows.mass[y - area.top()];
        double &peak = rows.peak[y - area.top()];
        for (int x = area.left(); x <= area.right(); ++x) {
            if (m[x] || above[x] || below[x]) {
                const double coverage = rows.coverage(g[x]);
                mass += coverage;
                peak = std::max(peak, coverage);
            }
        }
    }
    return rows;
}

// A pixel this much covered by ink shows from beside a plate.
constexpr double visibleInk = 0.25;
// The mask takes the stroke at a line's end for paper at times (a bold
// capital's stem, inside out), never more than this much of it, in font sizes.
constexpr double maxMissedStroke = 0.35;

// Whether column `x` of `area` holds visible ink.
bool inkInColumn(const QImage &gray, const QRect &area, const RowInk &rows, int x)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        if (rows.coverage(gray.constScanLine(y)[x]) >= visibleInk)
            return true;
    }
    return false;
}

// `area`'s columns grown on each side over the ink next to them, up to `limit`
// columns: the grey picture's, where the mask missed it.
QRect withInkBeside(const QImage &gray, const QRect &area, const RowInk &rows, int limit)
{
    if (rows.inkLevel == rows.paperLevel)
        return area;
    int left = area.left(), right = area.right();
    while (left > 0 && area.left() - left < limit && inkInColumn(gray, area, rows, left - 1))
        --left;
    while (right + 1 < gray.width() && right - area.right() < limit && inkInColumn(gray, area, rows, right + 1))
        ++right;
    return QRect(QPoint(left, area.top()), QPoint(right, area.bottom()));
}

// Stops and ellipses past a line's last letter are small marks on its
// baseline a letter's gap away, which the mask misses where nothing else is
// near. The box takes in such marks, within this gap and width, in font
// sizes, and reaching no higher than this over the baseline; anything taller
// ends them.
constexpr double maxMarkGap = 0.35, maxMarksWidth = 1.2, maxMarkHeight = 0.3;

// The last column of the marks that start at column `from` and run in
// `step`, or `from - step` where there are none. `rows`: the rows to look in.
int marksEnd(const QImage &gray, const RowInk &ink, int from, int step, std::pair<int, int> rows, double markTop,
             double em)
{
    int end = from - step, gap = 0;
    for (int x = from; x >= 0 && x < gray.width() && std::abs(x - from) < maxMarksWidth * em; x += step) {
        bool inked = false;
        for (int y = rows.first; y <= rows.second; ++y) {
            if (ink.coverage(gray.constScanLine(y)[x]) < visibleInk)
                continue;
            if (y < markTop)
                return end;
            inked = true;
        }
        if (inked) {
            end = x;
            gap = 0;
        } else if (++gap > maxMarkGap * em) {
            break;
        }
    }
    return end;
}

// The lower edge of the densest band of rows: the baseline of joined letters.
double strokeBaseline(const QImage &mask, const QRect &area)
{
    QList<int> counts(area.height(), 0);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar *m = mask.constScanLine(y);
        counts[y - area.top()] = int(std::count_if(m + area.left(), m + area.right() + 1, [](uchar v) { return v; }));
    }
    qsizetype row = std::max_element(counts.begin(), counts.end()) - counts.begin();
    const int dense = (counts[row] + 1) / 2;
    while (row + 1 < counts.size() && counts[row + 1] >= dense)
        ++row;
    return area.top() + row + 1;
}

struct Size {
    double em, baseline;
};

bool measurable(const Reference &reference)
{
    return reference.outlines.bottom - reference.outlines.top >= minReferenceHeight &&
           reference.ink.bottom - reference.ink.top >= minReferenceHeight;
}

// The line's font size and baseline, from the rows of its ink (`edges`: the
// first and last that hold any) and its `width`, measured against the
// `reference` of its text.
Size sizeOf(const RowInk &rows, const QImage &mask, const QRect &area, std::pair<int, int> edges,
            const Reference &reference, const Reach &reach, int width)
{
    const Spread &extent = reference.outlines, &spread = reference.ink;
    const auto [first, last] = edges;
    // The outlines to a fraction of a pixel: unless hinting put them on pixel
    // boundaries, the rows of their edges are only partly covered.
    const double top = area.top() + first + 1 - rows.peak[first];
    const double bottom = area.top() + last + rows.peak[last];
    double em = std::max(1.0, bottom - top) / (extent.bottom - extent.top);
    double baseline = bottom - extent.bottom * em;
    // Ink the reading does not explain (an accent it missed, a comma it
    // added, an icon) moves the outlines but hardly the bulk of the ink.
    const Spread ink = spreadOf(rows.mass, area.top());
    const double bulkEm = std::max(1.0, ink.bottom - ink.top) / (spread.bottom - spread.top);
    if (std::abs(std::log(em / bulkEm)) > std::log(maxDisagreement)) {
        em = bulkEm;
        baseline = ink.bottom - spread.bottom * em;
    }
    if (reach.onStroke && -extent.top >= minReferenceHeight) {
        baseline = strokeBaseline(mask, area);
        em = std::sqrt(std::max(1.0, baseline - top) / -extent.top * bulkEm);
    }
    if (reach.marksStack && reference.body.bottom - reference.body.top >= minReferenceHeight / 2) {
        const Spread body = spreadOf(rows.mass, area.top(), bodyShare);
        em = std::max(1.0, body.bottom - body.top) / (reference.body.bottom - reference.body.top);
        baseline = body.bottom - reference.body.bottom * em;
    }
    const double widthEm = width / reference.width;
    if (!reach.onStroke && reference.width >= minReferenceHeight &&
        std::abs(std::log(em / widthEm)) < std::log(maxWidthDisagreement))
        em = std::sqrt(em * widthEm);
    return {em, baseline};
}

} // namespace

QRectF textBand(const QImage &gray, const QImage &mask, const QRect &line, const QString &text)
{
    // One row of antialiased edge above and below the mask's ink.
    const QRect area = line.adjusted(0, -1, 0, 1).intersected(mask.rect());
    const RowInk rows = rowInk(gray, mask, area);
    int first = -1, last = -1;
    for (int i = 0; i < rows.peak.size(); ++i) {
        if (rows.peak[i] >= edgeInk) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    const Reference reference = referenceOf(text, false);
    if (first < 0 || !measurable(reference))
        return line;
    const Reach reach = reachOf(mainScript(text));
    const std::pair<int, int> edges{first, last};
    Size size = sizeOf(rows, mask, area, edges, reference, reach, line.width());
    // Bold strokes carry more ink for the size, reach further past the
    // letters' outlines and widen them: a bold line is measured against bold
    // letters. The mask takes the cores of thick strokes for paper, so only
    // small bold text weighs enough to tell; large text is measured closely
    // enough without.
    double mass = 0;
    for (const double m : rows.mass)
        mass += m;
    if (mass >= boldWeight * size.em * size.em * reference.mass) {
        const Reference bold = referenceOf(text, true);
        if (measurable(bold))
            size = sizeOf(rows, mask, area, edges, bold, reach, line.width());
    }
    const double em = size.em, baseline = size.baseline;
    QRect columns = withInkBeside(gray, area, rows, qCeil(maxMissedStroke * em));
    if (rows.inkLevel != rows.paperLevel) {
        const std::pair<int, int> reached{std::max(0, qFloor(baseline - reach.above * em)),
                                          std::min(gray.height() - 1, qCeil(baseline + reach.below * em))};
        const double markTop = baseline - maxMarkHeight * em;
        columns.setLeft(marksEnd(gray, rows, columns.left() - 1, -1, reached, markTop, em));
        columns.setRight(marksEnd(gray, rows, columns.right() + 1, 1, reached, markTop, em));
    }
    // Grown to hold the rows of visible ink, not the faint edges beyond.
    const auto visible = [&](int i) { return rows.peak[i] >= visibleInk; };
    while (first < last && !visible(first))
        ++first;
    while (last > first && !visible(last))
        --last;
    const double bandTop = std::min<double>(area.top() + first, baseline - reach.above * em);
    const double bandBottom = std::max<double>(area.top() + last + 1, baseline + reach.below * em);
    return QRectF(columns.left(), bandTop, columns.width(), bandBottom - bandTop).intersected(QRectF(mask.rect()));
}
