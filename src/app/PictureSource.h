// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class AppDelegate;

// Where the picture that a launch asks for comes from.
struct PictureSource {
    enum class Kind { Clipboard, File, Pipe };
    Kind kind = Kind::Clipboard;
    QString path;  // a file's, absolute
    int pipe = -1; // a pipe's descriptor, lent for the call that takes it

    bool operator==(const PictureSource &) const = default;
};

// Takes the picture from `source` as a pasted one: the clipboard's as soon as
// it can be read, a file's or a pipe's once it has been read in the
// background. Main thread, once the window is built.
void openPicture(AppDelegate &delegate, const PictureSource &source);
