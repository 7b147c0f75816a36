// SPDX-License-Identifier: GPL-3.0-or-later

#include "BoundedGet.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <utility>

namespace {

// Errors that only report the HTTP status of a response that arrived whole;
// all others (connection, proxy, TLS, protocol, time-out, abort) mean the body
// is missing or cut short.
bool isHttpStatusError(QNetworkReply::NetworkError error)
{
    return (error >= QNetworkReply::ContentAccessDenied && error <= QNetworkReply::UnknownContentError &&
            error != QNetworkReply::ContentReSendError) ||
           (error >= QNetworkReply::InternalServerError && error <= QNetworkReply::UnknownServerError);
}

// Follows one reply to its end. A child of the reply, so it goes with it.
class Exchange final : public QObject {
public:
    Exchange(QNetworkReply *reply, const TransferLimits &limits, ResponseCompletion done)
        : QObject(reply), reply(reply), maxBodyBytes(limits.maxBodyBytes), done(std::move(done))
    {
        // Qt's own HTTP thread reads ahead of us into a buffer that has no
        // bound of its own; one byte past the cap is all it may hold, so an
        // endless body costs no more memory than the cap while this thread is busy.
        reply->setReadBufferSize(maxBodyBytes + 1);
        connect(reply, &QNetworkReply::readyRead, this, &Exchange::readAvailable);
        connect(reply, &QNetworkReply::finished, this, &Exchange::finish);
        connect(reply, &QNetworkReply::redirected, this, &Exchange::checkRedirect);
        // A timer of its own goes with the exchange; a single-shot one would
        // stay queued until the deadline, however soon the reply ended.
        auto *deadline = new QTimer(this);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, this, &Exchange::fail);
        deadline->start(limits.deadline);
    }

private:
    void readAvailable()
    {
        body += reply->readAll();
        if (body.size() > maxBodyBytes)
            fail();
    }

    void checkRedirect(const QUrl &target)
    {
        if (target.scheme() == u"https")
            Q_EMIT reply->redirectAllowed();
        else
            fail();
    }

    // abort() finishes the reply at once, so finish() runs before this returns.
    void fail()
    {
        failed = true;
        reply->abort();
    }

    void finish()
    {
        if (reply->isOpen())
            body += reply->readAll();
        const QNetworkReply::NetworkError error = reply->error();
        const bool whole =
            !failed && body.size() <= maxBodyBytes && (error == QNetworkReply::NoError || isHttpStatusError(error));
        std::optional<Response> response;
        if (whole)
            response = Response{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                                reply->rawHeader("Retry-After"), std::move(body)};
        std::exchange(done, {})(std::move(response));
        reply->deleteLater();
    }

    QNetworkReply *reply;
    qint64 maxBodyBytes;
    ResponseCompletion done;
    QByteArray body;
    bool failed = false;
};

} // namespace

void boundedGet(QNetworkAccessManager &manager, const QUrl &address, const TransferLimits &limits,
                ResponseCompletion done)
{
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, true);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setTransferTimeout(int(limits.inactivity.count()));
    // Each line is a request of its own: nothing the service set on an
    // earlier reply may tie it to the others or to the user.
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    new Exchange(manager.get(request), limits, std::move(done));
}
