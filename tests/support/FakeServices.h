// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "RecognizeText.h"
#include "RenderOverlay.h"
#include "TranslateText.h"

#include <QList>

// Stand-ins for the three services, linked in their place. They hold every
// call so a test decides when, in what order and on which thread each one
// answers.
namespace fakes {

struct Recognition {
    QImage image;
    RecognitionCompletion completion;
};

struct Translation {
    QString text;
    QString to;
    TranslationCompletion completion;
};

struct Render {
    QImage source;
    TextItems items;
    QStringList translated;
    QImage result;
};

struct Calls {
    QList<Recognition> recognitions;
    QList<Translation> translations;
    QList<Render> renders;
    int connectionsOpened = 0;
    // When set, translateText answers with it before returning, as the real
    // client does when it cannot even form a request.
    std::function<std::optional<QString>(const QString &)> answerAtOnce;
};

Calls &calls();
void reset();

// A picture of one colour, for the fakes to be handed.
QImage picture(QColor colour, QSize size = {64, 48});

// Answers every pending translation, in call order, with `answer(text)`.
void answerTranslations(const std::function<std::optional<QString>(const QString &)> &answer);

} // namespace fakes
