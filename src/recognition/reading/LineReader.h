// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "DictionaryWords.h"

#include <QList>
#include <QRect>
#include <QStringList>

#include <functional>

class QImage;

// One letter as read, or a few that the reader reads as one (a letter with
// its marks, a ligature).
struct LetterReading {
    QString text;
    float confidence = 0;
    QRect box; // in the pixels of the line image
};

// A word as read. A reading's words come in the order they are drawn, left
// to right.
struct WordReading {
    QString text;
    float confidence = 0;
    QRect box; // in the pixels of the line image
    bool inDictionary = false;
    // Read by a model of a right-to-left script, which gives the word in
    // reading order, else as drawn.
    bool readRightToLeft = false;
    // Where the reader put it in its reading order.
    int readingOrder = 0;
    // No space parts it from the word drawn to its left.
    bool joinsLeft = false;
    // In the reader's order; none where the reader gave no box for one.
    QList<LetterReading> letters = {};
};

struct LineReading {
    int confidence = -1;
    QString model;
    QList<WordReading> words = {}; // in reading order
    // Why this reading is the one kept, and what was read again in it.
    QStringList why = {};
    // The processor time its reading took, where measured.
    double milliseconds = 0;
    // How much of it is words of its model's dictionary, where its script is
    // written without spaces (see Script::unspaced).
    WordCover cover = {};

    // The line's text, made of its words in the order a person would have
    // typed them (see lineText); of words [first, first + count) alone.
    QString text() const { return textOf(0, words.size()); }
    QString textOf(qsizetype first, qsizetype count) const;
};

// The reader sometimes rates a word of its dictionary 0 though it is sure of
// every letter ("Try Again" on a dark banner, while the Cyrillic model reads
// "Тгу Адат" 82 sure): such a word, of a few letters each read this surely,
// is given its least sure letter's confidence, and the line the mean of its
// words'.
void trustSureLetters(LineReading &reading);

// The reader may give a number a box taller than its ink ("27" reaching far
// over and under its digits beside "Jul 2019"), and such a number looks like
// an icon towering over the text. Fits the box of each number of two
// characters or more that is far taller than the rows of ink within its
// columns to them (`line` is black on white, as lineImage cuts it).
void fitNumberBoxesToInk(const QImage &line, QList<WordReading> &words);

// Readers read a middle dot set between words ("Messages · 16") as a hyphen,
// a colon, a plus sign or an asterisk, and the Arabic model beside a number
// of European digits as an Arabic-Indic zero. Gives each such word of
// `words` (left to right) whose ink in `line` (black on white), between the
// words beside it, is one small round dot well above the baseline of the
// text its own character back.
void readMiddleDots(const QImage &line, QList<WordReading> &words);

// Reads a prepared line image (see lineImage) with one model, as a single line
// with the LSTM engine and its dictionary. Confidence is 0..100, or -1 when
// the model cannot be loaded.
LineReading readLine(const QImage &line, const QString &model);

// Reads a line image with a model as readLine does; tests put made-up
// readings in its place.
using ReadLineFn = std::function<LineReading(const QImage &line, const QString &model)>;
