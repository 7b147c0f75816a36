// SPDX-License-Identifier: GPL-3.0-or-later

#include "PictureFiles.h"

#include "ClipboardPicture.h"

#include <QFile>
#include <QSysInfo>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

bool isThisMachine(const QString &host)
{
    return host.isEmpty() || host.compare(u"localhost", Qt::CaseInsensitive) == 0 ||
           host.compare(QSysInfo::machineHostName(), Qt::CaseInsensitive) == 0;
}

// An open regular file as far as it reached when it was opened, read where
// the decoder asks; a stop or the deadline ends the read at its next request.
class FileSnapshot : public QIODevice {
public:
    FileSnapshot(int fd, qint64 size, Clock::time_point deadline, const std::atomic<bool> &stop)
        : fd(fd), length(size), deadline(deadline), stop(stop)
    {
    }
    ~FileSnapshot() override { ::close(fd); }
    qint64 size() const override { return length; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (stop.load() || Clock::now() > deadline)
            return -1;
        const qint64 wanted = std::min(maxSize, length - pos());
        if (wanted <= 0)
            return 0;
        ssize_t got;
        do
            got = ::pread(fd, data, size_t(wanted), off_t(pos()));
        while (got < 0 && errno == EINTR);
        return got;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    const int fd;
    const qint64 length;
    const Clock::time_point deadline;
    const std::atomic<bool> &stop;
};

} // namespace

QList<QByteArray> fileListTypes(const QList<QByteArray> &offered)
{
    QList<QByteArray> types;
    for (const char *type : {"text/uri-list", "x-special/gnome-copied-files"}) {
        if (offered.contains(type))
            types.append(type);
    }
    return types;
}

QStringList localPaths(const QByteArray &list)
{
    QStringList paths;
    for (const QByteArray &rawLine : list.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith('#') || line == "copy" || line == "cut")
            continue;
        const QUrl url = QUrl::fromEncoded(line, QUrl::StrictMode);
        if (!url.isValid() || url.scheme() != u"file" || !isThisMachine(url.host()))
            continue;
        const QString path = url.path(QUrl::FullyDecoded);
        if (path.startsWith(u'/') && !paths.contains(path))
            paths.append(path);
    }
    return paths;
}

std::optional<QImage> readPictureFile(const QString &path, const SelectionLimits &limits, const std::atomic<bool> &stop)
{
    // Without O_NONBLOCK, opening a FIFO would wait for a writer for ever.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return std::nullopt;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0 ||
        status.st_size > limits.maxBytes) {
        ::close(fd);
        return std::nullopt;
    }
    FileSnapshot file(fd, status.st_size, Clock::now() + limits.deadline, stop);
    file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    return decodePicture(&file);
}

std::optional<QImage> firstPictureFile(const QByteArray &list, const SelectionLimits &limits,
                                       const std::atomic<bool> &stop)
{
    const Clock::time_point deadline = Clock::now() + limits.deadline;
    for (const QString &path : localPaths(list)) {
        if (stop.load() || Clock::now() > deadline)
            break;
        if (std::optional<QImage> picture = readPictureFile(path, limits, stop))
            return picture;
    }
    return std::nullopt;
}
