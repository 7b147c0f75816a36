// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "X11Selection.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

#include <atomic>
#include <optional>

// The content types in which file managers and browsers hand over files: a
// list of addresses, one a line.
QList<QByteArray> fileListTypes(const QList<QByteArray> &offered);

// The local paths among the addresses in `list` (text/uri-list, or
// x-special/gnome-copied-files with its leading "copy" or "cut"), in order.
// Only file:// addresses of this machine count; nothing else is ever fetched.
QStringList localPaths(const QByteArray &list);

// The picture in the regular file at `path`, read within `limits`: nothing
// for a directory, a device, a FIFO or a socket, a missing or unreadable file,
// one larger than the limit, or one that is not a picture. A file that grows
// while it is read is taken at the size it had when it was opened.
// Thread-safe; needs limitPictureAllocation() to have run.
std::optional<QImage> readPictureFile(const QString &path, const SelectionLimits &limits,
                                      const std::atomic<bool> &stop);

// The first readable picture among the local files named in `list`.
std::optional<QImage> firstPictureFile(const QByteArray &list, const SelectionLimits &limits,
                                       const std::atomic<bool> &stop);
