// SPDX-License-Identifier: GPL-3.0-or-later

#include "LatinWords.h"

#include "LatinInk.h"
#include "TextFixes.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The line's own model reads a real Latin word ("Sun", "GIF") as letters of
// its script no surer than this; English reads the script's short words as
// capitals ("ONT" for דאָס) as surely as the line's model reads them right.
constexpr int sureWord = 80;

bool isLatinWord(const QString &text)
{
    bool letters = false;
    for (const QChar c : text) {
        if (c.isLetter() && c.script() != QChar::Script_Latin)
            return false;
        letters = letters || c.isLetter();
    }
    return letters;
}

bool hasLatin(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.script() == QChar::Script_Latin; });
}

// Takes the line read again whole by the model `own` in place of
// `reading`, saying why; the line keeps the model it was read with.
void takeWholeLine(LineReading &reading, LineReading alone, const QString &own)
{
    alone.why = reading.why;
    alone.why.append(QStringLiteral("\"%1\" read again with %2 as \"%3\" (%4 over %5)")
                         .arg(reading.text(), own, alone.text())
                         .arg(alone.confidence)
                         .arg(reading.confidence));
    alone.model = reading.model;
    reading = std::move(alone);
}

int marginOf(const QRect &box)
{
    return std::max(4, box.height() / 2);
}

// The word's part of the line image in a white frame of half its height, as
// the reader likes a line.
QImage wordImage(const QImage &line, const QRect &box)
{
    const int margin = marginOf(box);
    const QRect cut = box.intersected(line.rect());
    QImage image(cut.size() + QSize(2 * margin, 2 * margin), QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter(&image).drawImage(QPoint(margin, margin), line, cut);
    return image;
}

// Marks that text writes beside words: any other beside letters, as a
// bracket within "--τερ]ασε", is one the reader made of a letter.
const QString &plainMarks()
{
    static const QString marks = QStringLiteral(".,:;!?()'\"-\u00b7\u2026");
    return marks;
}

// What a Latin word read by a model of another script may come back as: a
// Latin letter (full-width ones too), a digit, or a mark that text seldom
// writes. Ordinary punctuation and spaces end a run.
bool isTrace(const QString &letter)
{
    return !letter.isEmpty() && std::all_of(letter.begin(), letter.end(), [](QChar c) {
        return c.script() == QChar::Script_Latin || c.isDigit() ||
               !(c.isLetter() || c.isSpace() || c.isMark() || plainMarks().contains(c));
    });
}

// English reads a run it takes for Latin at least this surely.
constexpr int sureLatin = 60;
// A gap between a Latin word's ink and a Hangul syllable this wide, as a
// share of the word's height, is a space: letters set without one stand a
// tenth of the height apart or less.
constexpr double spaceGap = 0.2;

// A run read again in English: its text, and where its ink lies along the
// line.
struct LatinRun {
    QString text;
    int left = 0, right = 0;
};

// The English reading of the letters [first, end) of a word, cut out a little
// wider than the letters' boxes but not into the letters beside them, or no
// text when it is not sure enough or reads Hangul. Runs of digits are read
// again too, however surely: the Korean model reads "LAST" as "1857" as
// surely as a number.
LatinRun latinRun(const QImage &line, const QList<LetterReading> &letters, qsizetype first, qsizetype end,
                  const QRect &word, const ReadLineFn &read)
{
    QRect box;
    for (qsizetype i = first; i < end; ++i)
        box |= letters[i].box;
    const int pad = word.height() / 4;
    box.setLeft(std::max(box.left() - pad, first > 0 ? letters[first - 1].box.right() + 1 : word.left() - pad));
    box.setRight(std::min(box.right() + pad, end < letters.size() ? letters[end].box.left() - 1 : word.right() + pad));
    box.setTop(std::min(box.top(), word.top()));
    box.setBottom(std::max(box.bottom(), word.bottom()));
    box = box.intersected(line.rect());
    if (box.width() < 2)
        return {};
    const LineReading english = read(wordImage(line, box), QStringLiteral("eng"));
    const QString text = english.text();
    if (text.isEmpty() || english.confidence < sureLatin ||
        std::any_of(text.begin(), text.end(), [](QChar c) { return c.script() == QChar::Script_Hangul; }))
        return {};
    QRect ink;
    for (const WordReading &read : english.words)
        ink |= read.box;
    const int shift = box.left() - marginOf(box);
    return {text, ink.left() + shift, ink.right() + shift};
}

// Whether a word holds letters of a right-to-left script.
bool isRightToLeft(const QString &text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.direction() == QChar::DirR || c.direction() == QChar::DirAL; });
}

