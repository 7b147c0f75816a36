// SPDX-License-Identifier: GPL-3.0-or-later

#include "PageKinds.h"
#include "Photo.h"
#include "Pictograms.h"
#include "Sheet.h"

#include <QDate>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRegularExpression>

namespace {

Scene sceneFor(bool night, int variant)
{
    static const Scene day[] = {Scene::Mountains, Scene::Meadow, Scene::Sea, Scene::Wallpaper};
    static const Scene dark[] = {Scene::City, Scene::Sea, Scene::Mountains, Scene::Wallpaper};
    return night ? dark[variant % 4] : day[variant % 4];
}

void photoBackground(Sheet &s, Scene scene, int variant)
{
    s.painter.save();
    s.painter.resetTransform();
    s.painter.drawImage(0, 0, photograph(s.image.size(), scene, s.theme.dark, quint32(variant) * 7919u + 13u));
    s.painter.restore();
}

// A band of shade from `from` to `to` (top to bottom) that fades out towards
// the middle of the picture, or towards both of its ends.
enum class Fade { Down, Up, Both };

void scrim(Sheet &s, qreal from, qreal to, int alpha, Fade fade)
{
    QLinearGradient g(0, from, 0, to);
    const QColor shade(0, 0, 0, alpha), clear(0, 0, 0, 0);
    g.setColorAt(0, fade == Fade::Down ? shade : clear);
    g.setColorAt(1, fade == Fade::Up ? shade : clear);
    if (fade == Fade::Both) {
        g.setColorAt(0.3, shade);
        g.setColorAt(0.7, shade);
    }
    s.painter.fillRect(QRectF(0, from, s.width, to - from), g);
}

// The locale's long date without the year: "Tuesday, May 14", "5月14日火曜日".
QString dateWithoutYear(const QLocale &locale, QDate date)
{
    QString format = locale.dateFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("(\\s*'[^']*')?[\\s,،.]*y+(\\s*[年년])?(\\s*'[^']*'\\.?)?")));
    return locale.toString(date, format.trimmed());
}

// The lock screen's time, or a time `earlier` minutes before it.
QString clock(int variant, int earlier = 0)
{
    const int minutes = (6 + variant % 17) * 60 + (variant * 23 + 7) % 60 - earlier;
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QChar('0'));
}

// A row of five rating stars, some empty.
void stars(Sheet &s, qreal x, qreal y, qreal size, int lit, bool glyph)
{
    for (int i = 0; i < 5; ++i)
        drawPictogram(s, QRectF(s.fromStart(x, x + 5 * size * 1.2, i * size * 1.2, size), y, size, size),
                      Pictogram::Star, i < lit ? QColor("#ffcc33") : QColor(255, 255, 255, 120), glyph);
}

// A frosted card of the lock screen; returns the colour of text on it.
QColor lockCard(Sheet &s, const QRectF &card)
{
    s.painter.setPen(Qt::NoPen);
    s.painter.setBrush(s.theme.dark ? QColor(30, 30, 34, 170) : QColor(250, 250, 252, 205));
    s.painter.drawRoundedRect(card, 16, 16);
    return s.theme.dark ? QColor("#f2f2f2") : QColor("#1c1c1e");
}

void notification(Sheet &s, const PageText &t, const QRectF &card, int variant)
{
    const QColor text = lockCard(s, card);
    const QColor secondary = s.theme.dark ? QColor("#b0b0b6") : QColor("#5c5c63");
    const QRectF badge(s.fromStart(card.left(), card.right(), 14, 26), card.top() + 12, 26, 26);
    s.painter.setBrush(QColor::fromHsv((variant * 53) % 360, 180, 210));
    s.painter.drawRoundedRect(badge, 6, 6);
    drawPictogram(s, badge.adjusted(5, 5, -5, -5), Pictogram(variant % pictogramKinds), Qt::white, variant % 2);
    s.pictogram(badge);
    const qreal left = s.rtl ? card.left() + 16 : card.left() + 50,
                right = s.rtl ? card.right() - 50 : card.right() - 16;
    const int px = 13 + variant % 3;
    s.write(t.ui.titles[(variant + 1) % t.ui.titles.size()], s.font(px - 1), secondary, s.rtl ? left + 70 : left,
            s.rtl ? right : right - 70, card.top() + 30, Place::Start, "small");
    s.write(clock(variant, 2 + variant % 40), s.font(px - 1), secondary, left, right, card.top() + 30, Place::End,
            "small");
    s.write(t.content.names[variant % t.content.names.size()], s.font(px, true), text, left, right, card.top() + 54,
            Place::Start, "name");
    s.write(variant % 2 ? shortMessage(t.contentShort, variant)
                        : t.content.sentences[variant % t.content.sentences.size()],
            s.font(px), text, left, right, card.top() + 54 + px + 8, Place::Start, "body");
}

