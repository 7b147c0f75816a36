// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "PictureSource.h"

#include <QDBusUnixFileDescriptor>
#include <QObject>

#include <functional>

class AppDelegate;

// One window per session. The first launch takes the desktop entry's name on
// the session bus; a later launch hands the picture it was asked for to that
// window and ends. Without a session bus every launch has a window of its own.
class SingleWindow : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quillmere.Quillmere")

public:
    // Named as the desktop entry is, as desktops expect of an application's bus name.
    static constexpr char busName[] = "org.quillmere.Quillmere";

    // Serves later launches on behalf of `delegate`, once this process holds
    // the name.
    explicit SingleWindow(AppDelegate &delegate);

    // Takes the name, unless a running Quillmere holds it: then hands it
    // `picture` and answers true, and this launch is done. False when this
    // launch is to have a window: the name is now its own, there is no bus,
    // or the holder did not take the picture.
    bool handedOver(const PictureSource &picture);

    // What later launches call, each bringing the window to the front.
public Q_SLOTS:
    Q_SCRIPTABLE void Paste();
    Q_SCRIPTABLE void OpenFile(const QString &path);
    Q_SCRIPTABLE void OpenPipe(const QDBusUnixFileDescriptor &pipe);

private:
    void take(std::function<void(AppDelegate &)> open);

    AppDelegate &delegate;
};