// The letters of `reading`, read in the word image of `box` cut from `line`
// (see wordImage), where they lie on the line.
QList<LetterReading> lettersOnLine(const LineReading &reading, const QImage &line, const QRect &box)
{
    const int margin = marginOf(box);
    const QPoint origin = box.intersected(line.rect()).topLeft() - QPoint(margin, margin);
    QList<LetterReading> letters;
    for (const WordReading &word : reading.words) {
        for (LetterReading letter : word.letters) {
            letter.box.translate(origin);
            letters.append(letter);
        }
    }
    return letters;
}

// The Greek model reads a word of another script no surer than this, or
// reads it without a small letter of its own.
constexpr float unsureLookalike = 80;
// Polytonic marks and stray brackets within a word tell that the Greek model
// made it of letters it does not know; English then needs to be only this
// sure, else `sureOverLookalike`.
constexpr int sureOverBroken = 70;
constexpr int sureOverLookalike = 85;
// What English must read surer than the Greek model, in points, or how much
// less surely it may read a unit after a number.
constexpr int latinLead = 5;
constexpr int unitSlack = 2;
// The Greek model calls a word of capitals its own at this confidence or
// less however junk it is ("ΤΗΕ" for TRUE at 16).
constexpr float junkCapitals = 50;

// What no Greek word writes: letters with breathings or a circumflex, which
// modern Greek has dropped, a final sigma or a capital within a word
// ("Ιπνοίςε" for Invoice, "ΜαΓΚ" for Mark), a digit beside a letter ("58νθ"
// for Save), or stray marks among letters.
bool looksBroken(const QString &text)
{
    const bool letters = std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isPolytonic(c))
            return true;
        if (letters && !c.isLetterOrNumber() && !c.isMark() && !plainMarks().contains(c))
            return true;
        if (i > 0 && text[i - 1] == QChar(0x03c2) && c.isLetter())
            return true;
        if (i > 0 && c.isUpper() && text[i - 1].isLower())
            return true;
        if (i > 0 && ((c.isDigit() && text[i - 1].isLetter()) || (c.isLetter() && text[i - 1].isDigit())))
            return true;
    }
    return false;
}

// Capital letters, and no small one of the line's script: Latin capitals
// look like Greek and Cyrillic ones.
bool isCapitals(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isUpper(); }) &&
           std::none_of(text.begin(), text.end(),
                        [](QChar c) { return c.isLower() && c.script() != QChar::Script_Latin; });
}

// English reads a line of digits alone at least this surely to replace
// another model's reading of it.
constexpr int sureNumber = 80;

// How many digits a text of no letters holds, or -1 when it has letters.
qsizetype digitsOf(const QString &text)
{
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); }))
        return -1;
    return std::count_if(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

int meanConfidence(const QList<WordReading> &words)
{
    float sum = 0;
    for (const WordReading &word : words)
        sum += word.confidence;
    return words.isEmpty() ? 0 : int(std::lround(sum / float(words.size())));
}

// `box` of word `w` of `words`, grown over the ink beside it that no word
// covers: a model of another script may read a number by its last digit
// alone ("1" for 2021), boxed so. Digits stand closer than a space.
QRect withUnreadInk(const QImage &line, const QList<WordReading> &words, qsizetype w)
{
    constexpr int inkLevel = 128;
    constexpr double space = 0.3;
    const QRect box = words[w].box;
    const int gap = std::max(1, int(space * box.height()));
    const auto inkAt = [&](int x) {
        for (int y = std::max(0, box.top()); y <= std::min(line.height() - 1, box.bottom()); ++y) {
            if (line.constScanLine(y)[x] < inkLevel)
                return true;
        }
        return false;
    };
    const auto reach = [&](int from, int step, int limit) {
        int edge = from;
        for (int x = from + step, blank = 0; x != limit + step && blank <= gap; x += step) {
            blank = inkAt(x) ? 0 : blank + 1;
            edge = blank == 0 ? x : edge;
        }
        return edge;
    };
    int left = 0, right = line.width() - 1;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QRect &other = words[i].box;
        if (i == w || other.isEmpty())
            continue;
        if (other.right() < box.left())
            left = std::max(left, other.right() + 1);
        else if (other.left() > box.right())
            right = std::min(right, other.left() - 1);
        else
            return box; // boxes that overlap leave no ink unread between them
    }
    if (left >= box.left() || right <= box.right())
        return box;
    QRect grown = box;
    grown.setLeft(reach(box.left(), -1, left));
    grown.setRight(reach(box.right(), 1, right));
    return grown;
}

