// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Widgets.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QJsonArray>
#include <QPainter>
#include <QStringList>

struct Theme {
    bool dark;
    QColor window, sidebar, text, secondary, accent, bubble, field;
};

extern const Theme lightTheme;
extern const Theme darkTheme;

// The font families a page of `language` is drawn in; `variant` picks one of
// two pairs (interface font, body font).
QStringList fontsFor(const QString &language, int variant);

// What a line's glyphs get around them so that they stand out from a photo.
enum class Halo { None, Shadow, Outline };

// Where a line sits between its left and right limits, in reading order.
enum class Place { Start, End, Centre };

// Draws one picture and collects the truth of every line it writes. Lengths
// are in points; the picture is `scale` device pixels per point, and the
// truth is in device pixels.
class Sheet {
public:
    Sheet(int scale, const Theme &theme, bool rtl, QStringList families, int bodyPx, QSize pixels = {1920, 1080});

    QFont font(int px, bool bold = false) const;

    // Writes `text` on one line inside [left, right], aligned to the reading
    // start (or centred), with its baseline at `baseline`; elides what does
    // not fit. Records the line's truth.
    void line(QString text, const QFont &f, const QColor &color, qreal left, qreal right, qreal baseline,
              const QString &kind, bool centred = false, bool alignEnd = false);

    // Like line(), in the painter's layout direction, with a halo when asked;
    // the truth's box is the pixels the glyphs touch. Returns that box in
    // points.
    QRectF write(QString text, const QFont &f, const QColor &color, qreal left, qreal right, qreal baseline,
                 Place place, const QString &kind, Halo halo = Halo::None);

    // The pixels of the picture the text's ink covers at least a quarter of,
    // drawn as in the picture: the outlines' box from the font's metrics misses
    // the drawn ink by a pixel or more once scaled.
    QJsonArray inkBox(const QString &text, const QFont &f, const QColor &color, QPointF at, const QRectF &tight);

    // Lines that `area` (in points) hides in part are no longer lines of the
    // picture; what shows of them is text all the same, neither right nor
    // false when read. Icons it hides whole are gone.
    void hide(const QRectF &area);

    // Records an icon or symbol drawn in `area` (in points), which is no text.
    void pictogram(const QRectF &area);

    WidgetColors widgets() const;

    // The x of a box of width `w` that lies `fromStart` into [left, right]
    // from the reading start.
    qreal fromStart(qreal left, qreal right, qreal fromStart, qreal w) const
    {
        return rtl ? right - fromStart - w : left + fromStart;
    }

    int scale;
    Theme theme;
    bool rtl;
    QStringList families;
    int bodyPx;
    int width = 0, height = 0;
    QImage image;
    QPainter painter;
    QJsonArray lines;
    QJsonArray partial;    // boxes of lines partly hidden
    QJsonArray pictograms; // boxes of icons and symbols

private:
    QImage textLayer(const QString &text, const QFont &f, const QColor &color, QPointF at, const QRect &area) const;
    static QRect reach(const QImage &layer, const QRect &area, int threshold);
    void record(const QString &text, const QFont &f, const QJsonArray &box, const QJsonArray &ink, const QString &kind);
};
