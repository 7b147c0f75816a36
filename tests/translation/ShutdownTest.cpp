// SPDX-License-Identifier: GPL-3.0-or-later

// Ending the application while requests are still in flight: the network
// thread stops with the application object, every request still ends in one
// completion (with nothing), and the process neither crashes nor hangs.
#include "LocalServers.h"
#include "TranslationRoute.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <atomic>
#include <cstdio>

int main(int argc, char *argv[])
{
    constexpr int calls = 40;
    std::atomic<int> untranslated = 0;
    std::atomic<int> translated = 0;
    // Outlives the application, so no request ends because the server went first.
    std::optional<FakeTranslationService> service;
    {
        QCoreApplication app(argc, argv);
        const FakeTranslationService &silent =
            service.emplace(QStringList{QStringLiteral("--fail"), QStringLiteral("*:hang")});
        if (!silent.isListening()) {
            std::fprintf(stderr, "the fake service did not start\n");
            return 1;
        }
        const TranslationRoute route{silent.endpoint(), {}};
        const auto issue = [&] {
            for (int k = 0; k < calls / 2; ++k)
                translateText(
                    QStringLiteral("line %1").arg(k), QStringLiteral("iw"),
                    [&](std::optional<QString> translation) { ++(translation ? translated : untranslated); }, route);
        };
        issue();
        // Wait until the server holds requests, so some are on the wire and
        // the rest queued when the application goes.
        const QDeadlineTimer deadline(20'000);
        while (silent.requestLines().isEmpty() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        if (silent.requestLines().isEmpty()) {
            std::fprintf(stderr, "no request reached the fake service\n");
            return 1;
        }
        // These may still wait in the network thread's queue as the application goes.
        issue();
    }
    if (untranslated != calls || translated != 0) {
        std::fprintf(stderr, "%d calls, %d completions with nothing, %d with a translation\n", calls, int(untranslated),
                     int(translated));
        return 1;
    }
    return 0;
}
