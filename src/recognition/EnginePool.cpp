#include "EnginePool.h"

#include <tesseract/baseapi.h>

namespace {

std::unique_ptr<tesseract::TessBaseAPI> loadEngine(const QString &model)
{
    auto engine = std::make_unique<tesseract::TessBaseAPI>();
    if (engine->Init(nullptr, model.toUtf8().constData(), tesseract::OEM_LSTM_ONLY) != 0)
        return nullptr;
    // Screenshots carry no resolution; naming one keeps Tesseract from
    // guessing it and from printing its diagnostics.
    engine->SetVariable("user_defined_dpi", "300");
    // Where diagnostics go is one setting for the whole process, read by every
    // engine as it works: set it once, before any engine is handed out.
    static const bool quiet = engine->SetVariable("debug_file", "/dev/null");
    Q_UNUSED(quiet);
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
EnginePool::EnginePool()
{
    tesseract::TessBaseAPI::ClearPersistentCache();
}

EnginePool &EnginePool::shared()
{
    static EnginePool pool;
    return pool;
}

EnginePool::Lease EnginePool::acquire(const QString &model)
{
    {
        std::lock_guard lock(mutex);
        auto &engines = idle[model];
        if (!engines.empty()) {
            auto engine = std::move(engines.back());
            engines.pop_back();
            return Lease(this, model, std::move(engine));
        }
    }
    return Lease(this, model, loadEngine(model));
}

void EnginePool::preload(const QString &model, int count)
{
    for (;;) {
        {
            std::lock_guard lock(mutex);
            if (static_cast<int>(idle[model].size()) >= count)
                return;
        }
        auto engine = loadEngine(model);
        if (!engine)
            return;
        giveBack(model, std::move(engine));
    }
}

void EnginePool::giveBack(const QString &model, std::unique_ptr<tesseract::TessBaseAPI> engine)
{
    std::lock_guard lock(mutex);
    idle[model].push_back(std::move(engine));
}
