// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace tesseract {
class TessBaseAPI;
}

// Keeps loaded Tesseract engines for reuse: loading a model takes from a
// tenth of a second to seconds. An engine is lent to one thread at a time and
// comes back cleared, so no reading depends on what the engine read before.
//
// Memory stays bounded whatever the number of cores and languages: at most
// `enginesPerModel` engines of one model exist (more threads wait for one to
// come back), and once the loaded engines take more than `maxBytes` of memory
// idle ones are freed. An engine's size is the most the heap has grown by as
// its model loaded: a Chinese engine takes three or four times an English
// one, most others less than it.
//
// A page of junk or of many scripts reads each line with a dozen models in
// turn, more than the budget holds: freeing the engine used least recently
// would free, each time, the one the next line needs first. So the engines
// a page has not used go first, then a model's second engines, and a model's
// only engine last, the one whose loads the page would have spent least time
// on (its uses times the time a load takes) first. Nor is a second engine
// loaded at the cost of an engine the page uses: waiting for the first to
// come back costs a reading, loading one a tenth of a second or more.
class EnginePool {
public:
    class Lease {
    public:
        Lease(EnginePool *pool, QString model, std::unique_ptr<tesseract::TessBaseAPI> engine);
        Lease(Lease &&) noexcept;
        ~Lease();
        tesseract::TessBaseAPI *operator->() const { return engine.get(); }
        tesseract::TessBaseAPI *get() const { return engine.get(); }
        explicit operator bool() const { return engine != nullptr; }

    private:
        EnginePool *pool;
        QString model;
        std::unique_ptr<tesseract::TessBaseAPI> engine;
    };

    static constexpr int enginesPerModel = 2;
    // Measured over the benchmark's pages of every script, the app's peak
    // memory is the engines plus about as much again for pages, Qt and the
    // heap's slack: 350-370 MB with this limit, 404-408 MB with 192 MiB,
    // with which the Chinese engines would no longer be loaded again for
    // every Chinese page.
    static constexpr std::size_t defaultMaxBytes = std::size_t(160) << 20;

    explicit EnginePool(std::size_t maxBytes = defaultMaxBytes);
    ~EnginePool();

    static EnginePool &shared();

    // A new page is being read: what the last one used no longer counts as
    // this page's.
    void beginPage();

    // An engine for the named model of the language data ("eng", or several
    // joined by "+"), loaded if none is idle; an empty lease when the model
    // cannot be loaded.
    Lease acquire(const QString &model);

    // Loads engines until `count` (at most enginesPerModel) of `model` exist.
    void preload(const QString &model, int count);

    // Engines loaded now, lent or idle, and the memory they take.
    int loadedEngines();
    std::size_t loadedBytes();

    // How many engines were loaded since the pool was made, and the
    // processor time their loading took.
    struct Loads {
        int count = 0;
        double milliseconds = 0;
    };
    Loads loadsSoFar();

private:
    struct Model {
        std::vector<std::unique_ptr<tesseract::TessBaseAPI>> idle;
        int loaded = 0;
        int counted = 0;       // loaded engines whose size is in the pool's total
        std::size_t bytes = 0; // of one engine, the most measured; 0 until one is loaded
        std::uint64_t lastUse = 0;
        int pageUses = 0;    // engines asked for since the page began
        double loadTime = 0; // processor milliseconds, the most measured
    };

    void giveBack(const QString &model, std::unique_ptr<tesseract::TessBaseAPI> engine);
    std::unique_ptr<tesseract::TessBaseAPI> load(const QString &model);
    std::vector<std::unique_ptr<tesseract::TessBaseAPI>> idleToFree(const QString &keep);
    bool roomForAnother(const QString &model) const;

    std::mutex mutex;
    // Held while a model loads and engines are freed, so that the heap's
    // growth is that load's.
    std::mutex loading;
    std::condition_variable returned;
    std::map<QString, Model> models;
    const std::size_t maxBytes;
    int loaded = 0;
    std::size_t bytes = 0;
    std::uint64_t uses = 0;
    Loads loads;
};
