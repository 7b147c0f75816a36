// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

// Names of folders and files as people write them in `language` ("he", "ar",
// "ru", "uk", "el", "ja", "zh_CN"): folders first, each without an
// extension, then documents with theirs. English's when there are none.
struct FileNames {
    QStringList folders;
    QStringList files;
};

const FileNames &fileNames(const QString &language);
