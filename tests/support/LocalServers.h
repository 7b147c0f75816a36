// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// Ends a child process that a test started: asked first, then made to.
void stopChild(QProcess &child);

// Stops a child with SIGSTOP and returns once it is stopped: the signal is
// delivered asynchronously, and a child still running could answer a request
// made right after.
bool pauseChild(const QProcess &child);

// One of the helper servers of this folder (a Python script) on a free port
// of 127.0.0.1 for as long as this object lives, with a folder of its own for
// its files. It also stops by itself, should this process die first.
class LocalServer {
public:
    LocalServer() = default;
    ~LocalServer();
    LocalServer(const LocalServer &) = delete;
    LocalServer &operator=(const LocalServer &) = delete;

    bool isListening() const { return listeningPort != 0; }
    quint16 port() const { return listeningPort; }

protected:
    void start(const QString &script, const QStringList &arguments);
    QString file(const QString &name) const { return folder.filePath(name); }
    // The lines of one of its files, without their line ends; none when missing.
    QStringList lines(const QString &name) const;
    // SCHEME://127.0.0.1:PORT/translate_a/single
    QByteArray endpoint(const char *scheme) const;

private:
    QTemporaryDir folder;
    QProcess process;
    quint16 listeningPort = 0;
};

// fake_translate.py, recording every request line. `options` are its own
// (--delay-ms, --answer, --fail...).
class FakeTranslationService : public LocalServer {
public:
    explicit FakeTranslationService(const QStringList &options = {});

    QByteArray endpoint() const { return LocalServer::endpoint("http"); }
    // Every request line received so far, in order.
    QStringList requestLines() const { return lines(QStringLiteral("requests.log")); }
    // The names of each request's headers, in lower case, sorted, joined by spaces.
    QStringList requestHeaders() const { return lines(QStringLiteral("headers.log")); }
};

// tls_front.py: HTTPS with HTTP/2 in front of the plain-HTTP service on
// `backendPort`, with a certificate of its own that no one trusts until told to.
class TlsFront : public LocalServer {
public:
    explicit TlsFront(quint16 backendPort);

    QByteArray endpoint() const { return LocalServer::endpoint("https"); }
    QString certificatePath() const { return file(QStringLiteral("cert.pem")); }
    // "<alpn> <request line> <status>" for every request it answered.
    QStringList accessLog() const { return lines(QStringLiteral("access.log")); }
};

// An Xvfb server of its own for as long as this object lives, on a display
// number that no other server uses.
class XvfbServer {
public:
    XvfbServer();
    ~XvfbServer() { stopChild(server); }
    XvfbServer(const XvfbServer &) = delete;
    XvfbServer &operator=(const XvfbServer &) = delete;

    bool isRunning() const { return !name.isEmpty(); }
    // ":N", for DISPLAY; empty when the server did not start.
    QByteArray display() const { return name; }

private:
    QProcess server;
    QByteArray name;
};
