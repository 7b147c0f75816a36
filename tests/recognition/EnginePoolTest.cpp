// SPDX-License-Identifier: GPL-3.0-or-later

#include "EnginePool.h"

#include <QTest>

#include <vector>

class EnginePoolTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Chinese and Japanese engines are the largest: two of each of three
    // models take more than the budget, so the idle ones of the models used
    // least recently must go, and the engine just asked for must stay.
    void idleEnginesPastTheBudgetAreFreed()
    {
        EnginePool &pool = EnginePool::shared();
        for (const QString model : {"jpn", "chi_sim", "chi_tra", "jpn"}) {
            {
                std::vector<EnginePool::Lease> leases;
                for (int i = 0; i < EnginePool::enginesPerModel; ++i) {
                    leases.push_back(pool.acquire(model));
                    QVERIFY2(leases.back(), qPrintable(model));
                }
            }
            QVERIFY2(pool.loadedBytes() <= EnginePool::maxBytes, qPrintable(model));
        }
        QVERIFY(pool.loadedEngines() >= EnginePool::enginesPerModel);
        QVERIFY(pool.loadedEngines() < 4 * EnginePool::enginesPerModel);
    }
};

QTEST_GUILESS_MAIN(EnginePoolTest)
#include "EnginePoolTest.moc"
