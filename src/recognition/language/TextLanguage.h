// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

// The models, among `models`, whose language a reading's letter sequences
// resemble most, likeliest first: more than one when they resemble it about
// equally (Spanish and Portuguese), none when the text is too short to tell or
// a model's language has no profile. The English model's reading of French or
// German, accents lost, still tells the language by its words, and so does
// the Hebrew model's reading of Yiddish, without its pointed letters.
QStringList likelyLanguages(const QString &text, const QStringList &models);
