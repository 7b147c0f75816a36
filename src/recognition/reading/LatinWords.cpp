// SPDX-License-Identifier: GPL-3.0-or-later

#include "LatinWords.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

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

// The word's part of the line image in a white frame of half its height, as
// the reader likes a line.
QImage wordImage(const QImage &line, const QRect &box)
{
    const int margin = std::max(4, box.height() / 2);
    const QRect cut = box.intersected(line.rect());
    QImage image(cut.size() + QSize(2 * margin, 2 * margin), QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter(&image).drawImage(QPoint(margin, margin), line, cut);
    return image;
}

// +1 for a word of left-to-right letters or digits, -1 for one with
// right-to-left letters, 0 for punctuation alone.
int direction(const QString &text)
{
    int direction = 0;
    for (const QChar c : text) {
        switch (c.direction()) {
        case QChar::DirR:
        case QChar::DirAL:
            return -1;
        case QChar::DirL:
        case QChar::DirEN:
            direction = 1;
            break;
        default:
            break;
        }
    }
    return direction;
}

// Tesseract gives a right-to-left line's words in reading order, with a run
// of left-to-right words (Latin, numbers) left to right. Once words of such a
// run are read again in the line's script, the order is made anew: words
// from right to left, each run of left-to-right words left to right.
void reorderRightToLeft(QList<WordReading> &words)
{
    int balance = 0;
    for (const WordReading &word : words)
        balance += direction(word.text);
    if (balance >= 0)
        return;
    std::stable_sort(words.begin(), words.end(),
                     [](const WordReading &a, const WordReading &b) { return a.box.right() > b.box.right(); });
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (direction(words[i].text) <= 0)
            continue;
        qsizetype last = i;
        for (qsizetype k = i + 1; k < words.size() && direction(words[k].text) >= 0; ++k) {
            if (direction(words[k].text) > 0)
                last = k;
        }
        std::reverse(words.begin() + i, words.begin() + last + 1);
        i = last;
    }
}

} // namespace

void mendLatinWords(const QImage &line, LineReading &reading, const QString &own)
{
    // A line all in Latin is Latin text, or an icon the reader made letters of.
    if (std::none_of(reading.words.begin(), reading.words.end(),
                     [](const WordReading &word) { return direction(word.text) < 0; }))
        return;
    bool mended = false;
    for (WordReading &word : reading.words) {
        if (!isLatinWord(word.text) || word.box.isEmpty())
            continue;
        const LineReading alone = readLine(wordImage(line, word.box), own);
        const QString text = alone.text.trimmed();
        if (direction(text) >= 0 || hasLatin(text) ||
            (alone.confidence <= word.confidence && alone.confidence < sureWord))
            continue;
        word.text = text;
        word.confidence = float(alone.confidence);
        mended = true;
    }
    if (mended)
        reorderRightToLeft(reading.words);
}
