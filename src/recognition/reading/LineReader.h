// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QRect>
#include <QString>

class QImage;

struct WordReading {
    QString text;
    float confidence = 0;
    QRect box; // in the pixels of the line image
    bool inDictionary = false;
};

struct LineReading {
    QString text;
    int confidence = -1;
    QString model;
    QList<WordReading> words;   // in reading order
    // Each letter, in reading order, of a line of Hangul, one read by the
    // Korean model, or one read with letters asked for.
    QList<WordReading> letters;
};

// Reads a prepared line image (see lineImage) with one model, as a single line
// with the LSTM engine and its dictionary. Confidence is 0..100, or -1 when
// the model cannot be loaded.
LineReading readLine(const QImage &line, const QString &model, bool withLetters = false);

// Greek letters with breathings, circumflexes, graves or an iota below, and
// those marks: polytonic Greek, which modern Greek does not write.
bool isPolytonic(QChar c);

// Modern Greek writes one accent, the tonos, and no breathings. The Greek
// model now and then reads a tonos as a breathing or a circumflex ("εἶναι",
// "Ἐχει") and gives the article Η a breathing ("Ἡ"); such marks are written
// as modern Greek writes them. The marks tell too where the model met letters
// it does not know, so this comes after Latin words are read again.
void writeMonotonic(LineReading &reading);
