// SPDX-License-Identifier: GPL-3.0-or-later

// Reading a pipe to its end within limits: what a writer that closes, one
// that never does, one that sends too much, and a terminal each give.
#include "PipeContent.h"

#include <QtTest>

#include <pty.h>
#include <unistd.h>

#include <csignal>
#include <thread>

using namespace std::chrono_literals;

namespace {

// Both ends of a pipe, closed with this.
struct Pipe {
    int reader = -1;
    int writer = -1;
    Pipe()
    {
        int ends[2];
        QVERIFY(::pipe(ends) == 0);
        reader = ends[0];
        writer = ends[1];
    }
    ~Pipe()
    {
        close(reader);
        close(writer);
    }
    static void close(int &end)
    {
        if (end >= 0)
            ::close(std::exchange(end, -1));
    }
    // Writes `bytes` in pieces, a moment apart, as a program that is still
    // encoding its picture does; the reader empties the pipe meanwhile.
    std::thread writeSlowly(const QByteArray &bytes, bool close)
    {
        return std::thread([this, bytes, close] {
            for (qsizetype at = 0; at < bytes.size(); at += 40'000) {
                std::this_thread::sleep_for(20ms);
                const QByteArray piece = bytes.mid(at, 40'000);
                for (qsizetype sent = 0; sent < piece.size();) {
                    const ssize_t wrote = ::write(writer, piece.constData() + sent, size_t(piece.size() - sent));
                    if (wrote <= 0)
                        return;
                    sent += wrote;
                }
            }
            if (close)
                Pipe::close(writer);
        });
    }
};

} // namespace

class PipeContentTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { std::signal(SIGPIPE, SIG_IGN); }

    void readsToTheEndWithinLimits_data()
    {
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<qint64>("maxBytes");
        QTest::addColumn<bool>("delivered");
        const QByteArray picture(300'000, '\x7e');
        QTest::newRow("closed at once") << QByteArray() << true << qint64(1000) << true;
        QTest::newRow("several pieces, then closed") << picture << true << qint64(1 << 20) << true;
        QTest::newRow("exactly the limit") << picture << true << qint64(picture.size()) << true;
        QTest::newRow("beyond the limit") << picture << true << qint64(picture.size() - 1) << false;
        QTest::newRow("never closed") << picture << false << qint64(1 << 20) << false;
    }
    void readsToTheEndWithinLimits()
    {
        QFETCH(QByteArray, written);
        QFETCH(bool, closed);
        QFETCH(qint64, maxBytes);
        QFETCH(bool, delivered);
        Pipe pipe;
        std::thread writer = pipe.writeSlowly(written, closed);
        const std::atomic<bool> never(false);
        const std::optional<QByteArray> content = readPipeContent(pipe.reader, {1'500ms, maxBytes}, never);
        // A writer still writing finds no reader now and stops.
        Pipe::close(pipe.reader);
        writer.join();
        QCOMPARE(content.has_value(), delivered);
        if (delivered)
            QCOMPARE(*content, written);
    }

    // Another paste or quitting ends the wait long before the deadline.
    void stopEndsTheWait()
    {
        Pipe pipe;
        std::atomic<bool> stop(false);
        std::thread stopper([&stop] {
            std::this_thread::sleep_for(200ms);
            stop.store(true);
        });
        QVERIFY(!readPipeContent(pipe.reader, {1h, 1 << 20}, stop));
        stopper.join();
    }

    // `quillmere -` typed at a terminal must not read what its user types
    // next, even a line that ends in an end of file.
    void terminalsAreNotRead()
    {
        int terminal = -1, controller = -1;
        QVERIFY(::openpty(&controller, &terminal, nullptr, nullptr, nullptr) == 0);
        const QByteArray typed("typed next\n\x04");
        QCOMPARE(::write(controller, typed.constData(), size_t(typed.size())), ssize_t(typed.size()));
        const std::atomic<bool> never(false);
        QVERIFY(!readPipeContent(terminal, {1'500ms, 1 << 20}, never));
        ::close(terminal);
        ::close(controller);
    }
};

QTEST_GUILESS_MAIN(PipeContentTest)
#include "PipeContentTest.moc"
