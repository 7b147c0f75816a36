// SPDX-License-Identifier: GPL-3.0-or-later

// When a refused line is asked again, without a network: the Retry-After
// forms, the back-off, the limit of retries and the line's deadline. The
// whole road over the wire is in TranslateTextTest.
#include "RetryPolicy.h"

#include <QTest>
#include <QTimeZone>

using namespace std::chrono;
using Wait = std::optional<milliseconds>;

namespace QTest {
template <> inline char *toString(const Wait &wait)
{
    return wait ? toString(QByteArray::number(qlonglong(wait->count())) + " ms") : qstrdup("(no retry)");
}
} // namespace QTest

namespace {
const QDateTime now(QDate(2026, 3, 9), QTime(14, 30, 0), QTimeZone::utc());
}

class RetryPolicyTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void retryAfterForms_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<Wait>("wait");
        QTest::newRow("seconds") << QByteArray("120") << Wait(seconds(120));
        QTest::newRow("seconds with spaces") << QByteArray(" 3 ") << Wait(seconds(3));
        QTest::newRow("HTTP date") << QByteArray("Mon, 09 Mar 2026 14:30:10 GMT") << Wait(seconds(10));
        QTest::newRow("obsolete RFC 850 date") << QByteArray("Monday, 09-Mar-26 14:30:05 GMT") << Wait(seconds(5));
        QTest::newRow("obsolete asctime date") << QByteArray("Mon Mar  9 14:30:07 2026") << Wait(seconds(7));
        QTest::newRow("date already past") << QByteArray("Mon, 09 Mar 2026 14:29:00 GMT") << Wait(milliseconds(0));
        QTest::newRow("a year of seconds") << QByteArray("31536000") << Wait(hours(24));
        QTest::newRow("negative") << QByteArray("-5") << Wait();
        QTest::newRow("words") << QByteArray("soon") << Wait();
        QTest::newRow("absent") << QByteArray() << Wait();
    }
    void retryAfterForms()
    {
        QFETCH(QByteArray, value);
        QFETCH(Wait, wait);
        QCOMPARE(retryAfterWait(value, now), wait);
    }

    void whenToAskAgain_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("retryAfter");
        QTest::addColumn<int>("retriesDone");
        QTest::addColumn<int>("remainingSeconds");
        QTest::addColumn<double>("jitter");
        QTest::addColumn<Wait>("wait");
        QTest::newRow("429 with Retry-After") << 429 << QByteArray("2") << 0 << 30 << 0.5 << Wait(seconds(2));
        QTest::newRow("503 with Retry-After, second retry")
            << 503 << QByteArray("1") << 1 << 30 << 0.5 << Wait(seconds(1));
        QTest::newRow("back-off, least jitter") << 429 << QByteArray() << 0 << 30 << 0.0 << Wait(milliseconds(500));
        QTest::newRow("back-off, most jitter") << 503 << QByteArray() << 0 << 30 << 0.999 << Wait(milliseconds(1499));
        QTest::newRow("back-off doubles") << 429 << QByteArray("soon") << 1 << 30 << 0.5 << Wait(milliseconds(2000));
        QTest::newRow("retries used up") << 429 << QByteArray("1") << 2 << 30 << 0.5 << Wait();
        QTest::newRow("would start at the deadline") << 429 << QByteArray("30") << 0 << 30 << 0.5 << Wait();
        QTest::newRow("starts just inside the deadline")
            << 429 << QByteArray("29") << 0 << 30 << 0.5 << Wait(seconds(29));
        QTest::newRow("back-off past the deadline") << 503 << QByteArray() << 0 << 1 << 0.5 << Wait();
        QTest::newRow("500 is not a refusal") << 500 << QByteArray("1") << 0 << 30 << 0.5 << Wait();
        QTest::newRow("200") << 200 << QByteArray() << 0 << 30 << 0.5 << Wait();
    }
    void whenToAskAgain()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, retryAfter);
        QFETCH(int, retriesDone);
        QFETCH(int, remainingSeconds);
        QFETCH(double, jitter);
        QFETCH(Wait, wait);
        QCOMPARE(retryWait(status, retryAfter, retriesDone, seconds(remainingSeconds), now, jitter), wait);
    }
};

QTEST_GUILESS_MAIN(RetryPolicyTest)
#include "RetryPolicyTest.moc"
