// SPDX-License-Identifier: GPL-3.0-or-later

#include "LineReader.h"

#include "EnginePool.h"
#include "RecognitionThreads.h"

#include <QImage>
#include <QRegularExpression>

#include <tesseract/baseapi.h>
#include <tesseract/resultiterator.h>

#include <algorithm>
#include <memory>

namespace {

// Letters of scripts written without spaces between words.
bool isDense(QChar c)
{
    switch (c.script()) {
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Hangul:
    case QChar::Script_Thai:
        return true;
    default:
        return false;
    }
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

// Each letter of the line with its box; `startsWord` tells which begin a
// word. Nothing when a letter has no box.
QList<WordReading> lineLetters(tesseract::ResultIterator *letters, QList<bool> &startsWord)
{
    QList<WordReading> found;
    if (letters->Empty(tesseract::RIL_SYMBOL))
        return {};
    do {
        int left = 0, top = 0, right = 0, bottom = 0;
        const std::unique_ptr<char[]> letter(letters->GetUTF8Text(tesseract::RIL_SYMBOL));
        if (!letter || !letters->BoundingBox(tesseract::RIL_SYMBOL, &left, &top, &right, &bottom))
            return {};
        found.append({QString::fromUtf8(letter.get()), letters->Confidence(tesseract::RIL_SYMBOL),
                      QRect(QPoint(left, top), QPoint(right - 1, bottom - 1))});
        startsWord.append(letters->IsAtBeginningOf(tesseract::RIL_WORD));
    } while (letters->Next(tesseract::RIL_SYMBOL));
    return found;
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

HangulCells hangulCells(const QList<WordReading> &letters, const QList<bool> &startsWord, qsizetype wordCount)
{
    HangulCells found;
    QList<double> steps;
    for (qsizetype i = 0; i < letters.size(); ++i) {
        const double middle = middleOf(letters[i].box);
        if (startsWord[i])
            found.ends.append({middle, middle});
        else if (!found.ends.isEmpty())
            found.ends.last().last = middle;
        if (i > 0 && isSyllable(letters[i].text) && isSyllable(letters[i - 1].text))
            steps.append(middle - middleOf(letters[i - 1].box));
    }
    if (found.ends.size() != wordCount || steps.size() < minSteps)
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
                lastEnds.last = ends.last;
                continue;
            }
        }
        joined.append(word);
        lastEnds = ends;
    }
    return joined;
}

// Hebrew letters and points (Qt gives points a script of their own).
bool isHebrew(QChar c)
{
    return (c.unicode() >= 0x0591 && c.unicode() <= 0x05f4) || (c.unicode() >= 0xfb1d && c.unicode() <= 0xfb4f);
}

// The Yiddish model reads the maqaf that joins the parts of a compound
// ("בילד־פֿאָרעם") as a hyphen, which Yiddish spelling writes as a maqaf.
QString yiddishMaqafs(QString text)
{
    for (qsizetype i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == u'-' && isHebrew(text[i - 1]) && isHebrew(text[i + 1]))
            text[i] = QChar(0x05be);
    }
    return text;
}

// The Thai model reads SARA AM (ำ) as the NIKHAHIT and SARA AA it is drawn
// with, which no Thai text writes, a tone mark sometimes between them.
QString thaiSaraAm(QString text)
{
    static const QRegularExpression split(QStringLiteral("\u0e4d([\u0e48-\u0e4b]?)\u0e32"));
    return text.replace(split, QStringLiteral("\\1\u0e33"));
}

// The Greek model reads mu as often as not as the micro sign, which looks
// the same; next to a Greek letter it is mu.
QString greekMu(QString text)
{
    const auto greek = [&](qsizetype i) {
        return i >= 0 && i < text.size() && text[i].script() == QChar::Script_Greek;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QChar(0x00b5) && (greek(i - 1) || greek(i + 1)))
            text[i] = QChar(0x03bc);
    }
    return text;
}

// The Chinese models lack the full-width comma and marks of Chinese text and
// read them as ASCII ones: after a Han letter they are full-width.
QString fullWidthMarks(QString text)
{
    static const QString ascii = QStringLiteral(",!?;"), full = QStringLiteral("，！？；");
    for (qsizetype i = 1; i < text.size(); ++i) {
        const qsizetype k = ascii.indexOf(text[i]);
        if (k >= 0 && text[i - 1].script() == QChar::Script_Han)
            text[i] = full[k];
    }
    return text;
}

