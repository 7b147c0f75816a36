// SPDX-License-Identifier: GPL-3.0-or-later

#include "TranslateText.h"

#include "BoundedGet.h"
#include "NetworkThread.h"
#include "ReplyReader.h"
#include "RequestAddress.h"
#include "RetryPolicy.h"
#include "TranslationRoute.h"

#include <QDeadlineTimer>
#include <QNetworkAccessManager>
#include <QRandomGenerator>
#include <QSslConfiguration>
#include <QTimer>

namespace {

// One line's way to the service: its address, its limits, and the deadline
// that all of its attempts share.
struct LineRequest {
    QUrl address;
    TransferLimits limits;
    QDeadlineTimer deadline;
    TranslationCompletion completion;
};

void attempt(QNetworkAccessManager &manager, LineRequest line, int retriesDone);

// A refused line waiting for its next attempt. A child of the manager, so a
// wait still running when the network thread stops ends the line with nothing.
class WaitingRetry final : public QObject {
public:
    WaitingRetry(QNetworkAccessManager &manager, LineRequest line, int retriesDone, std::chrono::milliseconds wait)
        : QObject(&manager), line(std::move(line))
    {
        QTimer::singleShot(wait, this, [this, &manager, retriesDone] {
            deleteLater();
            attempt(manager, std::exchange(this->line, {}), retriesDone + 1);
        });
    }

    ~WaitingRetry() override
    {
        if (line.completion)
            line.completion(std::nullopt);
    }

private:
    LineRequest line;
};

void attempt(QNetworkAccessManager &manager, LineRequest line, int retriesDone)
{
    TransferLimits limits = line.limits;
    limits.deadline = std::chrono::milliseconds(line.deadline.remainingTime());
    const QUrl address = line.address;
    boundedGet(manager, address, limits,
               [&manager, line = std::move(line), retriesDone](std::optional<Response> response) mutable {
                   if (!response) {
                       line.completion(std::nullopt);
                       return;
                   }
                   const std::optional<std::chrono::milliseconds> wait =
                       retryWait(response->status, response->retryAfter, retriesDone,
                                 std::chrono::milliseconds(line.deadline.remainingTime()),
                                 QDateTime::currentDateTimeUtc(), QRandomGenerator::global()->generateDouble());
                   if (wait)
                       new WaitingRetry(manager, std::move(line), retriesDone, *wait);
                   else
                       line.completion(readReply(response->body));
               });
}

} // namespace

void translateText(const QString &text, const QString &to, TranslationCompletion completion,
                   const TranslationRoute &route)
{
    const std::optional<QUrl> address = requestAddress(route.endpoint, to, text);
    if (!address) {
        completion(std::nullopt);
        return;
    }
    LineRequest line{*address, route.limits, QDeadlineTimer(route.limits.deadline), std::move(completion)};
    onNetworkThread(
        [line = std::move(line)](QNetworkAccessManager &manager) mutable { attempt(manager, std::move(line), 0); });
}

void openTranslationConnection(const TranslationRoute &route)
{
    const QUrl endpoint(QString::fromUtf8(route.endpoint));
    if (!endpoint.isValid() || endpoint.host().isEmpty())
        return;
    onNetworkThread([endpoint](QNetworkAccessManager &manager) {
        if (endpoint.scheme() == u"https") {
            // As the requests themselves offer it, or the connection opened
            // here would not be the one they find.
            QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
            tls.setAllowedNextProtocols({QSslConfiguration::ALPNProtocolHTTP2, QSslConfiguration::NextProtocolHttp1_1});
            manager.connectToHostEncrypted(endpoint.host(), quint16(endpoint.port(443)), tls);
        } else if (endpoint.scheme() == u"http") {
            manager.connectToHost(endpoint.host(), quint16(endpoint.port(80)));
        }
    });
}
