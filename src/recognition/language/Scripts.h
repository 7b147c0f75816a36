// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "LineImage.h"
#include "LineReader.h"

#include <QList>
#include <QStringList>

// A mend of what one language's model reads, applied to each word's text.
using TextFix = QString (*)(QString);

// What a script's line is read again for after its own model's reading, with
// `read`; `language` is the model the line was read with. Each records in
// the reading's `why` what it changed.
using SecondReading = void (*)(const QImage &line, LineReading &reading, const QString &language,
                               const ReadLineFn &read);

// One language's model of a script.
struct Language {
    QString model; // Tesseract's language data: "heb"
    // Letters that only this language writes among its script's (Ukrainian
    // і ї є ґ, Yiddish װ ײ and pointed letters, French é è ç, ...), or none
    // for a script's first model and for Chinese.
    QString ownLetters = {};
    // The libexttextcat profile of the language's letter sequences, where
    // there is one.
    const char *profile = nullptr;
    TextFix fix = nullptr;
};

// A writing system and everything reading it needs: its models, how its
// lines are read, what its models' readings are mended with.
struct Script {
    QString name;
    // The first reads every language of the script well enough to tell the
    // script from others (Japanese reads Chinese characters as well as kana);
    // the rest read their own language's letters and words better.
    QList<Language> languages;
    // The scripts of Unicode its letters are of.
    QList<QChar::Script> letters;
    // Lines of this script often carry Latin words ("967 MB", "HOME=/") that its
    // models would read as look-alike letters, so they are read with English too.
    bool withLatin = false;
    // What a model of this script must lead the others by, in points of mean
    // confidence per sample line, to be taken for the page's script: the Thai
    // model reads most other scripts as Thai letters with fair confidence.
    int lead = 0;
    // How many of the first models read the sample lines when the script is
    // chosen, the others only when the first reads letters of the script; the
    // script scores as the surest of them. The Japanese model reads
    // traditional Chinese letters too unsurely to tell a page of them from
    // the junk that other scripts' models read.
    int probes = 1;
    // Read in this order after the line's own model, when that read it.
    QList<SecondReading> secondReadings = {};
    // Applied to the reading's text and words once the second readings are
    // done: what the model misreads tells them where to look.
    TextFix finalFix = nullptr;
    // Written right to left: a line with letters of it is laid out so.
    bool rightToLeft = false;
    // Its letters that its models read Latin letters as.
    QString latinLookalikes = {};
    // English reads its words as Latin letters fairly surely, and as words
    // no dictionary holds ("IpAavdia" for Ιρλανδία).
    bool readAsLatin = false;
    // The script whose letters look like its own: each's model reads the
    // other's words as its own look-alike letters fairly surely, so the
    // other's model reads a page's unsure lines too.
    QString alike = {};
    // Its letters are joined within words: a word is one piece of ink.
    bool joined = false;
    // Marks that nearly every line of it carries (Thai's vowels over and
    // under its letters, its tone marks): a page's lines read as its letters
    // without any are other letters read as its own.
    QString usualMarks = {};
    // Written without spaces between words: its models' words are runs of
    // letters, no words of the language, and how much of a reading is words
    // is measured against the model's dictionary (see wordCover).
    bool unspaced = false;
    // What its small lines are enlarged to before they are read (see
    // lineImage).
    int lineHeight = readingHeight;

    QStringList models() const;
    // The share of the letters of `text` that are its own, or with
    // `latinToo` its own or Latin. With `extensionsToo`, a file's extension
    // after a name (".pdf", ".mp4"), Latin in every script, counts as its own.
    double share(const QString &text, bool latinToo, bool extensionsToo = true) const;
    // Whether `text`, read as this script, carries its usual marks, where it
    // has any and the text letters enough of it to tell.
    bool carriesUsualMarks(const QString &text) const;
    // The model a line of this script in `language` (one of its models) is
    // read with.
    QString readingModel(const QString &language) const;
};

const QList<Script> &scripts();

// The script whose model `model` is, or the first of several joined by "+";
// null for a name that is no model's.
const Script *scriptOf(const QString &model);
const Language *languageOf(const QString &model);

bool isLatinModel(const QString &model);

// The share of a reading's letters outside the Latin alphabet. East Asian
// models also know Latin letters and read Latin text about as surely as the
// English model; that they read it as Latin is what tells.
double nonLatinShare(const QString &text);

// The models a page's script is decided with first: the first of every
// script.
QStringList scriptProbes();
