#pragma once

#include <QString>

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

    static EnginePool &shared();

    // An engine for the named model of the language data, loaded if none is
    // idle; an empty lease when the model cannot be loaded.
    Lease acquire(const QString &model);

    // Loads engines until `count` of `model` are idle.
    void preload(const QString &model, int count);

private:
    EnginePool();
    void giveBack(const QString &model, std::unique_ptr<tesseract::TessBaseAPI> engine);

    std::mutex mutex;
    std::map<QString, std::vector<std::unique_ptr<tesseract::TessBaseAPI>>> idle;
};
