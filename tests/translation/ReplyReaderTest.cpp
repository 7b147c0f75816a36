// SPDX-License-Identifier: GPL-3.0-or-later

// Reading the translation out of a reply body.
#include "ReplyReader.h"
#include "TranslationPrinting.h"

class ReplyReaderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsTheTranslation_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<Translation>("translation");
        const Translation none;

        QTest::newRow("segments joined with nothing between")
            << QByteArray(R"([[["Hola ","Hello ",null,null,10],["mundo","world",null,null,10]],null,"en"])")
            << Translation(QStringLiteral("Hola mundo"));
        QTest::newRow("null, number and empty segments skipped")
            << QByteArray(R"([[["Hola"],[null],[3],[]]])") << Translation(QStringLiteral("Hola"));
        QTest::newRow("segments that are not arrays skipped")
            << QByteArray(R"([["x",{"a":1},null,["Hola"]]])") << Translation(QStringLiteral("Hola"));
        QTest::newRow("later elements of a segment ignored")
            << QByteArray(R"([[["Hola",["nested"],"x"]]])") << Translation(QStringLiteral("Hola"));
        QTest::newRow("two spaces kept untrimmed") << QByteArray(R"([[["  "]]])") << Translation(QStringLiteral("  "));
        QTest::newRow("further top-level elements ignored")
            << QByteArray(R"([[["Hi"]],{"junk":true},"en",[1,2,3]])") << Translation(QStringLiteral("Hi"));

        QTest::newRow("empty top-level array") << QByteArray("[]") << none;
        QTest::newRow("element 0 null") << QByteArray(R"([null,null,"en"])") << none;
        QTest::newRow("element 0 a string") << QByteArray(R"(["Hola"])") << none;
        QTest::newRow("only segment holds null") << QByteArray(R"([[[null,"Hello"]]])") << none;
        QTest::newRow("only pieces are empty strings") << QByteArray(R"([[[""],[""]]])") << none;
        QTest::newRow("top-level object") << QByteArray(R"({"sentences":[{"trans":"Hola"}]})") << none;
        QTest::newRow("HTML error page") << QByteArray("<html><body>Too many requests</body></html>") << none;
    }
    void readsTheTranslation()
    {
        QFETCH(QByteArray, body);
        QFETCH(Translation, translation);
        QCOMPARE(readReply(body), translation);
    }
};

QTEST_GUILESS_MAIN(ReplyReaderTest)
#include "ReplyReaderTest.moc"
