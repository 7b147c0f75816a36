// SPDX-License-Identifier: GPL-3.0-or-later

#include "Photo.h"

#include <QPainter>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Rgb {
    float r, g, b;
};

Rgb operator*(Rgb c, float k)
{
    return {c.r * k, c.g * k, c.b * k};
}

Rgb operator+(Rgb a, Rgb b)
{
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}

Rgb mix(Rgb a, Rgb b, float t)
{
    return a * (1 - t) + b * t;
}

float smooth(float from, float to, float x)
{
    const float t = std::clamp((x - from) / (to - from), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

// Value noise on a unit lattice, smoothly interpolated, and its sum over
// octaves: the texture of clouds, slopes and waves.
class Noise {
public:
    explicit Noise(quint32 variant) : variant(variant) {}

    float at(float x, float y) const
    {
        const float fx = std::floor(x), fy = std::floor(y);
        const int ix = int(fx), iy = int(fy);
        const float tx = smooth(0, 1, x - fx), ty = smooth(0, 1, y - fy);
        const float top = lattice(ix, iy) * (1 - tx) + lattice(ix + 1, iy) * tx;
        const float bottom = lattice(ix, iy + 1) * (1 - tx) + lattice(ix + 1, iy + 1) * tx;
        return top * (1 - ty) + bottom * ty;
    }

    float fbm(float x, float y, int octaves) const
    {
        float sum = 0, weight = 0.5f, total = 0;
        for (int i = 0; i < octaves; ++i) {
            sum += weight * at(x, y);
            total += weight;
            // Each octave turned against the last, so that the lattice
            // does not show as squares.
            const float turned = 0.8f * x - 0.6f * y;
            y = (0.6f * x + 0.8f * y) * 2.03f + 5.3f;
            x = turned * 2.03f + 17.1f;
            weight *= 0.5f;
        }
        return sum / total;
    }

    // Sharp crests, as mountain ridges have.
    float ridged(float x, int octaves) const { return 1 - std::abs(2 * fbm(x, 0.5f, octaves) - 1); }

private:
    float lattice(int x, int y) const
    {
        quint32 h = quint32(x) * 374761393u + quint32(y) * 668265263u + variant * 2246822519u;
        h = (h ^ (h >> 13)) * 1274126177u;
        return float((h ^ (h >> 16)) & 0xffffff) / float(0xffffff);
    }

    quint32 variant;
};

// The light of a scene: the sky from its top to the horizon and the sun.
struct Light {
    Rgb zenith, horizon, sun;
};

// The light of `scene`, its colours turned a little by `random`: no two
// skies alike.
Light lightOf(Scene scene, bool night, QRandomGenerator &random)
{
    Light light = scene == Scene::City ? Light{{10, 14, 34}, {74, 52, 96}, {255, 190, 120}}
                  : night              ? Light{{36, 40, 92}, {246, 150, 104}, {255, 214, 150}}
                                       : Light{{52, 104, 186}, {196, 218, 236}, {255, 250, 232}};
    const auto turn = [&random](Rgb c) {
        return Rgb{c.r * float(0.9 + 0.2 * random.generateDouble()), c.g * float(0.9 + 0.2 * random.generateDouble()),
                   c.b * float(0.9 + 0.2 * random.generateDouble())};
    };
    light.zenith = turn(light.zenith);
    light.horizon = turn(light.horizon);
    return light;
}

class Canvas {
public:
    Canvas(QSize size, quint32 variant) : w(size.width()), h(size.height()), noise(variant), pixels(size_t(w) * h) {}

    Rgb &at(int x, int y) { return pixels[size_t(y) * w + x]; }

    // Coordinates in heights of the picture, so that shapes keep their
    // proportions at any size.
    float X(int x) const { return float(x) / h; }
    float Y(int y) const { return float(y) / h; }

    QImage image() const
    {
        QImage out(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y) {
            QRgb *row = reinterpret_cast<QRgb *>(out.scanLine(y));
            for (int x = 0; x < w; ++x) {
                const Rgb &c = pixels[size_t(y) * w + x];
                row[x] = qRgb(std::clamp(int(c.r), 0, 255), std::clamp(int(c.g), 0, 255), std::clamp(int(c.b), 0, 255));
            }
        }
        return out;
    }

    const int w, h;
    const Noise noise;

private:
    std::vector<Rgb> pixels;
};

void sky(Canvas &c, const Light &light, float horizon, QPointF sun, bool city)
{
    for (int y = 0; y < c.h; ++y) {
        const float t = std::pow(std::clamp(c.Y(y) / horizon, 0.0f, 1.0f), 1.6f);
        for (int x = 0; x < c.w; ++x) {
            Rgb colour = mix(light.zenith, light.horizon, t);
            const float dx = c.X(x) - sun.x(), dy = c.Y(y) - sun.y();
            const float glow = city ? 0 : std::exp(-(dx * dx + dy * dy) * 9);
            colour = mix(colour, light.sun, glow * 0.7f);
            if (!city) {
                const float n = c.noise.fbm(c.X(x) * 2.2f, c.Y(y) * 7, 6);
                const float cover = smooth(0.52f, 0.78f, n) * smooth(horizon + 0.02f, horizon - 0.25f, c.Y(y));
                const float shade = 0.75f + 0.35f * c.noise.fbm(c.X(x) * 6 + 40, c.Y(y) * 14, 4);
                colour = mix(colour, mix(light.horizon, Rgb{250, 250, 252}, 0.6f) * shade, cover * 0.85f);
            }
            c.at(x, y) = colour;
        }
    }
}

// Three ranges of hills or mountains, the far ones paler in the haze, with
// a little snow on the farthest.
void ridges(Canvas &c, const Light &light, float horizon, bool night, QRandomGenerator &random)
{
    const float height = float(0.6 + 0.8 * random.generateDouble());
    const float reach[] = {0.3f * height, 0.19f * height, 0.09f}, frequency[] = {1.1f, 2.2f, 3.8f},
                base[] = {0, 0.06f, 0.2f};
    // Forest, heath, autumn or rock before the ranges.
    static const Rgb foregrounds[] = {{42, 70, 44}, {88, 76, 50}, {118, 78, 40}, {70, 72, 74}};
    const Rgb near = night ? Rgb{24, 28, 40} : foregrounds[random.bounded(4)];
    const bool snow = !night && random.bounded(3) != 0;
    const Rgb far = night ? Rgb{70, 62, 98} : Rgb{104, 124, 160};
    for (int x = 0; x < c.w; ++x) {
        float tops[3];
        for (int k = 0; k < 3; ++k)
            tops[k] = horizon + base[k] - reach[k] * c.noise.ridged(c.X(x) * frequency[k] + 31 * k, 6);
        for (int y = 0; y < c.h; ++y) {
            int layer = -1;
            for (int k = 2; k >= 0 && layer < 0; --k)
                if (c.Y(y) > tops[k])
                    layer = k;
            if (layer < 0)
                continue;
            const float depth = layer / 2.0f;
            // Slopes facing the light are brighter: the texture's own slope
            // lights it, which gives the ranges their relief.
            const float u = c.X(x) * 7 + layer * 7, v = c.Y(y) * 7;
            const float slope = (c.noise.fbm(u + 0.05f, v, 5) - c.noise.fbm(u - 0.05f, v, 5)) * 6;
            const float relief = 0.35f + 0.65f * depth; // the haze flattens the far ranges
            const float texture = (1 + relief * 0.3f * (c.noise.fbm(u * 3, v * 3, 4) - 0.5f)) *
                                  std::clamp(1 + relief * slope, 0.6f, 1.4f);
            Rgb colour = mix(far, near, depth) * texture;
            colour = mix(colour, light.horizon, (1 - depth) * 0.45f);
            // Mist in the valleys between the ranges.
            if (layer < 2)
                colour = mix(colour, light.horizon, smooth(tops[layer] + 0.03f, tops[layer] + 0.16f, c.Y(y)) * 0.4f);
            if (layer == 0 && snow && c.Y(y) - tops[0] < 0.025f * c.noise.at(c.X(x) * 40, 3))
                colour = mix(colour, Rgb{240, 244, 250}, 0.8f);
            c.at(x, y) = colour;
        }
    }
}

void sea(Canvas &c, const Light &light, float horizon, float sunX)
{
    const Rgb deep{18, 34, 64};
    for (int y = int(horizon * c.h); y < c.h; ++y) {
        const float d = (c.Y(y) - horizon) / (float(c.h) / c.h - horizon);
        for (int x = 0; x < c.w; ++x) {
            const float wave = c.noise.fbm(c.X(x) * 3 / (d + 0.08f), c.Y(y) * 90 / (d + 0.3f), 5);
            Rgb colour = mix(light.horizon * 0.7f, deep, std::sqrt(d)) * (0.8f + 0.4f * wave);
            const float dx = c.X(x) - sunX;
            const float column = std::exp(-dx * dx / (0.002f + 0.02f * d)) * smooth(0.45f, 0.75f, wave);
            colour = mix(colour, light.sun, column * 0.8f);
            c.at(x, y) = colour;
        }
    }
}

// A line of trees at the horizon and a field of grass before it.
void meadow(Canvas &c, float horizon, QRandomGenerator &random)
{
    for (int x = 0; x < c.w; ++x) {
        // Rounded crowns of trees of several heights.
        const float cell = c.X(x) * 40, across = 2 * (cell - std::floor(cell)) - 1;
        const float crown = c.noise.at(std::floor(cell), 3) * std::sqrt(1 - across * across);
        const float trees = horizon - 0.02f - 0.05f * c.noise.fbm(c.X(x) * 6, 1, 2) - 0.025f * crown;
        for (int y = 0; y < c.h; ++y) {
            if (c.Y(y) < trees)
                continue;
            if (c.Y(y) < horizon + 0.01f) {
                c.at(x, y) = Rgb{34, 58, 36} * (0.7f + 0.6f * c.noise.fbm(c.X(x) * 60, c.Y(y) * 60, 3));
                continue;
            }
            const float d = (c.Y(y) - horizon) / (1 - horizon);
            // Blades grow larger towards the camera; patches of light and
            // shade lie over the field.
            const float blades = c.noise.fbm(c.X(x) * 40 / (d + 0.3f), c.Y(y) * 6 / (d + 0.3f), 4);
            const float patches = c.noise.fbm(c.X(x) * 2.5f + 9, c.Y(y) * 5, 4);
            c.at(x, y) = mix(Rgb{150, 168, 92}, Rgb{62, 112, 40}, d) * (0.6f + 0.35f * blades + 0.35f * patches);
        }
    }
    for (int i = 0; i < c.w / 6; ++i) {
        const int x = random.bounded(c.w),
                  y = int(c.h * (horizon + 0.1f + 0.9f * (1 - horizon) * random.generateDouble()));
        const Rgb flower = random.bounded(2) ? Rgb{250, 226, 90} : Rgb{248, 246, 240};
        const int r = 1 + int(3 * (float(y) / c.h - horizon));
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx)
                if (x + dx >= 0 && x + dx < c.w && y + dy < c.h && dx * dx + dy * dy <= r * r)
                    c.at(x + dx, y + dy) = mix(c.at(x + dx, y + dy), flower, 0.8f);
    }
}

// Buildings with lit windows, out of focus: drawn small and enlarged.
QImage skyline(QSize size, QRandomGenerator &random)
{
    const QSize small = size / 6;
    QImage city(small, QImage::Format_ARGB32_Premultiplied);
    city.fill(Qt::transparent);
    QPainter p(&city);
    for (int x = 0; x < small.width();) {
        const int w = 8 + random.bounded(22), top = int(small.height() * (0.35 + 0.3 * random.generateDouble()));
        p.fillRect(QRect(x, top, w, small.height() - top), QColor(14 + random.bounded(10), 16, 28));
        for (int wy = top + 3; wy < small.height() - 2; wy += 3)
            for (int wx = x + 2; wx < x + w - 2; wx += 3)
                if (random.bounded(3) == 0)
                    p.fillRect(QRect(wx, wy, 1, 1),
                               random.bounded(4) ? QColor(255, 198, 120, 200) : QColor(180, 214, 255, 200));
        x += w + random.bounded(3);
    }
    p.end();
    return city.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// A disc of `tint` that is even out to `solid` of its radius and fades out
// beyond.
void softDisc(QPainter &p, QPointF centre, qreal radius, QColor tint, qreal solid)
{
    QRadialGradient g(centre, radius);
    g.setColorAt(0, tint);
    if (solid > 0)
        g.setColorAt(solid, tint);
    tint.setAlpha(0);
    g.setColorAt(1, tint);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
}

// Round blurred lights, as a lens far out of focus draws them.
void bokeh(QPainter &p, QSize size, int count, QRandomGenerator &random)
{
    const QColor tints[] = {QColor(255, 190, 110), QColor(255, 120, 90), QColor(120, 200, 255), QColor(230, 140, 255)};
    for (int i = 0; i < count; ++i) {
        const QPointF centre(random.bounded(size.width()), size.height() * (0.55 + 0.45 * random.generateDouble()));
        const qreal radius = size.height() * (0.02 + 0.06 * random.generateDouble());
        QColor tint = tints[random.bounded(4)];
        tint.setAlpha(70 + random.bounded(80));
        softDisc(p, centre, radius, tint, 0.8);
    }
}

// Large soft blobs of colour over a diagonal gradient.
QImage wallpaper(QSize size, bool night, QRandomGenerator &random)
{
    QImage out(size, QImage::Format_RGB32);
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    const int hue = random.bounded(360);
    QLinearGradient base(0, 0, size.width(), size.height());
    base.setColorAt(0, QColor::fromHsv(hue, 170, night ? 90 : 235));
    base.setColorAt(1, QColor::fromHsv((hue + 70) % 360, 200, night ? 45 : 190));
    p.fillRect(out.rect(), base);
    for (int i = 0; i < 6; ++i) {
        const QPointF centre(random.bounded(size.width()), random.bounded(size.height()));
        const qreal radius = size.height() * (0.3 + 0.4 * random.generateDouble());
        softDisc(p, centre, radius,
                 QColor::fromHsv((hue + random.bounded(120) + 300) % 360, 150 + random.bounded(80),
                                 night ? 110 + random.bounded(80) : 200 + random.bounded(55), 160),
                 0);
    }
    return out;
}

// Darker corners, as a lens gives, and sensor grain.
void finish(QImage &image, quint32 variant)
{
    QRandomGenerator random(variant ^ 0x5bd1e995u);
    const float cx = image.width() / 2.0f, cy = image.height() / 2.0f;
    const float reach = cx * cx + cy * cy;
    for (int y = 0; y < image.height(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const float r2 = ((x - cx) * (x - cx) + (y - cy) * (y - cy)) / reach;
            const float k = 1 - 0.42f * r2 * r2;
            const int grain = int(random.bounded(11u)) - 5;
            row[x] = qRgb(std::clamp(int(qRed(row[x]) * k) + grain, 0, 255),
                          std::clamp(int(qGreen(row[x]) * k) + grain, 0, 255),
                          std::clamp(int(qBlue(row[x]) * k) + grain, 0, 255));
        }
    }
}

} // namespace

QImage photograph(QSize size, Scene scene, bool night, quint32 variant)
{
    QRandomGenerator random(variant);
    const float horizon = 0.5f + 0.15f * float(random.generateDouble());
    const float aspect = float(size.width()) / size.height();
    const QPointF sun(aspect * (0.2 + 0.6 * random.generateDouble()), horizon - (night ? 0.06 : 0.35));
    const Light light = lightOf(scene, night, random);
    QImage image;
    if (scene == Scene::Wallpaper) {
        image = wallpaper(size, night, random);
    } else {
        Canvas c(size, variant);
        sky(c, light, horizon, sun, scene == Scene::City);
        if (scene == Scene::Mountains)
            ridges(c, light, horizon, night, random);
        else if (scene == Scene::Sea)
            sea(c, light, horizon, float(sun.x()));
        else if (scene == Scene::Meadow)
            meadow(c, horizon, random);
        image = c.image();
    }
    if (scene == Scene::City) {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.drawImage(0, 0, skyline(size, random));
        bokeh(p, size, 24, random);
    }
    finish(image, variant);
    return image;
}
