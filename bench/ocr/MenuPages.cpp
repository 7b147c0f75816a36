// SPDX-License-Identifier: GPL-3.0-or-later

#include "PageKinds.h"
#include "Pictograms.h"
#include "Sheet.h"

#include <QFontMetricsF>

namespace {

struct MenuItem {
    QString label, shortcut;
    int icon = -1; // an outline icon of Widgets.h
    bool submenu = false, check = false, disabled = false;
};

QString keys(const ShortPhrases &p, const QString &key, bool shift = false)
{
    return p.ctrl + '+' + (shift ? p.shift + '+' : QString()) + key;
}

// A file manager's context menu; an empty label is a separator. Right-to-left
// languages have two more entries with Latin names in them.
QList<MenuItem> fileMenu(const ShortPhrases &p, int variant)
{
    const QStringList &m = p.menu;
    QList<MenuItem> items{{m[Open], keys(p, "O"), 7},
                          {m[OpenWith], {}, -1, true},
                          {},
                          {m[Cut], keys(p, "X"), 4},
                          {m[Copy], keys(p, "C"), 1},
                          {m[Paste], keys(p, "V"), 6, false, false, true},
                          {},
                          {m[Rename], "F2"},
                          {m[Trash], "Del", 8},
                          {m[Compress], {}},
                          {},
                          {m[NewFolder], keys(p, "N", true), 0},
                          {m[Hidden], keys(p, "H"), -1, false, true},
                          {m[SortBy], {}, -1, true},
                          {m[SelectAll], keys(p, "A")},
                          {},
                          {m[Info], keys(p, "I"), 3}};
    if (!p.mixed.isEmpty()) {
        items.insert(2, {p.mixed[variant % p.mixed.size()], {}});
        items.insert(11, {p.mixed[(variant + 3) % p.mixed.size()], {}});
    }
    // 6 to 14 entries from one of three places, without separators at the
    // menu's ends.
    const int count = 6 + variant % 9;
    qsizetype first = (variant / 3 % 3) * 3;
    while (items[first].label.isEmpty())
        ++first;
    QList<MenuItem> shown;
    for (qsizetype i = first; i < items.size() && shown.size() < count + 4; ++i) {
        if (items[i].label.isEmpty() && (shown.isEmpty() || shown.last().label.isEmpty()))
            continue;
        shown.append(items[i]);
        if (std::count_if(shown.begin(), shown.end(), [](const MenuItem &m) { return !m.label.isEmpty(); }) == count)
            break;
    }
    while (shown.last().label.isEmpty())
        shown.removeLast();
    return shown;
}

// An arrow pointing where a submenu opens: towards the reading's end.
void drawSubmenuArrow(Sheet &s, const QRectF &r, const QColor &color)
{
    s.painter.save();
    s.painter.setPen(QPen(color, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const qreal tip = s.rtl ? r.left() + 0.3 * r.width() : r.right() - 0.3 * r.width();
    const qreal back = s.rtl ? r.right() - 0.3 * r.width() : r.left() + 0.3 * r.width();
    s.painter.drawPolyline(QPolygonF{QPointF(back, r.top() + 0.2 * r.height()), QPointF(tip, r.center().y()),
                                     QPointF(back, r.bottom() - 0.2 * r.height())});
    s.painter.restore();
    s.pictogram(r);
}

void drawCheckMark(Sheet &s, const QRectF &r, const QColor &color)
{
    s.painter.save();
    s.painter.setPen(QPen(color, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    s.painter.drawPolyline(QPolygonF{r.topLeft() + QPointF(0.15 * r.width(), 0.55 * r.height()),
                                     r.topLeft() + QPointF(0.4 * r.width(), 0.8 * r.height()),
                                     r.topLeft() + QPointF(0.85 * r.width(), 0.2 * r.height())});
    s.painter.restore();
    s.pictogram(r);
}

// The window behind the menu: a file manager showing icons with the
// content's names under them.
void iconWindow(Sheet &s, const PageText &t, int variant)
{
    s.painter.fillRect(QRectF(0, 0, s.width, s.height), s.theme.window);
    s.painter.fillRect(QRectF(0, 0, s.width, 40), s.theme.sidebar);
    s.write(t.ui.titles[variant % t.ui.titles.size()], s.font(13, true), s.theme.text, 0, s.width, 25, Place::Centre,
            "heading");
    const QStringList names = t.content.names + t.content.titles;
    const qreal cell = 132, left = 30;
    const int columns = int((s.width - 2 * left) / cell);
    const QFont label = s.font(s.bodyPx);
    for (int i = 0; i < std::min<qsizetype>(names.size(), 3 * columns); ++i) {
        const qreal x = s.fromStart(left, s.width - left, (i % columns) * cell, cell), y = 64 + (i / columns) * 118;
        drawFileIcon(s, QRectF(x + cell / 2 - 26, y, 52, 48), (i + variant) % 3 != 0, i);
        s.write(names[(i + variant) % names.size()], label, s.theme.text, x + 4, x + cell - 4, y + 66 + s.bodyPx,
                Place::Centre, "name");
    }
}

} // namespace

void contextMenuPage(Sheet &s, const PageText &t, int variant)
{
    iconWindow(s, t, variant);
    s.painter.fillRect(QRectF(0, 0, s.width, s.height), QColor(0, 0, 0, s.theme.dark ? 120 : 80));
    const QList<MenuItem> items = fileMenu(t.uiShort, variant);
    const QFont f = s.font(s.bodyPx + 1);
    const QFontMetricsF metrics(f);
    qreal labels = 0, shortcuts = 0;
    for (const MenuItem &item : items) {
        labels = std::max(labels, metrics.horizontalAdvance(item.label));
        shortcuts = std::max(shortcuts, metrics.horizontalAdvance(item.shortcut));
    }
    const bool icons = variant % 2 == 0;
    const qreal pad = icons ? 40 : 28, itemHeight = s.bodyPx + 14;
    const qreal w = std::clamp(pad + labels + 40 + shortcuts + 16, 200.0, 460.0);
    qreal h = 12;
    for (const MenuItem &item : items)
        h += item.label.isEmpty() ? 9 : itemHeight;
    // Menus open where the pointer is, but always whole on the screen.
    const QRectF menu(std::min(s.width * (0.15 + 0.08 * (variant % 7)), s.width - w - 12.0),
                      std::min(70.0 + (variant * 37) % 140, s.height - h - 12.0), w, h);
    s.hide(menu);
    const QColor fill = s.theme.dark ? QColor("#2b2b2e") : QColor("#fbfbfb");
    drawPanel(s.painter, menu, 8, fill, s.theme.dark ? QColor("#48484a") : QColor("#d6d6d6"));
    const int highlighted = 1 + variant % 3;
    qreal y = menu.top() + 6;
    for (int i = 0; i < items.size(); ++i) {
        const MenuItem &item = items[i];
        if (item.label.isEmpty()) {
            drawSeparator(s.painter, menu.left() + 10, menu.right() - 10, y + 4, s.widgets().track);
            y += 9;
            continue;
        }
        const QRectF row(menu.left() + 5, y, w - 10, itemHeight);
        const bool lit = i == highlighted && !item.disabled;
        if (lit) {
            s.painter.setPen(Qt::NoPen);
            s.painter.setBrush(s.theme.accent);
            s.painter.drawRoundedRect(row, 5, 5);
        }
        QColor text = lit ? QColor(Qt::white) : s.theme.text;
        if (item.disabled)
            text.setAlpha(90);
        const QColor secondary = lit ? QColor("#dce9ff") : s.theme.secondary;
        const qreal mark = s.bodyPx + 3, markTop = row.center().y() - mark / 2;
        if (item.check)
            drawCheckMark(s, QRectF(s.fromStart(row.left(), row.right(), 8, mark), markTop, mark, mark), text);
        else if (icons && item.icon >= 0)
            drawRecordedIcon(s, QRectF(s.fromStart(row.left(), row.right(), 8, mark), markTop, mark, mark), item.icon,
                             text);
        const qreal baseline = row.center().y() + s.bodyPx * 0.38;
        const qreal labelStart = item.check ? std::max(pad, 28.0) : pad;
        s.write(item.label, f, text, s.rtl ? row.left() + 12 + shortcuts : row.left() + labelStart,
                s.rtl ? row.right() - labelStart : row.right() - 12 - shortcuts, baseline, Place::Start,
                lit             ? "accent"
                : item.disabled ? "disabled"
                                : "menu");
        if (item.submenu)
            drawSubmenuArrow(s,
                             QRectF(s.fromStart(row.left(), row.right(), row.width() - 20, 12), baseline - 10, 12, 12),
                             secondary);
        else if (!item.shortcut.isEmpty())
            s.write(item.shortcut, f, item.disabled ? text : secondary, row.left() + 12, row.right() - 12, baseline,
                    Place::End, "shortcut");
        y += itemHeight;
    }
}

void settingsPage(Sheet &s, const PageText &t, int variant)
{
    s.painter.fillRect(QRectF(0, 0, s.width, s.height), s.theme.window);
    const qreal side = std::min(300.0, s.width * 0.26);
    const QRectF sidebar(s.fromStart(0, s.width, 0, side), 0, side, s.height);
    s.painter.fillRect(sidebar, s.theme.sidebar);
    const QStringList &titles = t.ui.titles;
    const QFont body = s.font(s.bodyPx + 1);
    for (int i = 0; i < 10; ++i) {
        const QRectF row(sidebar.left() + 10, 56 + i * (s.bodyPx + 20), side - 20, s.bodyPx + 14);
        const bool selected = i == variant % 4;
        if (selected) {
            s.painter.setPen(Qt::NoPen);
            s.painter.setBrush(s.theme.accent);
            s.painter.drawRoundedRect(row, 6, 6);
        }
        const QColor colour = selected ? QColor(Qt::white) : s.theme.text;
        drawRecordedIcon(s, QRectF(s.fromStart(row.left(), row.right(), 8, 16), row.center().y() - 8, 16, 16),
                         i + variant, colour);
        s.write(titles[(variant + i) % titles.size()], body, colour, row.left() + 34, row.right() - 34,
                row.center().y() + s.bodyPx * 0.38, Place::Start, selected ? "accent" : "name");
    }
    const qreal left = s.rtl ? 40 : side + 40, right = s.rtl ? s.width - side - 40 : s.width - 40;
    s.write(titles[(variant + variant % 4) % titles.size()], s.font(s.bodyPx + 10, true), s.theme.text, left, right, 60,
            Place::Start, "heading");
    const QColor card = s.theme.dark ? QColor("#2c2c2e") : QColor("#f4f4f6");
    qreal y = 90;
    const int rows = 8 + variant % 3;
    const WidgetColors c = s.widgets();
    const auto twoLines = [variant](int i) { return (i + variant) % 3 != 1; };
    const auto heightOf = [&](int i) { return twoLines(i) ? s.bodyPx * 2 + 26.0 : s.bodyPx + 26.0; };
    for (int i = 0; i < rows; ++i) {
        const qreal h = heightOf(i);
        const bool firstOfCard = i == 0 || i == rows / 2, lastOfCard = i == rows / 2 - 1 || i == rows - 1;
        s.painter.setPen(Qt::NoPen);
        if (firstOfCard) {
            qreal cardHeight = 0;
            for (int j = i; j < (i == 0 ? rows / 2 : rows); ++j)
                cardHeight += heightOf(j);
            s.painter.setBrush(card);
            s.painter.drawRoundedRect(QRectF(left, y, right - left, cardHeight), 10, 10);
        }
        if (!firstOfCard)
            drawSeparator(s.painter, left + 56, right - 16, y, c.track);
        const QRectF badge(s.fromStart(left, right, 16, 28), y + h / 2 - 14, 28, 28);
        s.painter.setBrush(QColor::fromHsv((variant * 40 + i * 67) % 360, 170, 220));
        s.painter.drawRoundedRect(badge, 7, 7);
        drawPictogram(s, badge.adjusted(6, 6, -6, -6), Pictogram((variant + i) % pictogramKinds), Qt::white,
                      i % 2 == 1);
        s.pictogram(badge);
        const qreal textLeft = s.rtl ? left + 150 : left + 58, textRight = s.rtl ? right - 58 : right - 150;
        const qreal first = twoLines(i) ? y + 8 + s.bodyPx : y + h / 2 + s.bodyPx * 0.38;
        s.write(i % 4 == 2 ? shortMessage(t.uiShort, variant + i) : titles[(variant + i + 3) % titles.size()], body,
                s.theme.text, textLeft, textRight, first, Place::Start, "name");
        if (twoLines(i))
            s.write(i % 2 ? shortMessage(t.contentShort, variant + i + 1)
                          : t.content.sentences[(variant + i) % t.content.sentences.size()],
                    s.font(s.bodyPx - 1), s.theme.secondary, textLeft, textRight, first + s.bodyPx + 6, Place::Start,
                    "secondary");
        if ((i + variant) % 4 == 3) {
            const QString value = QStringLiteral("%1%").arg(20 + (variant * 7 + i * 13) % 80);
            const qreal valueLeft = s.fromStart(left, right, right - left - 140, 100);
            s.write(value, body, s.theme.secondary, valueLeft, valueLeft + 100, y + h / 2 + s.bodyPx * 0.38, Place::End,
                    "small");
            drawSubmenuArrow(s, QRectF(s.fromStart(left, right, right - left - 32, 14), y + h / 2 - 7, 14, 14),
                             s.theme.secondary);
        } else {
            drawToggle(s.painter, QRectF(s.fromStart(left, right, right - left - 60, 44), y + h / 2 - 12, 44, 24),
                       (i + variant) % 3 != 0, c);
        }
        y += h + (lastOfCard ? 24 : 0);
    }
}
