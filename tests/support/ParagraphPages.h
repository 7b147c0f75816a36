// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QStringList>

// Pages of interface text drawn with known paragraphs, for the tests and the
// benchmark of paragraph grouping.

struct DrawnLine {
    QString text;
    // Pixels from the top-left: the line's ink across, and its font's height
    // from above capitals and accents to below descenders, as recognition
    // gives it.
    QRectF box;
    // Lines with one number continue one run of sentences: a paragraph, a
    // message, a list item, up to a line that ends a sentence.
    int passage = 0;
};

struct DrawnPage {
    QString layout;
    QImage image;
    QList<DrawnLine> lines;
};

// The words a page is written in.
struct PageText {
    QString language;
    bool rightToLeft = false;
    QStringList sentences; // for paragraphs and messages
    QStringList items;     // for menus, lists, table cells and buttons
    QStringList headings;
};

const QList<PageText> &pageTexts();

// "paragraphs", "heading", "chat", "list", "menu", "columns", "table", "dialog".
QStringList pageLayouts();

// A page of `layout` in `text`, its body text `pixelSize` high; `variant` picks
// the sentences, widths and spacing.
DrawnPage drawPage(const QString &layout, const PageText &text, int pixelSize, quint32 variant);
