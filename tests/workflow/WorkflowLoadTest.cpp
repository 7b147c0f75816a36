// Jobs under load, with the real translation client against the local fake
// service: a job of 2,000 lines is answered line for line and finishes once;
// jobs started one after another while earlier ones still run leave only the
// newest one's result. (bench/reliability prints the memory these take.)
#include "FakeTranslationService.h"
#include "Messages.h"
#include "RealClientFixture.h"

#include <QtTest>

class WorkflowLoadTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeTranslationService> service;

    TranslationRoute route() const
    {
        // Lines queue for one of a handful of connections; waiting counts as
        // silence, so the limit is far above what 2,000 lines take.
        return {service->endpoint(), {std::chrono::seconds(120), std::chrono::seconds(240)}};
    }

private Q_SLOTS:
    void initTestCase()
    {
        service = std::make_unique<FakeTranslationService>();
        QVERIFY(service->isListening());
    }

    void twoThousandLinesAllAnswered()
    {
        RealClientFixture f(route());
        QStringList lines;
        for (int k = 0; k < 2000; ++k)
            lines << u"Line number %1"_qs.arg(k);
        f.translate(lines);
        QCOMPARE(f.status->text(), Messages::translating(2000));
        QVERIFY(f.waitForFinish(240'000));
        QTest::qWait(300);
        QCOMPARE(standIns::renders().size(), 1);
        QCOMPARE(f.status->text(), Messages::done());
        const QStringList shown = standIns::renders().first().translated;
        QCOMPARE(shown.size(), 2000);
        for (int k = 0; k < 2000; ++k)
            QCOMPARE(shown[k], u"[iw] "_qs + lines[k]);
        QCOMPARE(f.d().lastText, shown.join(u'\n'));
    }

    // Twenty jobs, each started while the ones before it are still waiting
    // for their answers: only the last one renders and sets the results.
    void overtakenJobsShowNothing()
    {
        const FakeTranslationService slow({u"--delay-ms"_qs, u"300"_qs});
        QVERIFY(slow.isListening());
        RealClientFixture f({slow.endpoint(), {std::chrono::seconds(60), std::chrono::seconds(120)}});
        for (int job = 0; job < 20; ++job) {
            f.popup->setCurrentIndex(job % 7);
            f.translate({u"First %1"_qs.arg(job), u"Second %1"_qs.arg(job), u"Third %1"_qs.arg(job)});
            QTest::qWait(10);
        }
        QVERIFY(f.waitForFinish());
        QTRY_COMPARE_WITH_TIMEOUT(slow.requestLines().size(), 60, 60'000);
        QTest::qWait(1'000);
        QCOMPARE(standIns::renders().size(), 1);
        QCOMPARE(f.d().lastText, u"[fr] First 19\n[fr] Second 19\n[fr] Third 19"_qs);
        QCOMPARE(f.status->text(), Messages::done());
        QCOMPARE(f.d().jobID, 20);
    }
};

QTEST_MAIN(WorkflowLoadTest)
#include "WorkflowLoadTest.moc"
