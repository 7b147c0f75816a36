// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Clipboard.h"

#include <QString>

class QObject;

// Pictures that other programs hand to Quillmere without the clipboard: a
// file named on its command line, or a screenshot tool's output through a
// pipe. Each is read in the background, on the terms of readClipboardImage:
// the picture, or nothing, goes to `done` on the main thread, and a newer
// read (of these, the clipboard or a drop) abandons an older one.

// The picture in the file at `path`, taken as a copied file is: a local
// regular file within the clipboard's size and decoding limits. A directory,
// a FIFO, a device, a missing file or one that is no picture gives nothing.
void readNamedPicture(QObject *receiver, const QString &path, ClipboardPictureCompletion done);

// The picture that `fd` delivers up to its end, within the limits of
// PipeContent.h; a terminal gives nothing. `fd` is duplicated before this
// returns, so the caller may close its own.
void readPipedPicture(QObject *receiver, int fd, ClipboardPictureCompletion done);
