// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "X11Selection.h"

#include <QByteArray>
#include <QImage>
#include <QList>

#include <atomic>
#include <optional>

// The clipboard of a Wayland session, read by wl-paste in a process of its
// own. Qt reads the clipboard on the main thread, waiting on the owner a
// second at a time for as long as it keeps sending, and offers no way to take
// its pipe; a second data device of our own is not served by every
// compositor (weston hands the content only to the newest offer). A process
// is held up alone by an owner that never answers, and is ended at the limits.

// True when wl-paste can be run here.
bool canRunWaylandPaste();

// The clipboard's picture within `limits`, given the content types it offers
// (which Qt knows without asking the owner): the first picture type that
// decodes, or else the first picture file among the local files it names.
// Nothing when there is none, the owner falls silent, or `stop` turns true.
// Thread-safe.
std::optional<QImage> readWaylandClipboardPicture(const QList<QByteArray> &offered, const SelectionLimits &limits,
                                                  const std::atomic<bool> &stop);
