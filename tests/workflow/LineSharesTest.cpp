// SPDX-License-Identifier: GPL-3.0-or-later

// A paragraph's translation shared back over its lines: every word once, in
// order, each line's part in proportion to its width.
#include "LineShares.h"

#include <QTest>

class LineSharesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sharesEveryWordOnceInOrder_data()
    {
        QTest::addColumn<QString>("translation");
        QTest::addColumn<QList<double>>("widths");
        QTest::addColumn<QStringList>("parts");
        const QString ten = u"one two three four five six seven eight nine ten"_qs;
        QTest::newRow("two equal lines") << ten << QList<double>{300, 300}
                                         << QStringList{u"one two three four five"_qs, u"six seven eight nine ten"_qs};
        QTest::newRow("wide, then narrow")
            << ten << QList<double>{450, 150}
            << QStringList{u"one two three four five six seven"_qs, u"eight nine ten"_qs};
        QTest::newRow("three lines, the last short")
            << ten << QList<double>{400, 400, 100}
            << QStringList{u"one two three four five"_qs, u"six seven eight nine"_qs, u"ten"_qs};
        QTest::newRow("right to left: the first words to the first line")
            << u"הקבצים שלך נשמרים במחשב הזה ולא נשלחים"_qs << QList<double>{200, 200}
            << QStringList{u"הקבצים שלך נשמרים"_qs, u"במחשב הזה ולא נשלחים"_qs};
        QTest::newRow("a line too narrow for its share still gets a word")
            << u"alpha beta gamma"_qs << QList<double>{500, 2, 2} << QStringList{u"alpha"_qs, u"beta"_qs, u"gamma"_qs};
        QTest::newRow("fewer words than lines")
            << u"Hola mundo"_qs << QList<double>{100, 100, 100} << QStringList{u"Hola"_qs, u"mundo"_qs, QString()};
        QTest::newRow("runs of spaces") << u"  Hola   mundo  "_qs << QList<double>{100, 100}
                                        << QStringList{u"Hola"_qs, u"mundo"_qs};
        QTest::newRow("written without spaces, split between letters")
            << u"今日は雨が降っています"_qs << QList<double>{100, 100}
            << QStringList{u"今日は雨が降"_qs, u"っています"_qs};
        QTest::newRow("one line") << ten << QList<double>{10} << QStringList{ten};
    }
    void sharesEveryWordOnceInOrder()
    {
        QFETCH(QString, translation);
        QFETCH(QList<double>, widths);
        QFETCH(QStringList, parts);
        QCOMPARE(shareOverLines(translation, widths), parts);
    }
};

QTEST_GUILESS_MAIN(LineSharesTest)
#include "LineSharesTest.moc"