// Reads again with English the words of `reading` that are look-alikes of
// Latin ones (see mendLookalikeWords), or with `unitsAlone` the units after
// numbers alone.
void mendWords(const QImage &line, LineReading &reading, const ReadLineFn &read, bool unitsAlone)
{
    static const QString greekLookalikes = QStringLiteral("ΑΒΕΖΗΙΚΜΝΟΡΤΥΧαικνορτυχ");
    bool mended = false;
    bool afterNumber = false;
    // Numbers read again, whose boxes may hold parts of them the reader
    // boxed apart.
    QList<qsizetype> readAgain;
    const auto readWithin = [&](const QRect &box) {
        return !box.isEmpty() && std::any_of(readAgain.begin(), readAgain.end(), [&](qsizetype r) {
            const QRect &over = reading.words[r].box;
            const int shared = std::min(over.right(), box.right()) - std::max(over.left(), box.left()) + 1;
            return 3 * shared >= 2 * box.width();
        });
    };
    for (WordReading &word : reading.words) {
        const bool number = digitsOf(word.text) > 0;
        if (number && readWithin(word.box))
            continue;
        const bool broken = looksBroken(word.text);
        const bool capitals = isCapitals(word.text);
        // Capitals after a number are a unit ("967 MB", "24 KB"), and Greek
        // look-alikes of Latin letters alone there a month ("3 Νον 2023"),
        // which English reads about as surely as the look-alikes are read.
        const bool lookalikes = std::all_of(word.text.begin(), word.text.end(),
                                            [](QChar c) { return !c.isLetter() || greekLookalikes.contains(c); });
        const bool unit = afterNumber && (capitals || lookalikes) && digitsOf(word.text) < 0;
        afterNumber = number;
        // Its dictionary's words are its own, but for unsure capitals.
        const bool ownWord = word.inDictionary && !broken && !unit && (!capitals || word.confidence > junkCapitals);
        if (word.box.isEmpty() || ownWord ||
            (word.confidence >= unsureLookalike && !capitals && !number && !broken && !unit) || (unitsAlone && !unit))
            continue;
        const QRect box = number ? withUnreadInk(line, reading.words, &word - reading.words.data()) : word.box;
        const LineReading english = read(wordImage(line, box), QStringLiteral("eng"));
        const QString text = english.text();
        const auto letters = std::count_if(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
        // A number English reads with more digits is one the model read in
        // part, however surely.
        const bool moreDigits = number && digitsOf(text) > digitsOf(word.text);
        // A lone capital looks the same in both alphabets. Latin letters
        // stand apart, where a word of a joined script is a piece or two.
        if (text.isEmpty() || letters == 1 || (letters > 0 && !isLatinWord(text)) ||
            english.confidence < (broken ? sureOverBroken : sureOverLookalike) ||
            (english.confidence < word.confidence + (unit     ? -unitSlack
                                                     : number ? 0
                                                              : latinLead) &&
             !moreDigits) ||
            !latinInk(wordImage(line, box), text))
            continue;
        reading.why.append(QStringLiteral("\"%1\" read again with eng as \"%2\" (%3 over %4)")
                               .arg(word.text, text)
                               .arg(english.confidence)
                               .arg(word.confidence));
        word.text = text;
        word.confidence = float(english.confidence);
        word.readRightToLeft = false;
        word.letters = lettersOnLine(english, line, box);
        word.box = box;
        if (number)
            readAgain.append(&word - reading.words.data());
        mended = true;
    }
    // The reader's boxes may overlap: a number read again over a box that
    // holds most of another has read that one too ("1:33 / 47:09" and the
    // "9" boxed over its last digit).
    QList<WordReading> kept;
    for (qsizetype w = 0; w < reading.words.size(); ++w) {
        if (readAgain.contains(w) || digitsOf(reading.words[w].text) <= 0 || !readWithin(reading.words[w].box))
            kept.append(reading.words[w]);
    }
    reading.words = kept;
    // A line of English is as sure as its words now are, not as the Greek
    // model was of its look-alikes.
    if (mended)
        reading.confidence = meanConfidence(reading.words);
}

} // namespace

