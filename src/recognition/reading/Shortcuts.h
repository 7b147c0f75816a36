// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "LineReader.h"

// A menu's keyboard shortcuts ("Ctrl+Shift+N", "Strg+C") are no words of any
// dictionary, and readers read them unsurely (about 40, where junk reads as
// surely) and often a little wrong: "Ctri+C", "CtrI+H", the plus as an "H"
// ("CtrlHX") or not at all ("CtrlX"). A word that reads as modifier names
// joined to a key is such a shortcut: its names are spelled right, and it is
// as sure as a word of the dictionary read well. Its key is left as read, but
// for a small letter: keys are written as capitals. Returns the shortcut, or
// an empty string when `word` is none.
QString shortcutOf(const QString &word);

// Gives each word of `reading` that is a shortcut its spelling and
// confidence, and the line the mean of its words' where that is surer.
void readShortcuts(LineReading &reading);
