// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

// Hand-written short interface texts of one language, for the pages with few
// lines and the menus: where a word lost at a line's end changes the meaning.
struct ShortPhrases {
    QString language;
    // Messages that start with a word meaning "no", "not" or "cannot" (or
    // carry it where the language puts it).
    QStringList negations;
    // Lines ending in a short word or a closing mark, with a one-letter word,
    // or with a number at an end.
    QStringList edges;
    // Right-to-left lines with Latin runs, digits, brackets and operators, in
    // the order they are typed.
    QStringList mixed;
    // OK, Cancel, Try again, Close.
    QStringList buttons;
    // A file manager's context menu: Open, Open With, Cut, Copy, Paste,
    // Rename, Move to Trash, Compress, New Folder, Show Hidden Files, Sort By,
    // Select All, Properties.
    QStringList menu;
    // The names of the Ctrl and Shift keys in shortcuts.
    QString ctrl = "Ctrl", shift = "Shift";
};

// The phrases of `language`, or English's when it has none.
const ShortPhrases &shortPhrases(const QString &language);

// The short message `i` of `p`: its negations, lines with short or marked
// ends and, in right-to-left languages, mixed-direction lines in turn.
QString shortMessage(const ShortPhrases &p, int i);

// The menu entries of ShortPhrases::menu.
enum MenuEntry {
    Open,
    OpenWith,
    Cut,
    Copy,
    Paste,
    Rename,
    Trash,
    Compress,
    NewFolder,
    Hidden,
    SortBy,
    SelectAll,
    Info
};
