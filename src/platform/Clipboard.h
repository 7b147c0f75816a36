// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <optional>

class QMimeData;
class QObject;
class QWidget;

// The system clipboard as the workflow uses it. Main thread only.

using ClipboardPictureCompletion = std::function<void(std::optional<QImage>)>;

// Reads the clipboard's first picture at its full pixel size, and gives it,
// or nothing when the clipboard holds no usable picture, to `done` on the main
// thread. A clipboard that holds no picture but local files (copied in a file
// manager) gives the first of them that is a picture. On X11 and on Wayland
// the whole read runs in the background and ends within a few seconds even
// when the clipboard's owner never answers; elsewhere (or on Wayland without
// wl-paste) Qt takes the clipboard's content on this thread, and `done` runs
// before this returns unless files are to be read. A newer read, of the
// clipboard or of a drop, abandons an older one: its `done` never runs, nor
// does it once `receiver` is gone.
void readClipboardImage(QObject *receiver, ClipboardPictureCompletion done);

// The same for what a drop carries: picture data, or picture files named by
// their local addresses. `data` is taken before this returns.
void readDroppedPicture(QObject *receiver, const QMimeData *data, ClipboardPictureCompletion done);

// Each replaces everything the clipboard held with the one item given.
void writeClipboardImage(const QImage &image);
void writeClipboardText(const QString &text);

// Runs `then` as soon as the clipboard can be read on behalf of `window`.
// A Wayland client is offered the clipboard only while one of its windows has
// the keyboard focus, so a window that has just been shown reads it as empty;
// there `then` waits until `window` is activated. Elsewhere it runs at once.
void whenClipboardReadable(QWidget *window, std::function<void()> then);
