// SPDX-License-Identifier: GPL-3.0-or-later

// translateText over HTTPS, through an HTTP/2-capable TLS front end on
// 127.0.0.1 whose throw-away certificate this process trusts only when told.
#include "LocalServers.h"
#include "Outcome.h"

#include <QSslCertificate>
#include <QSslConfiguration>

class TranslateTlsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeTranslationService> service;
    std::unique_ptr<TlsFront> front;
    QSslConfiguration systemDefaults;

    bool trust(const TlsFront &tls)
    {
        const QList<QSslCertificate> certificates = QSslCertificate::fromPath(tls.certificatePath());
        if (certificates.isEmpty())
            return false;
        QSslConfiguration configuration = systemDefaults;
        configuration.addCaCertificates(certificates);
        QSslConfiguration::setDefaultConfiguration(configuration);
        return true;
    }

private Q_SLOTS:
    void initTestCase()
    {
        systemDefaults = QSslConfiguration::defaultConfiguration();
        service = std::make_unique<FakeTranslationService>(
            QStringList{u"--fail"_qs, u"to https:redirect"_qs, u"--fail"_qs, u"to http:redirect-http"_qs});
        QVERIFY(service->isListening());
        front = std::make_unique<TlsFront>(service->port());
        QVERIFY(front->isListening());
    }

    void cleanup() { QSslConfiguration::setDefaultConfiguration(systemDefaults); }

    // Certificate errors are never ignored: an untrusted server gets no request.
    // (A front of its own, so no connection of the trusted tests is reused.)
    void untrustedCertificateFails()
    {
        const TlsFront untrusted(service->port());
        QVERIFY(untrusted.isListening());
        QCOMPARE(translateNow(u"Hello"_qs, u"iw"_qs, routeTo(untrusted.endpoint())), Translation());
        QVERIFY(untrusted.accessLog().isEmpty());
    }

    void trustedCertificateSpeaksHttp2()
    {
        QVERIFY(trust(*front));
        QCOMPARE(translateNow(u"Hello, World!"_qs, u"iw"_qs, routeTo(front->endpoint())),
                 Translation(u"[iw] Hello, World!"_qs));
        QCOMPARE(front->accessLog().last(),
                 u"h2 GET /translate_a/single?client=gtx&sl=auto&tl=iw&dt=t&q=Hello%2C%20World%21 HTTP/2 200"_qs);
    }

    // A redirect to HTTPS is followed; one to plain HTTP is refused, unsent.
    // (Qt may send a request again after a redirect, or when a connection
    // closes under it, so the checks look for the lines that matter.)
    void redirects_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Translation>("translation");
        QTest::addColumn<bool>("followed");
        QTest::newRow("to HTTPS") << u"to https"_qs << Translation(u"[en] to https"_qs) << true;
        QTest::newRow("to plain HTTP") << u"to http"_qs << Translation() << false;
    }
    void redirects()
    {
        QFETCH(QString, text);
        QFETCH(Translation, translation);
        QFETCH(bool, followed);
        QVERIFY(trust(*front));
        const qsizetype before = service->requestLines().size();
        QCOMPARE(translateNow(text, u"en"_qs, routeTo(front->endpoint())), translation);
        const QString query = u"?client=gtx&sl=auto&tl=en&dt=t&q="_qs + QString(text).replace(u' ', u"%20"_qs);
        const QStringList lines = service->requestLines().mid(before);
        QVERIFY(lines.contains(u"GET /translate_a/single"_qs + query + u" HTTP/1.1"_qs));
        QCOMPARE(lines.contains(u"GET /after-redirect"_qs + query + u" HTTP/1.1"_qs), followed);
    }
};

QTEST_GUILESS_MAIN(TranslateTlsTest)
#include "TranslateTlsTest.moc"
