// SPDX-License-Identifier: GPL-3.0-or-later

#include "LineFinder.h"
#include "DotLattice.h"
#include "GlyphPieces.h"
#include "InkMask.h"
#include "LineEnds.h"
#include "LineImage.h"
#include "LineTone.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QTest>

namespace {

enum class Icon { None, Grid, Power, Check, EmptyBox, Radio, Avatar };

struct Row {
    QString text;
    Icon icon = Icon::None;
    QString aside = {}; // a short text at the row's other end: a time, a key, a count
};

struct Sheet {
    QImage image;
    QList<QRect> texts; // the tight box of every drawn text, in device pixels
};

const QColor accent("#0a7cff");

void drawIcon(QPainter &p, Icon icon, const QRectF &r, const QColor &ink, const QColor &paper)
{
    const double s = r.width();
    p.save();
    p.translate(r.topLeft());
    p.setPen(QPen(ink, std::max(1.2, s / 10), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    switch (icon) {
    case Icon::Grid:
        for (int i = 0; i < 4; ++i)
            p.drawRoundedRect(QRectF((0.08 + 0.5 * (i % 2)) * s, (0.08 + 0.5 * (i / 2)) * s, 0.34 * s, 0.34 * s), 1, 1);
        break;
    case Icon::Power:
        p.drawArc(QRectF(0.12 * s, 0.15 * s, 0.76 * s, 0.76 * s), 120 * 16, 300 * 16);
        p.drawLine(QPointF(0.5 * s, 0.05 * s), QPointF(0.5 * s, 0.5 * s));
        break;
    case Icon::Check:
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        p.drawRoundedRect(QRectF(0, 0, s, s), 0.2 * s, 0.2 * s);
        p.setPen(QPen(paper, 0.14 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF{{0.24 * s, 0.52 * s}, {0.43 * s, 0.7 * s}, {0.76 * s, 0.32 * s}});
        break;
    case Icon::EmptyBox:
        p.setPen(QPen(ink, 1.2));
        p.drawRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), 0.2 * s, 0.2 * s);
        break;
    case Icon::Radio:
        p.setPen(QPen(accent, 1.2));
        p.drawEllipse(QRectF(0.5, 0.5, s - 1, s - 1));
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        p.drawEllipse(QPointF(s / 2, s / 2), 0.28 * s, 0.28 * s);
        break;
    case Icon::Avatar:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor::fromHsv(200, 120, 200));
        p.drawEllipse(QRectF(0, 0, s, s));
        break;
    case Icon::None:
        break;
    }
    p.restore();
}

// Draws rows of an interface list: an optional icon at the reading start, a
// gap of 0.6 em, the text, and an optional short text at the other end.
Sheet drawSheet(const QList<Row> &rows, const QString &family, int px, int scale, bool dark, bool rightToLeft = false,
                bool bold = false)
{
    const QColor paper = dark ? QColor("#1e1e1e") : QColor("#fafafa");
    const QColor ink = dark ? QColor("#f2f2f2") : QColor("#1c1c1e");
    const int width = 360 + 12 * px, rowHeight = px * 2;
    Sheet sheet{QImage(width * scale, (rowHeight * rows.size() + px) * scale, QImage::Format_RGB32), {}};
    sheet.image.fill(paper);
    QPainter p(&sheet.image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    QFont font(family);
    font.setPixelSize(px);
    font.setBold(bold);
    p.setFont(font);
    const QFontMetricsF metrics(font);
    // The truth is the outline of the text's own glyphs: font metrics leave
    // out the marks that shaping stacks above and below.
    const auto write = [&](const QString &text, double x, double baseline) {
        p.setPen(ink);
        p.drawText(QPointF(x, baseline), text);
        QPainterPath path;
        path.addText(x, baseline, font, text);
        const QRectF outline = QTransform::fromScale(scale, scale).mapRect(path.boundingRect());
        sheet.texts.append(QRect(QPoint(qRound(outline.left()), qRound(outline.top())),
                                 QPoint(qRound(outline.right()) - 1, qRound(outline.bottom()) - 1)));
    };
    const double margin = px;
    for (int i = 0; i < rows.size(); ++i) {
        const Row &row = rows[i];
        const double top = px / 2.0 + i * rowHeight, baseline = top + rowHeight / 2.0 + px * 0.36;
        const double iconSize = row.icon == Icon::Avatar ? px * 1.8 : px * 1.2;
        const double textStart = row.icon == Icon::None ? margin : margin + iconSize + px * 0.6;
        const double advance = metrics.horizontalAdvance(row.text);
        if (row.icon != Icon::None) {
            const double x = rightToLeft ? width - margin - iconSize : margin;
            drawIcon(p, row.icon, QRectF(x, top + (rowHeight - iconSize) / 2, iconSize, iconSize), ink, paper);
        }
        write(row.text, rightToLeft ? width - textStart - advance : textStart, baseline);
        if (!row.aside.isEmpty()) {
            const double asideAdvance = metrics.horizontalAdvance(row.aside);
            write(row.aside, rightToLeft ? margin : width - margin - asideAdvance, baseline);
        }
    }
    return sheet;
}

// The outline of `text` in Noto Sans of `px` pixels, on `baseline` from `x`.
QPainterPath notoSans(const QString &text, int px, double x, double baseline, bool bold = false)
{
    QFont font("Noto Sans");
    font.setPixelSize(px);
    font.setBold(bold);
    QPainterPath path;
    path.addText(x, baseline, font, text);
    return path;
}

QString describe(const QList<QRect> &boxes)
{
    QStringList parts;
    for (const QRect &b : boxes)
        parts.append(QStringLiteral("(%1,%2 %3x%4)").arg(b.x()).arg(b.y()).arg(b.width()).arg(b.height()));
    return parts.join(' ');
}

// Every drawn text is found as one line of its own, and nothing else is:
// its box holds the text's ink and reaches no further than antialiasing and
// marks allow.
void verifyLines(const Sheet &sheet, int scale)
{
    const QList<QRect> found = findLines(inkMask(sheet.image.convertToFormat(QImage::Format_Grayscale8)));
    QVERIFY2(found.size() == sheet.texts.size(),
             qPrintable(QStringLiteral("found %1, drawn %2").arg(describe(found), describe(sheet.texts))));
    const int slack = 2 * scale;
    for (const QRect &text : sheet.texts) {
        const bool matched = std::any_of(found.begin(), found.end(), [&](const QRect &box) {
            return box.adjusted(-slack, -slack, slack, slack).contains(text) &&
                   text.adjusted(-slack, -slack, slack, slack).contains(box);
        });
        QVERIFY2(matched, qPrintable(QStringLiteral("drawn %1, found %2").arg(describe({text}), describe(found))));
    }
}

// A `dark` column: dark text on light paper, then light text on dark.
void lightAndDark()
{
    QTest::addColumn<bool>("dark");
    QTest::newRow("light") << false;
    QTest::newRow("dark") << true;
}

} // namespace

class LineFinderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Glyphs of many pieces (Han radicals, Hangul jamo, Thai vowels and tone
    // marks above and below, Arabic dots) make one line each, however close
    // the rows, and rows do not merge. With widgets, icons, check boxes, radio
    // buttons and avatars before a label stay out of its line, and short texts
    // at the row's other end (a time, a key, a count, a date with its time)
    // are lines of their own.
    void findsEachTextAsOneLine_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<int>("scale");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<bool>("widgets");
        QTest::addColumn<bool>("rightToLeft");
        QTest::addColumn<QStringList>("texts");

        const QStringList chinese{"二三小音合", "管理自定义大小…", "没有可用的 GL 实现"};
        const QStringList japanese{"ドキュメント担当", "カスタム CSS を無効化する"};
        const QStringList korean{"인쇄 미리 보기를 만드는 데 오류", "아이콘을 읽어들이는 데 실패", "확인"};
        const QStringList thai{"ปิดเครื่องคอมพิวเตอร์นี้ทันที", "ผู้ใช้ที่ไม่รู้จัก", "แดงกำมะหยี่อ่อน"};
        const QStringList greekArabic{"Ελληνικά κείμενα εδώ", "هل تريد حفظ الإعدادات"};
        QTest::newRow("Chinese, small, dark") << "Noto Sans CJK SC" << 11 << 1 << true << false << false << chinese;
        QTest::newRow("Chinese, 2x") << "Noto Sans CJK SC" << 14 << 2 << false << false << false << chinese;
        QTest::newRow("Chinese, large") << "Noto Sans CJK SC" << 28 << 1 << false << false << false
                                        << QStringList{"管理自定义大小…", "没有可用的 GL 实现", "音乐播放器"};
        QTest::newRow("Japanese, dark") << "Noto Sans CJK JP" << 13 << 1 << true << false << false << japanese;
        QTest::newRow("Korean") << "Noto Sans CJK KR" << 12 << 1 << false << false << false << korean;
        QTest::newRow("Korean, 2x dark") << "Noto Sans CJK KR" << 20 << 2 << true << false << false << korean;
        QTest::newRow("Thai") << "Noto Sans Thai" << 13 << 1 << false << false << false << thai;
        QTest::newRow("Thai, 2x dark") << "Noto Sans Thai" << 13 << 2 << true << false << false << thai;
        QTest::newRow("Greek and Arabic") << "Noto Sans Arabic" << 15 << 1 << false << false << false << greekArabic;
        QTest::newRow("accented capital first, no ascenders after")
            << "Noto Sans" << 13 << 1 << false << false << false
            << QStringList{"À propos", "Її налаштування змінено", "Él no va"};
        QTest::newRow("a last word of touching letters, one below the baseline")
            << "Noto Sans" << 11 << 1 << false << false << false << QStringList{"Sort By", "Group By"};
        // At 2x the ink mask breaks an ellipsis's dots into more pieces than
        // a mark's.
        const QStringList ellipses{"We sent a confirmation code to your p…", "Choose where to store your photos an…",
                                   "Please wait..."};
        QTest::newRow("ellipses, 2x") << "Noto Sans" << 12 << 2 << false << false << false << ellipses;
        QTest::newRow("ellipses, 2x dark") << "Noto Sans" << 13 << 2 << true << false << false << ellipses;
        QTest::newRow("heavy capital first") << "DejaVu Sans" << 13 << 1 << true << false << false
                                             << QStringList{"В принтере закончилась бумага.", "Во вторник"};

        const QStringList latin{"Left Margin",       "Music Players", "Disable log out",
                                "Show hidden files", "Yes",           "Alice Morgan"};
        QTest::newRow("widgets, Latin") << "Noto Sans" << 13 << 1 << false << true << false << latin;
        QTest::newRow("widgets, Latin, dark") << "Noto Sans" << 13 << 1 << true << true << false << latin;
        QTest::newRow("widgets, Chinese")
            << "Noto Sans CJK SC" << 13 << 1 << false << true << false
            << QStringList{"左边距设置", "音乐播放器", "注销并关闭", "显示隐藏文件", "是", "田中さん"};
        QTest::newRow("widgets, Korean, dark")
            << "Noto Sans CJK KR" << 14 << 1 << true << true << false
            << QStringList{"서버 주소 입력", "음악 플레이어", "로그아웃", "새 폴더", "확인", "김민수"};
        QTest::newRow("widgets, Hebrew, right to left")
            << "Noto Sans Hebrew" << 13 << 1 << false << true << true
            << QStringList{"סריקה", "התנתק מהמערכת", "הגדרות", "הצג קבצים", "כן", "דנה לוי"};
    }

