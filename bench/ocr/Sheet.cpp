// SPDX-License-Identifier: GPL-3.0-or-later

#include "Sheet.h"

#include <QFontMetricsF>
#include <QJsonObject>
#include <QtMath>

#include <cmath>

const Theme lightTheme{false, "#ffffff", "#f2f2f7", "#1c1c1e", "#6e6e73", "#0a7cff", "#e5e5ea", "#ffffff"};
const Theme darkTheme{true, "#1e1e1e", "#2a2a2d", "#f2f2f2", "#98989d", "#0a84ff", "#3a3a3c", "#2c2c2e"};

QStringList fontsFor(const QString &language, int variant)
{
    if (language == "he")
        return variant % 2 ? QStringList{"DejaVu Sans", "Noto Serif Hebrew"}
                           : QStringList{"Noto Sans Hebrew", "Noto Serif Hebrew"};
    if (language == "ar")
        return variant % 2 ? QStringList{"DejaVu Sans", "Noto Naskh Arabic"}
                           : QStringList{"Noto Sans Arabic", "Noto Naskh Arabic"};
    if (language == "yi")
        return variant % 2 ? QStringList{"Noto Sans Hebrew", "Noto Serif Hebrew"}
                           : QStringList{"DejaVu Sans", "Noto Sans Hebrew"};
    const QString cjk = language == "zh_CN" ? "SC" : language == "zh_TW" ? "TC" : language == "ja" ? "JP" : "KR";
    if (language.startsWith("zh") || language == "ja" || language == "ko")
        return variant % 2 ? QStringList{"Noto Sans CJK " + cjk, "Noto Serif CJK " + cjk}
                           : QStringList{"Noto Sans CJK " + cjk, "Noto Sans CJK " + cjk};
    if (language == "th")
        return variant % 2 ? QStringList{"Noto Sans Thai", "Noto Serif Thai"}
                           : QStringList{"Noto Sans Thai UI", "Noto Sans Thai"};
    return variant % 2 ? QStringList{"DejaVu Sans", "Noto Serif"} : QStringList{"Noto Sans", "DejaVu Serif"};
}

Sheet::Sheet(int scale, const Theme &theme, bool rtl, QStringList families, int bodyPx, QSize pixels)
    : scale(scale), theme(theme), rtl(rtl), families(std::move(families)), bodyPx(bodyPx),
      image(pixels, QImage::Format_RGB32), painter(&image)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    width = pixels.width() / scale;
    height = pixels.height() / scale;
}

