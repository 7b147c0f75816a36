// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Phrases.h"
#include "ShortPhrases.h"

#include <QLocale>
#include <QSize>

class Sheet;

// What the pages of one language group write: the interface's texts and the
// content's (on mixed pages the interface is English around content in
// another script).
struct PageText {
    QString group;
    const Phrases &ui;
    const Phrases &content;
    const ShortPhrases &uiShort;
    const ShortPhrases &contentShort;
    QLocale locale; // the interface's, for dates
};

// A context menu over a dimmed window, with icons, shortcuts, check marks,
// submenu arrows, separators and a disabled item.
void contextMenuPage(Sheet &s, const PageText &t, int variant);
// A settings list of rows with icons, second lines, toggles and values.
void settingsPage(Sheet &s, const PageText &t, int variant);

// A photograph with a large headline and a smaller line.
void posterPage(Sheet &s, const PageText &t, int variant);
// A frame of a video with the player's controls and one or two subtitles.
void videoPage(Sheet &s, const PageText &t, int variant);
// A lock screen: a large thin clock, the date and a notification.
void lockScreenPage(Sheet &s, const PageText &t, int variant);

// Crops of two or three lines: a notification, a small dialog, an error
// banner.
void toastPage(Sheet &s, const PageText &t, int variant);
void dialogPage(Sheet &s, const PageText &t, int variant);
void bannerPage(Sheet &s, const PageText &t, int variant);

// An English file manager's list of names in the content's script (or in
// several scripts for the group "mixed-scripts").
void fileListPage(Sheet &s, const PageText &t, int variant);

// One kind of page as the corpus draws it.
struct PageKind {
    QString kind;   // "menu", "photo", "few" or "files"
    QString layout; // in the file name
    QSize points;   // the picture's size in points; empty for a whole 1920 x 1080 screen
    void (*draw)(Sheet &, const PageText &, int);
};
