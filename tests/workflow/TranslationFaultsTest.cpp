// Faults of the translation service, met by the real client inside a real
// job: each fails only its own line, which keeps its source text, and the job
// still finishes once with the partial-failure message.
#include "FakeTranslationService.h"
#include "Messages.h"
#include "RealClientFixture.h"
#include "TlsFront.h"

#include <QTcpServer>
#include <QtTest>

namespace {

// Short enough that a silent or trickling server ends its line within
// seconds, long enough for a loaded machine to answer the good lines.
TransferLimits quickLimits()
{
    TransferLimits limits{std::chrono::milliseconds(5'000), std::chrono::milliseconds(8'000)};
    limits.maxBodyBytes = 64 * 1024;
    return limits;
}

const QString faulty = QStringLiteral("Faulty line");

QString translated(const QString &text)
{
    return u"[iw] "_qs + text;
}

} // namespace

class TranslationFaultsTest : public QObject {
    Q_OBJECT

    // Runs one job of three lines, the middle one meeting `rule`, and checks
    // that it ends as a job with `failures` untranslated lines.
    void runJob(const QByteArray &endpoint, qint64 failures)
    {
        RealClientFixture f({endpoint, quickLimits()});
        const QStringList lines{QStringLiteral("Good morning"), faulty, QStringLiteral("See you")};
        f.translate(lines);
        QCOMPARE(f.d().jobID, 1);
        QVERIFY(f.waitForFinish());
        // The finish runs once, even when late answers could still arrive.
        QTest::qWait(200);
        QCOMPARE(standIns::renders().size(), 1);

        QStringList expected;
        for (const QString &line : lines)
            expected << (failures == qint64(lines.size()) || (failures > 0 && line == faulty) ? line
                                                                                              : translated(line));
        QCOMPARE(standIns::renders().first().translated, expected);
        QCOMPARE(f.d().lastText, expected.join(u'\n'));
        QCOMPARE(f.status->text(), failures == 0 ? Messages::done() : Messages::partlyDone(failures));
        QCOMPARE(f.d().jobID, 1);
        QCOMPARE(f.d().currentItems.size(), lines.size());
        QVERIFY(f.d().lastImage);
        QCOMPARE(f.view->image(), *f.d().lastImage);
    }

private Q_SLOTS:
    void faultFailsItsLineOnly_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<qint64>("failures");
        const auto fail = [](const char *mode) {
            return QStringList{u"--fail"_qs, faulty + u':' + QLatin1String(mode)};
        };
        const auto answer = [](int status, const QString &body) {
            return QStringList{u"--answer"_qs, faulty, QString::number(status), body};
        };
        const QString page =
            u"<!DOCTYPE html><html><head><title>Error</title></head><body><p>Sorry.</p></body></html>"_qs;
        QTest::newRow("no fault") << QStringList() << qint64(0);
        QTest::newRow("connection reset") << fail("refuse") << qint64(1);
        QTest::newRow("accepts and never answers") << fail("hang") << qint64(1);
        QTest::newRow("reply cut off mid-body") << fail("cutoff") << qint64(1);
        QTest::newRow("endless body") << fail("huge-body") << qint64(1);
        QTest::newRow("one byte at a time, forever") << fail("trickle") << qint64(1);
        QTest::newRow("invalid UTF-8") << fail("bad-utf8") << qint64(1);
        QTest::newRow("JSON nested 100,000 deep") << fail("deep-json") << qint64(1);
        QTest::newRow("JSON broken off") << fail("bad-json") << qint64(1);
        QTest::newRow("429 with an HTML page") << fail("error-page") << qint64(1);
        QTest::newRow("500 with an HTML page") << answer(500, page) << qint64(1);
        QTest::newRow("200 with an HTML page") << answer(200, page) << qint64(1);
        QTest::newRow("redirect to plain HTTP") << fail("redirect-http") << qint64(1);
        QTest::newRow("body larger than the cap")
            << answer(200, uR"([[[")"_qs + QString(100'000, u'x') + uR"("]]])"_qs) << qint64(1);
    }
    void faultFailsItsLineOnly()
    {
        QFETCH(QStringList, options);
        QFETCH(qint64, failures);
        options << u"--trickle-ms"_qs << u"100"_qs;
        const FakeTranslationService service(options);
        QVERIFY(service.isListening());
        runJob(service.endpoint(), failures);
    }

    void connectionRefusedFailsEveryLine()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        runJob("http://127.0.0.1:" + QByteArray::number(port) + "/translate_a/single", 3);
    }

    // Certificate checks are never switched off: a front with a certificate
    // no one trusts gets no request at all.
    void selfSignedCertificateFailsEveryLine()
    {
        const FakeTranslationService service;
        QVERIFY(service.isListening());
        const TlsFront front(service.port());
        QVERIFY(front.isListening());
        runJob(front.endpoint(), 3);
        QVERIFY(front.accessLog().isEmpty());
        QVERIFY(service.requestLines().isEmpty());
    }
};

QTEST_MAIN(TranslationFaultsTest)
#include "TranslationFaultsTest.moc"
