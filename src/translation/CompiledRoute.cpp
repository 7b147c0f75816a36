// SPDX-License-Identifier: GPL-3.0-or-later

#include "TranslationRoute.h"

TranslationRoute compiledRoute()
{
    return {QByteArrayLiteral(QUILLMERE_TRANSLATE_ENDPOINT), TransferLimits{}};
}

void translateText(const QString &text, const QString &to, TranslationCompletion completion)
{
    translateText(text, to, std::move(completion), compiledRoute());
}

void openTranslationConnection()
{
    openTranslationConnection(compiledRoute());
}
