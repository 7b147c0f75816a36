#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <optional>

class QObject;
class QWidget;

// The system clipboard as the workflow uses it. Main thread only.

using ClipboardPictureCompletion = std::function<void(std::optional<QImage>)>;

// Reads the clipboard's first picture at its full pixel size, and gives it,
// or nothing when the clipboard holds no usable picture, to `done` on the main
// thread. On X11 the read runs in the background and `done` runs later,
// within a few seconds even when the clipboard's owner never answers;
// elsewhere `done` runs before this returns. A newer read abandons an older
// one: its `done` never runs, nor does it once `receiver` is gone.
void readClipboardImage(QObject *receiver, ClipboardPictureCompletion done);

// Each replaces everything the clipboard held with the one item given.
void writeClipboardImage(const QImage &image);
void writeClipboardText(const QString &text);

// Runs `then` as soon as the clipboard can be read on behalf of `window`.
// A Wayland client is offered the clipboard only while one of its windows has
// the keyboard focus, so a window that has just been shown reads it as empty;
// there `then` waits until `window` is activated. Elsewhere it runs at once.
void whenClipboardReadable(QWidget *window, std::function<void()> then);
