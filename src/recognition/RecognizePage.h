// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "TextItem.h"

#include <QStringList>

class QImage;

// Finds and reads every line of `image` on the calling thread, using idle
// recognition threads for a share of the lines. Empty when nothing is found.
TextItems recognizePage(const QImage &image);

// Takes `language` for the last page's, as when a page is read; a name that
// is no model's is ignored.
void rememberLanguage(const QString &language);

// The models a page in `language` is read with, when it follows a page in
// the same language: the last being what its lines are read with.
QStringList modelsForPagesIn(const QString &language);
