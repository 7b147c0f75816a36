// SPDX-License-Identifier: GPL-3.0-or-later

#include "LineReader.h"

#include "EnginePool.h"
#include "GlyphPieces.h"
#include "LineText.h"
#include "RecognitionThreads.h"
#include "Scripts.h"
#include "Shortcuts.h"

#include <QImage>

#include <tesseract/baseapi.h>
#include <tesseract/resultiterator.h>

#include <algorithm>
#include <memory>

namespace {

// Letters of scripts written without spaces between words.
bool isDense(QChar c)
{
    return isSquareLetter(c) || c.script() == QChar::Script_Thai;
}

// Tesseract splits lines of Han, kana, Hangul and Thai into "words" at the
// gaps between letters. Han, kana and Thai put no spaces between words, so
// only a gap this wide (a share of the letters' height) parts them; Korean
// puts spaces between words, which are wider than this.
constexpr double denseGap = 0.6;
constexpr double hangulGap = 0.2;
constexpr double markGap = 1.0;

bool isMark(QChar c)
{
    return !c.isLetterOrNumber() && !c.isSpace();
}

bool isMarks(const QString &text)
{
    return std::all_of(text.begin(), text.end(), isMark);
}

// Han and kana lines set their punctuation in full-width cells, so after a
// mark a wider gap than between letters still belongs to one word.
bool isFullWidthMark(QChar c)
{
    return (c.unicode() >= 0x3000 && c.unicode() <= 0x303f) || (c.unicode() >= 0xff00 && c.unicode() <= 0xffef);
}

// Whether a word's end (or start) may run on into the next word without a
// space: a dense letter, a full-width mark, or marks alone.
bool runsOn(const QString &text, QChar edge)
{
    return isDense(edge) || isFullWidthMark(edge) || isMarks(text);
}

bool joinsDense(const WordReading &last, const WordReading &word)
{
    return runsOn(last.text, last.text.back()) && runsOn(word.text, word.text.front()) &&
           !(isMarks(last.text) && isMarks(word.text));
}

// Where a word's first and last letters lie along the line: the middles of
// their boxes.
struct WordEnds {
    double first = 0, last = 0;
};

// Hangul syllables are set in cells of one width, whatever their ink, so the
// step from one syllable's middle to the next is a cell within a word and a
// cell and a space across words: a narrow syllable's wide margins look like a
// space by its gaps alone. The cell is the middle step between neighbouring
// syllables, most of them within words; zero on lines with too few.
struct HangulCells {
    QList<WordEnds> ends; // one per word, or none
    double cell = 0;
};

// A step this many cells wide or more parts two words; the steps across
// spaces on the benchmark's pages are 1.18 cells or more but for one in
// twenty, those within words at most 1.06 but for one in twenty.
constexpr double spaceStep = 1.14;
// Fewer steps than this between syllables tell no cell.
constexpr int minSteps = 3;

// Each word's letters with their boxes, handed to `words`, which the reader
// gave from the same result; none when a letter has no box or the letters
// do not fall into as many words.
void addLetters(tesseract::ResultIterator *letters, QList<WordReading> &words)
{
    if (letters->Empty(tesseract::RIL_SYMBOL))
        return;
    QList<QList<LetterReading>> found;
    do {
        int left = 0, top = 0, right = 0, bottom = 0;
        // As drawn: a right-to-left line's reading order mirrors brackets.
        const std::unique_ptr<char[]> letter(letters->LTRResultIterator::GetUTF8Text(tesseract::RIL_SYMBOL));
        if (!letter || !letters->BoundingBox(tesseract::RIL_SYMBOL, &left, &top, &right, &bottom))
            return;
        if (found.isEmpty() || letters->IsAtBeginningOf(tesseract::RIL_WORD))
            found.append(QList<LetterReading>());
        found.last().append({QString::fromUtf8(letter.get()), letters->Confidence(tesseract::RIL_SYMBOL),
                             QRect(QPoint(left, top), QPoint(right - 1, bottom - 1))});
    } while (letters->Next(tesseract::RIL_SYMBOL));
    if (found.size() != words.size())
        return;
    for (qsizetype w = 0; w < words.size(); ++w)
        words[w].letters = std::move(found[w]);
}

double middleOf(const QRect &box)
{
    return box.left() + box.width() / 2.0;
}

bool isHangul(QChar c)
{
    return c.script() == QChar::Script_Hangul;
}

bool isSyllable(const QString &letter)
{
    return !letter.isEmpty() && isHangul(letter.front());
}

HangulCells hangulCells(const QList<WordReading> &words)
{
    HangulCells found;
    QList<double> steps;
    const LetterReading *previous = nullptr;
    for (const WordReading &word : words) {
        if (word.letters.isEmpty())
            return {};
        found.ends.append({middleOf(word.letters.first().box), middleOf(word.letters.last().box)});
        for (const LetterReading &letter : word.letters) {
            if (previous && isSyllable(letter.text) && isSyllable(previous->text))
                steps.append(middleOf(letter.box) - middleOf(previous->box));
            previous = &letter;
        }
    }
    if (steps.size() < minSteps)
        return {};
    std::nth_element(steps.begin(), steps.begin() + steps.size() / 2, steps.end());
    found.cell = steps[steps.size() / 2];
    return found;
}

QList<WordReading> joinedDenseWords(const QList<WordReading> &words, const HangulCells &cells)
{
    QList<WordReading> joined;
    WordEnds lastEnds;
    for (qsizetype w = 0; w < words.size(); ++w) {
        const WordReading &word = words[w];
        const WordEnds ends = cells.cell > 0 ? cells.ends[w] : WordEnds{};
        if (!joined.isEmpty() && !word.text.isEmpty() && !joined.last().text.isEmpty()) {
            WordReading &last = joined.last();
            const int gap = std::max(word.box.left() - last.box.right(), last.box.left() - word.box.right()) - 1;
            const int height = std::max(word.box.height(), last.box.height());
            const bool hangulBefore = isHangul(last.text.back()), hangulAfter = isHangul(word.text.front());
            const bool hangul = hangulBefore || hangulAfter;
            const bool syllables = hangulBefore && hangulAfter;
            const double widest = isFullWidthMark(last.text.back()) ? markGap : hangul ? hangulGap : denseGap;
            const bool close = syllables && cells.cell > 0
                                   ? std::abs(ends.first - lastEnds.last) < spaceStep * cells.cell
                                   : gap < widest * height;
            if (joinsDense(last, word) && close) {
                last.text += word.text;
                last.confidence = std::min(last.confidence, word.confidence);
                last.box |= word.box;
                last.letters += word.letters;
                lastEnds.last = ends.last;
                continue;
            }
        }
        joined.append(word);
        lastEnds = ends;
    }
    return joined;
}

// Readers take a multiplication sign between digits for an "x" ("3x5"). The
// sign stands above the baseline the digits and the letter stand on. Beside
// right-to-left text it matters beyond its look: "3×5" is laid out as
// "5×3", "3x5" as it is.
void readTimesSigns(WordReading &word)
{
    QString spelled;
    for (const LetterReading &letter : word.letters)
        spelled += letter.text;
    if (spelled != cleanLineText(word.text))
        return;
    constexpr double raised = 0.1;
    for (qsizetype i = 1; i + 1 < word.letters.size(); ++i) {
        LetterReading &sign = word.letters[i];
        const LetterReading &before = word.letters[i - 1], &after = word.letters[i + 1];
        if ((sign.text != u"x" && sign.text != u"X") || before.text.size() != 1 || !before.text[0].isDigit() ||
            after.text.size() != 1 || !after.text[0].isDigit())
            continue;
        const int baseline = std::max(before.box.bottom(), after.box.bottom());
        const int height = baseline - std::min(before.box.top(), after.box.top()) + 1;
        if (baseline - sign.box.bottom() >= raised * height)
            sign.text = QStringLiteral("×");
    }
    word.text.clear();
    for (const LetterReading &letter : word.letters)
        word.text += letter.text;
}

} // namespace