    void findsEachTextAsOneLine()
    {
        QFETCH(QString, family);
        QFETCH(int, pixelSize);
        QFETCH(int, scale);
        QFETCH(bool, dark);
        QFETCH(bool, widgets);
        QFETCH(bool, rightToLeft);
        QFETCH(QStringList, texts);
        const QList<Icon> icons{Icon::Grid, Icon::Power, Icon::Check, Icon::EmptyBox, Icon::Radio, Icon::Avatar};
        const QStringList asides{"19:38", "F5", "Ctrl+N", "6", "23", "2024-10-18 03:20"};
        QList<Row> rows;
        for (int i = 0; i < texts.size(); ++i)
            rows.append(widgets ? Row{texts[i], icons[i], asides[i]} : Row{texts[i]});

        verifyLines(drawSheet(rows, family, pixelSize, scale, dark, rightToLeft), scale);
    }

    // The labels of a grid of icons stand about an em apart on one row, as
    // far as a word's letters chain: each is a line of its own.
    void labelsAnEmApartAreLinesOfTheirOwn_data()
    {
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<int>("scale");
        QTest::addColumn<double>("gap");
        QTest::newRow("1x") << 11 << 1 << 1.2;
        QTest::newRow("2x") << 14 << 2 << 1.0;
    }

