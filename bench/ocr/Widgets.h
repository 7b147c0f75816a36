// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// Interface furniture without text, drawn next to text lines so that the
// benchmark sees what real screenshots hold beside their words.
struct WidgetColors {
    QColor accent, track, field, border, knob;
};

void drawCheckbox(QPainter &p, const QRectF &r, bool checked, const WidgetColors &c);
void drawRadio(QPainter &p, const QRectF &r, bool on, const WidgetColors &c);
void drawToggle(QPainter &p, const QRectF &r, bool on, const WidgetColors &c);
void drawSlider(QPainter &p, const QRectF &r, qreal fraction, const WidgetColors &c);
void drawProgress(QPainter &p, const QRectF &r, qreal fraction, const WidgetColors &c);
void drawScrollBar(QPainter &p, const QRectF &r, qreal from, qreal to, const WidgetColors &c);
void drawSeparator(QPainter &p, qreal x0, qreal x1, qreal y, const QColor &color);
// A raised panel (a menu, a card, a notification): rounded, with a soft
// shadow below it.
void drawPanel(QPainter &p, const QRectF &r, qreal radius, const QColor &fill, const QColor &border);

// Outline icons of a toolbar: 0 search, 1 menu, 2 bell, 3 gear, 4 close,
// 5 chevron, 6 paperclip, 7 send, 8 more (three dots), 9 star.
constexpr int iconKinds = 10;
void drawIcon(QPainter &p, const QRectF &r, int kind, const QColor &color);
