#pragma once

#include <QImage>
#include <QString>

#include <optional>

// The system clipboard as the workflow uses it. Main thread only.

// The clipboard's first picture at its full pixel size, or nothing when the
// clipboard holds no usable picture.
std::optional<QImage> readClipboardImage();

// Each replaces everything the clipboard held with the one item given.
void writeClipboardImage(const QImage &image);
void writeClipboardText(const QString &text);
