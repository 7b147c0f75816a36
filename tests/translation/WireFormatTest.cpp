// SPDX-License-Identifier: GPL-3.0-or-later

// What goes on the wire and what comes back, without a network: the request's
// address as a string (the encoding of the text, the order of the pairs, the
// addresses that cannot be formed) and the reading of a reply body. Every byte
// value of the text is checked on the wire by TranslateTextTest.
#include "Outcome.h"
#include "QueryEncoder.h"
#include "ReplyReader.h"
#include "RequestAddress.h"

class WireFormatTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void encodesEveryByteButLettersAndDigits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("unreserved marks") << QStringLiteral("a-b_c.d~e") << QByteArray("a%2Db%5Fc%2Ed%7Ee");
        QTest::newRow("Hebrew") << QStringLiteral("שלום") << QByteArray("%D7%A9%D7%9C%D7%95%D7%9D");
        QTest::newRow("empty") << QString() << QByteArray();
    }
    void encodesEveryByteButLettersAndDigits()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, encoded);
        QCOMPARE(encodeQueryValue(text), encoded);
    }

    void addressHasTheFivePairsInOrder_data()
    {
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("address");
        QTest::newRow("Hebrew target")
            << QStringLiteral("iw") << QStringLiteral("Hi there")
            << QByteArray("https://t.example/translate_a/single?client=gtx&sl=auto&tl=iw&dt=t&q=Hi%20there");
        QTest::newRow("regional code unencoded")
            << QStringLiteral("zh-CN") << QStringLiteral("a")
            << QByteArray("https://t.example/translate_a/single?client=gtx&sl=auto&tl=zh-CN&dt=t&q=a");
    }
    void addressHasTheFivePairsInOrder()
    {
        QFETCH(QString, to);
        QFETCH(QString, text);
        QFETCH(QByteArray, address);
        const QByteArray endpoint("https://t.example/translate_a/single");
        QCOMPARE(requestAddressString(endpoint, to, text), address);
        const std::optional<QUrl> url = requestAddress(endpoint, to, text);
        QVERIFY(url);
        QCOMPARE(url->toEncoded(), address);
    }

    void addressCannotBeFormed_data()
    {
        QTest::addColumn<QByteArray>("endpoint");
        QTest::addColumn<QString>("to");
        const QByteArray good("https://t.example/translate_a/single");
        QTest::newRow("empty code") << good << QString();
        QTest::newRow("code with a space") << good << QStringLiteral("e n");
        QTest::newRow("code adding a pair") << good << QStringLiteral("en&q=x");
        QTest::newRow("code ending the query") << good << QStringLiteral("en#");
        QTest::newRow("code beyond ASCII") << good << QStringLiteral("עב");
        QTest::newRow("endpoint without host") << QByteArray("https:///translate_a/single") << QStringLiteral("en");
        QTest::newRow("endpoint with a broken host")
            << QByteArray("https://[::1/translate_a/single") << QStringLiteral("en");
        QTest::newRow("endpoint with a space") << QByteArray("https://t.example/a b") << QStringLiteral("en");
        QTest::newRow("endpoint of another scheme") << QByteArray("ftp://t.example/x") << QStringLiteral("en");
    }
    void addressCannotBeFormed()
    {
        QFETCH(QByteArray, endpoint);
        QFETCH(QString, to);
        QVERIFY(!requestAddress(endpoint, to, QStringLiteral("Hello")));
    }

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
    }
    void readsTheTranslation()
    {
        QFETCH(QByteArray, body);
        QFETCH(Translation, translation);
        QCOMPARE(readReply(body), translation);
    }
};

QTEST_GUILESS_MAIN(WireFormatTest)
#include "WireFormatTest.moc"
