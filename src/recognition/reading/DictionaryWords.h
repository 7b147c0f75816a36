// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QChar>
#include <QList>
#include <QString>

#include <functional>

// How much of a reading of a script written without spaces (Thai) is words
// of its language. Its model's words are no words of the language, so their
// dictionary flags tell nothing; junk read in its letters off another
// script's ink holds few of its dictionary's words, where text in it is
// mostly made of them.
struct WordCover {
    int letters = 0; // letters and marks of the script
    int inWords = 0; // of them, those the longest cover by known words takes

    // Whether, over at least `lettersToTell` letters, fewer than a third
    // lie in words: text is mostly words, at 48% to 99% on the benchmark's
    // Thai pages, junk at 0% to 24%.
    bool fewWords(int lettersToTell) const { return letters >= lettersToTell && 3 * inWords < letters; }

    WordCover &operator+=(const WordCover &more)
    {
        letters += more.letters;
        inWords += more.inWords;
        return *this;
    }
};

// The letters of `scripts` in `text`, and how many of them the known words
// of at least three letters, side by side within each run of such letters,
// can cover at most. Shorter words are left out: two-letter words are so many
// that junk is mostly made of them too.
WordCover wordCover(const QString &text, const QList<QChar::Script> &scripts,
                    const std::function<bool(const QString &word)> &isWord);
