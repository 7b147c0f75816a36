// SPDX-License-Identifier: GPL-3.0-or-later

#include "LineText.h"

QString cleanLineText(const QString &text)
{
    QString clean = text;
    clean.remove(QChar(0x200E));
    clean.remove(QChar(0x200F));
    return clean.trimmed();
}
