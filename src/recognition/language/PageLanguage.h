// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Scripts.h"

#include <QList>
#include <QStringList>

// The script and language a page is first read in.
struct LanguageChoice {
    const Script *script = nullptr; // none for a page without lines
    QString language;               // one of the script's models
    // The other scripts the samples were read in about as surely, surest
    // first: beyond the first two, only those that read some sample fairly
    // surely. None where the page's script was clear from the first reading.
    QList<const Script *> contenders = {};
    QStringList why = {};
};

// Decides a page's script and language from its widest lines, read with
// `read`: every script's first model reads the widest, those close to the
// best read the next ones, and the script's languages are told apart by the
// words read. A page English reads many words of surely is first read with
// the language its words look like (or the last page's): one that reads
// nearly all of them surely is Latin without the other scripts' models.
// `lines` are the page's line images (see lineImage); `before` is the
// language of the page read before (a model's name, or empty), which a page
// is taken to be in when that language's models read it surely: screenshots
// pasted one after another are mostly of one language.
LanguageChoice choosePageLanguage(const QList<QImage> &lines, const QString &before, const ReadLineFn &read);

// The models a page in `language` is read with when it follows a page in
// the same language, the last being what its lines are read with.
QStringList modelsForPagesIn(const QString &language);
