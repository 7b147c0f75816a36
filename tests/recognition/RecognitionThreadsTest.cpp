// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecognitionThreads.h"

#include <QTest>
#include <QThreadPool>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>

class RecognitionThreadsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // At quit the pool drops the work not yet begun, and a helper handed to an
    // idle thread is such work until that thread wakes: a loop must then end
    // with the indices done on the calling thread, not wait for the helper.
    void loopsEndWhenTheirHelpersAreDropped()
    {
        std::atomic<bool> finished = false;
        std::thread dropping([&] {
            while (!finished)
                recognitionThreads().clear();
        });
        auto loops = std::async(std::launch::async, [] {
            for (int round = 0; round < 20'000; ++round) {
                std::atomic<int> sum = 0;
                parallelFor(4, [&](int index) { sum += index; });
                if (sum != 6)
                    return false;
            }
            return true;
        });
        if (loops.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
            // The loop waits for good; nothing can end it but the process.
            std::fprintf(stderr, "FAIL: a loop waits for a helper that was dropped\n");
            std::_Exit(1);
        }
        finished = true;
        dropping.join();
        QVERIFY(loops.get());
    }
};

QTEST_GUILESS_MAIN(RecognitionThreadsTest)
#include "RecognitionThreadsTest.moc"
