// SPDX-License-Identifier: GPL-3.0-or-later

#include "TextLanguage.h"

#include "Scripts.h"

#include <libexttextcat/fingerprint.h>

#include <algorithm>
#include <climits>
#include <map>
#include <memory>
#include <mutex>

namespace {

constexpr auto profiles = "/usr/share/libexttextcat/";
// Letter sequences counted per profile, as the profiles were made with.
constexpr int ngrams = 400;
// Fewer letters than this give too few sequences to tell languages apart.
constexpr int minLetters = 24;
// Languages this close to the likeliest (as a share of its distance) are as
// likely.
constexpr double tie = 1.03;

struct Profile {
    void *fingerprint = nullptr;
    ~Profile() { fp_Done(fingerprint); }
};

std::unique_ptr<Profile> read(const char *name)
{
    auto profile = std::make_unique<Profile>();
    profile->fingerprint = fp_Init(name);
    fp_SetProperty(profile->fingerprint, TCPROP_UTF8AWARE, 1);
    const std::string path = std::string(profiles) + name + ".lm";
    if (fp_Read(profile->fingerprint, path.c_str(), ngrams) == 0)
        return nullptr;
    return profile;
}

// Each model's profile, read once; a model without one is missing.
const std::map<QString, std::unique_ptr<Profile>> &modelProfiles()
{
    static const auto all = [] {
        std::map<QString, std::unique_ptr<Profile>> loaded;
        for (const Script &script : scripts()) {
            for (const Language &language : script.languages) {
                if (!language.profile)
                    continue;
                if (auto profile = read(language.profile))
                    loaded.emplace(language.model, std::move(profile));
            }
        }
        return loaded;
    }();
    return all;
}

} // namespace

QStringList likelyLanguages(const QString &text, const QStringList &models)
{
    if (std::count_if(text.begin(), text.end(), [](QChar c) { return c.isLetter(); }) < minLetters)
        return {};
    const auto &known = modelProfiles();
    for (const QString &model : models) {
        if (!known.contains(model))
            return {};
    }
    const QByteArray utf8 = text.toUtf8();
    const auto unknown = std::make_unique<Profile>();
    unknown->fingerprint = fp_Init(nullptr);
    fp_SetProperty(unknown->fingerprint, TCPROP_UTF8AWARE, 1);
    if (fp_Create(unknown->fingerprint, utf8.constData(), uint4(utf8.size()), ngrams) == 0)
        return {};
    // The profiles are shared by the pages read at once, and the library does
    // not say that comparing with one is safe from several threads.
    static std::mutex comparing;
    std::lock_guard lock(comparing);
    std::vector<std::pair<sint4, QString>> distances;
    for (const QString &model : models)
        distances.emplace_back(fp_Compare(known.at(model)->fingerprint, unknown->fingerprint, INT_MAX), model);
    std::sort(distances.begin(), distances.end());
    QStringList likely;
    for (const auto &[distance, model] : distances) {
        if (distance > distances.front().first * tie)
            break;
        likely.append(model);
    }
    return likely;
}
