// SPDX-License-Identifier: GPL-3.0-or-later

// What becomes of one line's reading: the words kept, the text cleaned, its
// box in the recogniser's normalised coordinates, and the language its words
// tell.
#include "InkMask.h"
#include "LatinInk.h"
#include "LatinWords.h"
#include "LineFilter.h"
#include "LineReader.h"
#include "LineText.h"
#include "Scripts.h"
#include "Shortcuts.h"
#include "TextFixes.h"
#include "TextItem.h"
#include "TextLanguage.h"
#include "TextPicture.h"

#include <QPainter>
#include <QPainterPath>
#include <QTest>

namespace {

// A reading of `words`, each given as "text:confidence", as drawn left to
// right (a Hebrew line's last word first), 30 pixels high, 12 a letter wide
// and 8 apart; "+N" after a word sets the space before it, "*H" its height,
// "/W" its width.
LineReading reading(const QStringList &words, int confidence)
{
    LineReading r;
    r.confidence = confidence;
    int left = 0;
    for (QString word : words) {
        int height = 30, space = 8, width = 0;
        if (const qsizetype slash = word.lastIndexOf(u'/'); slash > 0) {
            width = word.mid(slash + 1).toInt();
            word.truncate(slash);
        }
        if (const qsizetype star = word.lastIndexOf(u'*'); star > 0) {
            height = word.mid(star + 1).toInt();
            word.truncate(star);
        }
        if (const qsizetype plus = word.lastIndexOf(u'+'); plus > 0) {
            space = word.mid(plus + 1).toInt();
            word.truncate(plus);
        }
        const qsizetype colon = word.lastIndexOf(':');
        const QString text = word.left(colon);
        left += r.words.isEmpty() ? 0 : space;
        width = width > 0 ? width : 12 * int(text.size());
        r.words.append({text, word.mid(colon + 1).toFloat(), QRect(left, 30 - height, width, height)});
        left += width;
    }
    return r;
}

// Words as the reader gives them, written left to right as drawn: a word
// ending in "<" was read by a right-to-left model and is given in reading
// order; any other is given letter by letter as drawn. "^N" after a word
// puts it N-th in the reader's order. Each word is 80 pixels wide, 20 apart.
QList<WordReading> drawnWords(const QString &drawn)
{
    QList<WordReading> words;
    int left = 0;
    for (QString text : drawn.split(u' ')) {
        WordReading word{{}, 90, QRect(left, 0, 80, 30)};
        if (const qsizetype caret = text.lastIndexOf(u'^'); caret > 0) {
            word.readingOrder = text.mid(caret + 1).toInt();
            text.truncate(caret);
        }
        if (text.endsWith(u'<')) {
            text.chop(1);
            word.readRightToLeft = true;
        } else {
            for (qsizetype i = 0; i < text.size(); ++i)
                word.letters.append({text.mid(i, 1), 90, QRect(left + int(80 * i / text.size()), 0, 4, 30)});
        }
        word.text = text;
        words.append(word);
        left += 100;
    }
    return words;
}

// A reading by `model` of one word, given as "text:confidence".
LineReading oneWord(const QString &written, const QString &model)
{
    const qsizetype colon = written.lastIndexOf(u':');
    LineReading r{written.mid(colon + 1).toInt(), model};
    r.words.append({written.left(colon), float(r.confidence), QRect(8, 8, 60, 20)});
    return r;
}

// English reading "13 Sep 2021" drawn as pieces of ink, by how many
// pieces the image shows.
LineReading readDigits(const QImage &image, const QString &model)
{
    int pieces = 0;
    const uchar *row = image.constScanLine(image.height() / 2);
    for (int x = 1; x < image.width(); ++x)
        pieces += row[x] < 128 && row[x - 1] >= 128;
    static const QStringList texts{"1", "1", "13", "Sep", "2021"};
    return oneWord(texts[std::min<int>(pieces, 4)] + ":95", model);
}

// The texts of `items`, in order: an emptied item's is empty.
QStringList textsOf(const QList<TextItem> &items)
{
    QStringList texts;
    for (const TextItem &item : items)
        texts.append(item.text);
    return texts;
}

} // namespace

class LineReadingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keptLine_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<int>("confidence");
        QTest::addColumn<bool>("inPageScript");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("first");

        QTest::newRow("plain line") << QStringList{"Save:96", "changes:96"} << 96 << true << "Save changes" << 0;
        QTest::newRow("button edge after the text")
            << QStringList{"Save:96", "changes:96", "|:82"} << 91 << true << "Save changes" << 0;
        QTest::newRow("symbols on both ends")
            << QStringList{"©:93", "Meeting:96", "moved:96", "]:73", "@:90"} << 88 << true << "Meeting moved" << 1;
        QTest::newRow("avatar read as an unsure short word apart from the text")
            << QStringList{"r):27", "Your:96+30", "password:95"} << 87 << true << "Your password" << 1;
        QTest::newRow("check box read as a lone letter apart from the text")
            << QStringList{"הצגת:92", "ה:70+25"} << 85 << true << "הצגת" << 0;
        QTest::newRow("icon taller than the text read as a letter")
            << QStringList{"12:10:96", "e:48*40"} << 75 << true << "12:10" << 0;
        // A short word or a lone letter a space away is the line's own,
        // however unsure the reader is of it.
        QTest::newRow("unsure negation first") << QStringList{"ניתן:93", "לא:41"} << 80 << true << "לא ניתן" << 0;
        QTest::newRow("unsure negation, Cyrillic")
            << QStringList{"Не:52", "вдалося:95"} << 80 << true << "Не вдалося" << 0;
        QTest::newRow("lone letter first") << QStringList{"C:80", "compiler:96"} << 90 << true << "C compiler" << 0;
        QTest::newRow("short word last") << QStringList{"expression:96", "too:95", "long:58"} << 90 << true
                                         << "expression too long" << 0;
        QTest::newRow("closing marks are text")
            << QStringList{"Time:96", "left:96", "::70"} << 90 << true << "Time left :" << 0;
        QTest::newRow("quotes and brackets are text")
            << QStringList{"«Файл»:90", "(optional):88", "»:60"} << 90 << true << "«Файл» (optional) »" << 0;
        QTest::newRow("digit at the end stays") << QStringList{"Room:96", "4:80"} << 90 << true << "Room 4" << 0;
        QTest::newRow("a paper size apart") << QStringList{"A4:90", "タブ:76+20"} << 84 << true << "A4 タブ" << 0;
        QTest::newRow("a lone Han word apart")
            << QStringList{"删除文件:95", "否:80+25"} << 88 << true << "删除文件 否" << 0;
        QTest::newRow("number after a dot stays")
            << QStringList{"Sign:96", "in:96", "·:60*4", "12:90"} << 90 << true << "Sign in · 12" << 0;
        QTest::newRow("count after a separator apart from the text")
            << QStringList{"Новая:96", "папка:95", "::70+4", "21:93+20"} << 90 << true << "Новая папка : 21" << 0;
        QTest::newRow("count after a middle dot apart from the text")
            << QStringList{"Новая:96", "папка:95", "·:70+4", "21:93+20/60"} << 90 << true << "Новая папка · 21" << 0;
        QTest::newRow("icon read as a digit apart from the text")
            << QStringList{"0:91/28", "Einfügen:95+20"} << 93 << true << "Einfügen" << 1;
        QTest::newRow("a count a wide space before the text")
            << QStringList{"12:97/40", "items:96+20"} << 95 << true << "12 items" << 0;
        QTest::newRow("a day a wide space before the month")
            << QStringList{"3:95/18", "Mar:96+20", "2021:96"} << 95 << true << "3 Mar 2021" << 0;
        QTest::newRow("icon read as marks apart from the text")
            << QStringList{"():70", "New:96+20", "folder:96"} << 90 << true << "New folder" << 1;
        QTest::newRow("direction marks are not text")
            << QStringList{"‏ביטול‏:90"} << 90 << true << "ביטול" << 0;
        QTest::newRow("single letter line") << QStringList{"ل:88"} << 88 << false << "" << 0;
        QTest::newRow("single digit line") << QStringList{"4:96"} << 96 << true << "" << 0;
        QTest::newRow("time of a date, read unsure")
            << QStringList{"2024-10-18:95", "03:20:55"} << 88 << true << "2024-10-18 03:20" << 0;
        QTest::newRow("symbols only") << QStringList{"|:95", "\\:74"} << 80 << true << "" << 0;
        QTest::newRow("lights read as Thai digits") << QStringList{"๑๑:91"} << 91 << true << "" << 0;
        QTest::newRow("a Thai line's number") << QStringList{"หน้า:93", "12:95"} << 94 << true << "หน้า 12" << 0;
        QTest::newRow("unsure line") << QStringList{"Settings:40"} << 40 << true << "" << 0;
        QTest::newRow("tray icon read as two unsure capitals") << QStringList{"KN:55"} << 55 << true << "" << 0;
        QTest::newRow("a sure short button") << QStringList{"OK:88"} << 88 << true << "OK" << 0;
        QTest::newRow("an unsure short word of another script") << QStringList{"重试:58"} << 58 << true << "重试" << 0;
        QTest::newRow("slider read as another script") << QStringList{"لبجو:51", "سدم:42"} << 46 << false << "" << 0;
        QTest::newRow("sure line in another script")
            << QStringList{"עולם:88", "שלום:90"} << 89 << false << "שלום עולם" << 0;
    }

    void keptLine()
    {
        QFETCH(QStringList, words);
        QFETCH(int, confidence);
        QFETCH(bool, inPageScript);
        QFETCH(QString, expected);
        QFETCH(int, first);

        const KeptLine kept = ::keptLine(reading(words, confidence), inPageScript);

        QCOMPARE(kept.text, expected);
        if (!expected.isEmpty()) {
            QCOMPARE(kept.first, qsizetype(first));
            QCOMPARE(kept.count, qsizetype(expected.count(' ') + 1));
        }
    }

    // The reader boxed a day before a month far taller than its digits: as
    // boxed, it towers over the text like an icon; fitted to its ink, it is
    // the date's first word.
    void dayBoxedTallerThanItsDigits()
    {
        QImage line(220, 60, QImage::Format_Grayscale8);
        line.fill(255);
        QPainter painter(&line);
        const QList<QRect> ink{{2, 15, 29, 26}, {45, 12, 56, 37}, {115, 15, 86, 26}};
        for (const QRect &rect : ink)
            painter.fillRect(rect, Qt::black);
        painter.end();
        LineReading r{95, QStringLiteral("heb+eng")};
        r.words = {{QStringLiteral("27"), 96, QRect(2, 4, 29, 53)},
                   {QStringLiteral("Jul"), 94, ink[1], true},
                   {QStringLiteral("2019"), 94, ink[2]}};
        QCOMPARE(::keptLine(r, true).text, QStringLiteral("Jul 2019"));
        ::fitNumberBoxesToInk(line, r.words);
        QCOMPARE(r.words.first().box, ink.first());
        QCOMPARE(::keptLine(r, true).text, QStringLiteral("27 Jul 2019"));
        // Words of letters are what the text's height is measured by, as
        // the reader boxes them.
        const QRect tall(45, 0, 56, 60);
        r.words[1].box = tall;
        ::fitNumberBoxesToInk(line, r.words);
        QCOMPARE(r.words[1].box, tall);
    }

    // A separator between a name and a count ("Messages · 16") is read as a
    // hyphen or a colon, and boxed roughly; its ink between the words tells
    // the middle dot from the marks drawn at its place in each row. The words
    // beside it stand on a baseline at 29, 22 pixels high.
    void middleDotsReadAsSuch_data()
    {
        QTest::addColumn<QList<QRect>>("ink");
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("count");
        const QRect dot(98, 17, 5, 5);
        struct Row {
            const char *name;
            QList<QRect> ink;
            const char *read, *text, *count = "16";
        };
        const Row rows[] = {
            {"a middle dot read as a hyphen", {dot}, "-", "Messages · 16"},
            {"a middle dot read as a colon", {dot}, ":", "Messages · 16"},
            {"a middle dot beside the box it is read in", {{111, 17, 5, 5}}, "-", "Messages · 16"},
            {"a middle dot after a letter's edge the word's box leaves out",
             {{82, 14, 2, 15}, dot},
             "-",
             "Messages · 16"},
            {"a small dot on two pixels of a row, enlarged", {{97, 18, 6, 3}}, "-", "Messages · 16"},
            {"a hyphen", {{95, 18, 11, 3}}, "-", "Messages - 16"},
            {"a colon", {{98, 11, 5, 5}, {98, 24, 5, 5}}, ":", "Messages : 16"},
            {"a dot on the baseline", {{98, 25, 5, 5}}, "-", "Messages - 16"},
            {"a plus sign", {{100, 17, 1, 5}, {98, 19, 5, 1}}, "+", "Messages + 16"},
            {"the Arabic-Indic zero beside European digits", {dot}, "\u0660", "Messages · 16"},
            {"the Arabic-Indic zero beside Arabic-Indic digits",
             {dot},
             "\u0660",
             "Messages \u0660 \u0661\u0666",
             "\u0661\u0666"},
            {"a bullet", {{96, 14, 10, 10}}, "-", "Messages - 16"},
        };
        for (const Row &row : rows)
            QTest::newRow(row.name) << row.ink << QString(row.read) << QString(row.text) << QString(row.count);
    }

    void middleDotsReadAsSuch()
    {
        QFETCH(QList<QRect>, ink);
        QFETCH(QString, read);
        QFETCH(QString, text);
        QFETCH(QString, count);
        QImage line(160, 40, QImage::Format_Grayscale8);
        line.fill(255);
        QPainter painter(&line);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        const QRect messages(2, 8, 80, 26), countBox(120, 9, 20, 21);
        painter.fillRect(messages, Qt::black);
        painter.fillRect(countBox, Qt::black);
        for (const QRect &part : ink) {
            if (part.width() == part.height())
                painter.drawEllipse(part);
            else
                painter.fillRect(part, Qt::black);
        }
        painter.end();
        LineReading r{90, QStringLiteral("eng")};
        const QRect mark(90, 8, 16, 24);
        r.words = {{QStringLiteral("Messages"), 92, messages, true},
                   {read, 80, mark, false, false, 1, false, {{read, 80, mark}}},
                   {count, 93, countBox}};
        ::readMiddleDots(line, r.words);
        QCOMPARE(r.text(), text);
        // The mark's letter says what its word says.
        QCOMPARE(r.words[1].letters.first().text, r.words[1].text);
    }

    // Lines far lower or far taller than the page's text that read as a
    // few letters: dots and knobs, and the large icons of a grid read as a
    // joined script's letters. Each line is "text:height:model:confidence".
    void dropOddSizedLines_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("lead");
        QTest::addColumn<QStringList>("kept");
        const QStringList text{"Documents:30:eng:95", "Pictures:30:eng:95", "Move to Trash:30:eng:96"};
        QTest::newRow("a folder read as Arabic on an English page")
            << text + QStringList{"لا:58:ara:81"} << "eng" << QStringList{"Documents", "Pictures", "Move to Trash", ""};
        QTest::newRow("a folder read unsurely on an Arabic page")
            << QStringList{"حفظ:30:ara:93", "فتح:31:ara:95", "ليا:52:ara:79"} << "ara" << QStringList{"حفظ", "فتح", ""};
        QTest::newRow("a large short word read surely in the page's script")
            << QStringList{"حفظ:30:ara:93", "فتح:31:ara:95", "نعم:60:ara:95"} << "ara"
            << QStringList{"حفظ", "فتح", "نعم"};
        QTest::newRow("a large short title of a script written apart")
            << text + QStringList{"שלום:60:heb+eng:70"} << "eng"
            << QStringList{"Documents", "Pictures", "Move to Trash", "שלום"};
        QTest::newRow("dots read as letters, and a small clock")
            << text + QStringList{"eee:10:eng:70", "12:30:10:eng:90"} << "eng"
            << QStringList{"Documents", "Pictures", "Move to Trash", "", "12:30"};
    }

    void dropOddSizedLines()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, lead);
        QFETCH(QStringList, kept);
        QList<TextItem> items;
        QList<LineReading> readings;
        for (const QString &line : lines) {
            const QStringList parts = line.split(u':');
            const qsizetype n = parts.size();
            items.append(
                {parts.mid(0, n - 3).join(u':'), QRectF(0, 40.0 * items.size(), 100, parts[n - 3].toDouble())});
            readings.append({parts[n - 1].toInt(), parts[n - 2]});
        }
        ::dropOddSizedLines(items, readings, lead);
        QCOMPARE(textsOf(items), kept);
    }

    // Of two readings of one ink, the surer stays.
    void dropLinesReadTwice_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<QRectF>>("boxes");
        QTest::addColumn<QList<int>>("confidences");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("a line found whole and in part")
            << QStringList{"Renombr:", "Renombrar..."} << QList<QRectF>{{948, 202, 57, 14}, {948, 203, 70, 13}}
            << QList<int>{46, 91} << QStringList{"", "Renombrar..."};
        QTest::newRow("an avatar's junk over a chat's time")
            << QStringList{"11:27", "27]"} << QList<QRectF>{{552, 177, 35, 16}, {564, 163, 34, 40}}
            << QList<int>{96, 56} << QStringList{"11:27", ""};
        QTest::newRow("a clock's plate over the date under it")
            << QStringList{"15:05", "viernes, 15 de marzo"} << QList<QRectF>{{622, 102, 616, 272}, {792, 343, 347, 39}}
            << QList<int>{91, 95} << QStringList{"15:05", "viernes, 15 de marzo"};
        QTest::newRow("columns that touch")
            << QStringList{"Name", "Size"} << QList<QRectF>{{10, 10, 60, 15}, {66, 10, 40, 15}} << QList<int>{95, 60}
            << QStringList{"Name", "Size"};
    }

    void dropLinesReadTwice()
    {
        QFETCH(QStringList, texts);
        QFETCH(QList<QRectF>, boxes);
        QFETCH(QList<int>, confidences);
        QFETCH(QStringList, kept);
        QList<TextItem> items;
        QList<LineReading> readings;
        for (qsizetype i = 0; i < texts.size(); ++i) {
            items.append({texts[i], boxes[i]});
            readings.append({confidences[i], QStringLiteral("eng")});
        }
        ::dropLinesReadTwice(items, readings);
        QCOMPARE(textsOf(items), kept);
    }

    void sureLettersTrusted_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<int>("confidence");
        QTest::addColumn<QList<float>>("expected");
        QTest::addColumn<int>("expectedLine");
        // Each word is "text:confidence:letters' confidence", "+" after the
        // text for a word of the dictionary.
        QTest::newRow("dictionary words rated 0, every letter sure")
            << QStringList{"Try+:0:100", "Again+:0:97", "X:83:98"} << 27 << QList<float>{100, 97, 83} << 93;
        QTest::newRow("not of the dictionary")
            << QStringList{"Tgu:0:100", "Adat:0:100"} << 0 << QList<float>{0, 0} << 0;
        QTest::newRow("a letter read less surely")
            << QStringList{"Try+:0:100", "Again+:0:90"} << 0 << QList<float>{100, 0} << 50;
        QTest::newRow("two letters") << QStringList{"OK+:0:100"} << 0 << QList<float>{0} << 0;
        QTest::newRow("rated, if unsurely") << QStringList{"Cancel+:39:99"} << 39 << QList<float>{39} << 39;
    }

    // The reader sometimes rates words of its dictionary 0 though sure of
    // every letter: the line is then about as sure as its letters.
    void sureLettersTrusted()
    {
        QFETCH(QStringList, words);
        QFETCH(int, confidence);
        QFETCH(QList<float>, expected);
        QFETCH(int, expectedLine);
        LineReading r{confidence, QStringLiteral("eng")};
        for (const QString &written : words) {
            const QStringList parts = written.split(u':');
            QString text = parts[0];
            const bool inDictionary = text.endsWith(u'+');
            if (inDictionary)
                text.chop(1);
            WordReading word{text, parts[1].toFloat(), QRect(20 * int(r.words.size()), 0, 16, 20)};
            word.inDictionary = inDictionary;
            for (qsizetype i = 0; i < text.size(); ++i)
                word.letters.append({text.mid(i, 1), i == 0 ? 100.0f : parts[2].toFloat(), QRect()});
            r.words.append(word);
        }
        ::trustSureLetters(r);
        QList<float> rated;
        for (const WordReading &word : std::as_const(r.words))
            rated.append(word.confidence);
        QCOMPARE(rated, expected);
        QCOMPARE(r.confidence, expectedLine);
    }

    void shortcutsSpelledRight_data()
    {
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("shortcut");
        struct Row {
            const char *name, *read, *shortcut;
        };
        const Row rows[] = {
            {"read right", "Ctrl+C", "Ctrl+C"},
            {"l read as i", "Ctri+V", "Ctrl+V"},
            {"l read as I", "CtrI+H", "Ctrl+H"},
            {"l read as il", "Ctril+O", "Ctrl+O"},
            {"l lost, two modifiers", "Ctr+Shift+N", "Ctrl+Shift+N"},
            {"plus read as H", "CtrlHX", "Ctrl+X"},
            {"plus read as H before H", "CtrlHH", "Ctrl+H"},
            {"plus lost", "CtrlX", "Ctrl+X"},
            {"German", "Strg+Umschalt+N", "Strg+Umschalt+N"},
            {"a capital read small", "Ctrl+v", "Ctrl+V"},
            {"a capital I read as l", "Ctri+l", "Ctrl+I"},
            {"function key", "Alt+F4", "Alt+F4"},
            {"a short name read wrong", "Ait+F4", "Alt+F4"},
            {"named key", "Shift+Del", "Shift+Del"},
            {"a modifier alone", "Ctrl", ""},
            {"no key", "Ctrl+", ""},
            {"no key but a mark", "Ctrl+!", ""},
            {"a word after a short name", "Alto", ""},
            {"a word after a long name", "Shifts", ""},
            {"a word like a name", "Shirt", ""},
            {"a word starting as a name", "Metal", ""},
            {"a short name without its plus", "AltA", ""},
            {"a word", "Options", ""},
        };
        for (const Row &row : rows)
            QTest::newRow(row.name) << QString(row.read) << QString(row.shortcut);
    }

    // Shortcuts read a little wrong are spelled right; words that start
    // like a modifier's name are no shortcuts.
    void shortcutsSpelledRight()
    {
        QFETCH(QString, read);
        QFETCH(QString, shortcut);
        QCOMPARE(shortcutOf(read), shortcut);
    }

    // A shortcut is as sure as a word read well, so that a menu's column of
    // them is kept: the reader rates them about 40, below what is kept.
    void shortcutsReadSurely()
    {
        // The words given as read, 20 pixels apart.
        const auto line = [](const QList<std::pair<QString, float>> &words, int confidence) {
            LineReading r{confidence, QStringLiteral("eng")};
            for (const auto &[text, sure] : words)
                r.words.append({text, sure, QRect(100 * int(r.words.size()), 0, 80, 30)});
            return r;
        };
        LineReading r = line({{"Copy", 96}, {"Ctri+C", 38}}, 60);
        readShortcuts(r);
        QCOMPARE(r.text(), QStringLiteral("Copy Ctrl+C"));
        QCOMPARE(r.confidence, 93);
        LineReading alone = line({{"Ctrl+O", 38}}, 38);
        QVERIFY(::keptLine(alone, true).text.isEmpty());
        readShortcuts(alone);
        QCOMPARE(::keptLine(alone, true).text, QStringLiteral("Ctrl+O"));
        LineReading words = line({{"Shifts", 38}, {"Metal", 40}}, 39);
        readShortcuts(words);
        QCOMPARE(words.confidence, 39);
    }

    void symbolsOnSmallTiles_data()
    {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QColor>("paper");
        QTest::addColumn<bool>("onTile");
        // A settings list at 2x: a symbol on a coloured rounded square, in a
        // white cell on grey, or on the grey page.
        QTest::newRow("a heart on a tile in a white cell") << "heart" << QColor("#ffffff") << true;
        QTest::newRow("a heart on a tile on grey") << "heart" << QColor("#f2f2f7") << true;
        QTest::newRow("initials on a round avatar") << "initials" << QColor("#ffffff") << true;
        QTest::newRow("a word on a wide button") << "button" << QColor("#ffffff") << false;
        QTest::newRow("a word on a small button") << "small button" << QColor("#ffffff") << false;
        QTest::newRow("a word on the page") << "word" << QColor("#f2f2f7") << false;
    }

    // Whether a line lies on a tile no larger than an icon's: what a
    // settings list's icons read as ("aa" for a heart) is no text.
    void symbolsOnSmallTiles()
    {
        QFETCH(QString, shape);
        QFETCH(QColor, paper);
        QFETCH(bool, onTile);
        QImage image(400, 160, QImage::Format_RGB32);
        image.fill(QColor("#f2f2f7"));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(QRect(20, 20, 360, 120), paper);
        p.setPen(Qt::NoPen);
        QFont font("Noto Sans");
        font.setPixelSize(28);
        QPainterPath symbol;
        if (shape == "heart") {
            p.setBrush(QColor("#dc8c48"));
            p.drawRoundedRect(QRectF(40, 52, 56, 56), 12, 12);
            symbol.moveTo(68, 96);
            symbol.cubicTo(40, 76, 56, 58, 68, 72);
            symbol.cubicTo(80, 58, 96, 76, 68, 96);
        } else if (shape == "initials") {
            p.setBrush(QColor("#5b7fd6"));
            p.drawEllipse(QRectF(40, 48, 64, 64));
            symbol.addText(52, 90, font, QStringLiteral("AM"));
        } else if (shape.endsWith("button")) {
            p.setBrush(QColor("#0a7cff"));
            p.drawRoundedRect(shape == "button" ? QRectF(40, 52, 130, 56) : QRectF(58, 60, 76, 40), 10, 10);
            symbol.addText(78, 90, font, QStringLiteral("OK"));
        } else {
            p.setBrush(Qt::NoBrush);
            symbol.addText(60, 90, font, QStringLiteral("Wi"));
        }
        p.fillPath(symbol, shape == "word" ? QColor("#1c1c1e") : QColor(Qt::white));
        p.end();
        const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);

        QCOMPARE(::onSmallTile(gray, symbol.boundingRect().toAlignedRect()), onTile);
    }

    void pictogramsReadAsLetters_data()
    {
        QTest::addColumn<QString>("drawn");
        QTest::addColumn<QString>("font");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("confidence");
        QTest::addColumn<bool>("pictogram");
        QTest::newRow("a music note read as two letters")
            << QStringLiteral("\u266b") << QStringLiteral("DejaVu Sans") << 36 << QStringLiteral("Jd")
            << QStringLiteral("eng") << 75 << true;
        QTest::newRow("an envelope read as two letters")
            << QStringLiteral("\u2709") << QStringLiteral("DejaVu Sans") << 36 << QStringLiteral("Xx")
            << QStringLiteral("eng") << 70 << true;
        QTest::newRow("a short word") << QStringLiteral("Jo") << QStringLiteral("Noto Sans") << 36
                                      << QStringLiteral("Jo") << QStringLiteral("eng") << 75 << false;
        QTest::newRow("a lone letter") << QStringLiteral("A") << QStringLiteral("Noto Sans") << 36
                                       << QStringLiteral("A") << QStringLiteral("eng") << 70 << false;
        QTest::newRow("a pictogram read as a number") << QStringLiteral("\u266b") << QStringLiteral("DejaVu Sans") << 36
                                                      << QStringLiteral("12") << QStringLiteral("eng") << 60 << false;
        QTest::newRow("Han letters touching at 1x, read surely")
            << QStringLiteral("\u8a2d\u5b9a") << QStringLiteral("Noto Sans CJK SC") << 14
            << QStringLiteral("\u8a2d\u5b9a") << QStringLiteral("chi_sim") << 92 << false;
        QTest::newRow("an arrow read unsurely as Han letters")
            << QStringLiteral("\u2194") << QStringLiteral("DejaVu Sans") << 36 << QStringLiteral("\u4e2d\u6587")
            << QStringLiteral("chi_sim") << 60 << true;
        QTest::newRow("a joined script's word is one piece")
            << QStringLiteral("\u0643\u0644") << QStringLiteral("Noto Sans Arabic") << 24
            << QStringLiteral("\u0643\u0644") << QStringLiteral("ara") << 70 << false;
    }

    // A pictogram alone reads as a letter or two; a word of as many letters
    // stands in as many pieces of ink, but for Han letters at 1x, which
    // touch, and the joined scripts.
    void pictogramsReadAsLetters()
    {
        QFETCH(QString, drawn);
        QFETCH(QString, font);
        QFETCH(int, size);
        QFETCH(QString, read);
        QFETCH(QString, model);
        QFETCH(int, confidence);
        QFETCH(bool, pictogram);
        QImage image(200, 80, QImage::Format_Grayscale8);
        image.fill(250);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QFont face(font);
        face.setPixelSize(size);
        p.setFont(face);
        p.setPen(QColor(30, 30, 30));
        p.drawText(QPointF(40, 60), drawn);
        p.end();
        // Made as for a whole screen's picture, whose kernel is larger.
        const QImage mask = inkMask(image, inkKernelSize(QSize(1280, 800)));
        QRect ink;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != image.pixel(0, 0))
                    ink |= QRect(x, y, 1, 1);
        QVERIFY(!ink.isEmpty());
        LineReading r{confidence, model};
        r.words = {{read, float(confidence), ink.translated(-ink.topLeft())}};

        QCOMPARE(::isPictogram(r, read, image, mask, ink, ink), pictogram);
    }

    void lineTextInTypedOrder_data()
    {
        QTest::addColumn<QString>("drawn");
        QTest::addColumn<bool>("rightToLeft");
        QTest::addColumn<QString>("typed");

        QTest::newRow("C++") << "נכשלה< ++C התקנת<" << true << "התקנת C++ נכשלה";
        QTest::newRow("C#") << "חדשה< #C שפת<" << true << "שפת C# חדשה";
        QTest::newRow("an assignment") << "PATH=/usr/bin הגדר<" << true << "הגדר PATH=/usr/bin";
        QTest::newRow("a product") << "ס״מ< 5×3 מידות<" << true << "מידות 3×5 ס״מ";
        QTest::newRow("an acronym") << "תקין< לא< XML קובץ<" << true << "קובץ XML לא תקין";
        QTest::newRow("Latin in brackets first") << "תא< (B4)" << true << "(B4) תא";
        QTest::newRow("a version") << "זמינה< 2.1.0 גרסה<" << true << "גרסה 2.1.0 זמינה";
        QTest::newRow("a count") << "חדשות< 12 הודעות<" << true << "הודעות 12 חדשות";
        // Both show alike: the reader's order tells.
        QTest::newRow("a number before its unit") << "עכשיו<^3 MB^2 967^1 הורד<^0" << true << "הורד 967 MB עכשיו";
        QTest::newRow("a number after a name") << "עכשיו<^3 Windows^1 11^2 הורד<^0" << true << "הורד Windows 11 עכשיו";
        QTest::newRow("an address") << "נשמרה< https://example.com/a?b=1 הכתובת<" << true
                                    << "הכתובת https://example.com/a?b=1 נשמרה";
        QTest::newRow("a Latin word last, then a stop") << ".Python את< התקן<" << true << "התקן את Python.";
        QTest::newRow("a product's name of several words")
            << "Microsoft Visual Studio Code הורד<" << true << "הורד Microsoft Visual Studio Code";
        QTest::newRow("brackets read right to left") << "עכשיו< (טיוטה)< שמור<" << true << "שמור (טיוטה) עכשיו";
        QTest::newRow("Arabic acronym") << "صالح< غير< XML ملف<" << true << "ملف XML غير صالح";
        QTest::newRow("Arabic C++") << "فشل< ++C تثبيت<" << true << "تثبيت C++ فشل";
        // Both show alike: a file's name ends in its extension.
        QTest::newRow("a number and an extension") << "m4a.12 הקלטה<" << true << "הקלטה 12.m4a";
        QTest::newRow("Arabic number and extension") << "pdf.113 مالي< تقرير<" << true << "تقرير مالي 113.pdf";
        QTest::newRow("a version of one letter") << "v2.0 גרסה<" << true << "גרסה v2.0";
        QTest::newRow("an extension after a Latin word") << "abc m4a.12 שם<" << true << "שם abc m4a.12";
        QTest::newRow("a Hebrew name in an English line")
            << "Message from לוי< דנה<" << false << "Message from דנה לוי";
        QTest::newRow("Latin alone on a Hebrew page") << "Save changes" << true << "Save changes";
        QTest::newRow("a mark read as a Hebrew letter in a Latin line")
            << "Save changes י< 37" << true << "Save changes י 37";
    }

    // A line is delivered as a person would have typed it, whatever runs
    // of Latin letters, digits and marks its right-to-left words hold.
    void lineTextInTypedOrder()
    {
        QFETCH(QString, drawn);
        QFETCH(bool, rightToLeft);
        QFETCH(QString, typed);
        QList<WordReading> words = drawnWords(drawn);
        QCOMPARE(::lineText(words, rightToLeft), typed);
        // Whatever order the reader gives the words in.
        std::reverse(words.begin(), words.end());
        QCOMPARE(::lineText(words, rightToLeft), typed);
    }

    void lineEnglishWonWholeReadAgain_data()
    {
        QTest::addColumn<QString>("drawn");
        QTest::addColumn<int>("aloneConfidence");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a Hebrew word and a letter") << QStringLiteral("כונן D") << 73 << QStringLiteral("כונן ס");
        QTest::newRow("the script's model unsure") << QStringLiteral("כונן D") << 50 << QStringLiteral("DD");
        QTest::newRow("Latin ink") << QStringLiteral("DD") << 73 << QStringLiteral("DD");
    }

    // A short Hebrew line that English read whole as Latin letters ("DD"
    // for "כונן D") is read again by the Hebrew model alone, when its ink
    // stands in pieces as no Latin letters do.
    void lineEnglishWonWholeReadAgain()
    {
        QFETCH(QString, drawn);
        QFETCH(int, aloneConfidence);
        QFETCH(QString, expected);
        QImage line(200, 60, QImage::Format_Grayscale8);
        line.fill(255);
        QPainter painter(&line);
        QFont font(QStringLiteral("Noto Sans Hebrew"));
        font.setPixelSize(32);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(20, 42), drawn);
        painter.end();
        LineReading r{33, QStringLiteral("heb+eng")};
        r.words = {{QStringLiteral("DD"), 33, QRect(20, 18, 150, 30)}};
        QStringList models;
        ::mendLatinWords(line, r, QStringLiteral("heb"), [&](const QImage &, const QString &model) {
            models.append(model);
            LineReading alone{aloneConfidence, model};
            alone.words = {{QStringLiteral("ס"), 57, QRect(20, 18, 30, 30), false, true, 1},
                           {QStringLiteral("כונן"), 90, QRect(60, 18, 110, 30), true, true, 0}};
            return alone;
        });
        QCOMPARE(r.text(), expected);
        QCOMPARE(models, drawn == u"DD" ? QStringList{} : QStringList{QStringLiteral("heb")});
    }

    void inkOfLatinLetters_data()
    {
        QTest::addColumn<QString>("drawn");
        QTest::addColumn<QString>("font");
        QTest::addColumn<QString>("read");
        QTest::addColumn<bool>("latin");
        QTest::newRow("English") << QStringLiteral("Settings") << QStringLiteral("Noto Sans")
                                 << QStringLiteral("Settings") << true;
        QTest::newRow("dots and umlauts")
            << QStringLiteral("Größe ändern") << QStringLiteral("Noto Sans") << QStringLiteral("Größe ändern") << true;
        QTest::newRow("Vietnamese marks")
            << QStringLiteral("Tiếng Việt") << QStringLiteral("Noto Sans") << QStringLiteral("Tiếng Việt") << true;
        QTest::newRow("capitals with marks")
            << QStringLiteral("ÉTÉ À PARIS") << QStringLiteral("Noto Sans") << QStringLiteral("ÉTÉ À PARIS") << true;
        QTest::newRow("dots under marks")
            << QStringLiteral("Why? Stop!") << QStringLiteral("Noto Sans") << QStringLiteral("Why? Stop!") << true;
        QTest::newRow("Thai vowels over letters")
            << QStringLiteral("ดัชนี") << QStringLiteral("Noto Sans Thai") << QStringLiteral("auu") << false;
        QTest::newRow("Thai vowels over and tone marks")
            << QStringLiteral("สถิติ") << QStringLiteral("Noto Sans Thai") << QStringLiteral("aad") << false;
        QTest::newRow("a Thai vowel under a letter")
            << QStringLiteral("พุธ") << QStringLiteral("Noto Sans Thai") << QStringLiteral("ws") << false;
        QTest::newRow("a longer Thai line")
            << QStringLiteral("ล่าสุด สถิติ") << QStringLiteral("Noto Sans Thai") << QStringLiteral("xX aaa aad") << false;
        QTest::newRow("a joined script with its dots")
            << QStringLiteral("مرحبا") << QStringLiteral("Noto Sans Arabic") << QStringLiteral("lyn") << false;
    }

    // Whether ink read as Latin letters stands as Latin letters do.
    void inkOfLatinLetters()
    {
        QFETCH(QString, drawn);
        QFETCH(QString, font);
        QFETCH(QString, read);
        QFETCH(bool, latin);
        QCOMPARE(::latinInk(lineImageOf(drawn, font), read), latin);
    }

    void thaiLineEnglishWonWholeReadAgain_data()
    {
        QTest::addColumn<QString>("drawn");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("alone");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("readAgain");
        QTest::newRow("a Thai word") << QStringLiteral("ดัชนี") << QStringLiteral("auu:88") << QStringLiteral("ดัชนี")
                                     << QStringLiteral("ดัชนี") << true;
        QTest::newRow("the Thai model reads Latin too") << QStringLiteral("ดัชนี") << QStringLiteral("auu:88")
                                                        << QStringLiteral("auu") << QStringLiteral("auu") << true;
        QTest::newRow("English fairly unsure") << QStringLiteral("ดัชนี") << QStringLiteral("auu:52")
                                               << QStringLiteral("ดัชนี") << QStringLiteral("ดัชนี") << true;
        QTest::newRow("English unsure, as of an icon") << QStringLiteral("ดัชนี") << QStringLiteral("rr:44")
                                                       << QStringLiteral("ดัชนี") << QStringLiteral("rr") << false;
        QTest::newRow("Latin ink") << QStringLiteral("Index") << QStringLiteral("Index:88") << QStringLiteral("ดัชนี")
                                   << QStringLiteral("Index") << false;
    }

    // A short Thai line that English read whole as Latin letters is read
    // again by the Thai model alone, when its ink carries Thai's marks.
    void thaiLineEnglishWonWholeReadAgain()
    {
        QFETCH(QString, drawn);
        QFETCH(QString, english);
        QFETCH(QString, alone);
        QFETCH(QString, expected);
        QFETCH(bool, readAgain);
        const QImage line = lineImageOf(drawn, QStringLiteral("Noto Sans Thai"));
        LineReading r = oneWord(english, QStringLiteral("tha+eng"));
        QStringList models;
        ::mendLinesReadAsLatin(line, r, QStringLiteral("tha"), [&](const QImage &, const QString &model) {
            models.append(model);
            return oneWord(alone + QStringLiteral(":70"), model);
        });
        QCOMPARE(r.text(), expected);
        QCOMPARE(r.model, QStringLiteral("tha+eng"));
        QCOMPARE(models, readAgain ? QStringList{QStringLiteral("tha")} : QStringList{});
    }

    void latinSuffixReadAgain_data()
    {
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a file's extension") << "pdf:95"
                                            << "קורות חיים.pdf";
        QTest::newRow("English unsure") << "pdf:60"
                                        << "קורות חיים.אזקק";
        QTest::newRow("English reads letters of another script") << "πdf:95"
                                                                 << "קורות חיים.אזקק";
        // An icon read as a letter, a dot and a letter ("κ.ά") is no name
        // with an extension.
        QTest::newRow("digits alone") << "4:91"
                                      << "קורות חיים.אזקק";
        QTest::newRow("an extension with a digit") << "mp4:95"
                                                   << "קורות חיים.mp4";
    }

    // A file name's extension glued by a dot to a Hebrew word is read again
    // in English, and stays beside the word without a space.
    void latinSuffixReadAgain()
    {
        QFETCH(QString, english);
        QFETCH(QString, expected);
        LineReading r{80, QStringLiteral("heb+eng")};
        // Drawn right to left: "קורות" on the right, then "חיים", then the
        // dot and the extension on the left.
        const QString own = QStringLiteral("חיים.אזקק");
        WordReading word{own, 80, QRect(10, 5, 90, 30), false, true, 1};
        for (qsizetype i = 0; i < own.size(); ++i)
            word.letters.append({own.mid(i, 1), 80, QRect(90 - 10 * int(i), 5, 9, 30)});
        r.words = {word, {QStringLiteral("קורות"), 95, QRect(110, 5, 50, 30), true, true, 0}};
        const QImage line(200, 40, QImage::Format_Grayscale8);
        ::mendLatinSuffixes(line, r, QStringLiteral("heb"),
                            [&](const QImage &, const QString &model) { return oneWord(english, model); });
        QCOMPARE(r.text(), expected);
    }

    void latinSuffixAfterLeftToRightWord_data()
    {
        QTest::addColumn<QStringList>("drawn");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("englishReadings");
        QTest::addColumn<bool>("surer");
        QTest::newRow("an extension read as Cyrillic") << QStringList{"Анкета.раї"} << "pdf:95"
                                                       << "Анкета.pdf" << 1 << true;
        QTest::newRow("English unsure") << QStringList{"Анкета.раї"} << "pdf:60"
                                        << "Анкета.раї" << 1 << false;
        QTest::newRow("an extension read right") << QStringList{"Анкета.pdf"} << "pdf:95"
                                                 << "Анкета.pdf" << 0 << false;
        QTest::newRow("a dot within Latin") << QStringList{"readme.тхт"} << "txt:95"
                                            << "readme.тхт" << 0 << false;
        QTest::newRow("an extension parted in two") << QStringList{"бюджет.х!", "5х"} << "xlsx:95"
                                                    << "бюджет.xlsx" << 1 << true;
        QTest::newRow("a word after a space") << QStringList{"бюджет.х!", "+8", "план"} << "xl:95"
                                              << "бюджет.xl план" << 1 << true;
    }

    // A file's extension glued by a dot to a Cyrillic or Greek word, read
    // by that script's model as its own letters, is read again in English,
    // and the line is as sure as its letters then are.
    void latinSuffixAfterLeftToRightWord()
    {
        QFETCH(QStringList, drawn);
        QFETCH(QString, english);
        QFETCH(QString, expected);
        QFETCH(int, englishReadings);
        QFETCH(bool, surer);
        LineReading r{80, QStringLiteral("rus+eng")};
        int left = 0;
        for (const QString &word : drawn) {
            if (word.startsWith(u'+')) {
                left += word.mid(1).toInt();
                continue;
            }
            WordReading w{word, 80, QRect(left, 5, 10 * int(word.size()), 30)};
            // The reader is unsure of the letters after a dot.
            const qsizetype dot = word.indexOf(u'.');
            for (qsizetype i = 0; i < word.size(); ++i)
                w.letters.append(
                    {word.mid(i, 1), dot >= 0 && i > dot ? 40.0f : 90.0f, QRect(left + 10 * int(i), 5, 9, 30)});
            r.words.append(w);
            left += 10 * int(word.size()) + 1;
        }
        const QImage line(300, 40, QImage::Format_Grayscale8);
        int readings = 0;
        ::mendLatinSuffixes(line, r, QStringLiteral("rus"), [&](const QImage &, const QString &model) {
            ++readings;
            return oneWord(english, model);
        });
        QCOMPARE(r.text(), expected);
        QCOMPARE(readings, englishReadings);
        QCOMPARE(r.confidence > 80, surer);
    }

    void latinLookalikesReadAgain_data()
    {
        QTest::addColumn<QString>("drawn");
        QTest::addColumn<QString>("alone");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("readings");
        QTest::newRow("a Cyrillic word read as Latin") << "npoekta.docx"
                                                       << "проекта:92:dictionary"
                                                       << "проекта.docx" << 1;
        QTest::newRow("an English word of look-alikes") << "Home"
                                                        << "Ноте:90"
                                                        << "Home" << 1;
        QTest::newRow("an unsure reading") << "onnate"
                                           << "оплате:40:dictionary"
                                           << "onnate" << 1;
        QTest::newRow("letters no Cyrillic one looks like") << "Documents"
                                                            << "Документы:96:dictionary"
                                                            << "Documents" << 0;
    }

    // A Cyrillic word the Cyrillic models with English read as Latin junk is
    // read again with the script's model alone, and taken when its dictionary
    // knows it.
    void latinLookalikesReadAgain()
    {
        QFETCH(QString, drawn);
        QFETCH(QString, alone);
        QFETCH(QString, expected);
        QFETCH(int, readings);
        LineReading r{80, QStringLiteral("rus+eng")};
        WordReading word{drawn, 80, QRect(0, 5, 10 * int(drawn.size()), 30)};
        for (qsizetype i = 0; i < drawn.size(); ++i)
            word.letters.append({drawn.mid(i, 1), 80, QRect(10 * int(i), 5, 9, 30)});
        r.words = {word};
        const QImage line(300, 40, QImage::Format_Grayscale8);
        int read = 0;
        ::mendLatinLookalikes(line, r, QStringLiteral("rus"), [&](const QImage &, const QString &model) {
            ++read;
            const QStringList parts = alone.split(u':');
            LineReading reading{parts[1].toInt(), model};
            WordReading w{parts[0], parts[1].toFloat(), QRect(8, 8, 60, 20)};
            w.inDictionary = parts.size() > 2;
            reading.words.append(w);
            return reading;
        });
        QCOMPARE(r.text(), expected);
        QCOMPARE(read, readings);
    }

    void latinRunsReadAgain_data()
    {
        QTest::addColumn<QString>("drawn");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a Latin word read as digits") << "1857"
                                                     << "LAST:92"
                                                     << "LAST";
        QTest::newRow("a Latin word read as junk") << "\\4&Ｌ"
                                                   << "WAL:90"
                                                   << "WAL";
        QTest::newRow("digits read with the syllable beside") << "30초"
                                                              << "302%:93"
                                                              << "30초";
    }

    // The Korean model reads a Latin word as digits and junk: each such run
    // is read again with English.
    void latinRunsReadAgain()
    {
        QFETCH(QString, drawn);
        QFETCH(QString, english);
        QFETCH(QString, expected);
        LineReading r{90, QStringLiteral("kor")};
        WordReading word{drawn, 90, QRect(0, 5, 20 * int(drawn.size()), 30)};
        for (qsizetype i = 0; i < drawn.size(); ++i)
            word.letters.append({drawn.mid(i, 1), 90, QRect(20 * int(i), 5, 18, 30)});
        r.words = {word};
        ::mendLatinRuns(QImage(300, 40, QImage::Format_Grayscale8), r, QStringLiteral("kor"),
                        [&](const QImage &, const QString &model) { return oneWord(english, model); });
        QCOMPARE(r.text(), expected);
    }

    void numberLineReadAgain_data()
    {
        QTest::addColumn<QString>("own");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a time read wrong, surely") << "126:92"
                                                   << "10:26:94"
                                                   << "10:26";
        QTest::newRow("English unsure") << "126:92"
                                        << "10:26:70"
                                        << "126";
        QTest::newRow("English reads fewer digits") << "1026:92"
                                                    << "10:2:95"
                                                    << "1026";
        QTest::newRow("words are no number") << "שלום:92"
                                             << "10:26:95"
                                             << "שלום";
    }

    // The Hebrew and Yiddish models read a number standing alone as surely
    // as a word, and often wrong: English reads it again.
    void numberLineReadAgain()
    {
        QFETCH(QString, own);
        QFETCH(QString, english);
        QFETCH(QString, expected);
        LineReading r = oneWord(own, QStringLiteral("heb+eng"));
        ::mendNumberLine(QImage(100, 40, QImage::Format_Grayscale8), r, QStringLiteral("heb"),
                         [&](const QImage &, const QString &model) { return oneWord(english, model); });
        QCOMPARE(r.text(), expected);
    }

    void numbersReadAgainWhole_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<int>("boxedDigits");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a year boxed by its last digit") << "1:95" << 1 << "13 Sep 2021";
        QTest::newRow("a year read as its last digit, surely") << "1:97" << 4 << "13 Sep 2021";
        QTest::newRow("a year read whole") << "2021:96" << 4 << "13 Sep 2021";
    }

    // The Arabic model reads a Latin year as its last digit, as surely as
    // English reads it whole, and may box that digit alone: the number is
    // read again with English over all its ink, and English's reading with
    // more digits taken.
    void numbersReadAgainWhole()
    {
        QFETCH(QString, year);
        QFETCH(int, boxedDigits);
        QFETCH(QString, expected);
        // Digits 9 pixels wide and 2 apart; a space of 19 before the year.
        QImage line(160, 40, QImage::Format_Grayscale8);
        line.fill(255);
        QPainter painter(&line);
        const auto digits = [&](int left, int count) {
            for (int i = 0; i < count; ++i)
                painter.fillRect(left + 11 * i, 10, 9, 21, Qt::black);
            return QRect(left, 10, 11 * count - 2, 21);
        };
        const QRect day = digits(10, 2), month = digits(45, 3), whole = digits(95, 4);
        painter.end();
        LineReading r{90, QStringLiteral("ara")};
        const qsizetype colon = year.indexOf(u':');
        r.words = {{QStringLiteral("13"), 96, day},
                   {QStringLiteral("Sep"), 96, month},
                   {year.left(colon), year.mid(colon + 1).toFloat(), whole.adjusted(11 * (4 - boxedDigits), 0, 0, 0)}};
        ::mendLookalikeWords(line, r, QStringLiteral("ara"), readDigits);
        QCOMPARE(r.text(), expected);
    }

    // The reader's boxes of a number's parts may overlap: once English has
    // read the number whole over one box, the part boxed within it is gone.
    void partReadWithinANumberIsDropped()
    {
        QImage line(160, 40, QImage::Format_Grayscale8);
        line.fill(255);
        QPainter painter(&line);
        for (int i = 0; i < 4; ++i)
            painter.fillRect(95 + 11 * i, 10, 9, 21, Qt::black);
        painter.end();
        LineReading r{90, QStringLiteral("ara")};
        r.words = {{QStringLiteral("20"), 60, QRect(95, 10, 42, 21)},
                   {QStringLiteral("1"), 97, QRect(114, 10, 17, 21)}};
        ::mendLookalikeWords(line, r, QStringLiteral("ara"), readDigits);
        QCOMPARE(r.text(), QStringLiteral("2021"));
    }

    void monotonicGreek_data()
    {
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("expected");
        QTest::newRow("circumflex") << u"εἶναι"_qs << u"είναι"_qs;
        QTest::newRow("breathing where the tonos was") << u"Ἐχει παλέτα"_qs << u"Έχει παλέτα"_qs;
        QTest::newRow("breathing beside an accent") << u"Ἐπιλογές"_qs << u"Επιλογές"_qs;
        QTest::newRow("article") << u"Ἡ θέση"_qs << u"Η θέση"_qs;
        QTest::newRow("grave") << u"ενεργὲς"_qs << u"ενεργές"_qs;
        QTest::newRow("monotonic text stays")
            << u"Αποθήκευση αλλαγών, Σεϋχέλλες"_qs << u"Αποθήκευση αλλαγών, Σεϋχέλλες"_qs;
    }

    void monotonicGreek()
    {
        QFETCH(QString, read);
        QFETCH(QString, expected);
        QCOMPARE(::monotonicGreek(read), expected);
    }

    // What a script's first model reads of each language of the script:
    // accents lost or misread, Yiddish without its pointed letters.
    void languageFromWordsRead_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("language");

        QTest::newRow("English") << "The file cannot be opened because another program is using it"
                                 << "eng";
        QTest::newRow("French") << "Le fichier de configuration est introuvable, veuillez verifier le chemin"
                                << "fra";
        QTest::newRow("German") << "Die Verbindung zum Server wurde unterbrochen, bitte versuchen Sie es spater"
                                << "deu";
        QTest::newRow("Spanish") << "No se puede abrir el archivo porque esta siendo usado por otro programa"
                                 << "spa";
        QTest::newRow("Italian") << "Impossibile aprire il file perche e utilizzato da un altro programma"
                                 << "ita";
        QTest::newRow("Portuguese") << "Nao foi possivel abrir o arquivo porque ele esta sendo usado por outro"
                                    << "por";
        QTest::newRow("Polish") << "Nie mozna otworzyc pliku, poniewaz jest uzywany przez inny program"
                                << "pol";
        QTest::newRow("Turkish") << "Dosya baska bir program tarafindan kullanildigi icin acilamiyor"
                                 << "tur";
        QTest::newRow("Vietnamese") << "Khéng thé mo tép vi tép dang dugc mét chuong trinh khac sir dung"
                                    << "vie";
        // The Hebrew model's readings.
        QTest::newRow("Hebrew") << "לא ניתן לפתוח את הקובץ כי תוכנה אחרת משתמשת בו כעת"
                                << "heb";
        QTest::newRow("Yiddish") << "די טעקע קען נישט ווערן געעפנט ווייל אן אנדער פראגראם ניצט זי"
                                 << "yid";
    }

    void languageFromWordsRead()
    {
        QFETCH(QString, text);
        QFETCH(QString, language);
        const QStringList likely = likelyLanguages(text, scriptOf(language)->models());
        QVERIFY(!likely.isEmpty());
        QCOMPARE(likely.first(), language);
        QVERIFY2(likely.size() <= 2, qPrintable(likely.join(' ')));
    }

    void languageNotToldWithoutEnoughWordsOrProfiles()
    {
        QVERIFY(likelyLanguages("Speichern unter", scripts().first().models()).isEmpty());
        QVERIFY(likelyLanguages("Сохранить изменения в этом файле перед закрытием", {"rus", "ukr"}).isEmpty());
    }
};

QTEST_MAIN(LineReadingTest)
#include "LineReadingTest.moc"
