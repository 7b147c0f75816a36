// SPDX-License-Identifier: GPL-3.0-or-later

// translateText against the fake service on 127.0.0.1: what goes out on the
// wire (the address byte for byte, the headers), how each reply is read, and
// how failures and limits end.
#include "LocalServers.h"
#include "Outcome.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>
#include <cctype>

class TranslateTextTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeTranslationService> service;

private Q_SLOTS:
    void initTestCase()
    {
        service = std::make_unique<FakeTranslationService>();
        QVERIFY(service->isListening());
    }

    // What reaches the server byte for byte: the five pairs, a regional code
    // as it is, and every byte of the text as encoded, except that QUrl
    // always writes the encodings of the four unreserved marks "-._~" as the
    // marks themselves, an equivalent form of the same query (RFC 3986, 6.2.2.2).
    void everyByteValueOnTheWire()
    {
        QString text;
        for (char16_t c = 1; c < 0x80; ++c)
            text += QChar(c);
        text += u"é€😀"_qs;
        QByteArray q;
        for (const char byte : text.toUtf8()) {
            if (std::isalnum(static_cast<unsigned char>(byte)) || QByteArrayView("-._~").contains(byte))
                q += byte;
            else
                q += '%' + QByteArray::number(static_cast<unsigned char>(byte), 16).rightJustified(2, '0').toUpper();
        }
        QCOMPARE(translateNow(text, u"zh-CN"_qs, routeTo(service->endpoint())), u"[zh-CN] "_qs + text);
        QCOMPARE(service->requestLines().last(), u"GET /translate_a/single?client=gtx&sl=auto&tl=zh-CN&dt=t&q="_qs +
                                                     QString::fromLatin1(q) + u" HTTP/1.1"_qs);
    }

    // A connection opened ahead of a job sends nothing, and the job's request
    // goes out on it rather than on one of its own.
    void requestTakesTheConnectionOpenedAhead()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        QList<QTcpSocket *> accepted;
        QByteArray received;
        connect(&server, &QTcpServer::newConnection, this, [&] {
            while (QTcpSocket *socket = server.nextPendingConnection()) {
                accepted.append(socket);
                connect(socket, &QTcpSocket::readyRead, socket, [&received, socket] {
                    received += socket->readAll();
                    if (received.endsWith("\r\n\r\n"))
                        socket->write("HTTP/1.1 200 OK\r\nContent-Length: 23\r\n\r\n[[[\"Bonjour\",\"Hello\"]]]");
                });
            }
        });
        const TranslationRoute route =
            routeTo("http://127.0.0.1:" + QByteArray::number(server.serverPort()) + "/translate_a/single");

        openTranslationConnection(route);
        QTRY_COMPARE(accepted.size(), 1);
        QTest::qWait(50);
        QVERIFY(received.isEmpty());
        QCOMPARE(translateNow(u"Hello"_qs, u"fr"_qs, route), u"Bonjour"_qs);
        QVERIFY(received.startsWith("GET /translate_a/single?client=gtx&sl=auto&tl=fr&dt=t&q=Hello HTTP/1.1\r\n"));
        QCOMPARE(accepted.size(), 1);
    }

    // How each reply, or the lack of one, ends over the wire, within the
    // limits of the row (seconds unless said otherwise), and how many
    // requests the row's own service saw.
    void replyOverTheWire_data()
    {
        using namespace std::chrono;
        QTest::addColumn<QStringList>("rule");
        QTest::addColumn<TransferLimits>("limits");
        QTest::addColumn<Translation>("translation");
        QTest::addColumn<int>("requests");
        const TransferLimits usual{seconds(20), seconds(40)};
        TransferLimits capped = usual;
        capped.maxBodyBytes = 80'000;
        // A reply of exactly 80,000 bytes: 15 of frame around the padding.
        const QString atCap = u"[[[\"Hola\",\""_qs + QString(80'000 - 15, u'x') + u"\"]]]"_qs, pastCap = atCap + u' ';
        // The body counts, whatever the status; a body cut short or no reply
        // does not. Only a refusal (429, 503) is asked again.
        const QString segments = uR"([[["Hola ","Hello ",null,null,10],["mundo","world",null,null,10]],null,"en"])"_qs;
        QTest::newRow("500 with a usable body")
            << QStringList{u"--answer"_qs, u"*"_qs, u"500"_qs, segments} << usual << Translation(u"Hola mundo"_qs) << 1;
        QTest::newRow("body cut off") << QStringList{u"--fail"_qs, u"*:cutoff"_qs} << usual << Translation() << 1;
        // Qt itself sends a request once more when its connection closes
        // before any answer.
        QTest::newRow("connection reset") << QStringList{u"--fail"_qs, u"*:refuse"_qs} << usual << Translation() << 2;
        QTest::newRow("body exactly the cap")
            << QStringList{u"--answer"_qs, u"*"_qs, u"200"_qs, atCap} << capped << Translation(u"Hola"_qs) << 1;
        QTest::newRow("body a byte past the cap")
            << QStringList{u"--answer"_qs, u"*"_qs, u"200"_qs, pastCap} << capped << Translation() << 1;
        // An endless body is cut at the cap, not read to the end of memory.
        QTest::newRow("endless body") << QStringList{u"--fail"_qs, u"*:huge-body"_qs} << usual << Translation() << 1;
        // A server that accepts and never answers: the inactivity limit ends
        // the line long before the deadline would.
        QTest::newRow("silent, 300 ms inactivity limit")
            << QStringList{u"--fail"_qs, u"*:hang"_qs} << TransferLimits{milliseconds(300), seconds(600)}
            << Translation() << 1;
        // A byte every 100 ms keeps the inactivity limit from firing; the
        // deadline still ends the exchange.
        QTest::newRow("trickling, 800 ms deadline")
            << QStringList{u"--fail"_qs, u"*:trickle"_qs, u"--trickle-ms"_qs, u"100"_qs}
            << TransferLimits{seconds(600), milliseconds(800)} << Translation() << 1;
        // A refusal is asked again after what its Retry-After asks for, or a
        // short back-off, at most twice and never past the line's deadline.
        const Translation translated(u"[es] Hello world"_qs);
        const auto refuse = [](const QString &times, const QString &status, const QString &retryAfter) {
            return QStringList{u"--throttle"_qs, u"*"_qs, times, status, retryAfter};
        };
        QTest::newRow("429 twice with Retry-After, then 200")
            << refuse(u"2"_qs, u"429"_qs, u"1"_qs) << usual << translated << 3;
        QTest::newRow("429 for ever, backing off")
            << refuse(u"forever"_qs, u"429"_qs, u"-"_qs) << usual << Translation() << 3;
        // The second wait would end past the 5 s deadline: the line fails at once.
        QTest::newRow("429 for ever, Retry-After past the deadline")
            << refuse(u"forever"_qs, u"429"_qs, u"3"_qs) << TransferLimits{seconds(20), seconds(5)} << Translation()
            << 2;
    }
    void replyOverTheWire()
    {
        QFETCH(QStringList, rule);
        QFETCH(TransferLimits, limits);
        QFETCH(Translation, translation);
        QFETCH(int, requests);
        const FakeTranslationService own(rule);
        QVERIFY(own.isListening());
        QCOMPARE(translateNow(u"Hello world"_qs, u"es"_qs, routeTo(own.endpoint(), limits)), translation);
        QCOMPARE(own.requestLines().size(), requests);
    }

    // Only the headers Qt's HTTP client sends by itself, and never a cookie,
    // not even one the service set on an earlier reply.
    void onlyDefaultHeadersAndNoCookies()
    {
        const FakeTranslationService own;
        QVERIFY(own.isListening());
        for (int i = 0; i < 3; ++i)
            QCOMPARE(translateNow(u"Hello"_qs, u"es"_qs, routeTo(own.endpoint())), Translation(u"[es] Hello"_qs));
        QCOMPARE(own.requestHeaders(),
                 QStringList(3, u"accept-encoding accept-language connection host user-agent"_qs));
    }

    // The address cannot be formed: nothing is sent, and the completion runs
    // on the caller's thread before translateText returns.
    void unformableAddressAnswersAtOnce()
    {
        const qsizetype before = service->requestLines().size();
        Outcome outcome;
        translateText(u"Hello"_qs, u"en&q=x"_qs, outcome.completion(), routeTo(service->endpoint()));
        QCOMPARE(outcome.seen().calls, 1);
        QCOMPARE(outcome.seen().thread, QThread::currentThread());
        QCOMPARE(outcome.seen().translation, Translation());
        QTest::qWait(200);
        QCOMPARE(outcome.seen().calls, 1);
        QCOMPARE(service->requestLines().size(), before);
    }

    // Many calls at once, from two threads, answered, refused and timed out:
    // each completion runs once, off the calling threads, on one network
    // thread. (No mode here drops a connection: over HTTP/1.1 Qt may then fail
    // requests still queued for the host, unsent, which would blur the check.)
    void completionOncePerCallOffTheCallingThread()
    {
        const QStringList modes{u"bad-json"_qs, u"error-page"_qs, u"bad-utf8"_qs, u"hang"_qs};
        QStringList options;
        for (const QString &mode : modes)
            options << u"--fail"_qs << mode + u':' + mode;
        const FakeTranslationService mixed(options);
        QVERIFY(mixed.isListening());
        // Requests waiting for a free connection count as inactive too, so one
        // silent request at most, with room to spare (sanitizer builds and a
        // busy machine are slow), keeps the others clear.
        const TranslationRoute route = routeTo(mixed.endpoint(), {std::chrono::seconds(10), std::chrono::seconds(30)});

        QStringList texts{u"hang"_qs};
        for (int i = 1; i < 60; ++i)
            texts << (i % 4 == 0 ? modes.at(i / 4 % (modes.size() - 1)) : u"line %1"_qs.arg(i));
        std::vector<Outcome> outcomes(texts.size());
        const auto issue = [&](qsizetype from, qsizetype to) {
            for (qsizetype k = from; k < to; ++k)
                translateText(texts.at(k), u"iw"_qs, outcomes[k].completion(), route);
        };
        QThread *worker = QThread::create(issue, texts.size() / 2, texts.size());
        worker->start();
        issue(0, texts.size() / 2);
        QVERIFY(worker->wait(10'000));
        delete worker;

        QVERIFY(QTest::qWaitFor(
            [&] {
                return std::all_of(outcomes.begin(), outcomes.end(),
                                   [](const Outcome &o) { return o.seen().calls > 0; });
            },
            60'000));
        QTest::qWait(500);
        QThread *const network = outcomes.front().seen().thread;
        QVERIFY(network != QThread::currentThread());
        for (qsizetype k = 0; k < texts.size(); ++k) {
            const Outcome::Seen seen = outcomes[k].seen();
            QCOMPARE(seen.calls, 1);
            QCOMPARE(seen.thread, network);
            const bool fails = modes.contains(texts.at(k));
            QCOMPARE(seen.translation, fails ? Translation() : Translation(u"[iw] "_qs + texts.at(k)));
        }
    }
};

QTEST_GUILESS_MAIN(TranslateTextTest)
#include "TranslateTextTest.moc"