void mendLatinWords(const QImage &line, LineReading &reading, const QString &own, const ReadLineFn &read)
{
    // A line all in Latin is Latin text, or an icon the reader made letters
    // of; or, where English read it unsurely and its ink stands in pieces as
    // no Latin letters do, a short line of the script that English won whole
    // ("DD" for "כונן D"): the script's model alone reads that much surer.
    if (std::none_of(reading.words.begin(), reading.words.end(),
                     [](const WordReading &word) { return isRightToLeft(word.text); })) {
        const QString latin = reading.text();
        const auto letters = std::count_if(latin.begin(), latin.end(), [](QChar c) { return c.isLetter(); });
        if (letters < 2 || reading.confidence >= sureLatin || latinInk(line, latin))
            return;
        LineReading alone = read(line, own);
        const QString text = alone.text();
        if (!isRightToLeft(text) || alone.confidence < sureLatin || alone.confidence < reading.confidence + latinLead)
            return;
        takeWholeLine(reading, std::move(alone), own);
        return;
    }
    for (WordReading &word : reading.words) {
        if (!isLatinWord(word.text) || word.box.isEmpty())
            continue;
        const LineReading alone = read(wordImage(line, word.box), own);
        const QString text = alone.text();
        if (!isRightToLeft(text) || hasLatin(text) ||
            (alone.confidence <= word.confidence && alone.confidence < sureWord))
            continue;
        reading.why.append(QStringLiteral("\"%1\" read again with %2 as \"%3\" (%4 over %5)")
                               .arg(word.text, own, text)
                               .arg(alone.confidence)
                               .arg(word.confidence));
        word.text = text;
        word.confidence = float(alone.confidence);
        word.readRightToLeft = true;
        word.letters = lettersOnLine(alone, line, word.box);
    }
}

void mendLinesReadAsLatin(const QImage &line, LineReading &reading, const QString &own, const ReadLineFn &read)
{
    const QString latin = reading.text();
    const auto letters = std::count_if(latin.begin(), latin.end(), [](QChar c) { return c.isLetter(); });
    // A reading too unsure to be kept as text is an icon's as likely.
    constexpr int iconLike = 45;
    if (letters < 2 || reading.confidence < iconLike ||
        !std::all_of(reading.words.begin(), reading.words.end(),
                     [](const WordReading &word) {
                         return isLatinWord(word.text) ||
                                std::none_of(word.text.begin(), word.text.end(), [](QChar c) { return c.isLetter(); });
                     }) ||
        latinInk(line, latin))
        return;
    LineReading alone = read(line, own);
    const QString text = alone.text();
    if (hasLatin(text) || std::none_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); }))
        return;
    takeWholeLine(reading, std::move(alone), own);
}

