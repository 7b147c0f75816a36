// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A paragraph's translation shared back over its lines, so that each line
// keeps a plate of its own: split at word boundaries (between letters, for a
// text written without spaces) into one part per line, each line's part in
// proportion to its width in `widths`. The parts are in the text's own order,
// the first for the first line whichever way the language runs; every word is
// in exactly one of them. A line gets an empty part only when there are fewer
// words than lines.
QStringList shareOverLines(const QString &translation, const QList<double> &widths);
