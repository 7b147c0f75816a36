// SPDX-License-Identifier: GPL-3.0-or-later

// Fan-out of one translation job: N lines sent at once, timed from the first
// call to the last completion, against a service on 127.0.0.1.
//
// translation-bench --endpoint URL [--trust CERT.pem] [--lines 1,30,200]
//                   [--repeats N] [--label TEXT]
// Prints one Markdown table row per job size (a one-line job always first):
// median and fastest wall time, the median's ratio to the one-line median (one
// round trip), and how many lines got no translation over all repeats.
#include "TranslationRoute.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSemaphore>
#include <QSslCertificate>
#include <QSslConfiguration>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

namespace {

struct JobTime {
    double milliseconds;
    int failures;
};

JobTime runJob(const TranslationRoute &route, int lines, int round)
{
    QSemaphore answered;
    std::atomic<int> failures = 0;
    QElapsedTimer clock;
    clock.start();
    for (int k = 0; k < lines; ++k) {
        translateText(
            QStringLiteral("Line %1 of round %2.").arg(k).arg(round), QStringLiteral("iw"),
            [&](std::optional<QString> translation) {
                if (!translation)
                    ++failures;
                answered.release();
            },
            route);
    }
    answered.acquire(lines);
    return {double(clock.nsecsElapsed()) / 1e6, failures};
}

bool trust(const QString &path)
{
    const QList<QSslCertificate> certificates = QSslCertificate::fromPath(path);
    if (certificates.isEmpty())
        return false;
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.addCaCertificates(certificates);
    QSslConfiguration::setDefaultConfiguration(configuration);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOptions({{u"endpoint"_qs, u"service address"_qs, u"URL"_qs},
                       {u"trust"_qs, u"PEM certificate to trust"_qs, u"FILE"_qs},
                       {u"lines"_qs, u"job sizes"_qs, u"LIST"_qs, u"1,30,200"_qs},
                       {u"repeats"_qs, u"jobs per size"_qs, u"N"_qs, u"5"_qs},
                       {u"label"_qs, u"first column"_qs, u"TEXT"_qs, u"service"_qs}});
    parser.process(app);
    if (!parser.isSet(u"endpoint"_qs) || (parser.isSet(u"trust"_qs) && !trust(parser.value(u"trust"_qs)))) {
        std::fprintf(stderr, "translation-bench: need --endpoint, and a readable --trust certificate if given\n");
        return 2;
    }
    const TranslationRoute route{parser.value(u"endpoint"_qs).toUtf8(), {}};
    const int repeats = std::max(1, parser.value(u"repeats"_qs).toInt());
    const QByteArray label = parser.value(u"label"_qs).toUtf8();

    // Connections are set up once, as for every job after an app's first.
    if (runJob(route, 1, -1).failures != 0) {
        std::fprintf(stderr, "translation-bench: the service does not answer at %s\n", route.endpoint.constData());
        return 1;
    }
    // One line is one round trip, the unit of the last column; it runs first.
    QStringList sizes = parser.value(u"lines"_qs).split(u',');
    sizes.removeAll(u"1"_qs);
    sizes.prepend(u"1"_qs);
    double roundTrip = 0;
    int round = 0;
    for (const QString &size : sizes) {
        const int lines = size.toInt();
        std::vector<double> times;
        int failures = 0;
        for (int r = 0; r < repeats; ++r) {
            const JobTime job = runJob(route, lines, round++);
            times.push_back(job.milliseconds);
            failures += job.failures;
        }
        std::sort(times.begin(), times.end());
        const double median = times[times.size() / 2];
        if (lines == 1)
            roundTrip = median;
        std::printf("| %s | %d | %.0f | %.0f | %.2f | %d |\n", label.constData(), lines, median, times.front(),
                    median / roundTrip, failures);
        std::fflush(stdout);
    }
    return 0;
}