LineReading readLine(const QImage &line, const QString &model)
{
    if (recognitionStopping())
        return {};
    EnginePool::Lease engine = EnginePool::shared().acquire(model);
    if (!engine)
        return {};
    engine->SetPageSegMode(tesseract::PSM_SINGLE_LINE);
    engine->SetImage(line.constBits(), line.width(), line.height(), 1, static_cast<int>(line.bytesPerLine()));
    if (engine->Recognize(nullptr) != 0)
        return {};
    LineReading reading{engine->MeanTextConf(), model};
    const std::unique_ptr<tesseract::ResultIterator> words(engine->GetIterator());
    if (words && !words->Empty(tesseract::RIL_WORD)) {
        do {
            const std::unique_ptr<char[]> word(words->GetUTF8Text(tesseract::RIL_WORD));
            int left = 0, top = 0, right = 0, bottom = 0;
            if (!word || !words->BoundingBox(tesseract::RIL_WORD, &left, &top, &right, &bottom))
                continue;
            const Script *script = scriptOf(QString::fromUtf8(words->WordRecognitionLanguage()));
            reading.words.append({QString::fromUtf8(word.get()), words->Confidence(tesseract::RIL_WORD),
                                  QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)),
                                  words->WordIsFromDictionary(), script && script->rightToLeft,
                                  int(reading.words.size())});
        } while (words->Next(tesseract::RIL_WORD));
    }
    if (const std::unique_ptr<tesseract::ResultIterator> letters(engine->GetIterator()); letters)
        addLetters(letters.get(), reading.words);
    trustSureLetters(reading);
    for (WordReading &word : reading.words)
        readTimesSigns(word);
    const Language *language = languageOf(model);
    const TextFix mend = language ? language->fix : nullptr;
    if (mend) {
        // A mark may be a word of its own, after the letter that decides it.
        for (qsizetype w = reading.words.size() - 1; w >= 0; --w) {
            QString &text = reading.words[w].text;
            const QString &before = w > 0 ? reading.words[w - 1].text : QString();
            const QString joined = before.isEmpty() ? QString() : mend(before.back() + text);
            // The letter before is left as it was, or the word is mended alone.
            text = !joined.isEmpty() && joined.front() == before.back() ? joined.mid(1) : mend(text);
        }
    }
    const bool hangul = std::any_of(reading.words.begin(), reading.words.end(), [](const WordReading &word) {
        return std::any_of(word.text.begin(), word.text.end(), isHangul);
    });
    reading.words = joinedDenseWords(reading.words, hangul ? hangulCells(reading.words) : HangulCells{});
    // Thai's SARA AM comes in two "words" until they are joined.
    if (mend) {
        for (WordReading &word : reading.words)
            word.text = mend(word.text);
    }
    // A right-to-left line's words come in reading order, with runs of
    // left-to-right words within it left to right, or at either end.
    std::stable_sort(reading.words.begin(), reading.words.end(),
                     [](const WordReading &a, const WordReading &b) { return a.box.left() < b.box.left(); });
    fitNumberBoxesToInk(line, reading.words);
    readMiddleDots(line, reading.words);
    readShortcuts(reading);
    if (const Script *script = scriptOf(model); script && script->unspaced) {
        reading.cover = wordCover(reading.text(), script->letters, [&](const QString &word) {
            return engine->IsValidWord(word.toUtf8().constData()) != 0;
        });
    }
    return reading;
}

