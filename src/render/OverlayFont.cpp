// SPDX-License-Identifier: GPL-3.0-or-later

#include "OverlayFont.h"

#include <QStringList>

QFont overlayFont()
{
    QFont font;
    font.setFamilies(
        {QStringLiteral("Noto Sans"), QStringLiteral("Noto Sans Hebrew"), QStringLiteral("Noto Sans Arabic UI")});
    font.setWeight(QFont::Medium);
    font.setPixelSize(kLayoutPixelSize);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    return font;
}
