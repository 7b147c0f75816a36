// SPDX-License-Identifier: GPL-3.0-or-later

#include "FileNames.h"
#include "PageKinds.h"
#include "Photo.h"
#include "Pictograms.h"
#include "Sheet.h"

#include <QFontMetricsF>

namespace {

void pushButton(Sheet &s, const QRectF &r, const QString &text, bool primary)
{
    s.painter.setPen(primary ? Qt::NoPen : QPen(s.widgets().border, 1));
    s.painter.setBrush(primary ? s.theme.accent : s.theme.field);
    s.painter.drawRoundedRect(r, 6, 6);
    s.write(text, s.font(s.bodyPx), primary ? QColor(Qt::white) : s.theme.text, r.left() + 6, r.right() - 6,
            r.center().y() + s.bodyPx * 0.36, Place::Centre, primary ? "accent" : "body");
}

} // namespace

void toastPage(Sheet &s, const PageText &t, int variant)
{
    s.painter.save();
    s.painter.resetTransform();
    s.painter.drawImage(0, 0, photograph(s.image.size(), Scene::Wallpaper, s.theme.dark, quint32(variant) * 31u + 5u));
    s.painter.restore();
    const QRectF card(10, 10, s.width - 20, s.height - 20);
    drawPanel(s.painter, card, 12, s.theme.dark ? QColor("#2c2c2e") : QColor("#fdfdfd"), s.widgets().track);
    const QRectF badge(s.fromStart(card.left(), card.right(), 14, 36), card.top() + 14, 36, 36);
    s.painter.setPen(Qt::NoPen);
    s.painter.setBrush(QColor::fromHsv((variant * 61) % 360, 170, 215));
    s.painter.drawEllipse(badge);
    drawPictogram(s, badge.adjusted(8, 8, -8, -8), Pictogram(variant % pictogramKinds), Qt::white, variant % 3 == 1);
    s.pictogram(badge);
    const qreal left = s.rtl ? card.left() + 40 : card.left() + 62,
                right = s.rtl ? card.right() - 62 : card.right() - 40;
    drawRecordedIcon(s, QRectF(s.fromStart(card.left(), card.right(), card.width() - 30, 12), card.top() + 14, 12, 12),
                     4, s.theme.secondary);
    const qreal first = card.top() + 18 + s.bodyPx;
    s.write(t.ui.names[variant % t.ui.names.size()], s.font(s.bodyPx + 1, true), s.theme.text, s.rtl ? left + 60 : left,
            s.rtl ? right : right - 60, first, Place::Start, "name");
    s.write(QStringLiteral("%1:%2").arg(8 + variant % 12).arg(variant * 7 % 60, 2, 10, QChar('0')),
            s.font(s.bodyPx - 1), s.theme.secondary, left, right, first, Place::End, "small");
    s.write(shortMessage(t.contentShort, variant), s.font(s.bodyPx + 1), s.theme.text, left, right,
            first + s.bodyPx + 10, Place::Start, "body");
}

void dialogPage(Sheet &s, const PageText &t, int variant)
{
    s.painter.fillRect(QRectF(0, 0, s.width, s.height), s.theme.window);
    s.painter.setPen(QPen(s.widgets().track, 1));
    s.painter.setBrush(Qt::NoBrush);
    s.painter.drawRect(QRectF(0.5, 0.5, s.width - 1, s.height - 1));
    const qreal left = 24, right = s.width - 24;
    drawPictogram(s, QRectF(s.fromStart(left, right, 0, 36), 22, 36, 36), Pictogram::Warning, QColor("#f0a020"), false);
    const qreal textLeft = s.rtl ? left : left + 52, textRight = s.rtl ? right - 52 : right;
    const ShortPhrases &p = t.uiShort;
    s.write(p.negations[variant % p.negations.size()], s.font(s.bodyPx + 3, true), s.theme.text, textLeft, textRight,
            30 + s.bodyPx, Place::Start, "heading");
    const bool detail = variant % 2;
    if (detail) {
        // Mixed pages name a file in the content's script.
        const FileNames &names = fileNames(t.content.language);
        const QString line = t.group.startsWith("mixed")              ? names.files[variant % names.files.size()]
                             : !p.mixed.isEmpty() && variant % 4 == 1 ? p.mixed[variant / 4 % p.mixed.size()]
                                                                      : p.edges[variant / 2 % p.edges.size()];
        s.write(line, s.font(s.bodyPx), s.theme.secondary, textLeft, textRight, 30 + 2 * s.bodyPx + 12, Place::Start,
                "secondary");
    }
    const QStringList &buttons = p.buttons;
    const qreal bw = 120, bh = s.bodyPx + 16, top = s.height - bh - 18;
    pushButton(s, QRectF(s.fromStart(left, right, right - left - bw, bw), top, bw, bh),
               buttons[detail ? 0 : 2 + variant % 2], true);
    if (!detail)
        pushButton(s, QRectF(s.fromStart(left, right, right - left - 2 * bw - 12, bw), top, bw, bh), buttons[1], false);
}

void bannerPage(Sheet &s, const PageText &t, int variant)
{
    s.painter.fillRect(QRectF(0, 0, s.width, s.height), s.theme.window);
    const bool error = variant % 2;
    const QRectF strip(0, 0, s.width, 48);
    s.painter.fillRect(strip, error ? QColor("#c62f2f") : QColor("#f6c344"));
    const QColor ink = error ? QColor(Qt::white) : QColor("#2a2208");
    drawPictogram(s, QRectF(s.fromStart(0, s.width, 16, 22), 13, 22, 22), error ? Pictogram::Warning : Pictogram::Bell,
                  ink, false);
    drawRecordedIcon(s, QRectF(s.fromStart(0, s.width, s.width - 32, 14), 17, 14, 14), 4, ink);
    const QString action = t.uiShort.buttons[2];
    const QFont bold = s.font(s.bodyPx + 1, true);
    const qreal actionWidth = QFontMetricsF(bold).horizontalAdvance(action) + 24;
    const qreal end = s.width - 48;
    s.write(action, bold, ink, s.fromStart(0, s.width, end - actionWidth, actionWidth),
            s.fromStart(0, s.width, end - actionWidth, actionWidth) + actionWidth, 24 + s.bodyPx * 0.38, Place::End,
            error ? "accent" : "body");
    s.write(shortMessage(t.uiShort, variant), s.font(s.bodyPx + 1), ink, s.rtl ? 64 + actionWidth : 50,
            s.rtl ? s.width - 50 : end - actionWidth - 16, 24 + s.bodyPx * 0.38, Place::Start,
            error ? "accent" : "body");
    s.write(t.content.sentences[variant % t.content.sentences.size()], s.font(s.bodyPx + 1), s.theme.secondary, 24,
            s.width - 24, 48 + 30 + s.bodyPx, Place::Start, "secondary");
}
