// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class AppDelegate;
class QGuiApplication;

// Makes `delegate` the application's: closing the last window ends the
// process when the delegate asks for it, and the delegate's launch sequence
// runs once the event loop is up.
void attachDelegate(QGuiApplication &application, AppDelegate &delegate);
