// SPDX-License-Identifier: GPL-3.0-or-later

#include "EnginePool.h"

#include "PageProfile.h"
#include "RecognitionThreads.h"

#include <QSemaphore>
#include <QThreadPool>

#include <tesseract/baseapi.h>

#include <malloc.h>

#include <exception>
#include <tuple>

namespace {

std::size_t heapInUse()
{
    const struct mallinfo2 heap = mallinfo2();
    return heap.uordblks + heap.hblkhd;
}

std::unique_ptr<tesseract::TessBaseAPI> loadEngine(const QString &model)
{
    auto engine = std::make_unique<tesseract::TessBaseAPI>();
    if (engine->Init(nullptr, model.toUtf8().constData(), tesseract::OEM_LSTM_ONLY) != 0)
        return nullptr;
    // Screenshots carry no resolution; naming one keeps Tesseract from
    // guessing it and from printing its diagnostics.
    engine->SetVariable("user_defined_dpi", "300");
    // Tesseract takes a blob whose ink fills most of its box for noise: bold
    // Han letters are such blobs, and a short line of them ("蘇美語" in a
    // list's bold title) came back empty.
    engine->SetVariable("textord_noise_area_ratio", "1");
    // Where diagnostics go is one setting for the whole process, read by every
    // engine as it works: set it once, before any engine is handed out.
    static const bool quiet = engine->SetVariable("debug_file", "/dev/null");
    Q_UNUSED(quiet);
    return engine;
}

// Every engine loads on this one thread, so every engine's memory comes from
// the one heap arena the thread allocates from, and the memory of engines
// freed to make room is what the next load reuses. Loaded on whichever
// thread needed them, engines went to both arenas, and a load in one grew it
// while the other still held the freed engines: 30 MB more at the peak over
// the Chinese pages.
QThreadPool &loadingThread()
{
    static QThreadPool *const thread = newKeptThread();
    return *thread;
}

std::unique_ptr<tesseract::TessBaseAPI> loadOnLoadingThread(const QString &model, double &milliseconds)
{
    std::unique_ptr<tesseract::TessBaseAPI> engine;
    std::exception_ptr failure;
    QSemaphore done;
    loadingThread().start([&] {
        keepOpenMPOnThisThread();
        const double start = threadMilliseconds();
        try {
            engine = loadEngine(model);
        } catch (...) {
            failure = std::current_exception();
        }
        milliseconds = threadMilliseconds() - start;
        done.release();
    });
    done.acquire();
    if (failure)
        std::rethrow_exception(failure);
    return engine;
}

} // namespace

EnginePool::Lease::Lease(EnginePool *pool, QString model, std::unique_ptr<tesseract::TessBaseAPI> engine)
    : pool(pool), model(std::move(model)), engine(std::move(engine))
{
}

EnginePool::Lease::Lease(Lease &&other) noexcept
    : pool(other.pool), model(std::move(other.model)), engine(std::move(other.engine))
{
}

EnginePool::Lease::~Lease()
{
    if (engine) {
        engine->Clear();
        pool->giveBack(model, std::move(engine));
    }
}

// Engines share dictionaries through Tesseract's own process-wide cache, made
// on first use. Making it before the pool makes it outlive the pool, so the
// engines still pooled at exit give their dictionaries back to a live cache
// instead of one already destroyed.
EnginePool::EnginePool(std::size_t maxBytes) : maxBytes(maxBytes)
{
    tesseract::TessBaseAPI::ClearPersistentCache();
}

EnginePool::~EnginePool() = default;

EnginePool &EnginePool::shared()
{
    static EnginePool pool;
    return pool;
}

void EnginePool::beginPage()
{
    std::lock_guard lock(mutex);
    for (auto &[name, entry] : models)
        entry.pageUses = 0;
}

EnginePool::Lease EnginePool::acquire(const QString &model)
{
    {
        std::unique_lock lock(mutex);
        Model &entry = models[model];
        entry.lastUse = ++uses;
        ++entry.pageUses;
        returned.wait(lock, [&] {
            return !entry.idle.empty() || entry.loaded == 0 ||
                   (entry.loaded < enginesPerModel && roomForAnother(model));
        });
        if (!entry.idle.empty()) {
            auto engine = std::move(entry.idle.back());
            entry.idle.pop_back();
            return Lease(this, model, std::move(engine));
        }
        ++entry.loaded;
        ++loaded;
    }
    return Lease(this, model, load(model));
}

