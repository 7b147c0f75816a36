// SPDX-License-Identifier: GPL-3.0-or-later

// The request's address as a string: the encoding of the text and the order
// of the pairs, and the addresses that cannot be formed.
#include "QueryEncoder.h"
#include "RequestAddress.h"

#include <QTest>

class RequestFormTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void encodesEveryByteButLettersAndDigits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("comma and space") << QStringLiteral("Hello, world") << QByteArray("Hello%2C%20world");
        QTest::newRow("unreserved marks") << QStringLiteral("a-b_c.d~e") << QByteArray("a%2Db%5Fc%2Ed%7Ee");
        QTest::newRow("Hebrew") << QStringLiteral("שלום") << QByteArray("%D7%A9%D7%9C%D7%95%D7%9D");
        QTest::newRow("emoji with skin tone") << QStringLiteral("👋🏽") << QByteArray("%F0%9F%91%8B%F0%9F%8F%BD");
        QTest::newRow("query delimiters") << QStringLiteral("a&b#c+d%e=f") << QByteArray("a%26b%23c%2Bd%25e%3Df");
        QTest::newRow("line break and tab") << QStringLiteral("a\nb\tc") << QByteArray("a%0Ab%09c");
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
};

QTEST_GUILESS_MAIN(RequestFormTest)
#include "RequestFormTest.moc"
