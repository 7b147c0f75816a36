// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "TextItem.h"

#include <QImage>
#include <QString>

#include <functional>

using RecognitionCompletion = std::function<void(TextItems)>;

// Finds the lines of text in `image` in the background. `completion` is always
// called later on the main thread, never before this function returns, with
// the lines in reading order, or an empty list when nothing was found or
// anything failed.
void recognizeText(const QImage &image, RecognitionCompletion completion);

// Loads the recogniser's language data in the background, so that the first
// picture is read as fast as later ones. `languageBefore`, the language of the
// page read last in an earlier run (see lastPageLanguage), makes the first
// picture be taken for one in that language, as a later one is taken for one
// in the language of the page before it. Returns at once.
void warmUpRecognizer(const QString &languageBefore = {});

// The language of the page read last (a model's name, "jpn", "heb"), which
// the next page is first taken to be in, and a name for warmUpRecognizer to
// take in a later run; empty before the first page.
QString lastPageLanguage();