    void labelsAnEmApartAreLinesOfTheirOwn()
    {
        QFETCH(int, pixelSize);
        QFETCH(int, scale);
        QFETCH(double, gap);
        QFont font("Noto Sans");
        font.setPixelSize(pixelSize);
        const QFontMetricsF metrics(font);
        Sheet sheet{QImage(560 * scale, 5 * pixelSize * scale, QImage::Format_RGB32), {}};
        sheet.image.fill(QColor("#fafafa"));
        QPainter p(&sheet.image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        p.setFont(font);
        p.setPen(QColor("#1c1c1e"));
        double x = pixelSize;
        for (const QString &label : {"Matroska-Video", "(keine Auflösung)", "Seitenreiter-Liste"}) {
            p.drawText(QPointF(x, 3 * pixelSize), label);
            QPainterPath path;
            path.addText(x, 3 * pixelSize, font, label);
            const QRectF outline = QTransform::fromScale(scale, scale).mapRect(path.boundingRect());
            sheet.texts.append(QRect(QPoint(qRound(outline.left()), qRound(outline.top())),
                                     QPoint(qRound(outline.right()) - 1, qRound(outline.bottom()) - 1)));
            x += metrics.horizontalAdvance(label) + gap * pixelSize;
        }
        p.end();
        verifyLines(sheet, scale);
    }

    // A short bold word at a line's end reaching below the baseline is as
    // dense as a filled shape, but it is letters side by side: text, not an
    // icon ("אין" is "there is no").
    void shortBoldWordAtAnEndIsText_data() { lightAndDark(); }

    void shortBoldWordAtAnEndIsText()
    {
        QFETCH(bool, dark);
        verifyLines(drawSheet({{"אין צװײטן אָרט"}, {"אין צוגאַנג"}}, "DejaVu Sans", 12, 1, dark, true, true), 1);
    }

    // A picture cut close around one line, its letters half its height or
    // more: the whole line is found, its brackets too.
    void aLineCutCloseIsFoundWhole()
    {
        for (const int height : {44, 60, 80}) {
            QImage image(420, height, QImage::Format_RGB32);
            image.fill(QColor("#e8ebf2"));
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            const QPainterPath text = notoSans(QStringLiteral("(не розширювати ~) · 84"), 26, 12, height / 2 + 9);
            painter.fillPath(text, QColor("#333333"));
            painter.end();
            const QList<QRect> found = findLines(inkMask(image.convertToFormat(QImage::Format_Grayscale8)));
            const QRect ink = text.boundingRect().toAlignedRect();
            QVERIFY2(
                found.size() == 1 && found.first().adjusted(-2, -2, 2, 2).contains(ink),
                qPrintable(
                    QStringLiteral("height %1: drawn %2, found %3").arg(height).arg(describe({ink}), describe(found))));
        }
    }

    // A word whose marks rise over the tall letters and whose letters reach
    // below the baseline overhangs both ways as an icon does, and so does a
    // lone letter with its marks: at either end of a line, they are text.
    void wordsWithMarksAtTheEndsAreText_data() { lightAndDark(); }

    void wordsWithMarksAtTheEndsAreText()
    {
        QFETCH(bool, dark);
        verifyLines(drawSheet({{"Sắp xếp theo"}, {"Đồng ý"}, {"Μη αποθήκευση αλλαγών"}}, "Noto Sans", 16, 1, dark), 1);
    }

    // A bracket before a word of small letters reaches over and under them as
    // an icon's rim does: "(не" is text.
    void aBracketBeforeAWordIsText_data() { lightAndDark(); }

    void aBracketBeforeAWordIsText()
    {
        QFETCH(bool, dark);
        verifyLines(drawSheet({{"(не розширювати ~) · 84"}, {"(не знайдено)"}}, "Noto Sans", 15, 2, dark), 2);
    }

    // A count before a word (the pieces of "5 items" and "20 items" as a file
    // manager draws them at 2x, the digits a pixel below the letters'
    // baseline) is text; a square shape the same pixel below it, as far from
    // the text, is an icon.
    void aCountIsNoIcon()
    {
        const QList<GlyphPiece> items{{QRect(1326, 192, 1, 2), 2},     {QRect(1339, 184, 3, 17), 51},
                                      {QRect(1339, 178, 3, 4), 12},    {QRect(1345, 180, 11, 21), 90},
                                      {QRect(1358, 184, 16, 18), 120}, {QRect(1378, 184, 24, 17), 170},
                                      {QRect(1406, 184, 13, 18), 100}};
        const LineWithoutIcons counted =
            withoutEndIcons(QList<GlyphPiece>{{QRect(1310, 179, 15, 23), 130}} + items, {});
        QVERIFY(counted.icons.isEmpty());
        QCOMPARE(counted.text.left(), 1310);
        const LineWithoutIcons twenty = withoutEndIcons(
            QList<GlyphPiece>{{QRect(1294, 180, 14, 22), 140}, {QRect(1311, 179, 15, 23), 150}} + items, {});
        QVERIFY(twenty.icons.isEmpty());
        QCOMPARE(twenty.text.left(), 1294);
        const LineWithoutIcons iconed = withoutEndIcons(QList<GlyphPiece>{{QRect(1303, 180, 22, 22), 150}} + items, {});
        QCOMPARE(iconed.icons.size(), 1);
        QVERIFY(iconed.text.left() > 1324);
        // Pieces of a sidebar's edge and a selection under a few specks are
        // no icon: an icon is at most a few times as tall as the text.
        const LineWithoutIcons edges = withoutEndIcons({{QRect(17, 18, 19, 295), 2000},
                                                        {QRect(49, 18, 6, 227), 900},
                                                        {QRect(232, 81, 20, 169), 1500},
                                                        {QRect(260, 92, 53, 154), 3000},
                                                        {QRect(318, 91, 3, 2), 4},
                                                        {QRect(336, 141, 3, 1), 3}},
                                                       {});
        QVERIFY(
            std::all_of(edges.icons.begin(), edges.icons.end(), [](const QRect &icon) { return icon.width() < 100; }));
    }

    // A bold name at 1x in a chat list, "محمد علي" as the ink mask finds it:
    // "محمد" one flat piece with no letter rising or falling past the others,
    // "علي" one piece rising over it and falling under it, with its dots.
    // Both are the name; a filled shape as far from the first word is an
    // avatar.
    void aWordBesideAFlatWordIsNoIcon()
    {
        const QList<GlyphPiece> first{{QRect(413, 31, 29, 6), 109}};
        const LineWithoutIcons name =
            withoutEndIcons(QList<GlyphPiece>{{QRect(389, 28, 20, 12), 87}, {QRect(392, 41, 4, 2), 8}} + first, {});
        QVERIFY(name.icons.isEmpty());
        QCOMPARE(name.text, QRect(QPoint(389, 28), QPoint(441, 42)));
        const LineWithoutIcons avatar = withoutEndIcons(QList<GlyphPiece>{{QRect(394, 28, 15, 15), 190}} + first, {});
        QCOMPARE(avatar.icons.size(), 1);
        QCOMPARE(avatar.text, first.first().box);
    }

    // The ink mask of a grey ellipsis after lower-case letters without
    // ascenders, each of its dots broken in two: six pieces, more than a
    // mark's, near a third as tall as the letters. They end the line; a row
    // of flat dashes as low (a blank to fill in) does not.
    void aBrokenEllipsisEndsItsLine_data()
    {
        QTest::addColumn<QSize>("piece");
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("joins");
        QTest::newRow("dots broken in two") << QSize(2, 4) << 3 << true;
        QTest::newRow("dashes") << QSize(8, 3) << 10 << false;
    }

    void aBrokenEllipsisEndsItsLine()
    {
        QFETCH(QSize, piece);
        QFETCH(int, step);
        QFETCH(bool, joins);
        QImage mask(300, 60, QImage::Format_Grayscale8);
        mask.fill(0);
        const QPainterPath path = notoSans(QStringLiteral("через десять м"), 26, 10, 40);
        const QRect text = path.boundingRect().toAlignedRect();
        QPainter p(&mask);
        p.fillPath(path, Qt::white);
        QRect row;
        for (int i = 0; i < 6; ++i) {
            const QRect part(QPoint(text.right() + 4 + (i / 2) * (2 * step + 2) + (i % 2) * step, 40 - piece.height()),
                             piece);
            p.fillRect(part, Qt::white);
            row |= part;
        }
        p.end();
        const QList<QRect> found = findLines(mask);
        const auto line =
            std::find_if(found.begin(), found.end(), [&](const QRect &l) { return l.contains(text.center()); });
        QVERIFY2(line != found.end(), qPrintable(describe(found)));
        QCOMPARE(line->right() >= row.right(), joins);
    }

    // A menu's edge that the ink mask broke where its shadow fades leaves an
    // upright stroke twice as tall as the text beside it: the label behind
    // the menu and the item inside it, after its icon, stay lines of their
    // own.
    void aPanelsEdgeJoinsNoText()
    {
        // A piece taller than a quarter of the picture is a photograph's web
        // of edges, and no glyph at all.
        QImage mask(300, 120, QImage::Format_Grayscale8);
        mask.fill(0);
        const QPainterPath behind = notoSans(QStringLiteral("Enregistrer"), 11, 10, 35);
        const QRect edge(behind.boundingRect().toAlignedRect().right() + 24, 14, 1, 26);
        const QPolygon arrow{{edge.right() + 14, 22}, {edge.right() + 27, 27}, {edge.right() + 14, 32}};
        const QPainterPath item = notoSans(QStringLiteral("Ouvrir"), 12, edge.right() + 40, 32);
        QPainter p(&mask);
        p.fillPath(behind, Qt::white);
        p.fillPath(item, Qt::white);
        p.fillRect(edge, Qt::white);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPolygon(arrow);
        p.end();
        const QList<QRect> found = findLines(mask);
        // The item's line may keep its icon.
        const QRect behindBox = behind.boundingRect().toAlignedRect();
        const QRect itemBox = item.boundingRect().toAlignedRect() | arrow.boundingRect();
        QVERIFY2(
            std::none_of(found.begin(), found.end(),
                         [&](const QRect &line) { return line.intersects(behindBox) && line.intersects(itemBox); }),
            qPrintable(describe(found)));
        QVERIFY2(std::any_of(found.begin(), found.end(),
                             [&](const QRect &line) {
                                 return line.adjusted(-2, -2, 2, 2).contains(behindBox) &&
                                        behindBox.adjusted(-2, -2, 2, 2).contains(line);
                             }),
                 qPrintable(describe(found)));
    }

    // A file list's folder icons run together in the mask into one upright
    // sliver as tall as the list: a name beside it keeps the strokes the
    // mask broke at its end (ード of ダウンロード).
    void aColumnOfIconsTakesNoStrokesFromTheNamesBesideIt()
    {
        // Tall enough a page that the sliver is no web of a photograph's edges.
        QImage mask(260, 700, QImage::Format_Grayscale8);
        mask.fill(0);
        QPainter p(&mask);
        p.fillRect(QRect(10, 20, 20, 150), Qt::white);
        QFont font("Noto Sans CJK JP");
        font.setPixelSize(13);
        QList<QRect> names;
        const QStringList texts{QStringLiteral("プロフィール写真"), QStringLiteral("古いダウンロ")};
        for (int i = 0; i < texts.size(); ++i) {
            QPainterPath path;
            path.addText(38, 50 + 25 * i, font, texts[i]);
            p.fillPath(path, Qt::white);
            names.append(path.boundingRect().toAlignedRect());
        }
        // ー in two short strokes, and ド's upper parts.
        QRect &broken = names[1];
        const QRect ends[] = {QRect(broken.right() + 3, broken.center().y(), 2, 2),
                              QRect(broken.right() + 7, broken.center().y(), 6, 2),
                              QRect(broken.right() + 16, broken.top() + 1, 6, 8)};
        for (const QRect &piece : ends) {
            p.fillRect(piece, Qt::white);
            broken |= piece;
        }
        p.end();
        const QList<QRect> found = findLines(mask);
        for (const QRect &name : names) {
            QVERIFY2(std::any_of(found.begin(), found.end(),
                                 [&](const QRect &line) {
                                     return line.adjusted(-1, -1, 1, 1).contains(name) &&
                                            name.adjusted(-1, -1, 1, 1).contains(line);
                                 }),
                     qPrintable(describe({name}) + " in " + describe(found)));
        }
    }

    // A row of filled dots at the far end of a row of text (a carousel's
    // pages, a window's buttons) is no line.
    void leavesRowsOfDotsOut_data() { lightAndDark(); }

    void leavesRowsOfDotsOut()
    {
        QFETCH(bool, dark);
        constexpr int px = 13, scale = 2, dots = 4;
        constexpr double diameter = 8;
        Sheet sheet = drawSheet({Row{"Einstellungen"}, Row{"Ansicht"}}, "Noto Sans", px, scale, dark);
        QPainter p(&sheet.image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        p.setPen(Qt::NoPen);
        p.setBrush(dark ? QColor("#8e8e93") : QColor("#3a3a3c"));
        const double right = sheet.image.width() / scale - px;
        for (int i = 0; i < dots; ++i)
            p.drawEllipse(QRectF(right - (dots - i) * 1.7 * diameter, px * 1.5 - diameter / 2, diameter, diameter));
        p.end();

        verifyLines(sheet, scale);
    }

    // Subtitles over a city at night: lit windows, each a dot too small to be
    // a line, stand in columns above and below the text, up to two pixels
    // from it, close enough that each could pass for a mark of the one
    // before. The line grows by no more than marks over and under its letters
    // would make it.
    void leavesAPhotosDotsOutOfALine()
    {
        QImage image(640, 300, QImage::Format_RGB32);
        image.fill(QColor("#1b1530"));
        const QPainterPath path = notoSans(QStringLiteral("Voulez-vous conserver ces réglages"), 22, 40, 160);
        const QRect text = path.boundingRect().toAlignedRect();
        QPainter p(&image);
        for (int x = 20; x < 620; x += 12) {
            for (int y = (text.top() - 5) % 8 + 8; y < 290; y += 8) {
                if (y + 2 < text.top() - 2 || y > text.bottom() + 2)
                    p.fillRect(x, y, 3, 3, QColor("#f0c060"));
            }
        }
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(path, QColor("#ffffff"));
        p.end();

        const QList<QRect> found = findLines(inkMask(image.convertToFormat(QImage::Format_Grayscale8)));
        const auto line = std::find_if(found.begin(), found.end(), [&](const QRect &box) {
            return box.adjusted(-2, -2, 2, 2).contains(text.adjusted(2, 2, -2, -2));
        });
        QVERIFY2(line != found.end(), qPrintable(describe(found)));
        QVERIFY2(5 * line->height() < 8 * text.height(), qPrintable(describe({*line}) + " for " + describe({text})));
    }

    // Two lines of subtitles, white with a dark rim, over a city at night
    // whose windows are lit here and there: dots as large as an i's, set in
    // rows and columns behind and around the text. Each line is found alone,
    // no taller than its letters and their marks.
    void leavesLitWindowsOutOfSubtitles()
    {
        QImage image(760, 240, QImage::Format_RGB32);
        image.fill(QColor("#17122a"));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor("#e8b860"));
        QRandomGenerator lit(7);
        for (int row = 0; row < 13; ++row) {
            for (int column = 0; column < 42; ++column) {
                if (lit.bounded(2) == 0)
                    p.drawEllipse(QRectF(8 + 18 * column, 6 + 18 * row, 8, 8));
            }
        }
        QList<QRect> texts;
        const QStringList lines{"Dodaj zawartość pliku do indeksu", "Domknięcie monitorowane pod kątem"};
        for (int i = 0; i < lines.size(); ++i) {
            const QPainterPath path = notoSans(lines[i], 26, 60, 110 + 40 * i, true);
            texts.append(path.boundingRect().toAlignedRect());
            p.strokePath(path, QPen(QColor("#050505"), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.fillPath(path, Qt::white);
        }
        p.end();

        const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
        QImage mask = inkMask(gray);
        QList<QRect> found = findLines(mask);
        if (mendTextTone(gray, mask, found))
            found = findLines(mask);
        for (const QRect &text : texts) {
            const auto line = std::find_if(found.begin(), found.end(), [&](const QRect &box) {
                return box.adjusted(-3, -3, 3, 3).contains(text.adjusted(3, 3, -3, -3));
            });
            QVERIFY2(line != found.end(), qPrintable(describe(found) + " for " + describe({text})));
            QVERIFY2(5 * line->height() < 6 * text.height(),
                     qPrintable(describe({*line}) + " for " + describe({text})));
        }
    }

    // Dots of letters stand one, two or three together: over i and ü, in
    // Arabic letters, as colons and an ellipsis, in rows of text one under
    // the other. Bold round letters and digits, alone, are about as filled
    // as dots. None of them is a lattice's.
    void dotsOfLettersAreNoLattice()
    {
        QImage image(900, 260, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::black);
        QFont font("Noto Sans");
        font.setPixelSize(30);
        font.setBold(true);
        p.setFont(font);
        const QStringList rows{"iiii ïïï üüü ö ö ö 0 0 0 …… • • • 12:30", "iiii ïïï üüü ö ö ö 0 0 0 …… • • • 14:45",
                               "o o o e e e c c c o o o e e e"};
        for (int i = 0; i < rows.size(); ++i)
            p.drawText(QPointF(20, 44 + 42 * i), rows[i]);
        font.setFamily("Noto Sans Arabic");
        p.setFont(font);
        p.drawText(QPointF(20, 44 + 42 * 3 + 20), QStringLiteral("ثثث ششش تتت بيت ثث شش"));
        p.end();

        const QImage mask = inkMask(image.convertToFormat(QImage::Format_Grayscale8));
        const QList<GlyphPiece> pieces = glyphPieces(mask);
        const QList<bool> lattice = latticeDots(pieces, mask);
        QList<QRect> flagged;
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            if (lattice[i])
                flagged.append(pieces[i].box);
        }
        QVERIFY2(flagged.isEmpty(), qPrintable(describe(flagged)));
    }

    // A chat list's names in bold over their last messages, with an avatar
    // beside: a short word at a name's end is no icon for the letters of the
    // message under it.
    void namesOverMessagesKeepTheirWords()
    {
        QImage image(420, 120, QImage::Format_RGB32);
        image.fill(QColor("#2a2a2e"));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor("#d0b868"));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(372, 20, 36, 36));
        p.drawEllipse(QRectF(372, 70, 36, 36));
        QFont bold("DejaVu Sans"), regular("DejaVu Sans");
        bold.setPixelSize(14);
        bold.setBold(true);
        regular.setPixelSize(13);
        QList<QRect> names;
        const auto write = [&](const QString &text, const QFont &font, double y) {
            QPainterPath path;
            path.addText(0, y, font, text);
            path.translate(360 - path.boundingRect().right(), 0);
            p.fillPath(path, QColor("#f2f2f2"));
            return path.boundingRect().toAlignedRect();
        };
        names.append(write(QStringLiteral("مشروع جديد"), bold, 34));
        write(QStringLiteral("يرجى مراجعة المستند قبل يوم الجمعة."), regular, 53);
        names.append(write(QStringLiteral("محمد علي"), bold, 84));
        write(QStringLiteral("التحديثات التلقائية متوقفة على هذا الجهاز."), regular, 103);
        p.end();

        const QList<QRect> found = findLines(inkMask(image.convertToFormat(QImage::Format_Grayscale8)));
        for (const QRect &name : names) {
            QVERIFY2(std::any_of(found.begin(), found.end(),
                                 [&](const QRect &box) { return box.adjusted(-2, -2, 2, 2).contains(name); }),
                     qPrintable(describe({name}) + " in " + describe(found)));
        }
    }