void fitNumberBoxesToInk(const QImage &line, QList<WordReading> &words)
{
    // Words of letters are left as the reader boxes them (a little taller
    // than their ink): the text's height is measured by them. A dot read as
    // a digit is no number.
    constexpr int inkLevel = 128;
    for (WordReading &word : words) {
        if (word.text.size() < 2 ||
            std::any_of(word.text.begin(), word.text.end(), [](QChar c) { return c.isLetter(); }) ||
            std::none_of(word.text.begin(), word.text.end(), [](QChar c) { return c.isDigit(); }))
            continue;
        const QRect box = word.box & line.rect();
        int top = -1, bottom = -1;
        for (int y = box.top(); y <= box.bottom() && !box.isEmpty(); ++y) {
            const uchar *row = line.constScanLine(y);
            if (std::any_of(row + box.left(), row + box.right() + 1, [](uchar g) { return g < inkLevel; })) {
                top = top < 0 ? y : top;
                bottom = y;
            }
        }
        if (top >= 0 && 3 * word.box.height() > 4 * (bottom - top + 1))
            word.box.setCoords(word.box.left(), top, word.box.right(), bottom);
    }
}

void readMiddleDots(const QImage &line, QList<WordReading> &words)
{
    // A round dot is about as wide as tall, or twice as wide where small text
    // draws it on two pixels of one row (a hyphen is three or four times as
    // wide as thick), and fills most of its box (a degree sign is a ring, a
    // plus sign a cross); a bullet is larger.
    constexpr double widest = 2.0, tallest = 1.5, filled = 0.5, largestDot = 0.3;
    // A full stop stands on the baseline; a middle dot well above it.
    constexpr double raised = 0.15;
    static const QString misread = QStringLiteral("-:*+\u2013\u2014");
    // The Arabic model reads it as the Arabic-Indic zero, drawn as a dot too;
    // beside a number of European digits, that zero stands for none.
    const auto europeanNumber = [&](qsizetype i) {
        return i >= 0 && i < words.size() && !words[i].text.isEmpty() &&
               std::all_of(words[i].text.begin(), words[i].text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    };
    const auto isMisread = [&](qsizetype i) {
        const QString &text = words[i].text;
        return text.size() == 1 && (misread.contains(text.front()) ||
                                    (text.front() == u'\u0660' && (europeanNumber(i - 1) || europeanNumber(i + 1))));
    };
    bool anyMisread = false;
    for (qsizetype i = 0; i < words.size() && !anyMisread; ++i)
        anyMisread = isMisread(i);
    if (!anyMisread)
        return;
    const auto isText = [](const QString &text) {
        return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber(); });
    };
    // Where the text stands: the middle bottom and top of its letters (most
    // stand on the baseline, and some reach below it), or of its words where
    // the reader gave no letters.
    QList<int> bottoms, tops;
    const auto add = [&](const QString &text, const QRect &box) {
        if (isText(text) && !box.isEmpty()) {
            bottoms.append(box.bottom());
            tops.append(box.top());
        }
    };
    for (const WordReading &word : words) {
        if (word.letters.isEmpty())
            add(word.text, word.box);
        for (const LetterReading &letter : word.letters)
            add(letter.text, letter.box);
    }
    if (bottoms.size() < 2)
        return;
    // The lower middle: of two words, the one without a descender.
    const qsizetype middle = (bottoms.size() - 1) / 2;
    std::nth_element(bottoms.begin(), bottoms.begin() + middle, bottoms.end());
    std::nth_element(tops.begin(), tops.begin() + middle, tops.end());
    const int baseline = bottoms[middle], top = tops[middle];
    const int height = baseline - top + 1;
    if (height <= 0)
        return;
    // The reader's boxes of marks are rough, and may miss the mark's ink: it
    // is looked for between the letters on either side, as the one piece of
    // ink there that is not theirs (touching neither side).
    const auto isMiddleDot = [&](int from, int to) {
        const QRect between = QRect(QPoint(from, 0), QPoint(to, line.height() - 1)) & line.rect();
        if (between.width() < 3)
            return false;
        QImage ink = line.copy(between);
        ink.invertPixels();
        QList<GlyphPiece> pieces = glyphPieces(ink);
        pieces.removeIf(
            [&](const GlyphPiece &piece) { return piece.box.left() == 0 || piece.box.right() == between.width() - 1; });
        if (pieces.size() != 1)
            return false;
        const QRect dot = pieces.first().box.translated(between.topLeft());
        return dot.width() <= widest * dot.height() && dot.height() <= tallest * dot.width() &&
               pieces.first().ink >= filled * dot.width() * dot.height() && dot.height() <= largestDot * height &&
               baseline - dot.bottom() >= raised * height && dot.top() >= top;
    };
    // The words come left to right.
    for (qsizetype i = 0; i < words.size(); ++i) {
        WordReading &word = words[i];
        if (!isMisread(i))
            continue;
        const int from = i > 0 ? words[i - 1].box.right() + 1 : word.box.left() - height;
        const int to = i + 1 < words.size() ? words[i + 1].box.left() - 1 : word.box.right() + height;
        if (!isMiddleDot(std::max(from, word.box.left() - height), std::min(to, word.box.right() + height)))
            continue;
        // The word is its one letter.
        word.text = QStringLiteral("\u00b7");
        for (LetterReading &letter : word.letters)
            letter.text = word.text;
    }
}

void trustSureLetters(LineReading &reading)
{
    constexpr qsizetype enoughLetters = 3;
    constexpr float sureLetter = 97, unrated = 10;
    float rise = 0;
    for (WordReading &word : reading.words) {
        if (!word.inDictionary || word.confidence >= unrated || word.letters.size() < enoughLetters)
            continue;
        float least = 100;
        for (const LetterReading &letter : word.letters)
            least = std::min(least, letter.confidence);
        if (least >= sureLetter) {
            rise += least - word.confidence;
            word.confidence = least;
        }
    }
    // The line's confidence is the mean of its words'.
    if (!reading.words.isEmpty())
        reading.confidence += qRound(rise / reading.words.size());
}

QString LineReading::textOf(qsizetype first, qsizetype count) const
{
    const Script *script = scriptOf(model);
    return lineText(words.mid(first, count), script && script->rightToLeft);
}
