// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "TextItem.h"

#include <QImage>

#include <functional>

using RecognitionCompletion = std::function<void(TextItems)>;

// Finds the lines of text in `image` in the background. `completion` is always
// called later on the main thread, never before this function returns, with
// the lines in reading order, or an empty list when nothing was found or
// anything failed.
void recognizeText(const QImage &image, RecognitionCompletion completion);

// Loads the recogniser's language data in the background, so that the first
// picture is read as fast as later ones. Returns at once.
void warmUpRecognizer();