// Whether another engine of `model` fits in the budget once the idle engines
// the page has not used are freed.
bool EnginePool::roomForAnother(const QString &model) const
{
    std::size_t unused = 0;
    for (const auto &[name, entry] : models) {
        if (entry.pageUses == 0)
            unused += entry.idle.size() * entry.bytes;
    }
    return bytes - std::min(bytes, unused) + models.at(model).bytes <= maxBytes;
}

void EnginePool::preload(const QString &model, int count)
{
    for (;;) {
        {
            std::lock_guard lock(mutex);
            Model &entry = models[model];
            if (entry.loaded >= std::min(count, enginesPerModel))
                return;
            ++entry.loaded;
            ++loaded;
        }
        auto engine = load(model);
        if (!engine)
            return;
        giveBack(model, std::move(engine));
    }
}

int EnginePool::loadedEngines()
{
    std::lock_guard lock(mutex);
    return loaded;
}

std::size_t EnginePool::loadedBytes()
{
    std::lock_guard lock(mutex);
    return bytes;
}

// Loads an engine whose place the caller has already counted; gives the place
// back if the model cannot be loaded, and frees idle engines past the limit.
// What the heap grew by while its model loaded is an engine's size. Engines
// load and are freed one at a time, so that the growth is this load's alone,
// give or take what lines read meanwhile take.
std::unique_ptr<tesseract::TessBaseAPI> EnginePool::load(const QString &model)
{
    const std::lock_guard serial(loading);
    const std::size_t before = heapInUse();
    double milliseconds = 0;
    auto engine = loadOnLoadingThread(model, milliseconds);
    const std::size_t after = heapInUse();
    std::vector<std::unique_ptr<tesseract::TessBaseAPI>> freed;
    {
        std::lock_guard lock(mutex);
        ++loads.count;
        loads.milliseconds += milliseconds;
        Model &entry = models[model];
        entry.loadTime = std::max(entry.loadTime, milliseconds);
        if (!engine) {
            --entry.loaded;
            --loaded;
        } else {
            // Lines read meanwhile on other threads blur the growth either
            // way; the largest measure keeps the pool from taking an engine
            // for less than it is.
            const std::size_t grown = std::max<std::size_t>(after > before ? after - before : 0, 1);
            if (grown > entry.bytes) {
                bytes += (grown - entry.bytes) * entry.counted;
                entry.bytes = grown;
            }
            ++entry.counted;
            bytes += entry.bytes;
        }
        freed = idleToFree(model);
    }
    if (!freed.empty()) {
        freed.clear();
        // Dictionaries stay in Tesseract's shared cache until no engine uses them.
        tesseract::TessBaseAPI::ClearPersistentCache();
    }
    returned.notify_all();
    return engine;
}

EnginePool::Loads EnginePool::loadsSoFar()
{
    std::lock_guard lock(mutex);
    return loads;
}

std::vector<std::unique_ptr<tesseract::TessBaseAPI>> EnginePool::idleToFree(const QString &keep)
{
    // The lowest goes first: engines the page has not used, the least
    // recently used first; then second engines; then the load time the page
    // would have spent had the model been missing each time it was asked for.
    const auto worth = [](const Model &entry) {
        const bool used = entry.pageUses > 0, only = entry.loaded == 1;
        return std::tuple(used, only, only ? entry.pageUses * entry.loadTime : 0.0, entry.lastUse);
    };
    std::vector<std::unique_ptr<tesseract::TessBaseAPI>> freed;
    while (bytes > maxBytes) {
        Model *cheapest = nullptr;
        for (auto &[name, entry] : models)
            if (name != keep && !entry.idle.empty() && (!cheapest || worth(entry) < worth(*cheapest)))
                cheapest = &entry;
        if (!cheapest)
            break;
        freed.push_back(std::move(cheapest->idle.back()));
        cheapest->idle.pop_back();
        --cheapest->loaded;
        --cheapest->counted;
        --loaded;
        bytes -= cheapest->bytes;
    }
    return freed;
}

void EnginePool::giveBack(const QString &model, std::unique_ptr<tesseract::TessBaseAPI> engine)
{
    {
        std::lock_guard lock(mutex);
        models[model].idle.push_back(std::move(engine));
    }
    returned.notify_all();
}
