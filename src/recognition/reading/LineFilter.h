// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "LineReader.h"
#include "TextItem.h"

// What of a reading is text. Icons, check boxes and avatars beside a line
// are cut off by their shape before it is read, so what is read is text: a
// short word, a lone letter, a number and a closing mark at a line's end are
// its own ("לא ניתן לשמור", "C compiler", "Time left:"). What is left of
// widgets reads as stray symbols ("Save changes |") or, rarely, as an unsure
// letter standing apart from the text or taller than it; on their own such
// readings are short lines, often in another script at low confidence (a
// slider read as Arabic). Words [first, first + count) are kept; an empty
// text means the whole line is junk.
struct KeptLine {
    QString text;
    qsizetype first = 0, count = 0;
};

// `inPageScript`: whether the reading's model is the one the page's main
// lines are read with.
KeptLine keptLine(const LineReading &reading, bool inPageScript);

// Empties the items of lines far smaller or far larger than the page's text
// that read as a few letters: a row of dots (a "more" button's), a window's
// round buttons or a slider's knobs, which the ink mask breaks into arcs,
// read as a few letters ("Bed", "eee") in a line far lower than the text,
// where words as small are rare, and have more letters or are numbers (a
// clock); the large icons of a grid (a folder's, a file's) read as a letter
// or two of a joined script ("لا"), whose words the pieces test cannot tell
// from a pictogram, in a line far taller than the text, where a short word
// as large is a button's or a title's, read surely in the page's script.
// `readings` are the items' lines' readings, `lead` the page's model.
void dropOddSizedLines(QList<TextItem> &items, const QList<LineReading> &readings, const QString &lead);

// Empties the less sure of two items on one row whose boxes share at least
// half of the smaller one: the same ink read twice, as a line found whole and
// again in part ("Renombr:" in "Renombrar..."), or a line and the junk of an
// icon beside it that took some of its letters ("27]" over a chat's "11:27").
// Two readings of one ink are not both right. `readings` are the items'
// lines' readings.
void dropLinesReadTwice(QList<TextItem> &items, const QList<LineReading> &readings);

// Whether `box` of the grey page sits on a small tile of one tone, about
// square and not much larger than it, that stands out from what lies around
// it: the coloured rounded square of a settings list's icon, whose symbol
// reads as a letter or two ("aa" for a heart), or an avatar's initials.
bool onSmallTile(const QImage &gray, const QRect &box);

// A pictogram (a music note, a bell) alone reads as a letter or two: "Jd".
// Letters of scripts written apart stand in pieces of ink of their own, and
// a pictogram is one or two. Bold Han letters at 1x touch one another, but
// each is about as wide as tall, a pictogram is one such square, and what
// else reads as Han letters (a filled bar) reads unsurely.
// `text` is what is kept of the reading, `box` its part of `line` (in pixels
// of the page), `mask` the page's ink.
bool isPictogram(const LineReading &reading, const QString &text, const QImage &gray, const QImage &mask,
                 const QRect &line, const QRect &box);
