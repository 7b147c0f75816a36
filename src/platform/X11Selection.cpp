// SPDX-License-Identifier: GPL-3.0-or-later

#include "X11Selection.h"

#include <xcb/xcb.h>

#include <poll.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// How often a wait looks at the stop flag.
constexpr std::chrono::milliseconds stopCheck{50};
// Property data is fetched in pieces of this many 32-bit units.
constexpr uint32_t propertyChunk = 1u << 20;

struct FreeDeleter {
    void operator()(void *p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

} // namespace

X11SelectionReader::X11SelectionReader(const QByteArray &display, const SelectionLimits &limits,
                                       const std::atomic<bool> &stop)
    : limits(limits), stop(stop), deadline(Clock::now() + limits.deadline)
{
    int screenNumber = 0;
    connection = xcb_connect(display.isEmpty() ? nullptr : display.constData(), &screenNumber);
    if (xcb_connection_has_error(connection)) {
        gaveUp = true;
        return;
    }
    xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screen.rem; ++i)
        xcb_screen_next(&screen);
    if (!screen.rem) {
        gaveUp = true;
        return;
    }
    window = xcb_generate_id(connection);
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen.data->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    clipboard = atom("CLIPBOARD");
    property = atom("QUILLMERE_SELECTION");
    if (!clipboard || !property)
        gaveUp = true;
}

X11SelectionReader::~X11SelectionReader()
{
    xcb_disconnect(connection);
}

unsigned X11SelectionReader::atom(const QByteArray &name)
{
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(name.size()), name.constData()), nullptr));
    return reply ? reply->atom : unsigned(XCB_ATOM_NONE);
}

std::optional<QList<QByteArray>> X11SelectionReader::targets()
{
    if (gaveUp)
        return std::nullopt;
    const Reply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, clipboard), nullptr));
    if (!owner || owner->owner == XCB_WINDOW_NONE)
        return std::nullopt;
    const std::optional<QByteArray> list = convert(atom("TARGETS"));
    if (!list)
        return std::nullopt;

    const auto *atoms = reinterpret_cast<const xcb_atom_t *>(list->constData());
    const qsizetype count = list->size() / qsizetype(sizeof(xcb_atom_t));
    std::vector<xcb_get_atom_name_cookie_t> cookies;
    for (qsizetype i = 0; i < count; ++i)
        cookies.push_back(xcb_get_atom_name(connection, atoms[i]));
    QList<QByteArray> names;
    for (const xcb_get_atom_name_cookie_t &cookie : cookies) {
        const Reply<xcb_get_atom_name_reply_t> name(xcb_get_atom_name_reply(connection, cookie, nullptr));
        if (name)
            names.append(QByteArray(xcb_get_atom_name_name(name.get()), xcb_get_atom_name_name_length(name.get())));
    }
    return names;
}

std::optional<QByteArray> X11SelectionReader::read(const QByteArray &target)
{
    if (gaveUp)
        return std::nullopt;
    const unsigned targetAtom = atom(target);
    if (!targetAtom)
        return std::nullopt;
    return convert(targetAtom);
}

std::optional<QByteArray> X11SelectionReader::convert(unsigned target)
{
    xcb_delete_property(connection, window, property);
    xcb_convert_selection(connection, window, clipboard, target, property, XCB_CURRENT_TIME);
    xcb_flush(connection);
    const std::optional<unsigned> answer = waitForSelection(target);
    if (!answer || *answer == XCB_ATOM_NONE)
        return std::nullopt;
    unsigned type = XCB_ATOM_NONE;
    std::optional<QByteArray> content = takeProperty(*answer, &type);
    if (content && type == atom("INCR"))
        return readIncrementally();
    return content;
}

// Reads and deletes a property of our window; deleting it is also what asks
// the owner of a transfer in pieces for the next piece.
std::optional<QByteArray> X11SelectionReader::takeProperty(unsigned from, unsigned *type)
{
    QByteArray content;
    uint32_t offset = 0;
    for (;;) {
        const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            connection, xcb_get_property(connection, 1, window, from, XCB_GET_PROPERTY_TYPE_ANY, offset, propertyChunk),
            nullptr));
        if (!reply)
            return std::nullopt;
        *type = reply->type;
        const int length = xcb_get_property_value_length(reply.get());
        if (!withinLimit(content.size() + length))
            return std::nullopt;
        content.append(static_cast<const char *>(xcb_get_property_value(reply.get())), length);
        if (reply->bytes_after == 0)
            return content;
        offset += uint32_t(length) / 4;
    }
}

std::optional<QByteArray> X11SelectionReader::readIncrementally()
{
    QByteArray content;
    for (;;) {
        if (!waitForNewValue())
            return std::nullopt;
        unsigned type = XCB_ATOM_NONE;
        const std::optional<QByteArray> piece = takeProperty(property, &type);
        if (!piece)
            return std::nullopt;
        if (piece->isEmpty())
            return content;
        if (!withinLimit(content.size() + piece->size()))
            return std::nullopt;
        content += *piece;
    }
}

std::optional<unsigned> X11SelectionReader::waitForSelection(unsigned target)
{
    unsigned answer = XCB_ATOM_NONE;
    const bool answered = waitForEvent([&](const void *event) {
        const auto *notify = static_cast<const xcb_selection_notify_event_t *>(event);
        if ((notify->response_type & 0x7f) != XCB_SELECTION_NOTIFY || notify->requestor != window ||
            notify->selection != clipboard || notify->target != target)
            return false;
        answer = notify->property;
        return true;
    });
    return answered ? std::optional(answer) : std::nullopt;
}

bool X11SelectionReader::waitForNewValue()
{
    return waitForEvent([&](const void *event) {
        const auto *change = static_cast<const xcb_property_notify_event_t *>(event);
        return (change->response_type & 0x7f) == XCB_PROPERTY_NOTIFY && change->window == window &&
               change->atom == property && change->state == XCB_PROPERTY_NEW_VALUE;
    });
}

bool X11SelectionReader::waitForEvent(const std::function<bool(const void *event)> &wanted)
{
    const Clock::time_point silentAfter = Clock::now() + limits.silence;
    const Clock::time_point end = std::min(silentAfter, deadline);
    while (!xcb_connection_has_error(connection) && !stop.load()) {
        while (const Reply<xcb_generic_event_t> event{xcb_poll_for_event(connection)}) {
            if (wanted(event.get()))
                return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (left.count() <= 0)
            break;
        pollfd socket{xcb_get_file_descriptor(connection), POLLIN, 0};
        poll(&socket, 1, int(std::min(left, stopCheck).count()));
    }
    gaveUp = true;
    return false;
}

bool X11SelectionReader::withinLimit(qint64 bytes)
{
    if (bytes <= limits.maxBytes)
        return true;
    gaveUp = true;
    return false;
}
