// SPDX-License-Identifier: GPL-3.0-or-later

#include "HandedPictures.h"

#include "BackgroundReads.h"
#include "ClipboardPicture.h"
#include "PictureFiles.h"
#include "PipeContent.h"

#include <fcntl.h>
#include <unistd.h>

#include <memory>

namespace {

// A descriptor of this process's own, closed with the last copy of the read
// that holds it, whether or not the read ever ran.
class OwnDescriptor {
public:
    explicit OwnDescriptor(int borrowed) : fd(::fcntl(borrowed, F_DUPFD_CLOEXEC, 0)) {}
    ~OwnDescriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    OwnDescriptor(const OwnDescriptor &) = delete;
    OwnDescriptor &operator=(const OwnDescriptor &) = delete;

    const int fd;
};

} // namespace

void readNamedPicture(QObject *receiver, const QString &path, ClipboardPictureCompletion done)
{
    limitAllocationOnce();
    readInBackground(receiver, std::move(done),
                     [path](const std::atomic<bool> &stop) { return readPictureFile(path, SelectionLimits{}, stop); });
}

void readPipedPicture(QObject *receiver, int fd, ClipboardPictureCompletion done)
{
    limitAllocationOnce();
    readInBackground(receiver, std::move(done),
                     [pipe = std::make_shared<const OwnDescriptor>(fd)](const std::atomic<bool> &stop) {
                         std::optional<QImage> picture;
                         if (pipe->fd < 0)
                             return picture;
                         if (const std::optional<QByteArray> bytes = readPipeContent(pipe->fd, PipeLimits{}, stop))
                             picture = decodePicture(*bytes);
                         return picture;
                     });
}