// A music player's card: a note, the song and the artist, the buttons.
void mediaCard(Sheet &s, const PageText &t, const QRectF &card, int variant)
{
    const QColor text = lockCard(s, card);
    drawPictogram(s, QRectF(s.fromStart(card.left(), card.right(), 16, 22), card.top() + 14, 22, 22), Pictogram::Note,
                  text, variant % 3 != 0);
    const qreal left = s.rtl ? card.left() + 130 : card.left() + 48,
                right = s.rtl ? card.right() - 48 : card.right() - 130;
    s.write(t.content.names[(variant + 2) % t.content.names.size()], s.font(14, true), text, left, right,
            card.top() + 30, Place::Start, "name");
    s.write(t.content.names[(variant + 5) % t.content.names.size()], s.font(13), text, left, right, card.top() + 50,
            Place::Start, "secondary");
    const Pictogram buttons[] = {Pictogram::Heart, Pictogram::Play, Pictogram::Star};
    for (int i = 0; i < 3; ++i)
        drawPictogram(
            s, QRectF(s.fromStart(card.left(), card.right(), card.width() - 110 + i * 32, 20), card.top() + 22, 20, 20),
            buttons[i], text, (variant + i) % 2);
}

} // namespace

void posterPage(Sheet &s, const PageText &t, int variant)
{
    photoBackground(s, sceneFor(s.theme.dark, variant), variant);
    const int headPx = qRound(s.height * (0.07 + 0.012 * (variant % 4)));
    const Place place = variant % 3 == 0 ? Place::Centre : variant % 3 == 1 ? Place::Start : Place::End;
    const qreal top = s.height * (0.14 + 0.1 * (variant % 4));
    const bool darkText = !s.theme.dark && variant % 4 == 1;
    if (variant % 2 && !darkText)
        scrim(s, top - headPx * 1.2, top + headPx * 4.2, 120, Fade::Both);
    const QColor colour = darkText ? QColor("#16161a") : QColor(Qt::white);
    const Halo halo = darkText ? Halo::None : Halo::Shadow;
    QFont head = s.font(headPx, true);
    if (variant % 3 == 2)
        head.setWeight(QFont::Black);
    const QString headline = variant % 2 ? t.content.names[variant % t.content.names.size()]
                                         : t.content.titles[variant % t.content.titles.size()];
    const qreal margin = s.width * 0.07;
    const QRectF drawn = s.write(headline, head, colour, margin, s.width - margin, top + headPx, place, "photo", halo);
    const int subPx = std::max(12, qRound(headPx * 0.36));
    s.write(t.content.sentences[variant % t.content.sentences.size()], s.font(subPx), colour, margin, s.width - margin,
            top + headPx * 1.9, place, "photo", halo);
    const qreal below = top + headPx * 1.9 + subPx * 1.6;
    const QString action = t.ui.titles[(variant + 5) % t.ui.titles.size()];
    const QFont actionFont = s.font(subPx, true);
    const qreal rowWidth =
        variant % 2 ? subPx * 6 : std::min(QFontMetricsF(actionFont).horizontalAdvance(action) + 2.4 * subPx, 400.0);
    const qreal x = place == Place::Centre             ? (s.width - rowWidth) / 2
                    : (place == Place::Start) != s.rtl ? drawn.left()
                                                       : drawn.right() - rowWidth;
    if (variant % 2) {
        stars(s, x, below, subPx, 3 + variant % 3, variant % 4 == 1);
        return;
    }
    const QRectF pill(x, below, rowWidth, subPx * 2.4);
    s.painter.setPen(Qt::NoPen);
    s.painter.setBrush(s.theme.accent);
    s.painter.drawRoundedRect(pill, pill.height() / 2, pill.height() / 2);
    s.write(action, actionFont, Qt::white, pill.left() + subPx, pill.right() - subPx, pill.center().y() + subPx * 0.36,
            Place::Centre, "accent");
}

