// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

// Interface strings of one language: titles for headers and buttons, short
// names for list rows, longer sentences for messages and articles.
struct Phrases {
    QString language;
    bool rightToLeft = false;
    QStringList titles;
    QStringList names;
    QStringList sentences;
};

const QList<Phrases> &allPhrases();
