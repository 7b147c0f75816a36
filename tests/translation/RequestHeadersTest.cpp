// SPDX-License-Identifier: GPL-3.0-or-later

// What a request carries besides its address: only the headers Qt's HTTP
// client sends by itself, and never a cookie, not even one the service set
// on an earlier reply.
#include "Outcome.h"

#include <QTcpServer>
#include <QTcpSocket>

namespace {

// An HTTP/1.1 server on 127.0.0.1 that answers every request with a usable
// reply that also sets a cookie, and keeps each request's head.
class RecordingServer : public QObject {
public:
    RecordingServer()
    {
        server.listen(QHostAddress::LocalHost);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = server.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        });
    }

    QByteArray endpoint() const
    {
        return "http://127.0.0.1:" + QByteArray::number(server.serverPort()) + "/translate_a/single";
    }

    QList<QByteArray> heads;

private:
    void read(QTcpSocket *socket)
    {
        QByteArray &buffer = pending[socket];
        buffer += socket->readAll();
        for (qsizetype end = buffer.indexOf("\r\n\r\n"); end >= 0; end = buffer.indexOf("\r\n\r\n")) {
            heads.append(buffer.left(end));
            buffer.remove(0, end + 4);
            const QByteArray body = R"([[["Hola","Hello",null,null,10]],null,"en"])";
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json; charset=UTF-8\r\n"
                          "Set-Cookie: NID=511=tracking; Path=/; HttpOnly\r\n"
                          "Set-Cookie: CONSENT=YES+; Domain=127.0.0.1; Path=/\r\n"
                          "Content-Length: " +
                          QByteArray::number(body.size()) + "\r\n\r\n" + body);
        }
    }

    QTcpServer server;
    QHash<QTcpSocket *, QByteArray> pending;
};

QList<QByteArray> headerNames(const QByteArray &head)
{
    QList<QByteArray> names;
    const QList<QByteArray> lines = head.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i)
        names.append(lines[i].left(lines[i].indexOf(':')).trimmed().toLower());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

class RequestHeadersTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void onlyDefaultHeadersAndNoCookies()
    {
        RecordingServer server;
        const TranslationRoute route = routeTo(server.endpoint());
        for (int i = 0; i < 3; ++i)
            QCOMPARE(translateNow(u"Hello"_qs, u"es"_qs, route), Translation(u"Hola"_qs));
        QCOMPARE(server.heads.size(), 3);
        const QList<QByteArray> qtDefaults{"accept-encoding", "accept-language", "connection", "host", "user-agent"};
        for (const QByteArray &head : std::as_const(server.heads)) {
            QVERIFY2(head.startsWith("GET /translate_a/single?client=gtx&sl=auto&tl=es&dt=t&q=Hello HTTP/1.1\r\n"),
                     head.constData());
            QVERIFY2(headerNames(head) == qtDefaults, head.constData());
            QVERIFY2(!head.toLower().contains("cookie"), head.constData());
        }
    }
};

QTEST_GUILESS_MAIN(RequestHeadersTest)
#include "RequestHeadersTest.moc"
