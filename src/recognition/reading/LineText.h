// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "TextItem.h"

#include <QString>

// The recogniser's text of a line as delivered: without the direction marks
// (U+200E, U+200F) that Tesseract wraps right-to-left words in, trimmed.
QString cleanLineText(const QString &text);
