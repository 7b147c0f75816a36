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

// What one call of translateText handed to its completion, recorded from
// whichever thread the completion ran on.
class Outcome {
public:
    TranslationCompletion completion()
    {
        return [self = state](Translation translation) {
            const std::lock_guard lock(self->mutex);
            ++self->calls;
            self->translation = std::move(translation);
            self->thread = QThread::currentThread();
        };
    }

    int calls() const
    {
        const std::lock_guard lock(state->mutex);
        return state->calls;
    }
    Translation translation() const
    {
        const std::lock_guard lock(state->mutex);
        return state->translation;
    }
    QThread *thread() const
    {
        const std::lock_guard lock(state->mutex);
        return state->thread;
    }

private:
    struct State {
        mutable std::mutex mutex;
        int calls = 0;
        Translation translation;
        QThread *thread = nullptr;
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
    if (!QTest::qWaitFor([&] { return outcome.calls() > 0; }, 60'000))
        return QStringLiteral("(completion never called)");
    return outcome.translation();
}
