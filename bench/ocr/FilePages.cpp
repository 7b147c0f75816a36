// SPDX-License-Identifier: GPL-3.0-or-later

#include "FileNames.h"
#include "PageKinds.h"
#include "Pictograms.h"
#include "Sheet.h"

namespace {

struct Entry {
    QString name;
    bool folder;
};

// Folders first, then files, each list turned by `variant`. The group
// "mixed-scripts" takes its names from several scripts in turn.
QList<Entry> entries(const PageText &t, int variant)
{
    const QStringList languages = t.group == "mixed-scripts"
                                      ? QStringList{"he", "ar", "ru", "el", "ja", "zh_CN", "uk", "en"}
                                      : QStringList{t.content.language};
    QList<Entry> list;
    for (int i = 0; i < 40; ++i) {
        const bool folder = i < 10;
        const int k = folder ? i : i - 10;
        const FileNames &names = fileNames(languages[k % languages.size()]);
        const QStringList &from = folder ? names.folders : names.files;
        list.append({from[(k / languages.size() + variant) % from.size()], folder});
    }
    return list;
}

QString sizeOf(int i, int variant)
{
    quint32 h = quint32(i + 1) * 2654435761u + quint32(variant) * 40503u;
    h = (h ^ (h >> 15)) * 2246822519u;
    const int k = int((h ^ (h >> 13)) % 1000);
    if (k % 3 == 0)
        return QStringLiteral("%1 kB").arg(12 + k % 900);
    if (k % 3 == 1)
        return QStringLiteral("%1.%2 MB").arg(1 + k % 40).arg(k % 10);
    return QStringLiteral("%1 bytes").arg(100 + k);
}

QString dateOf(int i, int variant)
{
    static const char *months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const int k = i * 13 + variant;
    if (k % 7 == 0)
        return QStringLiteral("%1:%2").arg(8 + k % 12).arg(k * 7 % 60, 2, 10, QChar('0'));
    if (k % 7 == 1)
        return "Yesterday";
    return QStringLiteral("%1 %2 %3").arg(1 + k % 28).arg(months[k % 12]).arg(2019 + k % 6);
}

void places(Sheet &s, const QRectF &side, int variant)
{
    static const QStringList names{"Recent", "Starred",  "Home",   "Documents", "Downloads",
                                   "Music",  "Pictures", "Videos", "Trash",     "Other Locations"};
    s.painter.fillRect(side, s.theme.sidebar);
    for (int i = 0; i < names.size(); ++i) {
        const QRectF row(side.left() + 8, side.top() + 10 + i * (s.bodyPx + 18), side.width() - 16, s.bodyPx + 12);
        const bool selected = i == 3;
        if (selected) {
            s.painter.setPen(Qt::NoPen);
            s.painter.setBrush(s.theme.bubble);
            s.painter.drawRoundedRect(row, 6, 6);
        }
        drawRecordedIcon(s, QRectF(row.left() + 8, row.center().y() - 8, 16, 16), i + variant, s.theme.secondary);
        s.write(names[i], s.font(s.bodyPx, selected), s.theme.text, row.left() + 34, row.right() - 4,
                row.center().y() + s.bodyPx * 0.38, Place::Start, "name");
    }
}

} // namespace

void fileListPage(Sheet &s, const PageText &t, int variant)
{
    s.painter.fillRect(QRectF(0, 0, s.width, s.height), s.theme.window);
    const qreal header = 46, side = 210;
    s.painter.fillRect(QRectF(0, 0, s.width, header), s.theme.sidebar);
    drawSeparator(s.painter, 0, s.width, header - 1, s.widgets().track);
    // Back (the chevron turned round) and forward.
    s.painter.save();
    s.painter.translate(32, 0);
    s.painter.scale(-1, 1);
    drawIcon(s.painter, QRectF(0, 14, 18, 18), 5, s.theme.secondary);
    s.painter.restore();
    s.pictogram(QRectF(14, 14, 18, 18));
    drawRecordedIcon(s, QRectF(44, 14, 18, 18), 5, s.theme.secondary);
    drawRecordedIcon(s, QRectF(s.width - 40, 14, 18, 18), 0, s.theme.secondary);
    drawRecordedIcon(s, QRectF(s.width - 72, 14, 18, 18), 1, s.theme.secondary);
    s.write("Documents", s.font(s.bodyPx + 2, true), s.theme.text, 0, s.width, 28, Place::Centre, "heading");
    places(s, QRectF(0, header, side, s.height - header), variant);
    const qreal left = side + 16, right = s.width - 16, rowHeight = s.bodyPx + 12;
    const qreal dateColumn = right - 170, sizeColumn = dateColumn - 120;
    const QFont small = s.font(s.bodyPx, true);
    s.write("Name", small, s.theme.secondary, left + 34, sizeColumn - 16, header + 22, Place::Start, "small");
    s.write("Size", small, s.theme.secondary, sizeColumn, dateColumn - 16, header + 22, Place::Start, "small");
    s.write("Modified", small, s.theme.secondary, dateColumn, right, header + 22, Place::Start, "small");
    drawSeparator(s.painter, left, right, header + 32, s.widgets().track);
    const QList<Entry> list = entries(t, variant);
    const QFont body = s.font(s.bodyPx + 1);
    qreal y = header + 36;
    for (int i = 0; i < list.size() && y + rowHeight < s.height - 4; ++i, y += rowHeight) {
        const QRectF row(left, y, right - left, rowHeight);
        const bool selected = i == 2 + variant % 9;
        if (selected || i % 2)
            s.painter.fillRect(row, selected ? s.theme.accent : s.theme.dark ? QColor("#242426") : QColor("#f7f7f9"));
        const QRectF icon(left + 6, row.center().y() - 9, 20, 18);
        drawFileIcon(s, icon, list[i].folder, i);
        const QColor text = selected ? QColor(Qt::white) : s.theme.text;
        const QColor secondary = selected ? QColor("#dce9ff") : s.theme.secondary;
        const qreal baseline = row.center().y() + s.bodyPx * 0.38;
        s.write(list[i].name, body, text, left + 34, sizeColumn - 16, baseline, Place::Start,
                selected ? "accent" : "name");
        s.write(list[i].folder ? QStringLiteral("%1 items").arg(2 + (i * 5 + variant) % 40) : sizeOf(i, variant), body,
                secondary, sizeColumn, dateColumn - 16, baseline, Place::Start, "small");
        s.write(dateOf(i, variant), body, secondary, dateColumn, right, baseline, Place::Start, "small");
    }
}
