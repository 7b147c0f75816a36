// SPDX-License-Identifier: GPL-3.0-or-later

// How much of a Thai reading is words of the language: with a made-up
// dictionary, and with the Thai model's own on what it reads of Thai and of
// Hebrew ink.
#include "DictionaryWords.h"
#include "LineReader.h"
#include "TextPicture.h"

#include <QTest>

class DictionaryWordsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void longestCoverByKnownWords_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("letters");
        QTest::addColumn<int>("inWords");

        // Known: "ไม่มี", "การ", "ไม่มีกา", "ขอ" (too short to count).
        QTest::newRow("words side by side") << "การไม่มี" << 8 << 8;
        // "ไม่มี" + "การ" covers all, the longest word first would leave "ร".
        QTest::newRow("the cover that takes most") << "ไม่มีการ" << 8 << 8;
        QTest::newRow("unknown letters between") << "การบาบไม่มี" << 11 << 8;
        QTest::newRow("two-letter words count for nothing") << "ขอขอขอ" << 6 << 0;
        QTest::newRow("digits and other scripts part runs, and are not counted") << "ก7าร การ abc ๑๒" << 6 << 3;
    }

    void longestCoverByKnownWords()
    {
        QFETCH(QString, text);
        QFETCH(int, letters);
        QFETCH(int, inWords);
        const QStringList known = {"ไม่มี", "การ", "ไม่มีกา", "ขอ"};

        const WordCover cover =
            wordCover(text, {QChar::Script_Thai}, [&](const QString &word) { return known.contains(word); });

        QCOMPARE(cover.letters, letters);
        QCOMPARE(cover.inWords, inWords);
    }

    // The Thai model reads Hebrew letters as Thai ones, fairly surely; what
    // it reads holds few Thai words.
    void thaiModelsReadingsOfThaiAndOtherInk()
    {
        const LineReading thai =
            readLine(lineImageOf(QStringLiteral("ไม่มีการเชื่อมต่ออินเทอร์เน็ต"), "Noto Sans Thai"), "tha");
        const LineReading hebrew =
            readLine(lineImageOf(QStringLiteral("ורכבלעטערער אָדער סקאַליר"), "Noto Sans Hebrew"), "tha");

        QVERIFY2(thai.cover.letters >= 20, qPrintable(thai.text()));
        QVERIFY2(thai.cover.inWords >= 0.8 * thai.cover.letters, qPrintable(thai.text()));
        QVERIFY2(hebrew.cover.letters >= 10, qPrintable(hebrew.text()));
        QVERIFY2(hebrew.cover.inWords < 0.35 * hebrew.cover.letters, qPrintable(hebrew.text()));
    }
};

QTEST_MAIN(DictionaryWordsTest)
#include "DictionaryWordsTest.moc"
