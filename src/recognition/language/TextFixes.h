// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Mends of what one language's model always reads the same wrong way,
// applied to each word as it is read.

// The Yiddish model reads the maqaf that joins the parts of a compound
// ("בילד־פֿאָרעם") as a hyphen, which Yiddish spelling writes as a maqaf.
QString yiddishMaqafs(QString text);

// The Thai model reads SARA AM (ำ) as the NIKHAHIT and SARA AA it is drawn
// with, which no Thai text writes, a tone mark sometimes between them.
QString thaiSaraAm(QString text);

// The Greek model reads mu as often as not as the micro sign, which looks
// the same; next to a Greek letter it is mu.
QString greekMu(QString text);

// The Chinese models lack the full-width comma and marks of Chinese text and
// read them as ASCII ones: after a Han letter they are full-width.
QString fullWidthMarks(QString text);

// Greek letters with breathings, circumflexes, graves or an iota below, and
// those marks: polytonic Greek, which modern Greek does not write.
bool isPolytonic(QChar c);

// Modern Greek writes one accent, the tonos, and no breathings. The Greek
// model now and then reads a tonos as a breathing or a circumflex ("εἶναι",
// "Ἐχει") and gives the article Η a breathing ("Ἡ"): a circumflex or grave
// becomes a tonos, and so does a breathing in a word of several letters that
// has no other accent.
QString monotonicGreek(QString text);
