// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>

struct xcb_connection_t;

// How long and how much a read of the clipboard may take. An owner that sends
// nothing for `silence` is taken for frozen; no read, however lively, goes on
// past `deadline` or beyond `maxBytes`.
struct SelectionLimits {
    std::chrono::milliseconds silence{3'000};
    std::chrono::milliseconds deadline{20'000};
    qint64 maxBytes = qint64(512) << 20;
};

// Reads the CLIPBOARD selection of an X server over a connection and window of
// its own, so that an owner that never answers holds up only the thread that
// asked. Every wait ends at the limits, or soon after `stop` turns true.
// Large contents arrive in pieces (the INCR protocol) and are put together.
// Use one reader on one thread.
class X11SelectionReader {
public:
    // `display` as in DISPLAY; empty for DISPLAY itself.
    X11SelectionReader(const QByteArray &display, const SelectionLimits &limits, const std::atomic<bool> &stop);
    ~X11SelectionReader();
    X11SelectionReader(const X11SelectionReader &) = delete;
    X11SelectionReader &operator=(const X11SelectionReader &) = delete;

    // The content types the clipboard's owner offers (TARGETS); nothing when
    // there is no owner or it does not answer.
    std::optional<QList<QByteArray>> targets();

    // The clipboard's content as `target`; nothing when the owner refuses,
    // falls silent, or a limit is passed.
    std::optional<QByteArray> read(const QByteArray &target);

    // True once the owner fell silent, a limit was passed or the reader was
    // stopped: asking again would only wait again.
    bool givenUp() const { return gaveUp; }

private:
    unsigned atom(const QByteArray &name);
    std::optional<QByteArray> convert(unsigned target);
    std::optional<QByteArray> takeProperty(unsigned from, unsigned *type);
    std::optional<QByteArray> readIncrementally();
    std::optional<unsigned> waitForSelection(unsigned target);
    bool waitForNewValue();
    bool waitForEvent(const std::function<bool(const void *event)> &wanted);
    bool withinLimit(qint64 bytes);

    xcb_connection_t *connection = nullptr;
    unsigned window = 0;
    unsigned clipboard = 0;
    unsigned property = 0;
    SelectionLimits limits;
    const std::atomic<bool> &stop;
    std::chrono::steady_clock::time_point deadline;
    bool gaveUp = false;
};
