// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

struct TargetLanguage {
    QString name; // shown in the language pop-up, in its own language
    QString code; // sent to the translation service
};

// The seven languages offered, Hebrew first. The pop-up holds exactly these
// rows in this order, so its selected index is a row index here.
extern const QList<TargetLanguage> targetLanguages;