    // Dense text, light on dark and dark on light: the mask holds the
    // strokes, never the paper between them or between the rows.
    void inkMaskMarksStrokesNotPaper_data() { lightAndDark(); }

    void inkMaskMarksStrokesNotPaper()
    {
        QFETCH(bool, dark);
        const QColor paper = dark ? QColor("#1e1e1e") : QColor("#fafafa");
        QImage image(240, 80, QImage::Format_RGB32);
        image.fill(paper);
        QPainter p(&image);
        QFont font("Noto Sans CJK SC");
        font.setPixelSize(12);
        p.setFont(font);
        p.setPen(dark ? QColor("#f2f2f2") : QColor("#1c1c1e"));
        for (int row = 0; row < 4; ++row)
            p.drawText(QPointF(8, 16 + 19 * row), QStringLiteral("显示隐藏文件管理器播放器设置"));
        p.end();
        const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
        const int paperGray = qGray(paper.rgb());

        const QImage mask = inkMask(gray);

        int ink = 0, paperMarked = 0;
        for (int y = 0; y < gray.height(); ++y) {
            for (int x = 0; x < gray.width(); ++x) {
                if (mask.constScanLine(y)[x] == 0)
                    continue;
                ++ink;
                paperMarked += std::abs(gray.constScanLine(y)[x] - paperGray) < 8;
            }
        }
        QVERIFY(ink > 0);
        QVERIFY2(paperMarked == 0,
                 qPrintable(QStringLiteral("%1 of %2 marked pixels are paper").arg(paperMarked).arg(ink)));
    }

