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

// Opens the connection to the service ahead of a job's requests, so that they
// need not wait for it and its TLS handshake: called as a picture arrives,
// while it is read. Sends no request; returns at once. Over HTTP/2, the one
// connection a host gets is opened once and kept.
void openTranslationConnection();
