// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

// A valid PNG of one grey RGB colour at any size, written row by row, so that
// pictures of hundreds of megapixels cost a few hundred kilobytes and no
// picture in memory.
QByteArray solidPng(int width, int height);

// The same file with its header claiming `width` x `height`: it passes the
// signature check and fails later.
QByteArray pngWithHeaderOnly(quint32 width, quint32 height);
