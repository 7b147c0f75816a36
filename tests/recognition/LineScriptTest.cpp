// SPDX-License-Identifier: GPL-3.0-or-later

// Which script a line is read in, with made-up readings in place of the
// reader's and the line's ink drawn, so that its pieces are real.
#include "LineScript.h"
#include "TextPicture.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <map>
#include <mutex>
#include <set>

namespace {

// Each model's reading of the line: "word:confidence ...", and
// ":dictionary" after a word its model's dictionary holds.
using Readings = std::map<QString, QString>;

struct FakeReader {
    Readings readings;
    std::mutex mutex;
    std::set<QString> asked;

    LineReading read(const QString &model)
    {
        {
            const std::lock_guard lock(mutex);
            asked.insert(model);
        }
        LineReading reading{0, model};
        const auto found = readings.find(model);
        if (found == readings.end())
            return reading;
        int sum = 0, x = 0;
        for (QString word : found->second.split(u' ', Qt::SkipEmptyParts)) {
            const bool known = word.endsWith(QLatin1String(":dictionary"));
            if (known)
                word.chop(11);
            const qsizetype colon = word.lastIndexOf(u':');
            const int confidence = word.mid(colon + 1).toInt();
            reading.words.append({word.left(colon), float(confidence), QRect(x, 10, 60, 30), known});
            x += 70;
            sum += confidence;
        }
        reading.confidence = sum / int(reading.words.size());
        return reading;
    }
};

LanguageChoice pageIn(const QString &language)
{
    return {scriptOf(language), language};
}

} // namespace

Q_DECLARE_METATYPE(Readings)

class LineScriptTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void scriptOfALine_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("contender");
        QTest::addColumn<QString>("drawn");
        QTest::addColumn<QString>("family");
        QTest::addColumn<Readings>("readings");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QStringList>("unread");

        QTest::newRow("sure in the page's script, read once")
            << "heb" << QString() << "שמור שינויים"
            << "Noto Sans Hebrew" << Readings{{"heb+eng", "שמור:93 שינויים:91"}} << "heb+eng"
            << QStringList{"eng", "ara", "jpn"};
        QTest::newRow("an English line on an Arabic page")
            << "ara" << QString() << "Save changes"
            << "Noto Sans" << Readings{{"ara", "قوم:58 الا:52"}, {"eng", "Save:95 changes:94"}} << "eng"
            << QStringList{};
        QTest::newRow("English is not taken on Arabic ink")
            << "ara" << QString() << "حفظ التغييرات"
            << "Noto Sans Arabic" << Readings{{"ara", "حفظ:66 التغييرات:64"}, {"eng", "als:92 LEGAL:90"}} << "ara"
            << QStringList{};
        QTest::newRow("a date on an Arabic page")
            << "ara" << QString() << "27 Nov 2023"
            << "Noto Sans" << Readings{{"ara", "3:70 انالا:72 27:71"}, {"eng", "27:95 Nov:96 2023:95"}} << "eng"
            << QStringList{};
        QTest::newRow("English capitals are not taken on Han ink")
            << "jpn" << QString() << "保存更改"
            << "Noto Sans CJK SC" << Readings{{"jpn", "保存更改:74"}, {"eng", "REA:93"}} << "jpn" << QStringList{};
        QTest::newRow("a Hebrew line on an English page")
            << "eng" << QString() << "הגדרות מתקדמות"
            << "Noto Sans Hebrew" << Readings{{"eng", "TNN:31 MIDI:28"}, {"heb+eng", "הגדרות:91 מתקדמות:90"}}
            << "heb+eng" << QStringList{"ara+eng", "jpn", "kor", "tha+eng"};
        // Read with English beside it, the Hebrew model reads a word as Latin
        // junk; read again alone, it is Hebrew, and the line is.
        QTest::newRow("a Hebrew line whose Hebrew model read a word as Latin")
            << "eng" << QString() << "תמונה משפחתית"
            << "Noto Sans Hebrew"
            << Readings{{"eng", "aimn:35 jpg.nnnown:30"}, {"heb+eng", "תמונה:90 nnnown:52"}, {"heb", "משפחתית:90"}}
            << "heb+eng" << QStringList{};
        QTest::newRow("Thai must lead the page's script by more")
            << "rus" << QString() << "Настройки"
            << "Noto Sans" << Readings{{"rus+eng", "Настройки:66"}, {"tha+eng", "ถูกต้อง:78"}} << "rus+eng"
            << QStringList{};
        QTest::newRow("digits alone are read in one other script at most")
            << "heb" << QString() << "12:40"
            << "Noto Sans" << Readings{{"heb+eng", "12:40:76"}} << "heb+eng"
            << QStringList{"rus+eng", "ell", "ara+eng", "jpn"};
        QTest::newRow("Cyrillic words on a Greek page, read as Greek look-alikes")
            << "ell" << QString() << "Фото с отпуска"
            << "Noto Sans" << Readings{{"ell", "Φοτο:73 ς:70 οτπγεκα:72"}, {"rus+eng", "Фото:92 с:90 отпуска:91"}}
            << "rus+eng" << QStringList{"ara", "jpn"};
        QTest::newRow("marks alone are read in no other script")
            << "ara"
            << "heb"
            << "· ·"
            << "Noto Sans" << Readings{{"ara", "..:62"}} << "ara" << QStringList{"heb+eng", "ell", "jpn"};
        QTest::newRow("a Latin word read as Cyrillic look-alikes")
            << "rus" << QString() << "Home"
            << "Noto Sans" << Readings{{"rus+eng", "Ноте:93"}, {"eng", "Home:94"}} << "eng"
            << QStringList{"ara", "jpn"};
        QTest::newRow("an English word is not another script's look-alikes, however unsure")
            << "eng" << QString() << "Cancel"
            << "Noto Sans" << Readings{{"eng", "Cancel:39:dictionary"}, {"rus+eng", "Сапсе!:91"}} << "eng"
            << QStringList{};
        QTest::newRow("look-alikes of letters English reads as no word")
            << "eng"
            << "rus"
            << "нет"
            << "Noto Sans" << Readings{{"eng", "HeT:41"}, {"rus+eng", "нет:93"}} << "rus+eng" << QStringList{};
        QTest::newRow("an English line on a Greek page, most of it read again as English")
            << "ell" << QString() << "Cannot open the file"
            << "Noto Sans"
            << Readings{{"ell", "Cannot:96 ορεη:90 the:96 file:96"}, {"eng", "Cannot:95 open:95 the:96 file:96"}}
            << "eng" << QStringList{};
        QTest::newRow("a Greek name English reads as no word, surer than Greek")
            << "ell" << QString() << "Ιρλανδία"
            << "Noto Sans" << Readings{{"ell", "Ιρλανδία:67"}, {"eng", "IpAavdia:76"}} << "ell" << QStringList{};
        QTest::newRow("Cyrillic words English reads as no words, surer than Cyrillic")
            << "rus" << QString() << "Список покупок"
            << "Noto Sans" << Readings{{"rus+eng", "Список:60 покупок:60"}, {"eng", "Cnucok:80 nokynok:80"}}
            << "rus+eng" << QStringList{};
        QTest::newRow("English words of the dictionary on a Greek page")
            << "ell" << QString() << "Documents"
            << "Noto Sans" << Readings{{"ell", "Βοευπιεπίς:48"}, {"eng", "Documents:80:dictionary"}} << "eng"
            << QStringList{};
        QTest::newRow("a Russian word of look-alike letters stays")
            << "rus" << QString() << "нет"
            << "Noto Sans" << Readings{{"rus+eng", "нет:93"}, {"eng", "HeT:61"}} << "rus+eng"
            << QStringList{"ara", "jpn"};
        // The Thai model reads other scripts as Thai letters fairly surely.
        QTest::newRow("a Thai reading must be surer to stand alone")
            << "tha"
            << "heb"
            << "שמור שינויים"
            << "Noto Sans Hebrew" << Readings{{"tha+eng", "ถูกต้อง:88"}, {"heb+eng", "שמור:93 שינויים:92"}} << "heb+eng"
            << QStringList{};
        QTest::newRow("Thai letters without a vowel or tone mark are another script's")
            << "eng"
            << "tha"
            << "סריקה מהירה"
            << "Noto Sans Hebrew"
            << Readings{{"eng", "TNN:31 MIDI:28"}, {"tha+eng", "ดาวมงขงาบง:90"}, {"heb+eng", "סריקה:70 מהירה:68"}}
            << "heb+eng" << QStringList{};
        // The Japanese model reads traditional Chinese unsurely but as Han.
        QTest::newRow("traditional Chinese is read by its own model too")
            << "eng" << QString() << "不再顯示"
            << "Noto Sans CJK TC" << Readings{{"eng", "TNNO:30"}, {"jpn", "不再顕示:48"}, {"chi_tra", "不再顯示:71"}}
            << "chi_tra" << QStringList{};
        QTest::newRow("junk the Japanese model reads as no Han is not read again")
            << "eng" << QString() << "| ‧ | ‧"
            << "Noto Sans" << Readings{{"eng", "IIll:30"}, {"jpn", "|:20"}} << "eng" << QStringList{"chi_tra"};
        QTest::newRow("on a Thai page, a Thai word English reads as surely stays Thai")
            << "tha" << QString() << "ไอร์แลนด์"
            << "Noto Sans Thai" << Readings{{"tha+eng", "ไอร์แลนด์:81"}, {"eng", "Tasuaud:81"}} << "tha+eng"
            << QStringList{};
        // A file's extension is Latin whatever the script of its name.
        QTest::newRow("a Japanese file name on a French page")
            << "fra" << QString() << "会議の議事録.docx"
            << "Noto Sans CJK JP" << Readings{{"fra", "ÆRS.docx:30"}, {"jpn", "会議の議事録:90 .docx:90"}} << "jpn"
            << QStringList{"kor", "tha+eng"};
        QTest::newRow("a long line its model reads fairly surely is read in no other script")
            << "heb" << QString() << "הסיסמה שלך שונתה אתמול"
            << "Noto Sans Hebrew" << Readings{{"heb+eng", "הסיסמה:78 שלך:80 שונתה:77 אתמול:79"}} << "heb+eng"
            << QStringList{"eng", "ara", "rus+eng", "ell", "jpn", "kor", "tha+eng"};
        QTest::newRow("a long line the Thai model reads fairly surely is still read in others")
            << "tha"
            << "heb"
            << "הסיסמה שלך שונתה אתמול"
            << "Noto Sans Hebrew"
            << Readings{{"tha+eng", "ถูกต้อง:80 ไฟล์:80 การตั้งค่า:80"}, {"heb+eng", "הסיסמה:92 שלך:93 שונתה:91 אתמול:92"}}
            << "heb+eng" << QStringList{};
        // The Arabic model's second readings found the Latin words among
        // junk of Arabic letters.
        QTest::newRow("Latin words among junk of the page's letters are read in other scripts")
            << "ara" << QString() << "Unable to connect to the server"
            << "Noto Sans"
            << Readings{{"ara", "server:90 عط:70 مغ:70 connect:90 مغ:70 Unable:90"},
                        {"eng", "Unable:96 to:96 connect:96 to:96 the:96 server:95"}}
            << "eng" << QStringList{};
        // Capitals of another script read as Latin letters read about as
        // surely, but as no words of the dictionary.
        QTest::newRow("Latin junk read fairly surely is still read in other scripts")
            << "eng"
            << "rus"
            << "ВСЕ НАСТРОЙКИ СИСТЕМЫ"
            << "Noto Sans"
            << Readings{{"eng", "BCE:80 HACTPOMKN:78 CNCTEMbI:77"}, {"rus+eng", "ВСЕ:92 НАСТРОЙКИ:91 СИСТЕМЫ:90"}}
            << "rus+eng" << QStringList{};
        // A toast in the Russian of its message on a German page: the
        // German model reads its letters as Latin junk about as surely.
        QTest::newRow("a line its own model reads as words, the page's as none")
            << "deu"
            << "rus"
            << "Нет соединения с интернетом"
            << "Noto Sans"
            << Readings{{"deu", "Het:67 coeguHeHnA:66 c:70 NHTEPHETOM:66"},
                        {"rus+eng", "Нет:65:dictionary соединения:64:dictionary с:66 интернетом:65:dictionary"}}
            << "rus+eng" << QStringList{};
        QTest::newRow("a name read as no words in either script stays the page's")
            << "eng"
            << "rus"
            << "Jaroslav Kowalczyk"
            << "Noto Sans" << Readings{{"eng", "Jaroslav:80 Kowalczyk:78"}, {"rus+eng", "Јаросlав:74 Коwалчук:72"}}
            << "eng" << QStringList{};
        QTest::newRow("an unsure line is read until a script reads it surely")
            << "eng" << QString() << "Ρυθμίσεις"
            << "Noto Sans" << Readings{{"eng", "Pu0pioeic:40"}, {"rus+eng", "Руθмίσεις:50"}, {"ell", "Ρυθμίσεις:91"}}
            << "ell" << QStringList{"heb+eng", "ara", "jpn", "kor", "tha+eng"};
    }

    void scriptOfALine()
    {
        QFETCH(QString, page);
        QFETCH(QString, drawn);
        QFETCH(QString, family);
        QFETCH(Readings, readings);
        QFETCH(QString, model);
        QFETCH(QStringList, unread);
        FakeReader reader;
        reader.readings = readings;
        QFETCH(QString, contender);
        LanguageChoice choice = pageIn(page);
        if (!contender.isEmpty())
            choice.contenders.append(scriptOf(contender));
        OtherScripts others(choice);

        const LineReading reading = readLineInScript(lineImageOf(drawn, family), choice, others,
                                                     [&](const QImage &, const QString &m) { return reader.read(m); });

        QCOMPARE(reading.model, model);
        QVERIFY(!reading.why.isEmpty());
        for (const QString &m : unread)
            QVERIFY2(!reader.asked.contains(m), qPrintable(m + " was read"));
    }

    // Once a line of an English page is found to be Hebrew, Hebrew is tried
    // first for the next unsure line, and alone when it reads it surely.
    void aScriptMetIsTriedFirst()
    {
        FakeReader reader;
        reader.readings = {{"eng", "TNN:41 MIDI:38 OTTO:30"}, {"heb+eng", "הגדרות:91 מתקדמות:90"}};
        const LanguageChoice choice = pageIn("eng");
        OtherScripts others(choice);
        const ReadLineFn read = [&](const QImage &, const QString &m) { return reader.read(m); };
        const QImage line = lineImageOf("הגדרות מתקדמות", "Noto Sans Hebrew");
        QCOMPARE(readLineInScript(line, choice, others, read).model, QStringLiteral("heb+eng"));
        reader.asked.clear();
        QCOMPARE(readLineInScript(line, choice, others, read).model, QStringLiteral("heb+eng"));
        QCOMPARE(reader.asked, (std::set<QString>{"eng", "heb+eng"}));
    }

    // A mixed page's second script is tried first for the lines after the
    // first line found in it.
    void aScriptMetComesFirst()
    {
        const LanguageChoice choice = pageIn("eng");
        OtherScripts others(choice);
        QVERIFY(others.likely().isEmpty());
        QVERIFY(!others.all().contains(choice.script));
        others.met(scriptOf("heb"));
        QCOMPARE(others.likely(), QList<const Script *>{scriptOf("heb")});
        QCOMPARE(others.all().first(), scriptOf("heb"));
        QCOMPARE(others.all().size(), scripts().size() - 1);
    }

    // The Thai model reads other scripts as Thai fairly surely: it is read
    // after the others, so that a line another reads surely never reaches
    // it, until a line of the page is found in Thai.
    void thaiIsReadLastUntilMet()
    {
        FakeReader reader;
        reader.readings = {
            {"eng", "TNN:41 MIDI:38 OTTO:30"}, {"heb+eng", "הגדרות:91 מתקדמות:90"}, {"tha+eng", "ตั้งค่า:88"}};
        LanguageChoice choice = pageIn("eng");
        choice.contenders = {scriptOf("tha"), scriptOf("heb")};
        OtherScripts others(choice);
        QCOMPARE(others.likely(), (QList<const Script *>{scriptOf("heb"), scriptOf("tha")}));
        QCOMPARE(others.all().last(), scriptOf("tha"));
        const ReadLineFn read = [&](const QImage &, const QString &m) { return reader.read(m); };
        const QImage line = lineImageOf("הגדרות מתקדמות", "Noto Sans Hebrew");
        QCOMPARE(readLineInScript(line, choice, others, read).model, QStringLiteral("heb+eng"));
        QVERIFY(!reader.asked.contains("tha+eng"));

        others.met(scriptOf("tha"));
        QCOMPARE(others.likely().first(), scriptOf("tha"));
        QCOMPARE(others.all().first(), scriptOf("tha"));
    }

    // A name of a list in the script met on the page, read less than surely,
    // is kept without reading it in scripts the page has not shown; a line
    // that script reads poorly still goes on to them.
    void aScriptMetReadingFairlyEndsTheSearch()
    {
        FakeReader reader;
        reader.readings = {{"fra", "ÆRS.docx:30"}, {"jpn", "会議の議事録:75 .docx:75"}};
        const LanguageChoice choice = pageIn("fra");
        OtherScripts others(choice);
        others.met(scriptOf("jpn"));
        const ReadLineFn read = [&](const QImage &, const QString &m) { return reader.read(m); };
        const QImage line = lineImageOf("会議の議事録.docx", "Noto Sans CJK JP");
        QCOMPARE(readLineInScript(line, choice, others, read).model, QStringLiteral("jpn"));
        QCOMPARE(reader.asked, (std::set<QString>{"fra", "jpn", "chi_tra"}));

        reader.readings["jpn"] = "会議:40 の:35";
        reader.asked.clear();
        readLineInScript(line, choice, others, read);
        QVERIFY(reader.asked.contains("kor"));
    }

    // A date read as Cyrillic look-alikes goes to English, though Greek was
    // met on the page before and is tried first for other unsure lines.
    void lookalikesGoToEnglishAfterAnotherScriptWasMet()
    {
        FakeReader reader;
        reader.readings = {
            {"rus+eng", "12:95 Арг:90 2022:95"}, {"ell", "12:70 Αρ:40 2022:70"}, {"eng", "12:96 Apr:94 2022:96"}};
        const LanguageChoice choice = pageIn("rus");
        OtherScripts others(choice);
        others.met(scriptOf("ell"));
        const LineReading reading = readLineInScript(lineImageOf("12 Apr 2022", "Noto Sans"), choice, others,
                                                     [&](const QImage &, const QString &m) { return reader.read(m); });
        QCOMPARE(reading.model, QStringLiteral("eng"));
    }

    // Bold letters of a header at 1x touch one another, as no Latin letters
    // drawn apart do; look-alike letters are Latin or the page's all the
    // same, and English reads the word of its dictionary as surely.
    void lookalikesOnTouchingLettersGoToEnglish()
    {
        QFont font("Noto Sans");
        font.setPixelSize(34);
        font.setBold(true);
        font.setLetterSpacing(QFont::AbsoluteSpacing, -6);
        QImage line(200, 60, QImage::Format_Grayscale8);
        line.fill(255);
        QPainter p(&line);
        p.setFont(font);
        p.drawText(line.rect(), Qt::AlignCenter, QStringLiteral("Name"));
        p.end();
        FakeReader reader;
        reader.readings = {{"rus+eng", "Мате:96"}, {"eng", "Name:96:dictionary"}};
        const LanguageChoice choice = pageIn("rus");
        OtherScripts others(choice);
        const LineReading reading =
            readLineInScript(line, choice, others, [&](const QImage &, const QString &m) { return reader.read(m); });
        QCOMPARE(reading.model, QStringLiteral("eng"));
    }
};

QTEST_MAIN(LineScriptTest)
#include "LineScriptTest.moc"
