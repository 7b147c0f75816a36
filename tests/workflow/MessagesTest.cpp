#include "Messages.h"

#include <QtTest>

class MessagesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void countsArePlainDecimal_data()
    {
        QTest::addColumn<qint64>("count");
        QTest::addColumn<QString>("digits");
        QTest::newRow("zero") << qint64(0) << QStringLiteral("0");
        QTest::newRow("thousands are not grouped") << qint64(12345) << QStringLiteral("12345");
    }

    void countsArePlainDecimal()
    {
        QFETCH(qint64, count);
        QFETCH(QString, digits);
        QLocale::setDefault(QLocale(QLocale::German));
        QCOMPARE(Messages::translating(count), QStringLiteral("מתרגם ") + digits + QStringLiteral(" שורות..."));
        QCOMPARE(Messages::partlyDone(count),
                 QStringLiteral("בוצע, אבל ") + digits + QStringLiteral(" שורות לא תורגמו (בדוק חיבור לאינטרנט)."));
        QLocale::setDefault(QLocale::c());
    }

    void shortcutsUseThePlatformsNames()
    {
        QCOMPARE(Messages::done(), QStringLiteral("בוצע. Ctrl+C להעתקת התמונה."));
        QCOMPARE(Messages::pasteButtonTitle(), QStringLiteral("הדבק מהלוח  Ctrl+V"));
        QCOMPARE(Messages::pasteHint(), QStringLiteral("העתק תמונה (למשל צילום מסך) ולחץ Ctrl+V"));
    }
};

QTEST_MAIN(MessagesTest)
#include "MessagesTest.moc"