void mendLatinLookalikes(const QImage &line, LineReading &reading, const QString &own, const ReadLineFn &read)
{
    // Latin letters that the Cyrillic ones of small text look like.
    static const QString lookalikes = QStringLiteral("aceopxyknumtrvwbhiABCEHKMNOPTXY");
    constexpr int fewestLetters = 4;
    constexpr float sureOwnWord = 60;
    for (WordReading &word : reading.words) {
        // A file's extension after the word is Latin indeed.
        const qsizetype dot = word.text.indexOf(u'.');
        const qsizetype end = dot < 0 ? word.text.size() : dot;
        const QString stem = word.text.left(end);
        if (stem.size() < fewestLetters || word.box.isEmpty() ||
            !std::all_of(stem.begin(), stem.end(), [](QChar c) { return lookalikes.contains(c); }))
            continue;
        QRect box = word.box;
        if (end < word.text.size()) {
            if (word.letters.size() != word.text.size())
                continue;
            box = {};
            for (qsizetype i = 0; i < end; ++i)
                box |= word.letters[i].box;
            box.setTop(word.box.top());
            box.setBottom(word.box.bottom());
        }
        const LineReading alone = read(wordImage(line, box), own);
        if (alone.words.size() != 1)
            continue;
        const WordReading &ownWord = alone.words.first();
        if (!ownWord.inDictionary || ownWord.confidence < sureOwnWord || ownWord.text.size() != stem.size() ||
            !std::all_of(ownWord.text.begin(), ownWord.text.end(),
                         [](QChar c) { return c.isLetter() && c.script() == QChar::Script_Cyrillic; }))
            continue;
        reading.why.append(QStringLiteral("\"%1\" read again with %2 as \"%3\" (%4)")
                               .arg(stem, own, ownWord.text)
                               .arg(ownWord.confidence));
        word.text = ownWord.text + word.text.mid(end);
        word.letters = lettersOnLine(alone, line, box) + word.letters.mid(end);
    }
}

void mendLatinRuns(const QImage &line, LineReading &reading, const QString &, const ReadLineFn &read)
{
    for (WordReading &word : reading.words) {
        const QList<LetterReading> &letters = word.letters;
        QString spelled;
        for (const LetterReading &letter : letters)
            spelled += letter.text;
        if (spelled != word.text)
            return;
        QString mended;
        for (qsizetype i = 0; i < letters.size();) {
            if (!isTrace(letters[i].text)) {
                mended += letters[i++].text;
                continue;
            }
            qsizetype end = i;
            QString run;
            while (end < letters.size() && isTrace(letters[end].text))
                run += letters[end++].text;
            LatinRun english = latinRun(line, letters, i, end, word.box, read);
            // English reading more than a run of digits held read the
            // syllable beside it too ("302%" for the 30 of "30초").
            const auto isDigit = [](QChar c) { return c.isDigit(); };
            if (std::all_of(run.begin(), run.end(), isDigit) &&
                std::count_if(english.text.begin(), english.text.end(), [](QChar c) { return c.isLetterOrNumber(); }) >
                    run.size())
                english = {};
            if (english.text.isEmpty()) {
                mended += run;
            } else {
                // A space parts the Latin word from the Hangul beside it
                // where the Korean model ran them together.
                const int space = int(spaceGap * word.box.height());
                if (i > 0 && english.left - letters[i - 1].box.right() > space)
                    mended += u' ';
                mended += english.text;
                if (end < letters.size() && letters[end].box.left() - english.right > space)
                    mended += u' ';
                reading.why.append(QStringLiteral("\"%1\" read again with eng as \"%2\"").arg(run, english.text));
            }
            i = end;
        }
        word.text = mended;
    }
}

void mendLookalikeWords(const QImage &line, LineReading &reading, const QString &, const ReadLineFn &read)
{
    mendWords(line, reading, read, false);
}

void mendUnits(const QImage &line, LineReading &reading, const QString &, const ReadLineFn &read)
{
    mendWords(line, reading, read, true);
}

void mendNumberLine(const QImage &line, LineReading &reading, const QString &, const ReadLineFn &read)
{
    const qsizetype own = digitsOf(reading.text());
    if (own <= 0)
        return;
    LineReading english = read(line, QStringLiteral("eng"));
    if (english.confidence >= sureNumber && digitsOf(english.text()) >= own) {
        english.why = reading.why;
        english.why.append(QStringLiteral("digits alone read again with eng as \"%1\" (%2 over %3)")
                               .arg(english.text())
                               .arg(english.confidence)
                               .arg(reading.confidence));
        reading = std::move(english);
    }
}

