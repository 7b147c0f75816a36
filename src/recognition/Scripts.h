#pragma once

#include <QStringList>

// The language-data models a line may be read with, one per script: Latin,
// Cyrillic, Hebrew (also Yiddish) and Arabic.
const QStringList &scriptModels();
