// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QStringList>

// A writing system and the language-data models that read it. The first model
// reads every language of the script well enough to tell the script from
// others (Japanese reads Chinese characters as well as kana); the rest read
// their own language's letters and words better.
struct Script {
    QString name;
    QStringList models;
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
};

const QList<Script> &scripts();

// Letters that only the named model's language of its script writes
// (Ukrainian і ї є ґ, Yiddish װ ײ and pointed letters, French é è ç, ...), or
// nothing for a script's first model and for Chinese.
QString ownLetters(const QString &model);

// The models a page's script is decided with first: the first of every
// script.
QStringList scriptProbes();
