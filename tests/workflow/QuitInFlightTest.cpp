// SPDX-License-Identifier: GPL-3.0-or-later

// Quitting while a recognition runs and translations hang, as main() ends the
// app: the delegate goes, then the application. The process must end promptly
// and cleanly (the sanitizer builds check the "cleanly"), with no late result
// touching anything, and every call of translateText, whether its request
// was on the wire, still queued or waiting to be asked again after a refusal,
// must end in one completion with nothing.
#include "AppDelegate.h"
#include "LocalServers.h"
#include "NetworkThread.h"
#include "RecognizeText.h"
#include "RoutedTranslation.h"
#include "TextPicture.h"
#include "WiredControls.h"

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QElapsedTimer>

#include <atomic>
#include <cstdio>
#include <thread>

namespace {

QImage page(int lines)
{
    QStringList texts;
    for (int i = 0; i < lines; ++i)
        texts << QStringLiteral("Line %1 of the picture being read at quit time").arg(i + 1);
    return textPicture(QSize(900, 40 * lines + 40), texts, 20);
}

bool waitFor(const std::function<bool()> &condition, int milliseconds)
{
    const QDeadlineTimer deadline(milliseconds);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return condition();
}

int fail(const char *what)
{
    std::fprintf(stderr, "QuitInFlightTest: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    constexpr int calls = 41;
    std::atomic<int> untranslated = 0, translated = 0;
    // Outlives the application, so no request ends because the server went first.
    std::optional<FakeTranslationService> service;
    QElapsedTimer sinceQuit;
    {
        QApplication app(argc, argv);
        const FakeTranslationService &silent = service.emplace(QStringList{
            QStringLiteral("--fail"), QStringLiteral("*:hang"), QStringLiteral("--throttle"), QStringLiteral("refused"),
            QStringLiteral("forever"), QStringLiteral("429"), QStringLiteral("30")});
        if (!silent.isListening())
            return fail("the fake service did not start");
        const TranslationRoute route{silent.endpoint(), {std::chrono::seconds(60), std::chrono::seconds(60)}};
        routeTranslations(route);
        const auto count = [&](std::optional<QString> translation) { ++(translation ? translated : untranslated); };
        const auto issue = [&] {
            for (int k = 0; k < calls / 2; ++k)
                translateText(QStringLiteral("line %1").arg(k), QStringLiteral("iw"), count, route);
        };
        // Refused, with 30 s to wait before it is asked again.
        translateText(QStringLiteral("refused"), QStringLiteral("iw"), count, route);
        if (!waitFor([&] { return !silent.requestLines().isEmpty(); }, 20'000))
            return fail("no request reached the service");
        issue();

        AppDelegate delegate;
        WiredControls controls(delegate);
        warmUpRecognizer();

        // Its lines wait behind the requests on the wire.
        QGuiApplication::clipboard()->setImage(page(4));
        delegate.pasteNow();
        if (!waitFor([&] { return !delegate.currentItems.isEmpty(); }, 120'000))
            return fail("the first picture was not read");
        // A second picture, large enough to be still in recognition at quit.
        QGuiApplication::clipboard()->setImage(page(40));
        delegate.pasteNow();
        waitFor([] { return false; }, 300);
        // These wait in the network thread's queue as the application goes:
        // they come while work that keeps the thread busy past the quit runs.
        std::atomic<bool> busy = false;
        onNetworkThread([&busy](QNetworkAccessManager &) {
            busy = true;
            std::this_thread::sleep_for(std::chrono::seconds(2));
        });
        if (!waitFor([&] { return busy.load(); }, 20'000))
            return fail("the network thread did not take the work");
        issue();
        std::fprintf(stderr, "QuitInFlightTest: quitting with %lld requests held by the service\n",
                     qlonglong(silent.requestLines().size()));
        sinceQuit.start();
    }
    std::fprintf(stderr, "QuitInFlightTest: the application was gone %lld ms after quitting\n",
                 qlonglong(sinceQuit.elapsed()));
    if (untranslated != calls || translated != 0) {
        std::fprintf(stderr, "QuitInFlightTest: %d calls, %d completions with nothing, %d with a translation\n", calls,
                     int(untranslated), int(translated));
        return 1;
    }
    return 0;
}