void videoPage(Sheet &s, const PageText &t, int variant)
{
    static const Scene frames[] = {Scene::Mountains, Scene::City, Scene::Sea, Scene::Meadow};
    photoBackground(s, frames[variant % 4], variant);
    scrim(s, 0, s.height * 0.16, 150, Fade::Down);
    scrim(s, s.height * 0.78, s.height, 190, Fade::Up);
    const int titlePx = std::max(13, qRound(s.height * 0.028));
    s.write(t.content.names[variant % t.content.names.size()], s.font(titlePx, true), Qt::white, 24, s.width - 24,
            24 + titlePx, Place::Start, "photo", Halo::Shadow);
    // Subtitles: white with a dark rim, or on a dark box.
    const int subPx = std::max(14, qRound(s.height * (0.04 + 0.005 * (variant % 3))));
    const QStringList &sentences = t.content.sentences;
    const int lines = 1 + variant % 2;
    for (int i = 0; i < lines; ++i) {
        const QString text = sentences[(variant + 2 * i) % sentences.size()];
        const qreal baseline = s.height * 0.86 - (lines - 1 - i) * subPx * 1.35 - subPx * 1.3;
        const QFont f = s.font(subPx, variant % 3 != 1);
        if (variant % 4 == 3) {
            const qreal w = std::min<qreal>(QFontMetricsF(f).horizontalAdvance(text), s.width * 0.84);
            s.painter.fillRect(QRectF((s.width - w) / 2 - 8, baseline - subPx * 1.05, w + 16, subPx * 1.35),
                               QColor(0, 0, 0, 170));
            s.write(text, f, Qt::white, s.width * 0.08, s.width * 0.92, baseline, Place::Centre, "subtitle");
        } else {
            s.write(text, f, variant % 5 == 2 ? QColor("#ffe14d") : QColor(Qt::white), s.width * 0.08, s.width * 0.92,
                    baseline, Place::Centre, "subtitle", Halo::Outline);
        }
    }
    // The player's controls run left to right in every language.
    const Qt::LayoutDirection direction = s.painter.layoutDirection();
    s.painter.setLayoutDirection(Qt::LeftToRight);
    const qreal bar = s.height - 44;
    s.painter.setPen(Qt::NoPen);
    s.painter.setBrush(QColor(255, 255, 255, 90));
    s.painter.drawRect(QRectF(16, bar, s.width - 32, 4));
    const qreal played = 16 + (s.width - 32) * (0.1 + 0.08 * (variant % 9));
    s.painter.setBrush(QColor("#ff3b30"));
    s.painter.drawRect(QRectF(16, bar, played - 16, 4));
    s.painter.drawEllipse(QPointF(played, bar + 2), 6, 6);
    drawPictogram(s, QRectF(20, bar + 14, 20, 20), Pictogram::Play, Qt::white, variant % 2);
    drawRecordedIcon(s, QRectF(54, bar + 14, 20, 20), 5, Qt::white);
    const int timePx = std::max(12, qRound(s.height * 0.016));
    const QString time = QStringLiteral("%1:%2 / %3:%4")
                             .arg(variant % 20)
                             .arg(variant * 13 % 60, 2, 10, QChar('0'))
                             .arg(20 + variant * 7 % 60)
                             .arg(variant * 29 % 60, 2, 10, QChar('0'));
    s.write(time, s.font(timePx), Qt::white, 88, s.width / 2.0, bar + 24 + timePx * 0.38,
            s.rtl ? Place::End : Place::Start, "small");
    drawPictogram(s, QRectF(s.width - 80, bar + 14, 20, 20), Pictogram::Gear, Qt::white, variant % 3 == 0);
    drawRecordedIcon(s, QRectF(s.width - 44, bar + 14, 20, 20), 8, Qt::white);
    s.painter.setLayoutDirection(direction);
}

void lockScreenPage(Sheet &s, const PageText &t, int variant)
{
    photoBackground(s, variant % 3 ? sceneFor(s.theme.dark, variant) : Scene::Wallpaper, variant);
    const QColor white(Qt::white);
    s.write(QStringLiteral("%1%").arg(30 + variant * 11 % 70), s.font(13), white, 56, s.width - 56, 24, Place::End,
            "small", Halo::Shadow);
    drawRecordedIcon(s, QRectF(s.fromStart(0, s.width, s.width - 44, 16), 12, 16, 16), 2, white);
    QFont thin = s.font(qRound(s.height * (0.15 + 0.03 * (variant % 3))));
    thin.setFamilies({"Noto Sans"});
    thin.setWeight(variant % 3 == 0 ? QFont::Thin : variant % 3 == 1 ? QFont::ExtraLight : QFont::Light);
    const qreal clockBaseline = s.height * (0.28 + 0.04 * (variant % 2));
    s.write(clock(variant), thin, white, 0, s.width, clockBaseline, Place::Centre, "clock", Halo::Shadow);
    const QDate date(2024, 1 + variant % 12, 1 + variant * 7 % 28);
    const int datePx = std::max(14, qRound(s.height * 0.03));
    s.write(dateWithoutYear(t.locale, date), s.font(datePx), white, 0, s.width, clockBaseline + datePx * 2.2,
            Place::Centre, "photo", Halo::Shadow);
    const qreal w = std::min(560.0, s.width * 0.5);
    const QRectF card((s.width - w) / 2, clockBaseline + datePx * 4, w, 96 + variant % 3 * 6);
    notification(s, t, card, variant);
    if (variant % 2)
        mediaCard(s, t, card.translated(0, card.height() + 12).adjusted(0, 0, 0, -20), variant);
}
