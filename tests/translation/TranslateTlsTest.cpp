// SPDX-License-Identifier: GPL-3.0-or-later

// translateText over HTTPS, through an HTTP/2-capable TLS front end on
// 127.0.0.1 whose throw-away certificate this process trusts only when told.
#include "LocalServers.h"
#include "Outcome.h"

#include <QSslCertificate>
#include <QSslConfiguration>

#include <algorithm>

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

    // (Qt at times sends the original request once more after following a
    // redirect, so the checks look for the lines that matter, not all lines.)
    void redirectToHttpsFollowed()
    {
        QVERIFY(trust(*front));
        const qsizetype before = service->requestLines().size();
        QCOMPARE(translateNow(u"to https"_qs, u"en"_qs, routeTo(front->endpoint())), Translation(u"[en] to https"_qs));
        // Qt may send a request again when a connection closes under it, so
        // the redirected request need not be the last one the service saw.
        QVERIFY(service->requestLines().mid(before).contains(
            u"GET /after-redirect?client=gtx&sl=auto&tl=en&dt=t&q=to%20https HTTP/1.1"_qs));
    }

    void redirectToHttpRefused()
    {
        QVERIFY(trust(*front));
        const qsizetype before = service->requestLines().size();
        QCOMPARE(translateNow(u"to http"_qs, u"en"_qs, routeTo(front->endpoint())), Translation());
        const QStringList lines = service->requestLines().mid(before);
        QVERIFY(lines.contains(u"GET /translate_a/single?client=gtx&sl=auto&tl=en&dt=t&q=to%20http HTTP/1.1"_qs));
        QVERIFY(std::none_of(lines.cbegin(), lines.cend(),
                             [](const QString &line) { return line.startsWith(u"GET /after-redirect"); }));
    }
};

QTEST_GUILESS_MAIN(TranslateTlsTest)
#include "TranslateTlsTest.moc"
