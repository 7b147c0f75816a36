// SPDX-License-Identifier: GPL-3.0-or-later

#include "LineText.h"

#include <QTest>

class LineTextTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void normalisedBox_data()
    {
        QTest::addColumn<QRect>("pixels");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRectF>("expected");
        QTest::newRow("bottom-left quarter") << QRect(0, 50, 100, 50) << QSize(200, 100) << QRectF(0, 0, 0.5, 0.5);
        QTest::newRow("top row") << QRect(10, 0, 20, 10) << QSize(100, 200) << QRectF(0.1, 0.95, 0.2, 0.05);
        QTest::newRow("whole picture") << QRect(0, 0, 640, 480) << QSize(640, 480) << QRectF(0, 0, 1, 1);
        QTest::newRow("top-right corner") << QRect(150, 0, 50, 25) << QSize(200, 100) << QRectF(0.75, 0.75, 0.25, 0.25);
    }

    void normalisedBox()
    {
        QFETCH(QRect, pixels);
        QFETCH(QSize, size);
        QFETCH(QRectF, expected);
        const QRectF box = ::normalisedBox(pixels, size);
        QVERIFY(qFuzzyCompare(box.x() + 1, expected.x() + 1));
        QVERIFY(qFuzzyCompare(box.y() + 1, expected.y() + 1));
        QVERIFY(qFuzzyCompare(box.width(), expected.width()));
        QVERIFY(qFuzzyCompare(box.height(), expected.height()));
    }

    void cleanLineText_data()
    {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<QString>("expected");
        QTest::newRow("line break and spaces") << " Save changes\n"
                                               << "Save changes";
        QTest::newRow("inner spaces kept") << "a  b\tc"
                                           << "a  b\tc";
        QTest::newRow("direction marks") << QString::fromUtf8("\u200Fשלום\u200E \u200Fעולם\u200F\n")
                                         << QString::fromUtf8("שלום עולם");
        QTest::newRow("spaces only") << " \t \n"
                                     << "";
        QTest::newRow("marks only") << QString::fromUtf8("\u200E\u200F ") << "";
    }

    void cleanLineText()
    {
        QFETCH(QString, raw);
        QFETCH(QString, expected);
        QCOMPARE(::cleanLineText(raw), expected);
    }
};

QTEST_MAIN(LineTextTest)
#include "LineTextTest.moc"
