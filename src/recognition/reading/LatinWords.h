// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "LineReader.h"

// Lines of Hebrew script are read with English too, for the Latin words they
// carry ("Ada", "GIF"). Tesseract tries English on a word its first model is
// unsure of, and once English wins a word it tries English first on the next,
// so short words of the line's own script come back as Latin capitals ("ONT"
// for דאָס, "IY" for צו). Each Latin word is read again on its own with the
// script's model `own`, and that reading is taken when it is surer and all in
// the line's script. A line without a word of the line's script is left
// alone, unless its ink is not Latin: then English won it whole, and the
// script's model alone reads it again.
void mendLatinWords(const QImage &line, LineReading &reading, const QString &own, const ReadLineFn &read);

// Lines of Thai are read with English too, for the Latin words they carry
// ("URL"). A short line may come back all Latin, surely ("auu" for ดัชนี):
// English won every word. Where its ink carries the marks over and under
// letters that Latin letters lack, the script's model `own` alone reads the
// line again, and that reading is taken when it holds no Latin letter.
void mendLinesReadAsLatin(const QImage &line, LineReading &reading, const QString &own, const ReadLineFn &read);

// Lines of Hangul are read with the Korean model alone: English beside it
// reads most lines a second time. The Korean model reads a Latin word as
// junk of the few Latin letters it knows, digits and marks ("55Ｌ" for "SSL",
// "\4&Ｌ" for "WAL", "1857" for "LAST"), and a time's colon as a 1 ("17157").
// Each such run of letters within a word, on lines of Hangul and lines
// without it alike, is read again on its own with English, and that reading
// is taken when it is sure and holds no Hangul.
void mendLatinRuns(const QImage &line, LineReading &reading, const QString &own, const ReadLineFn &read);

// Lines of Greek are read with the Greek model alone: English beside it reads
// nearly every line a second time. The Greek model reads a Latin word as Greek
// look-alikes, surely when they are capitals ("ΤΟΑΣΤ" for TOAST) and unsurely
// otherwise ("--γερίαςε" for --replace), and numbers less well than English
// ("1044" for 10:44). Each number, each word it reads without a small letter
// of its script, and each word it is unsure of and its dictionary lacks is
// read again on its own with English; that reading is taken when it is sure,
// surer, and all Latin, or for a unit after a number ("967 ΜΒ"), about as
// sure. The line's confidence is then its words'.
void mendLookalikeWords(const QImage &line, LineReading &reading, const QString &own, const ReadLineFn &read);

// The Cyrillic models, read with English, still read a unit after a number as
// look-alike capitals ("967 МВ"), as surely as English reads it. Such units
// alone are read again as mendLookalikeWords reads words.
void mendUnits(const QImage &line, LineReading &reading, const QString &own, const ReadLineFn &read);

// The Hebrew and Yiddish models read a number standing alone as surely as
// they read words, and often wrong ("9" for 15:19, "126" for 10:26). A line
// of digits and marks alone is read again with English, whose reading is
// taken when it is sure and has as many digits or more.
void mendNumberLine(const QImage &line, LineReading &reading, const QString &own, const ReadLineFn &read);

// The Cyrillic models read with English read a word of Cyrillic letters that
// look Latin ("проекта", "оплате") as Latin junk ("npoekta", "onnate"). A
// word all of such letters is read again with the script's model alone, and
// that reading is taken when it is a word of its dictionary, as long.
void mendLatinLookalikes(const QImage &line, LineReading &reading, const QString &own, const ReadLineFn &read);

// A model of another script reads a Latin word glued to one of its script by
// a dot (a file's extension, "קורות חיים.pdf", "Анкета.pdf") as letters of its
// script ("חיים.אזקק", "Анкета.раї"). The letters after such a dot, when few,
// are read again with English; after a right-to-left word they become a
// Latin word of their own, drawn beside it without a space.
void mendLatinSuffixes(const QImage &line, LineReading &reading, const QString &own, const ReadLineFn &read);
