// SPDX-License-Identifier: GPL-3.0-or-later

#include "Pictograms.h"

#include "Sheet.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QtMath>

namespace {

QString glyphOf(Pictogram kind)
{
    switch (kind) {
    case Pictogram::Note:
        return QStringLiteral("\u266a");
    case Pictogram::Play:
        return QStringLiteral("\u25b6");
    case Pictogram::Heart:
        return QStringLiteral("\u2665");
    case Pictogram::Star:
        return QStringLiteral("\u2605");
    case Pictogram::Gear:
        return QStringLiteral("\u2699");
    case Pictogram::Face:
        return QStringLiteral("\u263a");
    case Pictogram::Bell:
    case Pictogram::Warning:
        break;
    }
    return {};
}

// The character centred in `r` at the height of `r`.
void drawGlyph(QPainter &p, const QRectF &r, const QString &glyph, const QColor &color)
{
    QFont f;
    f.setFamilies({"DejaVu Sans", "Noto Sans Symbols2", "Noto Sans Symbols"});
    f.setPixelSize(qRound(r.height()));
    const QRectF ink = QFontMetricsF(f).tightBoundingRect(glyph);
    const qreal k = std::min(r.width() / ink.width(), r.height() / ink.height());
    p.save();
    p.translate(r.center());
    p.scale(k, k);
    p.setFont(f);
    p.setPen(color);
    p.drawText(-ink.center(), glyph);
    p.restore();
}

QPainterPath shapeOf(Pictogram kind, qreal s)
{
    QPainterPath path;
    switch (kind) {
    case Pictogram::Note: {
        QPainterPath head, stem, flag;
        head.addEllipse(QRectF(0.1 * s, 0.64 * s, 0.4 * s, 0.3 * s));
        stem.addRect(QRectF(0.42 * s, 0.08 * s, 0.09 * s, 0.72 * s));
        flag.moveTo(0.46 * s, 0.08 * s);
        flag.cubicTo(0.6 * s, 0.2 * s, 0.9 * s, 0.25 * s, 0.78 * s, 0.55 * s);
        flag.cubicTo(0.8 * s, 0.35 * s, 0.65 * s, 0.3 * s, 0.5 * s, 0.28 * s);
        flag.closeSubpath();
        return head.united(stem).united(flag);
    }
    case Pictogram::Play:
        path.addPolygon(
            QPolygonF{QPointF(0.22 * s, 0.12 * s), QPointF(0.88 * s, 0.5 * s), QPointF(0.22 * s, 0.88 * s)});
        break;
    case Pictogram::Heart:
        path.moveTo(0.5 * s, 0.9 * s);
        path.cubicTo(0.1 * s, 0.6 * s, 0.0, 0.35 * s, 0.12 * s, 0.2 * s);
        path.cubicTo(0.25 * s, 0.05 * s, 0.45 * s, 0.1 * s, 0.5 * s, 0.28 * s);
        path.cubicTo(0.55 * s, 0.1 * s, 0.75 * s, 0.05 * s, 0.88 * s, 0.2 * s);
        path.cubicTo(s, 0.35 * s, 0.9 * s, 0.6 * s, 0.5 * s, 0.9 * s);
        break;
    case Pictogram::Bell:
        path.moveTo(0.12 * s, 0.76 * s);
        path.cubicTo(0.26 * s, 0.6 * s, 0.18 * s, 0.12 * s, 0.5 * s, 0.12 * s);
        path.cubicTo(0.82 * s, 0.12 * s, 0.74 * s, 0.6 * s, 0.88 * s, 0.76 * s);
        path.closeSubpath();
        path.addEllipse(QPointF(0.5 * s, 0.86 * s), 0.09 * s, 0.08 * s);
        break;
    case Pictogram::Star:
        for (int i = 0; i < 10; ++i) {
            const qreal a = -M_PI / 2 + i * M_PI / 5, radius = (i % 2 ? 0.2 : 0.48) * s;
            const QPointF point(0.5 * s + radius * qCos(a), 0.54 * s + radius * qSin(a));
            i ? path.lineTo(point) : path.moveTo(point);
        }
        path.closeSubpath();
        break;
    case Pictogram::Gear:
        for (int i = 0; i < 16; ++i) {
            const qreal a = i * M_PI / 8, radius = (i % 2 ? 0.36 : 0.48) * s;
            const QPointF point(0.5 * s + radius * qCos(a), 0.5 * s + radius * qSin(a));
            i ? path.lineTo(point) : path.moveTo(point);
        }
        path.closeSubpath();
        path.addEllipse(QPointF(0.5 * s, 0.5 * s), 0.15 * s, 0.15 * s);
        break;
    case Pictogram::Warning:
        path.addPolygon(QPolygonF{QPointF(0.5 * s, 0.06 * s), QPointF(0.96 * s, 0.9 * s), QPointF(0.04 * s, 0.9 * s)});
        path.closeSubpath();
        path.addRoundedRect(QRectF(0.45 * s, 0.34 * s, 0.1 * s, 0.32 * s), 0.04 * s, 0.04 * s);
        path.addEllipse(QPointF(0.5 * s, 0.76 * s), 0.055 * s, 0.055 * s);
        break;
    case Pictogram::Face:
        path.addEllipse(QRectF(0.04 * s, 0.04 * s, 0.92 * s, 0.92 * s));
        path.addEllipse(QPointF(0.35 * s, 0.4 * s), 0.07 * s, 0.09 * s);
        path.addEllipse(QPointF(0.65 * s, 0.4 * s), 0.07 * s, 0.09 * s);
        path.moveTo(0.26 * s, 0.6 * s);
        path.quadTo(0.5 * s, 0.86 * s, 0.74 * s, 0.6 * s);
        path.quadTo(0.5 * s, 0.74 * s, 0.26 * s, 0.6 * s);
        break;
    }
    return path;
}

} // namespace

