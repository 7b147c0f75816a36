// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QImage;

// Whether the ink of a line or word image (black on white, as lineImage cuts
// it) stands in pieces as Latin letters do, read as `text`: readers of Latin
// letters read other scripts as Latin now and then, surely, and their
// reading is taken only where the ink is Latin.
bool latinInk(const QImage &image, const QString &text);
