// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

// What a photograph behind text shows.
enum class Scene { Mountains, Sea, City, Meadow, Wallpaper };

// A picture of `size` pixels that looks like a photograph (or a smooth
// wallpaper): skies, ridges, water and lights from layered noise, soft
// out-of-focus shapes, a vignette and grain. `night` darkens the light;
// `variant` picks the shapes.
QImage photograph(QSize size, Scene scene, bool night, quint32 variant);