void drawPictogram(Sheet &s, const QRectF &area, Pictogram kind, const QColor &color, bool glyph)
{
    const QString character = glyph ? glyphOf(kind) : QString();
    if (!character.isEmpty()) {
        drawGlyph(s.painter, area, character, color);
    } else {
        s.painter.save();
        s.painter.translate(area.topLeft());
        s.painter.setPen(Qt::NoPen);
        s.painter.setBrush(color);
        s.painter.drawPath(shapeOf(kind, std::min(area.width(), area.height())));
        s.painter.restore();
    }
    s.pictogram(area);
}

void drawRecordedIcon(Sheet &s, const QRectF &area, int kind, const QColor &color)
{
    drawIcon(s.painter, area, kind, color);
    s.pictogram(area);
}

void drawFileIcon(Sheet &s, const QRectF &area, bool folder, int kind)
{
    s.painter.save();
    if (folder) {
        const QRectF &r = area;
        s.painter.setPen(Qt::NoPen);
        s.painter.setBrush(QColor("#5a9ae6"));
        s.painter.drawPolygon(QPolygonF{QPointF(r.left(), r.top() + 0.15 * r.height()),
                                        QPointF(r.left() + 0.4 * r.width(), r.top() + 0.15 * r.height()),
                                        QPointF(r.left() + 0.5 * r.width(), r.top() + 0.3 * r.height()),
                                        QPointF(r.right(), r.top() + 0.3 * r.height()),
                                        QPointF(r.right(), r.bottom() - 0.1 * r.height()),
                                        QPointF(r.left(), r.bottom() - 0.1 * r.height())});
    } else {
        const QRectF page(area.left() + 0.15 * area.width(), area.top(), 0.7 * area.width(), area.height());
        s.painter.setPen(QPen(s.theme.dark ? QColor("#9a9aa0") : QColor("#8e8e93"), 1));
        s.painter.setBrush(s.theme.dark ? QColor("#3a3a3e") : QColor("#ffffff"));
        s.painter.drawRect(page);
        s.painter.fillRect(
            QRectF(page.left() + 2, page.bottom() - 0.35 * page.height(), page.width() - 4, 0.25 * page.height()),
            QColor::fromHsv(kind * 47 % 360, 160, 200));
    }
    s.painter.restore();
    s.pictogram(area);
}
