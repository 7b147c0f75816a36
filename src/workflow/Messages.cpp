// SPDX-License-Identifier: GPL-3.0-or-later

#include "Messages.h"

namespace Messages {

QString shortcutName(const QKeySequence &keys)
{
    return keys.toString(QKeySequence::NativeText);
}

static QString pasteKeys()
{
    return shortcutName(QKeySequence(Qt::CTRL | Qt::Key_V));
}

QString pasteHint()
{
    return QStringLiteral("העתק תמונה (למשל צילום מסך) ולחץ ") + pasteKeys();
}

QString pasteButtonTitle()
{
    return QStringLiteral("הדבק מהלוח  ") + pasteKeys();
}

QString recognising()
{
    return QStringLiteral("מזהה טקסט...");
}

QString noImage()
{
    return QStringLiteral("אין תמונה בלוח. העתק תמונה ונסה שוב.");
}

QString noText()
{
    return QStringLiteral("לא נמצא טקסט בתמונה.");
}

QString translating(qsizetype lines)
{
    return QStringLiteral("מתרגם ") + QString::number(lines) + QStringLiteral(" שורות...");
}

QString done()
{
    return QStringLiteral("בוצע. ") + shortcutName(QKeySequence(Qt::CTRL | Qt::Key_C)) +
           QStringLiteral(" להעתקת התמונה.");
}

QString partlyDone(qint64 failedLines)
{
    return QStringLiteral("בוצע, אבל ") + QString::number(failedLines) +
           QStringLiteral(" שורות לא תורגמו (בדוק חיבור לאינטרנט).");
}

QString imageCopied()
{
    return QStringLiteral("התמונה המתורגמת הועתקה ללוח.");
}

QString noImageToCopy()
{
    return QStringLiteral("אין עדיין תמונה מתורגמת להעתקה.");
}

QString textCopied()
{
    return QStringLiteral("הטקסט המתורגם הועתק ללוח.");
}

QString noTextToCopy()
{
    return QStringLiteral("אין עדיין טקסט מתורגם להעתקה.");
}

} // namespace Messages