void mendLatinSuffixes(const QImage &line, LineReading &reading, const QString &, const ReadLineFn &read)
{
    constexpr int sureSuffix = 75;
    constexpr qsizetype longestSuffix = 6;
    bool mended = false;
    const auto isLatinOrDigit = [](QChar c) {
        return c.isDigit() || (c.isLetter() && c.script() == QChar::Script_Latin);
    };
    QList<WordReading> words;
    for (qsizetype w = 0; w < reading.words.size(); ++w) {
        const WordReading &word = reading.words[w];
        const QList<LetterReading> &letters = word.letters;
        // The reader gives a right-to-left word's letters in reading order,
        // a left-to-right one's as drawn.
        qsizetype dot = -1;
        for (qsizetype i = letters.size() - 2; i > 0 && dot < 0; --i) {
            const QString &before = letters[i - 1].text;
            const bool own =
                word.readRightToLeft ? isRightToLeft(before) : std::any_of(before.begin(), before.end(), [](QChar c) {
                    return c.isDigit() || (c.isLetter() && c.script() != QChar::Script_Latin);
                });
            if (letters[i].text == u"." && own)
                dot = i;
        }
        QString spelled, after;
        for (qsizetype i = 0; i < letters.size(); ++i)
            (i <= dot ? spelled : after) += letters[i].text;
        // A left-to-right model of a script with Latin often reads the
        // extension right; it is read again only when it did not.
        const bool misread = word.readRightToLeft ||
                             (spelled + after == word.text && !std::all_of(after.begin(), after.end(), isLatinOrDigit));
        if (dot < 0 || letters.size() - dot - 1 > longestSuffix || !misread) {
            words.append(word);
            continue;
        }
        QRect box;
        for (qsizetype i = dot + 1; i < letters.size(); ++i)
            box |= letters[i].box;
        box.setTop(word.box.top());
        box.setBottom(word.box.bottom());
        // The reader may part the extension at a mark it made of a letter
        // ("бюджет.х!" "5х"): what follows as close as letters is of it.
        qsizetype joined = w + 1;
        for (qsizetype length = letters.size() - dot - 1; !word.readRightToLeft && joined < reading.words.size();
             ++joined) {
            const WordReading &next = reading.words[joined];
            length += next.text.size();
            if (next.readRightToLeft || length > longestSuffix || next.box.left() - box.right() > word.box.height() / 4)
                break;
            box |= next.box;
        }
        const LineReading english = read(wordImage(line, box), QStringLiteral("eng"));
        const QString suffix = english.text();
        // An extension has a letter: "κ.4" is an icon's junk.
        if (english.confidence < sureSuffix || suffix.contains(u' ') ||
            !std::all_of(suffix.begin(), suffix.end(), isLatinOrDigit) ||
            std::none_of(suffix.begin(), suffix.end(), [](QChar c) { return c.isLetter(); })) {
            words.append(word);
            continue;
        }
        reading.why.append(QStringLiteral("\"%1\" read again with eng as \"%2\" after \"%3\" (%4)")
                               .arg(word.text, suffix, spelled)
                               .arg(english.confidence));
        const QList<LetterReading> latinLetters = lettersOnLine(english, line, box);
        // The word is as sure as its letters now are.
        float own = 0;
        for (qsizetype i = 0; i <= dot; ++i)
            own += letters[i].confidence;
        mended = true;
        if (!word.readRightToLeft) {
            WordReading whole = word;
            whole.text = spelled + suffix;
            whole.confidence = (own + float(english.confidence * suffix.size())) / float(dot + 1 + suffix.size());
            whole.box |= box;
            whole.letters = letters.mid(0, dot + 1) + latinLetters;
            words.append(whole);
            w = joined - 1;
            continue;
        }
        WordReading latin{suffix, float(english.confidence), box, false, false, word.readingOrder, false, latinLetters};
        WordReading rest = word;
        rest.text = spelled;
        rest.confidence = own / float(dot + 1);
        rest.letters = letters.mid(0, dot + 1);
        rest.box = QRect(QPoint(box.right() + 1, word.box.top()), word.box.bottomRight());
        rest.joinsLeft = true;
        words.append(latin);
        words.append(rest);
    }
    reading.words = words;
    if (mended)
        reading.confidence = meanConfidence(reading.words);
}
