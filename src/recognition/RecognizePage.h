// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "PageProfile.h"
#include "RecognitionMemory.h"
#include "TextItem.h"

#include <QStringList>

#include <memory>

class QImage;

// One line of a page as delivered, with the model that read its text and
// why: which script and language it was read in, and what was read again.
struct RecognizedLine {
    TextItem item;
    QString model;
    QStringList why;
    // The processor time its reading with that model took alone.
    double readingMilliseconds = 0;
};

struct RecognizedPage {
    QList<RecognizedLine> lines;
    // The page's language (a model's name), for the next page to be first
    // taken to be in; empty for a page without lines.
    QString language;
    QStringList why;
    // How many lines were read, and where the time went.
    int linesRead = 0;
    int readingsRemembered = 0;
    int modelsLoaded = 0;
    std::shared_ptr<const PageProfile> profile;
};

class ReadingCache;

// Finds and reads every line of `image` on the calling thread, using idle
// recognition threads for a share of the lines. `languageBefore` is the
// language of the page read before, or empty; `readings`, if any, holds the
// readings of lines read before and is left this page's.
RecognizedPage recognizePage(const QImage &image, const QString &languageBefore, ReadingCache *readings = nullptr);

// recognizePage as recognizeText runs it, on a recognition thread: in the
// language `memory` holds, if any, leaving it this page's; nothing when
// reading fails.
RecognizedPage recognizeRemembering(const QImage &image, RecognitionMemory *memory);
