// SPDX-License-Identifier: GPL-3.0-or-later

// Any body the service may send: the reader gives a non-empty translation or
// nothing, never crashes, and a translation is made only of the body's strings.
#include "ReplyReader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<QString> translation = readReply(body);
    if (translation && translation->isEmpty())
        std::abort();
    return 0;
}
