// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowPlacement.h"

QPoint centredOnScreen(QSize size, QRect available)
{
    const int x = available.x() + (available.width() - size.width()) / 2;
    const int y = available.y() + (available.height() - size.height()) / 2;
    return {qMax(available.x(), x), qMax(available.y(), y)};
}
