// SPDX-License-Identifier: GPL-3.0-or-later

#include "TextFixes.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

// Hebrew letters and points (Qt gives points a script of their own).
bool isHebrew(QChar c)
{
    return (c.unicode() >= 0x0591 && c.unicode() <= 0x05f4) || (c.unicode() >= 0xfb1d && c.unicode() <= 0xfb4f);
}

QString monotonicWord(const QString &word)
{
    if (std::none_of(word.begin(), word.end(), isPolytonic))
        return word;
    QString plain;
    qsizetype breathing = -1;
    bool accent = false;
    int letters = 0;
    for (const QChar c : word.normalized(QString::NormalizationForm_D)) {
        switch (c.unicode()) {
        case 0x0300:
        case 0x0301:
        case 0x0342:
            plain += QChar(0x0301);
            accent = true;
            break;
        case 0x0313:
        case 0x0314:
            if (breathing < 0)
                breathing = plain.size();
            break;
        case 0x0345:
            break;
        default:
            plain += c;
            letters += c.isLetter();
        }
    }
    if (!accent && breathing >= 0 && letters > 1)
        plain.insert(breathing, QChar(0x0301));
    return plain.normalized(QString::NormalizationForm_C);
}

} // namespace

QString yiddishMaqafs(QString text)
{
    for (qsizetype i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == u'-' && isHebrew(text[i - 1]) && isHebrew(text[i + 1]))
            text[i] = QChar(0x05be);
    }
    return text;
}

QString thaiSaraAm(QString text)
{
    static const QRegularExpression split(QStringLiteral("\u0e4d([\u0e48-\u0e4b]?)\u0e32"));
    return text.replace(split, QStringLiteral("\\1\u0e33"));
}

QString greekMu(QString text)
{
    const auto greek = [&](qsizetype i) {
        return i >= 0 && i < text.size() && text[i].script() == QChar::Script_Greek;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QChar(0x00b5) && (greek(i - 1) || greek(i + 1)))
            text[i] = QChar(0x03bc);
    }
    return text;
}

QString fullWidthMarks(QString text)
{
    static const QString ascii = QStringLiteral(",!?;"), full = QStringLiteral("，！？；");
    for (qsizetype i = 1; i < text.size(); ++i) {
        const qsizetype k = ascii.indexOf(text[i]);
        if (k >= 0 && text[i - 1].script() == QChar::Script_Han)
            text[i] = full[k];
    }
    return text;
}

bool isPolytonic(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x1f00 && u <= 0x1fff) || u == 0x0300 || u == 0x0313 || u == 0x0314 || u == 0x0342 || u == 0x0345;
}

QString monotonicGreek(QString text)
{
    QStringList words = text.split(u' ');
    for (QString &word : words)
        word = monotonicWord(word);
    return words.join(u' ');
}
