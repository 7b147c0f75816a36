#include "Messages.h"
#include "TargetLanguages.h"

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

    void languagesTable()
    {
        const QStringList codes = {QStringLiteral("iw"), QStringLiteral("en"), QStringLiteral("ru"),
                                   QStringLiteral("yi"), QStringLiteral("es"), QStringLiteral("fr"),
                                   QStringLiteral("ar")};
        QCOMPARE(targetLanguages.size(), codes.size());
        for (qsizetype i = 0; i < codes.size(); ++i)
            QCOMPARE(targetLanguages[i].code, codes[i]);
        QCOMPARE(targetLanguages[0].name, QStringLiteral("עברית"));
        QCOMPARE(targetLanguages[3].name, QStringLiteral("ייִדיש"));
    }
};

QTEST_MAIN(MessagesTest)
#include "MessagesTest.moc"
