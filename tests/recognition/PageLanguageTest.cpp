// SPDX-License-Identifier: GPL-3.0-or-later

// How a page's script and language are chosen from the readings of its
// widest lines, with made-up readings in place of the reader's.
#include "PageLanguage.h"

#include <QImage>
#include <QTest>

#include <map>
#include <mutex>
#include <set>

namespace {

// What each model reads of each sample, the samples told apart by width
// (600, 500 and 400 pixels): "word:confidence ...", or nothing, which reads
// as an unsure blank.
using Readings = std::map<QString, QStringList>;

// The Thai dictionary's words among those read below.
const QStringList thaiWords = {"ถูกต้อง", "ไฟล์", "ตั้งค่า", "ไม่มี", "การ"};

struct FakeReader {
    Readings readings;
    std::mutex mutex;
    std::set<QString> asked;
    std::set<std::pair<QString, qsizetype>> samplesAsked; // each model's, by number

    LineReading read(const QImage &image, const QString &model)
    {
        const qsizetype sample = (600 - image.width()) / 100;
        {
            const std::lock_guard lock(mutex);
            asked.insert(model);
            samplesAsked.insert({model, sample});
        }
        LineReading reading{0, model};
        const auto found = readings.find(model);
        if (found == readings.end() || sample >= found->second.size())
            return reading;
        int sum = 0, x = 0;
        for (const QString &word : found->second[sample].split(u' ', Qt::SkipEmptyParts)) {
            const qsizetype colon = word.lastIndexOf(u':');
            const QString text = word.left(colon);
            const int confidence = word.mid(colon + 1).toInt();
            WordReading read{text, float(confidence), QRect(x, 0, 20 * int(text.size()), 30)};
            for (qsizetype i = 0; i < text.size(); ++i)
                read.letters.append({text.mid(i, 1), float(confidence), QRect(x + 20 * int(i), 0, 18, 30)});
            x += 20 * int(text.size()) + 10;
            reading.words.append(read);
            sum += confidence;
        }
        reading.confidence = reading.words.isEmpty() ? 0 : sum / int(reading.words.size());
        if (const Script *script = scriptOf(model); script && script->unspaced)
            reading.cover = wordCover(reading.text(), script->letters,
                                      [](const QString &word) { return thaiWords.contains(word); });
        return reading;
    }
};

QList<QImage> sampleImages()
{
    QList<QImage> images;
    for (const int width : {600, 500, 400}) {
        images.append(QImage(width, 40, QImage::Format_Grayscale8));
        images.last().fill(255);
    }
    return images;
}

// The same words for every sample.
QStringList thrice(const QString &words)
{
    return {words, words, words};
}

} // namespace

Q_DECLARE_METATYPE(Readings)

class PageLanguageTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void choice_data()
    {
        QTest::addColumn<Readings>("readings");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("unread");

        const QString englishWords = "The:95 file:96 cannot:94 be:96 opened:93 because:95 another:94 program:96";
        QTest::newRow("English read surely needs no other script")
            << Readings{{"eng", thrice(englishWords)}} << QString() << "Latin"
            << "eng" << QStringList{"heb", "ara", "jpn", "rus", "tha"};
        QTest::newRow("French told by the words English reads")
            << Readings{{"eng", thrice("Le:92 fichier:94 de:95 configuration:93 est:96 introuvable:91 veuillez:90")},
                        {"fra", thrice("Le:94 fichier:95 de:96 configuration:95 est:96 introuvable:93 vérifiez:92")}}
            << QString() << "Latin"
            << "fra" << QStringList{"heb", "jpn"};
        // English reads the words with accented letters unsurely; the
        // language its words look like reads them all surely.
        QTest::newRow("a French page needs no other script")
            << Readings{{"eng", thrice("Le:92 fichier:94 n'a:60 pas:95 pu:93 etre:40 enregistre:35 correctement:90")},
                        {"fra", thrice("Le:94 fichier:95 n'a:90 pas:96 pu:95 être:92 enregistré:91 correctement:93")}}
            << QString() << "Latin"
            << "fra" << QStringList{"heb", "ara", "jpn", "rus", "tha", "kor", "ell"};
        // Too few words to tell languages by their letter sequences.
        QTest::newRow("a few Turkish words after a Turkish page")
            << Readings{{"eng", {"Yazi:50 Tipi:92 Ara:90", "Sil:93", "Kes:92"}},
                        {"tur", {"Yazı:93 Tipi:95 Ara:96", "Sil:95", "Kes:94"}}}
            << "tur"
            << "Latin"
            << "tur" << QStringList{"heb", "ara", "jpn", "rus", "tha", "kor", "ell"};
        // The widest line is a French title over Hebrew text, which French
        // reads no better than English: every script's model reads it.
        // French reads Spanish nearly as surely: the words tell the language.
        QTest::newRow("a Spanish page after a French one")
            << Readings{{"eng", thrice("No:95 se:94 pudo:93 guardar:95 el:96 archivo:94 porque:95 esta:60 lleno:92")},
                        {"fra", thrice("No:92 se:90 pudo:91 guardar:92 el:93 archivo:90 porque:91 está:86 lleno:90")},
                        {"spa", thrice("No:96 se:95 pudo:95 guardar:96 el:96 archivo:95 porque:96 está:94 lleno:95")}}
            << "fra"
            << "Latin"
            << "spa" << QStringList{"heb", "ara", "jpn", "rus", "tha", "kor", "ell"};
        QTest::newRow("a French title over another script's lines")
            << Readings{{"eng", {"Le:92 fichier:94 n'a:60 pas:95 pu:93 etre:40 enregistre:35", "TN:30", "MIDI:25"}},
                        {"fra", {"Le:94 fichier:95 n'a:90 pas:96 pu:95 être:92 enregistré:91", "TN:31", "MIDI:20"}},
                        {"heb", {"זע:30", "לא:90 ניתן:91 לשמור:90", "הסיסמה:90 שלך:91"}}}
            << QString() << "Hebrew"
            << "heb" << QStringList{};

        const QString hebrew = "הסיסמה:91 שלך:93 שונתה:90 אתמול:92 בצהריים:90";
        QTest::newRow("a Hebrew page after a Hebrew page reads with Hebrew alone")
            << Readings{{"eng", thrice("TN:30 MIDI:25")}, {"heb", thrice(hebrew)}} << "heb"
            << "Hebrew"
            << "heb" << QStringList{"ara", "jpn", "rus", "tha", "kor", "ell"};
        QTest::newRow("a name that is no model's is no language before")
            << Readings{{"eng", thrice("TN:30 MIDI:25")}, {"heb", thrice(hebrew)}, {"ara", thrice("لبجو:41")}}
            << "../tessdata/heb"
            << "Hebrew"
            << "heb" << QStringList{};
        QTest::newRow("a Yiddish page after a Hebrew one")
            << Readings{{"eng", thrice("TN:30")},
                        {"heb", thrice("די:88 קינדער:86 זאלן:85 אלע:84 האבן:83")},
                        {"yid", thrice("די:86 קינדער:87 זאָלן:86 אַלע:85 האָבן:84")}}
            << "heb"
            << "Hebrew"
            << "yid" << QStringList{"ara", "jpn"};

        QTest::newRow("a Russian page after a Hebrew one")
            << Readings{{"eng", thrice("Coxpahntb:20")},
                        {"heb", thrice("זע:31 סז:25")},
                        {"rus", thrice("Сохранить:90 эти:92 параметры:91")}}
            << "heb"
            << "Cyrillic"
            << "rus" << QStringList{};
        // The widest line is an English title over Hebrew text, which the
        // Thai model reads as Thai letters fairly surely.
        QTest::newRow("a mixed page whose widest line is of another script")
            << Readings{{"eng", {"Unable:95 to:96 connect:95 to:96 the:96 server:95", "TN:30", "MIDI:25"}},
                        {"heb", {"זע:30", "לא:90 ניתן:91 לשמור:90", "הסיסמה:90 שלך:91"}},
                        {"tha", {"ปบทลง:75", "ตหากงา:76", "เทกมก:75"}}}
            << QString() << "Hebrew"
            << "heb" << QStringList{};

        // English reads nothing of a Greek page's lines, or a button's two
        // words as Latin capitals: no words, or too few, tell a Latin page.
        QTest::newRow("samples English reads no word of")
            << Readings{{"ell", thrice("Ρυθμίσεις:90 οθόνης:91")}} << QString() << "Greek"
            << "ell" << QStringList{};
        QTest::newRow("a Greek button English reads as capitals")
            << Readings{{"eng", {"EXEL:88 TOAETA:87"}}, {"ell", {"Έχει:93 παλέτα:94"}}} << QString() << "Greek"
            << "ell" << QStringList{};

        // A clock reads as surely in every script, and says nothing of it.
        QTest::newRow("a toast's clock does not make it Latin")
            << Readings{{"eng", {"Jaa:40 PDF:90", "Jxo:35", "13:59:96"}},
                        {"ara", {"تصدير:88 بصيغة:86 PDF:70", "مشروع:84 جديد:85", "13:59:90"}}}
            << QString() << "Arabic"
            << "ara" << QStringList{};

        // The lights around a video's subtitles, which the Thai model reads
        // as digits among a few Thai words, surely.
        QTest::newRow("lights read as digits tell no script")
            << Readings{{"eng", thrice("Voulez-vous:60 conserver:62 ces:61 réglages:60")},
                        {"fra", thrice("Voulez-vous:70 conserver:72 ces:71 réglages:70")},
                        {"tha", thrice("ไฟล์:85 ตั้งค่า:85 5:85 66:85 162:85 ๑๑:85 2:85 656:85")}}
            << QString() << "Latin"
            << "fra" << QStringList{};

        // The Thai model reads most scripts as Thai letters, fairly surely.
        const QString russian = "Сохранить:80 эти:82 параметры:79 экрана:80";
        QTest::newRow("Thai must lead by more than others")
            << Readings{{"eng", thrice("Coxpahntb:20")}, {"rus", thrice(russian)}, {"tha", thrice("ถูกต้อง:88 ไฟล์:90")}}
            << QString() << "Cyrillic"
            << "rus" << QStringList{};
        // Yiddish buttons at 2x, which the Hebrew model reads unsurely and
        // the Thai one as Thai letters without a vowel over or under them.
        QTest::newRow("Thai read without its marks is other letters") << Readings{{"eng", thrice("TN:20")},
                                                                                  {"heb", thrice("ניט:55 שטערן:52")},
                                                                                  {"tha", thrice("าวมงข:86 งาบง:84")}}
                                                                      << QString() << "Hebrew"
                                                                      << "yid" << QStringList{};
        // A Yiddish poster's lines, which the Hebrew model reads unsurely,
        // and the Thai model as Thai letters with their marks, but no words.
        QTest::newRow("Thai read as few Thai words is other letters")
            << Readings{{"eng", thrice("YYIV:30")},
                        {"heb", {"טעתוועקההענעץ:5", "ורכבלעטעהער:44 אַהעריסקאליר:37", "גרייס-סטרויערעוו:53"}},
                        {"tha", {"หงบาบจเรสตของ:69", "โพรกเฮริติติบาม:72", "ไม่มีไไปาบาวงอะอาทาว:78"}}}
            << QString() << "Hebrew"
            << "heb" << QStringList{};
        // A Thai poster whose headline the ink mask broke up: no script
        // reads it fairly, and it stays with the surest, its words read.
        QTest::newRow("Thai words without marks stay Thai")
            << Readings{{"eng", thrice("TN:20")}, {"rus", thrice("ее:30")}, {"tha", thrice("การบาบ:60 งาบการ:58")}}
            << QString() << "Thai"
            << "tha" << QStringList{};
        QTest::newRow("Ukrainian by the letters only it writes")
            << Readings{{"eng", thrice("Bce:20")},
                        {"rus", thrice("Ee:80 налаштування:78 змiнено:79")},
                        {"ukr", thrice("Її:82 налаштування:84 змінено:85 і:88")}}
            << QString() << "Cyrillic"
            << "ukr" << QStringList{};

        QTest::newRow("Japanese by its kana, without the Chinese models")
            << Readings{{"eng", thrice("REA:30")}, {"jpn", thrice("変更を保存しますか:90 バックアップ:88")}}
            << QString() << "Han"
            << "jpn" << QStringList{"chi_sim", "chi_tra"};
        // The two read the page alike but for three letters, which the
        // simplified model reads surer, though the traditional one reads
        // the rest surer.
        QTest::newRow("simplified Chinese told by the letters read differently")
            << Readings{{"eng", thrice("REA:30")},
                        {"jpn", thrice("无法启动线程来拷贝数据:70")},
                        {"chi_tra", thrice("无法启动线程来拷贝数据:99 這:78 個:78 說:78")},
                        {"chi_sim", thrice("无法启动线程来拷贝数据:85 这:80 个:80 说:80")}}
            << QString() << "Han"
            << "chi_sim" << QStringList{};
    }

    void choice()
    {
        QFETCH(Readings, readings);
        QFETCH(QString, before);
        QFETCH(QString, script);
        QFETCH(QString, language);
        QFETCH(QStringList, unread);
        FakeReader reader;
        reader.readings = readings;

        const LanguageChoice choice =
            choosePageLanguage(sampleImages(), before,
                               [&](const QImage &image, const QString &model) { return reader.read(image, model); });

        QVERIFY(choice.script);
        QCOMPARE(choice.script->name, script);
        QVERIFY2(choice.language == language, qPrintable(choice.why.join("; ")));
        QVERIFY(!choice.why.isEmpty());
        for (const QString &model : unread)
            QVERIFY2(!reader.asked.contains(model), qPrintable(model + " was read"));
        if (before.contains(u'/'))
            QVERIFY(reader.asked.contains("ara"));
    }

    // Samples that are the lights of a photograph read poorly in every
    // script, so that most come close to the best: past the two surest, only
    // a script that read some sample fairly surely is likely on the page.
    void fewContendOnJunkSamples()
    {
        FakeReader reader;
        reader.readings = {{"eng", {"ees:40", "ie:38", "see:41"}},
                           {"ara", {"لا:50", "يا:52", "مطا:51"}},
                           {"heb", {"וו:44", "ו:40", "זע:42"}},
                           {"rus", thrice("ее:30")},
                           {"ell", thrice("το:35")},
                           {"kor", {"뽀:20", "뽀:20", "산마리노:70"}}};

        const ReadLineFn read = [&](const QImage &image, const QString &model) { return reader.read(image, model); };

        const LanguageChoice choice = choosePageLanguage(sampleImages(), QString(), read);
        QStringList contenders;
        for (const Script *script : choice.contenders)
            contenders.append(script->name);
        QCOMPARE(choice.script->name, "Arabic");
        QCOMPARE(contenders, (QStringList{"Hebrew", "Latin", "Hangul"}));

        // The Thai model reads other scripts as Thai fairly surely: a page
        // taken for Thai keeps every script that came close.
        reader.readings["tha"] = {"ตั้งค่า:85", "ตั้งค่า:86", "ตั้งค่า:84"};
        const LanguageChoice thai = choosePageLanguage(sampleImages(), QString(), read);
        QCOMPARE(thai.script->name, "Thai");
        QCOMPARE(thai.contenders.size(), 4);
    }

    // A toast's third widest line is its clock: no script reads letters in
    // it, and reading it in every other script tells nothing more.
    void aClockAmongTheSamplesCallsNoOtherScript()
    {
        FakeReader reader;
        reader.readings = {{"eng", {"Jaa:40 PDF:90", "Jxo:35", "13:59:96"}},
                           {"ara", {"تصدير:88 بصيغة:86 PDF:70", "مشروع:84 جديد:85", "13:59:90"}},
                           {"kor", {"그노:20", "비가:35", "13:59:90"}}};

        const LanguageChoice choice =
            choosePageLanguage(sampleImages(), QString(),
                               [&](const QImage &image, const QString &model) { return reader.read(image, model); });

        QCOMPARE(choice.script->name, "Arabic");
        QVERIFY(reader.samplesAsked.contains({"kor", 0}));
        QVERIFY(!reader.samplesAsked.contains({"kor", 2}));

        // A later sample the likely scripts read letters in, poorly, may be
        // of another script: every script reads it.
        reader.readings["ara"][2] = "كذا:30";
        reader.samplesAsked.clear();
        choosePageLanguage(sampleImages(), QString(),
                           [&](const QImage &image, const QString &model) { return reader.read(image, model); });
        QVERIFY(reader.samplesAsked.contains({"kor", 2}));
    }

    void nothingToRead()
    {
        FakeReader reader;
        const LanguageChoice choice = choosePageLanguage(
            {}, QString(), [&](const QImage &image, const QString &model) { return reader.read(image, model); });
        QVERIFY(!choice.script);
        QVERIFY(reader.asked.empty());
    }

    void modelsForPagesLikeTheLast()
    {
        QCOMPARE(modelsForPagesIn("yid"), (QStringList{"heb", "yid", "yid+eng"}));
        QCOMPARE(modelsForPagesIn("eng"), QStringList{"eng"});
        QVERIFY(modelsForPagesIn("../tessdata/kor").isEmpty());
    }
};

QTEST_MAIN(PageLanguageTest)
#include "PageLanguageTest.moc"
