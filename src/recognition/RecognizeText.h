// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "RecognitionMemory.h"
#include "TextItem.h"

#include <QImage>
#include <QString>

#include <functional>
#include <memory>

using RecognitionCompletion = std::function<void(TextItems)>;

// Finds the lines of text in `image` in the background. `completion` is always
// called later on the main thread, never before this function returns, with
// the lines in reading order, or an empty list when nothing was found or
// anything failed. `memory`, when given, holds what the pages read before
// left (their language), and is left what this one leaves.
void recognizeText(const QImage &image, RecognitionCompletion completion,
                   std::shared_ptr<RecognitionMemory> memory = nullptr);

// Loads the recogniser's language data in the background, so that the first
// picture is read as fast as later ones: every script's first model, and the
// models of a page in `likeliest` (a model's name, as RecognitionMemory keeps
// it; a name that is no model's is ignored). Returns at once.
void warmUpRecognizer(const QString &likeliest = {});
