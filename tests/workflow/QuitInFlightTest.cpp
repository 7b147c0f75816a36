// SPDX-License-Identifier: GPL-3.0-or-later

// Quitting while a recognition runs and a job's requests hang, as main() ends
// the app: the delegate goes, then the application. The process must end
// promptly and cleanly (the sanitizer builds check the "cleanly"), with no
// late result touching anything.
#include "AppDelegate.h"
#include "LocalServers.h"
#include "RecognizeText.h"
#include "RoutedTranslation.h"
#include "TextPicture.h"
#include "WiredControls.h"

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QElapsedTimer>

#include <cstdio>

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
    // Outlives the application, so no request ends because the server went first.
    std::optional<FakeTranslationService> service;
    QElapsedTimer sinceQuit;
    {
        QApplication app(argc, argv);
        const FakeTranslationService &silent =
            service.emplace(QStringList{QStringLiteral("--fail"), QStringLiteral("*:hang")});
        if (!silent.isListening())
            return fail("the fake service did not start");
        routeTranslations({silent.endpoint(), {std::chrono::seconds(60), std::chrono::seconds(60)}});

        AppDelegate delegate;
        WiredControls controls(delegate);
        warmUpRecognizer();

        QGuiApplication::clipboard()->setImage(page(4));
        delegate.pasteNow();
        if (!waitFor([&] { return !silent.requestLines().isEmpty(); }, 120'000))
            return fail("no line of the first picture reached the service");
        // A second picture, large enough to be still in recognition at quit.
        QGuiApplication::clipboard()->setImage(page(40));
        delegate.pasteNow();
        waitFor([] { return false; }, 300);
        std::fprintf(stderr, "QuitInFlightTest: quitting with %lld requests held by the service\n",
                     qlonglong(silent.requestLines().size()));
        sinceQuit.start();
    }
    std::fprintf(stderr, "QuitInFlightTest: the application was gone %lld ms after quitting\n",
                 qlonglong(sinceQuit.elapsed()));
    return 0;
}
