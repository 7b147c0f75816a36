// SPDX-License-Identifier: GPL-3.0-or-later

#include "WaylandPaste.h"

#include "ClipboardPicture.h"
#include "PictureFiles.h"

#include <QFile>
#include <QStandardPaths>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

// How often a wait looks at the stop flag.
constexpr std::chrono::milliseconds stopCheck{50};

QString waylandPaste()
{
    static const QString path = QStandardPaths::findExecutable(QStringLiteral("wl-paste"));
    return path;
}

// What `wl-paste ARGUMENTS` writes, when it ends well within the limits; it
// is killed as soon as the owner falls silent or a limit is passed.
std::optional<QByteArray> run(const QList<QByteArray> &arguments, const SelectionLimits &limits,
                              Clock::time_point deadline, const std::atomic<bool> &stop, bool *gaveUp)
{
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const QByteArray program = QFile::encodeName(waylandPaste());
    std::vector<char *> argv{const_cast<char *>(program.constData())};
    for (const QByteArray &argument : arguments)
        argv.push_back(const_cast<char *>(argument.constData()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return std::nullopt;
    }

    QByteArray content;
    bool ended = false;
    Clock::time_point silentAfter = Clock::now() + limits.silence;
    char piece[65536];
    while (!ended) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::min(silentAfter, deadline) - Clock::now());
        if (stop.load() || left.count() <= 0)
            break;
        pollfd readable{out[0], POLLIN, 0};
        if (poll(&readable, 1, int(std::min(left, stopCheck).count())) <= 0)
            continue;
        const ssize_t got = read(out[0], piece, sizeof piece);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || content.size() + got > limits.maxBytes)
            break;
        ended = got == 0;
        content.append(piece, got);
        silentAfter = Clock::now() + limits.silence;
    }
    close(out[0]);
    if (!ended) {
        kill(child, SIGKILL);
        *gaveUp = true;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!ended || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return content;
}

} // namespace

bool canRunWaylandPaste()
{
    return !waylandPaste().isEmpty();
}

std::optional<QImage> readWaylandClipboardPicture(const QList<QByteArray> &offered, const SelectionLimits &limits,
                                                  const std::atomic<bool> &stop)
{
    const Clock::time_point deadline = Clock::now() + limits.deadline;
    bool gaveUp = false;
    for (const QByteArray &type : pictureTypes(offered)) {
        if (const std::optional<QByteArray> bytes =
                run({"--no-newline", "--type", type}, limits, deadline, stop, &gaveUp)) {
            if (std::optional<QImage> picture = decodePicture(*bytes))
                return picture;
        }
        if (gaveUp)
            return std::nullopt;
    }
    for (const QByteArray &type : fileListTypes(offered)) {
        if (const std::optional<QByteArray> files =
                run({"--no-newline", "--type", type}, limits, deadline, stop, &gaveUp))
            return firstPictureFile(*files, limits, stop);
        if (gaveUp)
            break;
    }
    return std::nullopt;
}
