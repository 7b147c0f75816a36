// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "LineReader.h"

// What of a reading is text. Widgets and icons beside a line read as stray
// symbols or single letters at its ends ("Save changes |", a check box read
// as "ה"), and on their own as short lines, often in another script at low
// confidence (a slider read as Arabic). Words [first, first + count) are
// kept; an empty text means the whole line is junk. Words [inkFirst,
// inkFirst + inkCount) hold the line's ink: the kept words and the stops,
// ellipses and question marks beside them, which are no text to translate but
// are drawn over all the same.
struct KeptLine {
    QString text;
    qsizetype first = 0, count = 0;
    qsizetype inkFirst = 0, inkCount = 0;
};

// `inPageScript`: whether the reading's model is the one the page's main
// lines are read with.
KeptLine keptLine(const LineReading &reading, bool inPageScript);
