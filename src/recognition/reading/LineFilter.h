// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "LineReader.h"

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
