// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "TransferLimits.h"
#include "TranslateText.h"

#include <QByteArray>

// Where translateText sends its requests and how long it waits. The app always
// uses compiledRoute(); tests and benchmarks point a route at a local service.
struct TranslationRoute {
    QByteArray endpoint;
    TransferLimits limits;
};

// The endpoint fixed at build time (QUILLMERE_TRANSLATE_ENDPOINT) with the
// default limits.
TranslationRoute compiledRoute();

void translateText(const QString &text, const QString &to, TranslationCompletion completion,
                   const TranslationRoute &route);
void openTranslationConnection(const TranslationRoute &route);
