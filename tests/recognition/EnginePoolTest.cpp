// SPDX-License-Identifier: GPL-3.0-or-later

#include "EnginePool.h"

#include <QTest>

#include <chrono>
#include <future>
#include <limits>
#include <optional>
#include <vector>

using namespace std::chrono_literals;

namespace {

// What each model's engine takes, as a pool measures it, loaded in turn in a
// pool of its own.
std::vector<std::size_t> sizesOf(const QStringList &models)
{
    EnginePool pool(std::numeric_limits<std::size_t>::max());
    std::vector<std::size_t> sizes;
    for (const QString &model : models) {
        const std::size_t before = pool.loadedBytes();
        pool.acquire(model);
        sizes.push_back(pool.loadedBytes() - before);
    }
    return sizes;
}

void use(EnginePool &pool, const QString &model)
{
    QVERIFY2(pool.acquire(model), qPrintable(model));
}

} // namespace

class EnginePoolTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Chinese and Japanese engines are the largest: two of each of three
    // models take more than the budget, so idle ones must go, and the
    // engine just asked for must stay.
    void idleEnginesPastTheBudgetAreFreed()
    {
        EnginePool pool;
        for (const QString model : {"jpn", "chi_sim", "chi_tra", "jpn"}) {
            pool.beginPage();
            for (int i = 0; i < EnginePool::enginesPerModel; ++i)
                use(pool, model);
            QVERIFY2(pool.loadedBytes() <= EnginePool::defaultMaxBytes, qPrintable(model));
        }
        QVERIFY(pool.loadedEngines() >= 1);
        QVERIFY(pool.loadedEngines() < 4 * EnginePool::enginesPerModel);
    }

    // A page of junk reads every line with the same models in turn. With
    // room for English and one small model, freeing the engine used least
    // recently would load all three on every line; English, the slow one to
    // load, stays.
    void aPagesModelsInTurnKeepTheOneSlowestToLoad()
    {
        const std::vector<std::size_t> sizes = sizesOf({"eng", "ara", "heb"});
        EnginePool pool(sizes[0] + std::max(sizes[1], sizes[2]) + std::min(sizes[1], sizes[2]) / 2);
        pool.beginPage();
        constexpr int lines = 4;
        for (int line = 0; line < lines; ++line) {
            for (const QString model : {"eng", "ara", "heb"})
                use(pool, model);
        }
        QCOMPARE(pool.loadsSoFar().count, 1 + 2 * lines);
    }

    // A second engine of a model is not loaded at the cost of another the
    // page uses: the reading waits for the first. One the page has not used
    // makes room for it.
    void aSecondEngineTakesOnlyWhatThePageLeft()
    {
        const std::vector<std::size_t> sizes = sizesOf({"eng", "ara"});
        EnginePool pool(2 * sizes[0] + sizes[1] / 2);
        pool.beginPage();
        use(pool, "ara");
        // Made before the lease, so that a failed check gives the lease back
        // before waiting for the thread.
        std::future<bool> second;
        std::optional<EnginePool::Lease> first = pool.acquire("eng");
        second = std::async(std::launch::async, [&] { return bool(pool.acquire("eng")); });
        QCOMPARE(second.wait_for(1s), std::future_status::timeout);
        first.reset();
        QVERIFY(second.get());
        QCOMPARE(pool.loadsSoFar().count, 2);
        QCOMPARE(pool.loadedEngines(), 2);

        pool.beginPage();
        first.emplace(pool.acquire("eng"));
        second = std::async(std::launch::async, [&] { return bool(pool.acquire("eng")); });
        QCOMPARE(second.wait_for(30s), std::future_status::ready);
        QVERIFY(second.get());
        QCOMPARE(pool.loadsSoFar().count, 3);
        QCOMPARE(pool.loadedEngines(), 2);
    }
};

QTEST_GUILESS_MAIN(EnginePoolTest)
#include "EnginePoolTest.moc"
