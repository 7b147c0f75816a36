// SPDX-License-Identifier: GPL-3.0-or-later

// The seven target languages, in the pop-up's order, each with the name the
// pop-up shows and the code the service is sent.
#include "TargetLanguages.h"

#include <QTest>

class TargetLanguagesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        QTest::newRow("Hebrew, with the service's old code") << 0 << u"עברית"_qs << u"iw"_qs;
        QTest::newRow("English") << 1 << u"English"_qs << u"en"_qs;
        QTest::newRow("Russian") << 2 << u"Русский"_qs << u"ru"_qs;
        QTest::newRow("Yiddish") << 3 << u"ייִדיש"_qs << u"yi"_qs;
        QTest::newRow("Spanish") << 4 << u"Español"_qs << u"es"_qs;
        QTest::newRow("French") << 5 << u"Français"_qs << u"fr"_qs;
        QTest::newRow("Arabic") << 6 << u"العربية"_qs << u"ar"_qs;
    }
    void rows()
    {
        QFETCH(int, row);
        QFETCH(QString, name);
        QFETCH(QString, code);
        QCOMPARE(targetLanguages.size(), 7);
        QCOMPARE(targetLanguages[row].name, name);
        QCOMPARE(targetLanguages[row].code, code);
    }
};

QTEST_GUILESS_MAIN(TargetLanguagesTest)
#include "TargetLanguagesTest.moc"
