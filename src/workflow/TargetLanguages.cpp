// SPDX-License-Identifier: GPL-3.0-or-later

#include "TargetLanguages.h"

// Hebrew is "iw": the service still expects the old code.
const QList<TargetLanguage> targetLanguages = {
    {QStringLiteral("עברית"), QStringLiteral("iw")},   {QStringLiteral("English"), QStringLiteral("en")},
    {QStringLiteral("Русский"), QStringLiteral("ru")}, {QStringLiteral("ייִדיש"), QStringLiteral("yi")},
    {QStringLiteral("Español"), QStringLiteral("es")}, {QStringLiteral("Français"), QStringLiteral("fr")},
    {QStringLiteral("العربية"), QStringLiteral("ar")},
};
