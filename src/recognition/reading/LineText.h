// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "LineReader.h"

#include <QString>

// The recogniser's text of a line as delivered: without the direction marks
// (U+200E, U+200F) that Tesseract wraps right-to-left words in, trimmed.
QString cleanLineText(const QString &text);

// Whether `c` is a letter of a script whose letters are each about as wide as
// tall, and often a word alone: Han, kana, Hangul.
bool isSquareLetter(QChar c);

// The text of a line read as `words`, in the order a person would have
// typed it. The reader gives a word of right-to-left letters in reading
// order, but Latin letters, digits and marks beside it as they are drawn:
// laid out right to left, "C++" shows as "++C", "3×5" as "5×3" and "(B4)"
// with its brackets turned, and the reader may put a Latin word at the
// wrong end of the line. Laying out what is drawn the same way again undoes
// that, with the words' places on the line and their letters' places within
// words. `rightToLeft`: whether a line with right-to-left letters is laid
// out right to left (a line of a Hebrew or Arabic page), unless it has but
// one; elsewhere it is only when those letters are most of the line.
QString lineText(const QList<WordReading> &words, bool rightToLeft);
