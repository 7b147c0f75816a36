// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "PageLanguage.h"

#include <mutex>

// The scripts a page's lines may be in besides the page's own. Likely are
// English, the scripts the page's samples read about as well as its own,
// and those that lines of the page turned out to be in: a mixed page meets
// its second script again and again, so a script met moves to the front for
// the lines after. Shared by the lines of a page read at once.
class OtherScripts {
public:
    explicit OtherScripts(const LanguageChoice &page);

    QList<const Script *> likely() const;
    // Every other script, the likely ones first.
    QList<const Script *> all() const;
    void met(const Script *script);
    bool wasMet(const Script *script) const;

private:
    // A model that reads other scripts as its own fairly surely (Thai) is
    // read after the others, until the page's lines met its script: where
    // another reads a line surely it need not be read, and it must lead the
    // others anyway.
    QList<const Script *> leadersLast(QList<const Script *> scripts) const;

    mutable std::mutex mutex;
    QList<const Script *> likelyOnes, rest, metOnes;
};

// Reads a line image in the page's script and language, with that script's
// second readings. A line its model reads unsurely, or not in its script, is
// read by the other scripts' first models too, until one reads it surely,
// and the surest reading in its own script is kept: the page's script is
// where to start, not a verdict. A reading in Latin letters is only taken
// where the ink stands in pieces as Latin letters do. The reading says which
// model read it and why.
LineReading readLineInScript(const QImage &line, const LanguageChoice &page, OtherScripts &others,
                             const ReadLineFn &read);
