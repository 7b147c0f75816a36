// SPDX-License-Identifier: GPL-3.0-or-later

#include "FakeTranslationService.h"

FakeTranslationService::FakeTranslationService(const QStringList &options)
    : server(QStringLiteral("fake_translate.py"),
             QStringList{QStringLiteral("--log"), folder.filePath(QStringLiteral("requests.log"))} + options,
             folder.path())
{
}

QByteArray FakeTranslationService::endpoint() const
{
    return "http://127.0.0.1:" + QByteArray::number(port()) + "/translate_a/single";
}
