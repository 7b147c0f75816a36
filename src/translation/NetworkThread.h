// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

class QNetworkAccessManager;

// The manager lives on a thread of its own, not the UI's: replies, their
// bodies and the reading of the JSON all run on the manager's thread, and a
// job of hundreds of lines would otherwise put as many reply events and parses
// between the UI's repaints.
//
// Runs `work` on the network thread with the process-wide network access
// manager. The thread starts on first use and stops when the application
// object is destroyed, aborting the requests still in flight. Needs the
// application object; safe to call from any thread.
void onNetworkThread(std::function<void(QNetworkAccessManager &)> work);
