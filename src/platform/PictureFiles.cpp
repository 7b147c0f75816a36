#include "PictureFiles.h"

#include "ClipboardPicture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QSysInfo>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

// Files are read in pieces of this size, so that a stop or the deadline is
// noticed between them.
constexpr qint64 pieceBytes = qint64(1) << 20;

bool isThisMachine(const QString &host)
{
    return host.isEmpty() || host.compare(u"localhost", Qt::CaseInsensitive) == 0 ||
           host.compare(QSysInfo::machineHostName(), Qt::CaseInsensitive) == 0;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd(fd) {}
    ~FileDescriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int fd;
};

// Only the first piece is read of a file that does not begin as a picture.
bool beginsAsPicture(const QByteArray &head)
{
    QBuffer buffer;
    buffer.setData(head);
    buffer.open(QIODevice::ReadOnly);
    return !QImageReader::imageFormat(&buffer).isEmpty();
}

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
    const FileDescriptor file(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat status {};
    if (file.fd < 0 || ::fstat(file.fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0 ||
        status.st_size > limits.maxBytes)
        return std::nullopt;

    const Clock::time_point deadline = Clock::now() + limits.deadline;
    const qint64 size = status.st_size;
    QByteArray bytes(size, Qt::Uninitialized);
    qint64 filled = 0;
    while (filled < size) {
        if (stop.load() || Clock::now() > deadline)
            return std::nullopt;
        const ssize_t got = ::read(file.fd, bytes.data() + filled, size_t(std::min(pieceBytes, size - filled)));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break; // shrank while being read
        filled += got;
        if (filled == got && !beginsAsPicture(bytes.left(filled)))
            return std::nullopt;
    }
    bytes.truncate(filled);
    return decodePicture(bytes);
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
