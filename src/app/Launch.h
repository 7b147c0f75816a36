// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "PictureSource.h"

class AppDelegate;
class QGuiApplication;

// Makes `delegate` the application's: closing the last window ends the
// process when the delegate asks for it, and once the event loop is up the
// delegate's launch sequence runs and takes `firstPicture` (by default the
// clipboard's, pasted once as if asked for).
void attachDelegate(QGuiApplication &application, AppDelegate &delegate, PictureSource firstPicture = {});
