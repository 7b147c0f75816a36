// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <functional>
#include <optional>

using TranslationCompletion = std::function<void(std::optional<QString>)>;

// Translates `text` into the language `to` (a code such as "iw" or "en").
// `completion` runs exactly once, on any thread, with the translation or with
// nothing when the line could not be translated. Needs the application
// object; requests still open when it is destroyed end with nothing.
void translateText(const QString &text, const QString &to, TranslationCompletion completion);
