// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QImage>
#include <QStringList>

// A picture of `size` holding `lines` in Noto Sans at `pixelSize`, one under
// another from the top-left, each two sizes below the one before.
QImage textPicture(QSize size, const QStringList &lines, int pixelSize, QColor paper = Qt::white,
                   QColor ink = Qt::black);

// One line as the recogniser's line images cut it: `text` in `family`, black
// on white, about 40 pixels high, in a frame of blank paper.
QImage lineImageOf(const QString &text, const QString &family);
