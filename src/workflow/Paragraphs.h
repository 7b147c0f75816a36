// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "TextItem.h"

#include <QSizeF>

// The lines of one paragraph, as indices into the recognised lines, top to
// bottom.
using Paragraph = QList<qsizetype>;

// The paragraphs that the lines of a picture of `picture` pixels continue,
// for translating whole sentences. A line joins the one above it when it
// stands in the same column, with the same alignment and text size, less than
// about a line's height below; and the line above holds a few words, runs on
// to where the next word would not have fitted, and does not end a sentence.
// A line that starts with a list marker never joins the one above. Every line
// is in exactly one paragraph; paragraphs come in the order of their first
// lines in `lines`.
QList<Paragraph> paragraphsOf(const TextItems &lines, QSizeF picture);

// A paragraph's text: its lines joined by a space, or by nothing between
// letters of scripts written without spaces.
QString paragraphText(const TextItems &lines, const Paragraph &paragraph);

// Whether a text is written without spaces between its words (Chinese,
// Japanese, Thai).
bool isWrittenWithoutSpaces(const QString &text);
