// SPDX-License-Identifier: GPL-3.0-or-later

// Every status text of the workflow, word for word as the user must read it.
// The Command key's shortcuts are written as this platform names them.
#include "Messages.h"

#include <QTest>

class MessagesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void statusTexts_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("expected");
        QTest::newRow("recognising") << Messages::recognising() << u"מזהה טקסט..."_qs;
        QTest::newRow("no picture") << Messages::noImage() << u"אין תמונה בלוח. העתק תמונה ונסה שוב."_qs;
        QTest::newRow("no text") << Messages::noText() << u"לא נמצא טקסט בתמונה."_qs;
        QTest::newRow("translating 0") << Messages::translating(0) << u"מתרגם 0 שורות..."_qs;
        QTest::newRow("translating 1234, no digit grouping")
            << Messages::translating(1234) << u"מתרגם 1234 שורות..."_qs;
        QTest::newRow("done") << Messages::done() << u"בוצע. Ctrl+C להעתקת התמונה."_qs;
        QTest::newRow("partly done") << Messages::partlyDone(2)
                                     << u"בוצע, אבל 2 שורות לא תורגמו (בדוק חיבור לאינטרנט)."_qs;
        QTest::newRow("picture copied") << Messages::imageCopied() << u"התמונה המתורגמת הועתקה ללוח."_qs;
        QTest::newRow("no picture to copy") << Messages::noImageToCopy() << u"אין עדיין תמונה מתורגמת להעתקה."_qs;
        QTest::newRow("text copied") << Messages::textCopied() << u"הטקסט המתורגם הועתק ללוח."_qs;
        QTest::newRow("no text to copy") << Messages::noTextToCopy() << u"אין עדיין טקסט מתורגם להעתקה."_qs;
    }
    void statusTexts()
    {
        QFETCH(QString, shown);
        QFETCH(QString, expected);
        QCOMPARE(shown, expected);
    }
};

QTEST_GUILESS_MAIN(MessagesTest)
#include "MessagesTest.moc"
