// SPDX-License-Identifier: GPL-3.0-or-later

#include "TextBand.h"
#include "InkMask.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QtMath>

#include <limits>

namespace {

struct DrawnLine {
    QImage gray, mask;
    QRect ink;
};

// One line of text drawn dark on light (or as `colours` says), as a
// screenshot holds it, and the bounding box of its ink in the mask.
DrawnLine drawLine(const QString &text, const QString &family, int pixelSize, bool bold = false,
                   std::pair<QColor, QColor> colours = {QColor(30, 30, 34), QColor(250, 250, 251)})
{
    QImage picture(40 + pixelSize * text.size(), 5 * pixelSize, QImage::Format_RGB32);
    picture.fill(colours.second);
    QPainter painter(&picture);
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    painter.setFont(font);
    painter.setPen(colours.first);
    painter.drawText(QPointF(20, 3 * pixelSize), text);
    painter.end();
    const QImage gray = picture.convertToFormat(QImage::Format_Grayscale8);
    const QImage mask = inkMask(gray);
    QRect ink;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            if (mask.constScanLine(y)[x])
                ink |= QRect(x, y, 1, 1);
    return {gray, mask, ink};
}

} // namespace

class TextBandTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Lines of one size get boxes of one height whether or not they hold
    // ascenders, capitals, digits or descenders, and each box covers its ink.
    void oneSizeOneHeight_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<QStringList>("texts");
        const QStringList latin{"name was sure", "Settings", "Hello world", "jump quickly", "07:12", "OK CANCEL"};
        QTest::newRow("Latin, Noto Sans 16") << "Noto Sans" << 16 << latin;
        QTest::newRow("Latin, DejaVu Sans 24") << "DejaVu Sans" << 24 << latin;
        const QStringList hebrew{"ספר ההתרעות המרבי נחרג", "קיבלת יותר מדי הודעות", "שמור שינויים", "ללא הגבלה"};
        QTest::newRow("Hebrew, Noto Sans Hebrew 15") << "Noto Sans Hebrew" << 15 << hebrew;
        QTest::newRow("Hebrew, DejaVu Sans 22") << "DejaVu Sans" << 22 << hebrew;
        // A time stands among lines of any script.
        const QStringList arabic{"مرحبا بك", "الإعدادات العامة", "حفظ التغييرات", "سيتم حذف الملف", "07:12"};
        QTest::newRow("Arabic, Noto Sans Arabic 16") << "Noto Sans Arabic" << 16 << arabic;
        QTest::newRow("Arabic, DejaVu Sans 22") << "DejaVu Sans" << 22 << arabic;
        const QStringList thai{"ภาษาไทย", "ตั้งค่าทั่วไป", "บันทึกการเปลี่ยนแปลง", "ที่นี่", "07:12"};
        QTest::newRow("Thai, Noto Sans Thai 16") << "Noto Sans Thai" << 16 << thai;
    }

    void oneSizeOneHeight()
    {
        QFETCH(QString, family);
        QFETCH(int, pixelSize);
        QFETCH(QStringList, texts);
        double lowest = std::numeric_limits<double>::max(), highest = 0;
        for (const QString &text : texts) {
            const DrawnLine line = drawLine(text, family, pixelSize);
            QVERIFY2(!line.ink.isEmpty(), qPrintable(text));
            const QRectF box = textBand(line.gray, line.mask, line.ink, text);
            QVERIFY2(box.contains(QRectF(line.ink)), qPrintable(text));
            lowest = std::min(lowest, box.height());
            highest = std::max(highest, box.height());
        }
        QVERIFY2(highest - lowest <= 2, qPrintable(QStringLiteral("heights %1 to %2").arg(lowest).arg(highest)));
        QVERIFY2(lowest >= 1.05 * pixelSize && highest <= 1.4 * pixelSize,
                 qPrintable(QStringLiteral("heights %1 to %2 at %3 px").arg(lowest).arg(highest).arg(pixelSize)));
    }

    // The plate hides every visible pixel of the line, where the mask takes
    // a bold stem for paper too.
    void plateHidesBoldStems()
    {
        const DrawnLine line =
            drawLine("Mark Stevens", "DejaVu Sans", 30, true, {QColor(242, 242, 242), QColor(42, 42, 42)});
        const QRectF plate = textBand(line.gray, line.mask, line.ink, "Mark Stevens").adjusted(-3, -2, 3, 2);
        for (int y = 0; y < line.gray.height(); ++y)
            for (int x = 0; x < line.gray.width(); ++x)
                if (line.gray.constScanLine(y)[x] >= 42 + 50)
                    QVERIFY2(plate.contains(QPointF(x + 0.5, y + 0.5)),
                             qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    }

    // An ellipsis past the box's last letter, which the mask may miss, goes
    // under the plate; the next word, a space away, does not.
    void takesInMarksNotWords()
    {
        const QString shown = QStringLiteral("your ph\u2026"), text = shown + QStringLiteral(" next");
        const DrawnLine line = drawLine(text, "DejaVu Sans", 24);
        QFont font("DejaVu Sans");
        font.setPixelSize(24);
        const QFontMetricsF metrics(font);
        const double letters = 20 + metrics.horizontalAdvance(QStringLiteral("your ph"));
        const double marks = 20 + metrics.horizontalAdvance(shown), next = 20 + metrics.horizontalAdvance(shown + ' ');
        const QRect word(line.ink.left(), line.ink.top(), qFloor(letters) - line.ink.left(), line.ink.height());

        const QRectF box = textBand(line.gray, line.mask, word, QStringLiteral("your ph"));

        QVERIFY2(box.right() + 3 >= marks - 2, qPrintable(QString::number(box.right())));
        QVERIFY2(box.right() < next, qPrintable(QString::number(box.right())));
    }

    // Fonts draw letters of one size taller or shorter (a Hebrew serif's are
    // a sixth taller than DejaVu's, Naskh's a tenth shorter than Arabic sans
    // letters), and bold strokes reach further: lines of one size still get
    // boxes of nearly one height. "Bold" after a family draws it bold.
    void oneSizeAcrossFonts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("families");
        QTest::newRow("Hebrew") << "המדפסת בחדר ארבע נשארה בלי נייר"
                                << QStringList{"DejaVu Sans", "Noto Sans Hebrew", "Noto Serif Hebrew",
                                               "DejaVu Sans Bold"};
        QTest::newRow("Arabic") << "نفد الورق من الطابعة في الغرفة الرابعة"
                                << QStringList{"DejaVu Sans", "Noto Sans Arabic", "Noto Naskh Arabic",
                                               "DejaVu Sans Bold"};
        QTest::newRow("Latin") << "The printer is out of paper"
                               << QStringList{"DejaVu Sans", "Noto Sans", "Noto Serif", "DejaVu Serif",
                                              "DejaVu Sans Bold"};
    }

    void oneSizeAcrossFonts()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, families);
        double lowest = std::numeric_limits<double>::max(), highest = 0;
        for (const QString &family : families) {
            const bool bold = family.endsWith(QLatin1String(" Bold"));
            const DrawnLine line = drawLine(text, bold ? family.chopped(5) : family, 20, bold);
            const double height = textBand(line.gray, line.mask, line.ink, text).height();
            lowest = std::min(lowest, height);
            highest = std::max(highest, height);
        }
        QVERIFY2(highest <= 1.1 * lowest, qPrintable(QStringLiteral("heights %1 to %2").arg(lowest).arg(highest)));
    }
};

QTEST_MAIN(TextBandTest)
#include "TextBandTest.moc"
