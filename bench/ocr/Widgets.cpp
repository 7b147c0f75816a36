// SPDX-License-Identifier: GPL-3.0-or-later

#include "Widgets.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

void drawCheckbox(QPainter &p, const QRectF &r, bool checked, const WidgetColors &c)
{
    p.save();
    p.setPen(checked ? Qt::NoPen : QPen(c.border, 1.2));
    p.setBrush(checked ? c.accent : c.field);
    p.drawRoundedRect(r, r.width() * 0.2, r.width() * 0.2);
    if (checked) {
        p.setPen(QPen(Qt::white, r.width() * 0.14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        const qreal w = r.width();
        p.drawPolyline(QPolygonF{r.topLeft() + QPointF(0.24 * w, 0.52 * w), r.topLeft() + QPointF(0.43 * w, 0.7 * w),
                                 r.topLeft() + QPointF(0.76 * w, 0.32 * w)});
    }
    p.restore();
}

void drawRadio(QPainter &p, const QRectF &r, bool on, const WidgetColors &c)
{
    p.save();
    p.setPen(QPen(on ? c.accent : c.border, 1.2));
    p.setBrush(c.field);
    p.drawEllipse(r);
    if (on) {
        p.setPen(Qt::NoPen);
        p.setBrush(c.accent);
        p.drawEllipse(r.center(), r.width() * 0.28, r.height() * 0.28);
    }
    p.restore();
}

void drawToggle(QPainter &p, const QRectF &r, bool on, const WidgetColors &c)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(on ? c.accent : c.track);
    p.drawRoundedRect(r, r.height() / 2, r.height() / 2);
    p.setBrush(Qt::white);
    const qreal d = r.height() - 4;
    p.drawEllipse(QRectF(on ? r.right() - 2 - d : r.left() + 2, r.top() + 2, d, d));
    p.restore();
}

void drawSlider(QPainter &p, const QRectF &r, qreal fraction, const WidgetColors &c)
{
    p.save();
    const qreal y = r.center().y(), x = r.left() + fraction * r.width();
    p.setPen(Qt::NoPen);
    p.setBrush(c.track);
    p.drawRoundedRect(QRectF(r.left(), y - 2, r.width(), 4), 2, 2);
    p.setBrush(c.accent);
    p.drawRoundedRect(QRectF(r.left(), y - 2, x - r.left(), 4), 2, 2);
    p.setPen(QPen(c.border, 1));
    p.setBrush(c.knob);
    p.drawEllipse(QPointF(x, y), r.height() / 2, r.height() / 2);
    p.restore();
}

void drawProgress(QPainter &p, const QRectF &r, qreal fraction, const WidgetColors &c)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(c.track);
    p.drawRoundedRect(r, r.height() / 2, r.height() / 2);
    p.setBrush(c.accent);
    p.drawRoundedRect(QRectF(r.topLeft(), QSizeF(r.width() * fraction, r.height())), r.height() / 2, r.height() / 2);
    p.restore();
}

void drawScrollBar(QPainter &p, const QRectF &r, qreal from, qreal to, const WidgetColors &c)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(c.border);
    const QRectF thumb(r.left(), r.top() + from * r.height(), r.width(), (to - from) * r.height());
    p.drawRoundedRect(thumb, r.width() / 2, r.width() / 2);
    p.restore();
}

void drawSeparator(QPainter &p, qreal x0, qreal x1, qreal y, const QColor &color)
{
    p.save();
    p.setPen(QPen(color, 1));
    p.drawLine(QPointF(x0, y + 0.5), QPointF(x1, y + 0.5));
    p.restore();
}

void drawPanel(QPainter &p, const QRectF &r, qreal radius, const QColor &fill, const QColor &border)
{
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 1; i <= 6; ++i) {
        p.setBrush(QColor(0, 0, 0, 12));
        p.drawRoundedRect(r.adjusted(-i, 2 - i, i, 2 + i), radius + i, radius + i);
    }
    p.setPen(QPen(border, 1));
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);
    p.restore();
}

