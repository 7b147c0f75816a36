// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "TranslationRoute.h"

#include <QTest>
#include <QThread>

#include <memory>
#include <mutex>
#include <optional>

// What a completion receives, printed readably when a comparison fails.
using Translation = std::optional<QString>;

namespace QTest {
template <> inline char *toString(const Translation &translation)
{
    return translation ? toString(*translation) : qstrdup("(no translation)");
}
} // namespace QTest

// What the completions of one call of translateText received, recorded from
// whichever thread they ran on.
class Outcome {
public:
    struct Seen {
        int calls = 0;
        Translation translation;
        QThread *thread = nullptr;
    };

    TranslationCompletion completion()
    {
        return [self = state](Translation translation) {
            const std::lock_guard lock(self->mutex);
            self->seen = {self->seen.calls + 1, std::move(translation), QThread::currentThread()};
        };
    }

    Seen seen() const
    {
        const std::lock_guard lock(state->mutex);
        return state->seen;
    }

private:
    struct State {
        std::mutex mutex;
        Seen seen;
    };
    std::shared_ptr<State> state = std::make_shared<State>();
};

// Limits short enough that a test of them does not wait long, long enough
// that a loaded machine does not trip them.
inline TranslationRoute routeTo(const QByteArray &endpoint,
                                TransferLimits limits = {std::chrono::seconds(20), std::chrono::seconds(40)})
{
    return {endpoint, limits};
}

// Translates one text and waits for the answer.
inline Translation translateNow(const QString &text, const QString &to, const TranslationRoute &route)
{
    Outcome outcome;
    translateText(text, to, outcome.completion(), route);
    if (!QTest::qWaitFor([&] { return outcome.seen().calls > 0; }, 60'000))
        return QStringLiteral("(completion never called)");
    return outcome.seen().translation;
}
