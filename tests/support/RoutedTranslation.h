// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "TranslationRoute.h"

// Linked in place of the app's translation library: translateText(text, to,
// completion), as the workflow calls it, runs the real client along the route
// set here (a local service, short limits) instead of the compiled endpoint.
// Until a route is set every line fails at once, as an unformable address does.
void routeTranslations(const TranslationRoute &route);
