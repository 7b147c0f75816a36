// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QKeySequence>
#include <QString>

// Every text the user reads. Shortcuts are named the way this platform names
// them (Ctrl+V here), since the keyboard has no Command key.
namespace Messages {

QString shortcutName(const QKeySequence &keys);

QString pasteHint(); // the status label before the first paste
QString pasteButtonTitle();
QString recognising();
QString noImage();
QString noText();
QString translating(qsizetype lines);
QString done();
QString partlyDone(qint64 failedLines);
QString imageCopied();
QString noImageToCopy();
QString textCopied();
QString noTextToCopy();

} // namespace Messages