    // A line image, enlarged or shrunk to the reader's size, is framed in
    // paper on every side: a grey edge reads as one more letter.
    // A photograph's darker band behind a line, away from its strokes, is
    // paper in the line image; strokes the mask missed, with paper between
    // them, stay ink.
    void bandsBehindTextArePaperStrokesAreNot()
    {
        QImage gray(300, 90, QImage::Format_Grayscale8);
        gray.fill(200);
        QImage mask(gray.size(), QImage::Format_Grayscale8);
        mask.fill(0);
        const QRect line(20, 20, 260, 50);
        const auto paint = [&](int x, int y, int level, bool ink) {
            gray.scanLine(y)[x] = uchar(level);
            mask.scanLine(y)[x] = ink ? 255 : 0;
        };
        for (int x = line.left(); x <= line.right(); ++x) {
            for (int y = 20; y <= 22; ++y)
                paint(x, y, 60, false); // the band
            if (x % 12 < 2) {
                for (int y = 32; y <= 55; ++y)
                    paint(x, y, 30, true); // the strokes
            }
            if (x % 12 < 8)
                paint(x, 67, 60, false); // dashes the mask missed
        }
        const QImage image = lineImage(gray, mask, line);
        QCOMPARE(image.height(), line.height() + 4 + 2 * 25);
        // The line's rows as drawn in the image: two pixels of fringe and a
        // border of half its height above them.
        const auto darkest = [&](int y) {
            const uchar *row = image.constScanLine(y - line.top() + 2 + 25);
            return int(*std::min_element(row, row + image.width()));
        };
        QCOMPARE(darkest(21), 255);
        QVERIFY(darkest(67) < 128);
        QVERIFY(darkest(40) < 128);
    }