void drawIcon(QPainter &p, const QRectF &r, int kind, const QColor &color)
{
    p.save();
    const qreal s = r.width(), stroke = std::max(1.2, s / 10);
    p.setPen(QPen(color, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.translate(r.topLeft());
    switch (kind % iconKinds) {
    case 0:
        p.drawEllipse(QRectF(0.1 * s, 0.1 * s, 0.58 * s, 0.58 * s));
        p.drawLine(QPointF(0.6 * s, 0.6 * s), QPointF(0.92 * s, 0.92 * s));
        break;
    case 1:
        for (int i = 0; i < 3; ++i)
            p.drawLine(QPointF(0.12 * s, (0.22 + 0.28 * i) * s), QPointF(0.88 * s, (0.22 + 0.28 * i) * s));
        break;
    case 2: {
        QPainterPath bell;
        bell.moveTo(0.15 * s, 0.75 * s);
        bell.cubicTo(0.3 * s, 0.6 * s, 0.2 * s, 0.1 * s, 0.5 * s, 0.1 * s);
        bell.cubicTo(0.8 * s, 0.1 * s, 0.7 * s, 0.6 * s, 0.85 * s, 0.75 * s);
        bell.closeSubpath();
        p.drawPath(bell);
        p.drawEllipse(QPointF(0.5 * s, 0.86 * s), 0.07 * s, 0.07 * s);
        break;
    }
    case 3:
        p.drawEllipse(QPointF(0.5 * s, 0.5 * s), 0.16 * s, 0.16 * s);
        for (int i = 0; i < 8; ++i) {
            const qreal a = i * M_PI / 4;
            p.drawLine(QPointF(0.5 * s + 0.26 * s * qCos(a), 0.5 * s + 0.26 * s * qSin(a)),
                       QPointF(0.5 * s + 0.42 * s * qCos(a), 0.5 * s + 0.42 * s * qSin(a)));
        }
        break;
    case 4:
        p.drawLine(QPointF(0.2 * s, 0.2 * s), QPointF(0.8 * s, 0.8 * s));
        p.drawLine(QPointF(0.8 * s, 0.2 * s), QPointF(0.2 * s, 0.8 * s));
        break;
    case 5:
        p.drawPolyline(QPolygonF{QPointF(0.35 * s, 0.15 * s), QPointF(0.7 * s, 0.5 * s), QPointF(0.35 * s, 0.85 * s)});
        break;
    case 6: {
        QPainterPath clip;
        clip.moveTo(0.65 * s, 0.3 * s);
        clip.lineTo(0.65 * s, 0.75 * s);
        clip.arcTo(QRectF(0.3 * s, 0.6 * s, 0.35 * s, 0.3 * s), 0, -180);
        clip.lineTo(0.3 * s, 0.2 * s);
        clip.arcTo(QRectF(0.3 * s, 0.05 * s, 0.25 * s, 0.25 * s), 180, -180);
        clip.lineTo(0.55 * s, 0.7 * s);
        p.drawPath(clip);
        break;
    }
    case 7:
        p.setBrush(color);
        p.drawPolygon(QPolygonF{QPointF(0.1 * s, 0.15 * s), QPointF(0.9 * s, 0.5 * s), QPointF(0.1 * s, 0.85 * s),
                                QPointF(0.25 * s, 0.5 * s)});
        break;
    case 8:
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        for (int i = 0; i < 3; ++i)
            p.drawEllipse(QPointF((0.2 + 0.3 * i) * s, 0.5 * s), 0.08 * s, 0.08 * s);
        break;
    default: {
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const qreal a = -M_PI / 2 + i * M_PI / 5, radius = (i % 2 ? 0.2 : 0.45) * s;
            star << QPointF(0.5 * s + radius * qCos(a), 0.52 * s + radius * qSin(a));
        }
        p.drawPolygon(star);
    }
    }
    p.restore();
}