QFont Sheet::font(int px, bool bold) const
{
    QFont f;
    f.setFamilies(families + QStringList{"Noto Sans", "Noto Sans Hebrew", "Noto Sans Arabic", "Noto Sans CJK SC",
                                         "Noto Sans Thai"});
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

void Sheet::line(QString text, const QFont &f, const QColor &color, qreal left, qreal right, qreal baseline,
                 const QString &kind, bool centred, bool alignEnd)
{
    QFontMetricsF metrics(f);
    text = metrics.elidedText(text, Qt::ElideRight, right - left);
    const qreal advance = metrics.horizontalAdvance(text);
    const bool atRight = centred ? false : (rtl != alignEnd);
    const qreal x = centred ? left + (right - left - advance) / 2 : atRight ? right - advance : left;
    painter.setFont(f);
    painter.setPen(color);
    painter.drawText(QPointF(x, baseline), text);
    const QRectF tight = metrics.tightBoundingRect(text).translated(x, baseline);
    record(text, f,
           QJsonArray{tight.left() * scale, tight.top() * scale, tight.width() * scale, tight.height() * scale},
           inkBox(text, f, color, QPointF(x, baseline), tight), kind);
}

namespace {

QImage tinted(const QImage &layer, const QColor &color)
{
    QImage out = layer;
    QPainter p(&out);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(out.rect(), color);
    return out;
}

// A dark rim around the glyphs (subtitles), or a soft shadow below them.
QImage haloOf(const QImage &layer, Halo halo, qreal px)
{
    QImage out(layer.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    if (halo == Halo::Outline) {
        const QImage rim = tinted(layer, QColor(0, 0, 0));
        const qreal radius = std::max(1.5, px * 0.07);
        for (int i = 0; i < 16; ++i) {
            const qreal a = i * M_PI / 8;
            p.drawImage(QPointF(radius * std::cos(a), radius * std::sin(a)), rim);
        }
        return out;
    }
    const QImage shadow = tinted(layer, QColor(0, 0, 0, 130));
    const QSize small = (shadow.size() / 6).expandedTo(QSize(1, 1));
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRectF(QPointF(px * 0.01, px * 0.03), QSizeF(shadow.size())),
                shadow.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return out;
}

} // namespace

QRectF Sheet::write(QString text, const QFont &f, const QColor &color, qreal left, qreal right, qreal baseline,
                    Place place, const QString &kind, Halo halo)
{
    const QFontMetricsF metrics(f);
    text = metrics.elidedText(text, Qt::ElideRight, right - left);
    const qreal advance = metrics.horizontalAdvance(text);
    const bool atRight = place == Place::End ? !rtl : rtl;
    const qreal x = place == Place::Centre ? left + (right - left - advance) / 2 : atRight ? right - advance : left;
    // The layer reaches beyond the font's box: marks above Thai and
    // Vietnamese letters, halos.
    const QRectF outline = metrics.tightBoundingRect(text).translated(x, baseline) |
                           QRectF(x, baseline - metrics.ascent(), advance, metrics.ascent() + metrics.descent());
    const qreal margin = f.pixelSize() * 0.5 * scale;
    const QRect area = QRectF(outline.topLeft() * scale, outline.size() * scale)
                           .adjusted(-margin, -margin, margin, margin)
                           .toAlignedRect();
    const QImage layer = textLayer(text, f, color, QPointF(x, baseline), area);
    const QRect touched = reach(layer, area, 1), ink = reach(layer, area, 64);
    painter.save();
    painter.resetTransform();
    if (halo != Halo::None)
        painter.drawImage(area.topLeft(), haloOf(layer, halo, f.pixelSize() * scale));
    painter.drawImage(area.topLeft(), layer);
    painter.restore();
    record(text, f, QJsonArray{touched.x(), touched.y(), touched.width(), touched.height()},
           QJsonArray{ink.x(), ink.y(), ink.width(), ink.height()}, kind);
    return QRectF(QPointF(touched.topLeft()) / scale, QSizeF(touched.size()) / scale);
}

// The text alone on a transparent layer of the picture's pixels in `area`.
QImage Sheet::textLayer(const QString &text, const QFont &f, const QColor &color, QPointF at, const QRect &area) const
{
    QImage layer(area.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    QPainter p(&layer);
    p.setRenderHints(painter.renderHints());
    p.setLayoutDirection(painter.layoutDirection());
    p.translate(-area.topLeft());
    p.scale(scale, scale);
    p.setFont(f);
    p.setPen(color);
    p.drawText(at, text);
    p.end();
    return layer;
}

// The pixels of `layer` whose alpha reaches `threshold`, in the picture.
QRect Sheet::reach(const QImage &layer, const QRect &area, int threshold)
{
    QRect ink;
    for (int y = 0; y < layer.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(layer.constScanLine(y));
        for (int x = 0; x < layer.width(); ++x) {
            if (qAlpha(row[x]) >= threshold)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink.translated(area.topLeft());
}

void Sheet::record(const QString &text, const QFont &f, const QJsonArray &box, const QJsonArray &ink,
                   const QString &kind)
{
    QJsonObject truth;
    truth["text"] = text;
    truth["box"] = box;
    truth["ink"] = ink;
    truth["px"] = f.pixelSize();
    truth["kind"] = kind;
    lines.append(truth);
}

QJsonArray Sheet::inkBox(const QString &text, const QFont &f, const QColor &color, QPointF at, const QRectF &tight)
{
    const QRect area = QRectF(tight.topLeft() * scale, tight.size() * scale).toAlignedRect().adjusted(-8, -8, 8, 8);
    const QRect ink = reach(textLayer(text, f, color, at, area), area, 64);
    return QJsonArray{ink.x(), ink.y(), ink.width(), ink.height()};
}

void Sheet::hide(const QRectF &area)
{
    const QRectF hidden(area.topLeft() * scale, area.size() * scale);
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        const QJsonArray b = lines[i].toObject()["box"].toArray();
        if (hidden.intersects(QRectF(b[0].toDouble(), b[1].toDouble(), b[2].toDouble(), b[3].toDouble()))) {
            partial.append(b);
            lines.removeAt(i);
        }
    }
    for (qsizetype i = pictograms.size() - 1; i >= 0; --i) {
        const QJsonArray b = pictograms[i].toArray();
        if (hidden.contains(QRectF(b[0].toDouble(), b[1].toDouble(), b[2].toDouble(), b[3].toDouble())))
            pictograms.removeAt(i);
    }
}

void Sheet::pictogram(const QRectF &area)
{
    pictograms.append(QJsonArray{area.x() * scale, area.y() * scale, area.width() * scale, area.height() * scale});
}

WidgetColors Sheet::widgets() const
{
    return theme.dark ? WidgetColors{theme.accent, "#48484a", theme.field, "#8e8e93", "#f2f2f2"}
                      : WidgetColors{theme.accent, "#d1d1d6", theme.field, "#aeaeb2", "#ffffff"};
}