    void lineImagesAreFramedInPaper()
    {
        QStringList greyEdges;
        for (const int height : {9, 13, 17, 26, 31, 80}) {
            for (int width = 3 * height; width < 3 * height + 12; ++width) {
                QImage gray(width + 40, height + 40, QImage::Format_Grayscale8);
                gray.fill(250);
                QImage mask(gray.size(), QImage::Format_Grayscale8);
                mask.fill(0);
                const QRect line(20, 20, width, height);
                for (int x = line.left(); x <= line.right(); x += 3) {
                    for (int y = line.top(); y <= line.bottom(); ++y) {
                        gray.scanLine(y)[x] = 30;
                        mask.scanLine(y)[x] = 255;
                    }
                }
                const QImage image = lineImage(gray, mask, line);
                int least = 255;
                for (int y = 0; y < image.height(); ++y)
                    least = std::min(
                        {least, int(image.constScanLine(y)[0]), int(image.constScanLine(y)[image.width() - 1])});
                if (least < 250)
                    greyEdges.append(QStringLiteral("%1x%2: %3").arg(width).arg(height).arg(least));
            }
        }
        QVERIFY2(greyEdges.isEmpty(), qPrintable(greyEdges.join(", ")));
    }
};

QTEST_MAIN(LineFinderTest)
#include "LineFinderTest.moc"
