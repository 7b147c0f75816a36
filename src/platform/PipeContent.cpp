// SPDX-License-Identifier: GPL-3.0-or-later

#include "PipeContent.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

std::optional<QByteArray> readPipeContent(int fd, const PipeLimits &limits, const std::atomic<bool> &stop)
{
    using namespace std::chrono;
    // A terminal would be read until its user typed an end of file.
    if (::isatty(fd))
        return std::nullopt;
    const steady_clock::time_point deadline = steady_clock::now() + limits.deadline;
    constexpr qsizetype piece = 64 * 1024;
    QByteArray content;
    while (!stop.load()) {
        const milliseconds left = duration_cast<milliseconds>(deadline - steady_clock::now());
        if (left <= milliseconds::zero())
            return std::nullopt;
        pollfd readable{fd, POLLIN, 0};
        const int ready = ::poll(&readable, 1, int(std::clamp<milliseconds::rep>(left.count(), 1, 100)));
        if (ready == 0 || (ready < 0 && errno == EINTR))
            continue;
        if (ready < 0)
            return std::nullopt;
        const qsizetype had = content.size();
        content.resize(had + piece);
        const ssize_t got = ::read(fd, content.data() + had, size_t(piece));
        content.resize(had + std::max<ssize_t>(got, 0));
        if (got == 0)
            return content;
        if (got < 0 && errno != EINTR && errno != EAGAIN)
            return std::nullopt;
        if (content.size() > limits.maxBytes)
            return std::nullopt;
    }
    return std::nullopt;
}