// A circumflex or grave becomes a tonos, and so does a breathing in a word of
// several letters that has no other accent.
QString monotonicWord(const QString &word)
{
    if (std::none_of(word.begin(), word.end(), isPolytonic))
        return word;
    QString plain;
    qsizetype breathing = -1;
    bool accent = false;
    int letters = 0;
    for (const QChar c : word.normalized(QString::NormalizationForm_D)) {
        switch (c.unicode()) {
        case 0x0300:
        case 0x0301:
        case 0x0342:
            plain += QChar(0x0301);
            accent = true;
            break;
        case 0x0313:
        case 0x0314:
            if (breathing < 0)
                breathing = plain.size();
            break;
        case 0x0345:
            break;
        default:
            plain += c;
            letters += c.isLetter();
        }
    }
    if (!accent && breathing >= 0 && letters > 1)
        plain.insert(breathing, QChar(0x0301));
    return plain.normalized(QString::NormalizationForm_C);
}

QString monotonicText(const QString &text)
{
    QStringList words = text.split(u' ');
    for (QString &word : words)
        word = monotonicWord(word);
    return words.join(u' ');
}

} // namespace

LineReading readLine(const QImage &line, const QString &model, bool withLetters)
{
    if (recognitionStopping())
        return {};
    EnginePool::Lease engine = EnginePool::shared().acquire(model);
    if (!engine)
        return {};
    engine->SetPageSegMode(tesseract::PSM_SINGLE_LINE);
    engine->SetImage(line.constBits(), line.width(), line.height(), 1, static_cast<int>(line.bytesPerLine()));
    const std::unique_ptr<char[]> text(engine->GetUTF8Text());
    if (!text)
        return {};
    LineReading reading{QString::fromUtf8(text.get()), engine->MeanTextConf(), model, {}, {}};
    const std::unique_ptr<tesseract::ResultIterator> words(engine->GetIterator());
    if (words && !words->Empty(tesseract::RIL_WORD)) {
        do {
            const std::unique_ptr<char[]> word(words->GetUTF8Text(tesseract::RIL_WORD));
            int left = 0, top = 0, right = 0, bottom = 0;
            if (word && words->BoundingBox(tesseract::RIL_WORD, &left, &top, &right, &bottom))
                reading.words.append({QString::fromUtf8(word.get()), words->Confidence(tesseract::RIL_WORD),
                                      QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)),
                                      words->WordIsFromDictionary()});
        } while (words->Next(tesseract::RIL_WORD));
    }
    const auto mend = model.startsWith(QLatin1String("chi_"))  ? fullWidthMarks
                      : model.startsWith(QLatin1String("yid")) ? yiddishMaqafs
                      : model.startsWith(QLatin1String("tha")) ? thaiSaraAm
                      : model.startsWith(QLatin1String("ell")) ? greekMu
                                                               : nullptr;
    if (mend) {
        reading.text = mend(reading.text);
        // A mark may be a word of its own, after the letter that decides it.
        for (qsizetype w = reading.words.size() - 1; w >= 0; --w) {
            QString &text = reading.words[w].text;
            const QString &before = w > 0 ? reading.words[w - 1].text : QString();
            const QString joined = before.isEmpty() ? QString() : mend(before.back() + text);
            // The letter before is left as it was, or the word is mended alone.
            text = !joined.isEmpty() && joined.front() == before.back() ? joined.mid(1) : mend(text);
        }
    }
    HangulCells cells;
    const bool hangul = std::any_of(reading.text.begin(), reading.text.end(), isHangul);
    if (hangul || withLetters || model.startsWith(QLatin1String("kor"))) {
        const std::unique_ptr<tesseract::ResultIterator> letters(engine->GetIterator());
        QList<bool> startsWord;
        if (letters)
            reading.letters = lineLetters(letters.get(), startsWord);
        if (hangul)
            cells = hangulCells(reading.letters, startsWord, reading.words.size());
    }
    reading.words = joinedDenseWords(reading.words, cells);
    // Thai's SARA AM comes in two "words" until they are joined.
    if (mend) {
        for (WordReading &word : reading.words)
            word.text = mend(word.text);
    }
    return reading;
}

void writeMonotonic(LineReading &reading)
{
    reading.text = monotonicText(reading.text);
    for (WordReading &word : reading.words)
        word.text = monotonicText(word.text);
}

bool isPolytonic(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x1f00 && u <= 0x1fff) || u == 0x0300 || u == 0x0313 || u == 0x0314 || u == 0x0342 || u == 0x0345;
}
