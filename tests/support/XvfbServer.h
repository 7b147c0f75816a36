// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QProcess>

// An Xvfb server of its own for as long as this object lives, on a display
// number that no other server uses. Needs the Xvfb program.
class XvfbServer {
public:
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer &) = delete;
    XvfbServer &operator=(const XvfbServer &) = delete;

    bool isRunning() const { return !name.isEmpty(); }
    // ":N", for DISPLAY; empty when the server did not start.
    QByteArray display() const { return name; }

private:
    QProcess server;
    QByteArray name;
};
