#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

// The system clipboard as the workflow uses it. Main thread only.

// The clipboard's first picture at its full pixel size, or nothing when the
// clipboard holds no usable picture.
std::optional<QImage> readClipboardImage();

// Each replaces everything the clipboard held with the one item given.
void writeClipboardImage(const QImage &image);
void writeClipboardText(const QString &text);

// Runs `then` as soon as the clipboard can be read on behalf of `window`.
// A Wayland client is offered the clipboard only while one of its windows has
// the keyboard focus, so a window that has just been shown reads it as empty;
// there `then` waits until `window` is activated. Elsewhere it runs at once.
void whenClipboardReadable(QWidget *window, std::function<void()> then);
