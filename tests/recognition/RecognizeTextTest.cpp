// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecognizeText.h"
#include "RecognizePage.h"
#include "TextItem.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QTest>
#include <QThread>

#include <numeric>
#include <vector>

namespace {

// A picture drawn with known lines, and where each line lies in the
// recogniser's normalised, bottom-left coordinates.
struct TestPicture {
    QImage image;
    QList<QRectF> boxes;
};

struct TestLine {
    QString text;
    QPointF baseline; // in logical pixels
};

// Draws `lines` in `family` at `pixelSize` on a `size` picture (logical
// pixels) at `scale` device pixels per logical pixel.
TestPicture drawPicture(const QList<TestLine> &lines, const QString &family, int pixelSize, QSize size, int scale,
                        QColor paper, QColor ink)
{
    TestPicture picture{QImage(size * scale, QImage::Format_RGB32), {}};
    picture.image.fill(paper);
    QPainter painter(&picture.image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    QFont font(family);
    font.setPixelSize(pixelSize);
    painter.setFont(font);
    painter.setPen(ink);
    const QFontMetricsF metrics(font);
    for (const TestLine &line : lines) {
        painter.drawText(line.baseline, line.text);
        picture.boxes.append(normalisedBox(metrics.tightBoundingRect(line.text).translated(line.baseline), size));
    }
    return picture;
}

int editDistance(const QString &a, const QString &b)
{
    std::vector<int> row(b.size() + 1);
    std::iota(row.begin(), row.end(), 0);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int previous = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int substitution = previous + (a[i - 1] != b[j - 1]);
            previous = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, substitution});
        }
    }
    return row[b.size()];
}

// What the pictures of a test leave each other, as the app's pastes do.
const std::shared_ptr<RecognitionMemory> memory = std::make_shared<RecognitionMemory>();

// Runs the recogniser as the app does and waits for its delivery.
TextItems recognize(const QImage &image)
{
    bool delivered = false;
    TextItems result;
    recognizeText(
        image,
        [&](TextItems items) {
            result = std::move(items);
            delivered = true;
        },
        memory);
    // Loading every model on a busy machine takes a while.
    static_cast<void>(QTest::qWaitFor([&] { return delivered; }, 120000));
    return result;
}

// The recognised texts of a picture, in the order they are delivered.
QStringList recognizedTexts(const QImage &image)
{
    QStringList texts;
    for (const TextItem &item : recognize(image))
        texts.append(item.text);
    return texts;
}

// `actual` spans the ink's columns and the text's height at its font size
// (`fontPixels`), covering the ink.
bool boxFits(const QRectF &actual, const QRectF &ink, QSize pixels, int fontPixels)
{
    // A few pixels either way: antialiased edges are ink or paper.
    const double dx = 4.0 / pixels.width(), dy = 1.0 / pixels.height();
    const double height = actual.height() * pixels.height();
    return qAbs(actual.left() - ink.left()) <= dx && qAbs(actual.right() - ink.right()) <= dx &&
           actual.top() <= ink.top() + dy && actual.bottom() >= ink.bottom() - dy && height >= 1.05 * fontPixels &&
           height <= 1.45 * fontPixels;
}

// Edit operations allowed when reading `text`: OCR may slip on a character.
int tolerance(const QString &text)
{
    return std::max<int>(1, int(text.size() / 10));
}

} // namespace

class RecognizeTextTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Started as after a run whose last page was Korean, which the first
    // pages of the table are not.
    void initTestCase()
    {
        memory->setLanguage(QStringLiteral("kor"));
        warmUpRecognizer(memory->language());
    }

    void readsLinesOfEachScript_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<int>("scale");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QStringList>("texts");

        const QStringList english{"Do you want to keep these settings?", "Your password was changed yesterday"};
        const QStringList russian{"Сохранить эти параметры экрана?", "Ваш пароль был изменён вчера"};
        const QStringList hebrew{"האם לשמור את הגדרות התצוגה?", "הסיסמה שלך שונתה אתמול"};
        const QStringList arabic{"هل تريد حفظ الإعدادات", "تم تغيير كلمة المرور"};
        const QStringList yiddish{"מיר רעדן אַ ביסל ייִדיש", "דער טאָג איז שיין"};
        const QStringList yiddishShortWords{"דאָס איז אַ GIF בילד פֿון דעם טעקסט", "די קינדער זאָלן אַלע האָבן אַ נאָמען"};
        const QStringList accents{"Télécharger le rapport d'été", "Vergrößerung öffnen"};
        const QStringList turkish{"Değişiklikleri kaydet", "Şifreniz dün değiştirildi"};
        const QStringList vietnamese{"Tiếng Việt có dấu", "Lưu các thay đổi"};
        const QStringList ukrainian{"Зберегти зміни у файлі", "Її налаштування змінено"};
        const QStringList chinese{"保存更改", "无法启动线程来拷贝数据"};
        const QStringList traditional{"儲存變更", "無法建立備份檔案"};
        const QStringList japanese{"変更を保存しますか", "バックアップファイル"};
        const QStringList korean{"변경 사항 저장", "비밀번호가 변경되었습니다"};
        const QStringList thaiSaraAm{"จำรหัสผ่านไว้ในเครื่องนี้", "ทำงานเสร็จแล้ว"};
        const QStringList mixedHebrew{"קוד מקור Ada", "הורד 967 MB עכשיו"};
        const QStringList mixedRussian{"Загружено 967 MB", "Видео DV и HDMI"};
        const QStringList mixedKorean{"SSL 서버 개인 키 파일의 위치", "WAL 파일은 지정해야 함"};
        const QStringList mixedGreek{"Ενημέρωση του PrinterOption", "Λήψη 967 MB στις 14:48"};
        const QStringList greekDates{"Τελευταία αλλαγή 3 Nov 2023", "Αποθηκεύτηκε 27 Mar 2021"};
        QTest::newRow("English, small UI text") << "Noto Sans" << 13 << 1 << false << english;
        QTest::newRow("English, 2x dark") << "Noto Sans" << 13 << 2 << true << english;
        QTest::newRow("Russian") << "Noto Sans" << 14 << 1 << false << russian;
        QTest::newRow("Russian, dark") << "Noto Sans" << 14 << 1 << true << russian;
        QTest::newRow("Hebrew") << "Noto Sans Hebrew" << 15 << 1 << false << hebrew;
        QTest::newRow("Hebrew, 2x dark") << "Noto Sans Hebrew" << 14 << 2 << true << hebrew;
        QTest::newRow("Arabic") << "Noto Sans Arabic" << 18 << 1 << false << arabic;
        QTest::newRow("Yiddish") << "Noto Sans Hebrew" << 16 << 1 << false << yiddish;
        QTest::newRow("Yiddish short words") << "Noto Sans Hebrew" << 16 << 1 << false << yiddishShortWords;
        QTest::newRow("French and German accents") << "Noto Sans" << 14 << 1 << false << accents;
        QTest::newRow("Turkish, dark") << "Noto Sans" << 14 << 1 << true << turkish;
        QTest::newRow("Vietnamese") << "Noto Sans" << 15 << 1 << false << vietnamese;
        QTest::newRow("Ukrainian, dark") << "Noto Sans" << 15 << 1 << true << ukrainian;
        QTest::newRow("Chinese, simplified") << "Noto Sans CJK SC" << 16 << 1 << false << chinese;
        QTest::newRow("Chinese, traditional, dark") << "Noto Sans CJK TC" << 16 << 1 << true << traditional;
        QTest::newRow("Japanese, 2x") << "Noto Sans CJK JP" << 14 << 2 << false << japanese;
        QTest::newRow("Korean, dark") << "Noto Sans CJK KR" << 16 << 1 << true << korean;
        QTest::newRow("Thai with SARA AM") << "Noto Sans Thai" << 18 << 1 << false << thaiSaraAm;
        QTest::newRow("Hebrew with Latin") << "Noto Sans Hebrew" << 15 << 1 << false << mixedHebrew;
        QTest::newRow("Russian with Latin, dark") << "Noto Sans" << 15 << 1 << true << mixedRussian;
        QTest::newRow("Korean with Latin") << "Noto Sans CJK KR" << 15 << 1 << false << mixedKorean;
        QTest::newRow("Greek with Latin, dark") << "Noto Sans" << 15 << 1 << true << mixedGreek;
        QTest::newRow("Greek with English dates") << "Noto Sans" << 15 << 1 << false << greekDates;
        QTest::newRow("the same line twice")
            << "Noto Sans" << 15 << 1 << false << QStringList{"Save changes", "Save changes"};
    }

    void readsLinesOfEachScript()
    {
        QFETCH(QString, family);
        QFETCH(int, pixelSize);
        QFETCH(int, scale);
        QFETCH(bool, dark);
        QFETCH(QStringList, texts);
        const QList<TestLine> lines{{texts[0], {40, 60}}, {texts[1], {40, 120}}};
        const TestPicture picture =
            drawPicture(lines, family, pixelSize, {520, 180}, scale, dark ? QColor("#1e1e1e") : QColor("#ffffff"),
                        dark ? QColor("#f0f0f0") : QColor("#202020"));

        const TextItems items = recognize(picture.image);

        // Lines come top to bottom, as they were drawn.
        QCOMPARE(items.size(), texts.size());
        QStringList misread;
        bool boxesRight = true;
        for (qsizetype i = 0; i < texts.size(); ++i) {
            // The micro sign passes for mu within any tolerance.
            if (editDistance(items[i].text, texts[i]) > tolerance(texts[i]) || items[i].text.contains(QChar(0x00b5)))
                misread.append(items[i].text + " <> " + texts[i]);
            boxesRight = boxesRight && boxFits(items[i].box, picture.boxes[i], picture.image.size(), pixelSize * scale);
        }
        // A known fault, kept visible: a page is read in one Latin language,
        // and this one mixes French and German.
        QEXPECT_FAIL("French and German accents", "one of two languages on a page loses its accents", Continue);
        QVERIFY2(misread.isEmpty(), qPrintable(misread.join(" / ")));
        // Boxes of lines whose letters are several pieces do not yet span
        // just the letters.
        QEXPECT_FAIL("Japanese, 2x", "box of a kana line", Continue);
        QVERIFY(boxesRight);
    }

    void boldHanTitleAndFullWidthMarks_data()
    {
        QTest::addColumn<int>("scale");
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << 1 << false;
        QTest::newRow("dark, 2x") << 2 << true;
    }

    // A chat list's entry: an avatar beside a short bold title (its letters
    // touching at 1x) over a line with Chinese punctuation, which the Chinese
    // models read as ASCII marks.
    void boldHanTitleAndFullWidthMarks()
    {
        QFETCH(int, scale);
        QFETCH(bool, dark);
        QImage image(420 * scale, 80 * scale, QImage::Format_RGB32);
        image.fill(dark ? QColor("#1e1e1e") : QColor("#ffffff"));
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor("#c850c0"));
        painter.drawEllipse(QRectF(10, 14, 36, 36));
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRectF(20, 24, 16, 16));
        painter.setPen(dark ? QColor("#f0f0f0") : QColor("#202020"));
        QFont font("Noto Sans CJK TC");
        font.setPixelSize(16);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(QPointF(58, 29), "蘇美語");
        font.setPixelSize(14);
        font.setBold(false);
        painter.setFont(font);
        painter.drawText(QPointF(58, 52), "無法建立備份檔案，請稍後再試。");
        painter.end();

        QStringList texts = recognizedTexts(image);
        QVERIFY2(texts.size() == 2, qPrintable(texts.join(" / ")));
        QVERIFY2(editDistance(texts[0], "蘇美語") <= 1, qPrintable(texts[0]));
        // Spaces between Han letters are layout, not text.
        QVERIFY2(editDistance(texts[1].remove(' '), "無法建立備份檔案，請稍後再試。") <= 1, qPrintable(texts[1]));
    }

    void timeBesideText_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("expected");
        // The Korean model reads a time's colon as a 1 ("17157").
        QTest::newRow("Korean") << "Noto Serif CJK KR"
                                << "파일은 지정해야 함 오후 회의"
                                << "17:57"
                                << "17:57";
        // The Hebrew model reads a time after a chat list's bar as "| 9", and
        // the line goes as junk.
        QTest::newRow("Hebrew") << "Noto Sans Hebrew"
                                << "הסיסמה שלך שונתה אתמול"
                                << "| 13:35"
                                << "13:35";
    }

    // A reading's tolerance would let a time's one wrong character pass.
    void timeBesideText()
    {
        QFETCH(QString, family);
        QFETCH(QString, text);
        QFETCH(QString, time);
        QFETCH(QString, expected);
        const QImage image =
            drawPicture({{text, {40, 60}}, {time, {40, 120}}}, family, 13, {520, 180}, 1, Qt::white, QColor("#202020"))
                .image;

        const QStringList texts = recognizedTexts(image);
        QVERIFY2(texts.size() == 2, qPrintable(texts.join(" / ")));
        QCOMPARE(texts[1], expected);
    }

    // The traditional model reads simplified letters as their traditional
    // forms about as surely as the simplified model reads them, in a serif
    // face surer.
    void simplifiedToldFromTraditional()
    {
        const QStringList lines{"确定一个绝对信任的密钥的证书： 检查许可证字符串的有效性并显示其详情。",
                                "内存不足以载入 XBM 图像文件 未能满足合规规则，操作已强制取消",
                                "显示当前已登录的用户信息。 设置时间间隔值的显示格式",
                                "有版权和合法性问题的软件 正在修复依赖关系"};
        QList<TestLine> drawn;
        for (qsizetype i = 0; i < lines.size(); ++i)
            drawn.append({lines[i], {20, 40 + 36.0 * i}});
        const QImage image =
            drawPicture(drawn, "Noto Serif CJK SC", 13, {560, 180}, 1, Qt::white, QColor("#202020")).image;

        const QString read = recognizedTexts(image).join(' ');
        QVERIFY2(read.contains("检查许可证") && read.contains("设置时间"), qPrintable(read));
    }

    void widgetsBesideTextGiveOnlyTheText_data()
    {
        QTest::addColumn<int>("scale");
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << 1 << false;
        QTest::newRow("dark") << 1 << true;
        QTest::newRow("2x") << 2 << false;
    }

    // A settings pane: a slider beside its label, a check box before its
    // label, a toggle, an avatar before a name, and white text on an accent
    // button. The dark pane's text is a dim grey, as secondary text is.
    void widgetsBesideTextGiveOnlyTheText()
    {
        QFETCH(int, scale);
        QFETCH(bool, dark);
        const QColor paper = dark ? QColor("#1e1e1e") : QColor("#fafafa"),
                     ink = dark ? QColor("#98989d") : QColor("#1c1c1e");
        const QColor accent("#0a7cff"), track = dark ? QColor("#48484a") : QColor("#d1d1d6");
        QImage image(640 * scale, 300 * scale, QImage::Format_RGB32);
        image.fill(paper);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        QFont font("Noto Sans");
        font.setPixelSize(14);
        painter.setFont(font);
        const QList<TestLine> lines{{"Text size", {40, 44}},
                                    {"Show previews of new messages", {68, 94}},
                                    {"Alice Morgan", {80, 154}},
                                    {"Save changes", {468, 250}}};
        painter.setPen(ink);
        for (const TestLine &line : lines.first(3))
            painter.drawText(line.baseline, line.text);

        painter.setPen(Qt::NoPen);
        painter.setBrush(track);
        painter.drawRoundedRect(QRectF(220, 37, 380, 4), 2, 2);
        painter.setBrush(accent);
        painter.drawRoundedRect(QRectF(220, 37, 150, 4), 2, 2);
        painter.setPen(QPen(QColor("#aeaeb2"), 1));
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(370, 39), 10, 10);

        painter.setPen(Qt::NoPen);
        painter.setBrush(accent);
        painter.drawRoundedRect(QRectF(40, 80, 18, 18), 4, 4);
        painter.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF{{44, 89}, {48, 93}, {54, 85}});
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRectF(560, 80, 40, 22), 11, 11);
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRectF(580, 82, 18, 18));

        painter.setBrush(QColor::fromHsv(200, 120, 210));
        painter.drawEllipse(QRectF(40, 130, 32, 32));

        painter.setBrush(accent);
        painter.drawRoundedRect(QRectF(450, 226, 130, 34), 6, 6);
        painter.setPen(Qt::white);
        painter.drawText(lines.last().baseline, lines.last().text);
        painter.end();

        const QStringList texts = recognizedTexts(image);
        QVERIFY2(texts.size() == lines.size(), qPrintable(texts.join(" / ")));
        for (qsizetype i = 0; i < lines.size(); ++i)
            QVERIFY2(editDistance(texts[i], lines[i].text) <= tolerance(lines[i].text),
                     qPrintable(texts[i] + " <> " + lines[i].text));
        QCOMPARE(texts.last(), QStringLiteral("Save changes"));
    }

    // A dialog in English about a Greek file: the file's name is read in
    // Greek, its extension in Latin, though the page is English's.
    void greekFileNameInAnEnglishDialog()
    {
        QImage image(1080, 352, QImage::Format_RGB32);
        image.fill(QColor("#1f1f1f"));
        QPainter painter(&image);
        QFont font(QStringLiteral("Noto Sans"));
        font.setPixelSize(32);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor("#f2f2f2"));
        painter.drawText(QPointF(153, 88), QStringLiteral("Cannot open the file"));
        font.setPixelSize(26);
        font.setBold(false);
        painter.setFont(font);
        painter.setPen(QColor("#a0a0a0"));
        painter.drawText(QPointF(153, 140), QStringLiteral("Οικογενειακή φωτογραφία.jpg"));
        painter.end();

        QCOMPARE(recognizedTexts(image), (QStringList{"Cannot open the file", "Οικογενειακή φωτογραφία.jpg"}));
    }

    // A light context menu at 1x: the row under the pointer is lit, white
    // on the accent colour, a separator a few pixels below it; each item has
    // its shortcut. The lit row's box is its text's, not the row's, and the
    // shortcuts are read, though the reader rates them unsurely.
    void contextMenuWithALitRow()
    {
        QImage image(360, 150, QImage::Format_RGB32);
        image.fill(QColor("#fbfbfb"));
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        QFont font(QStringLiteral("Noto Sans"));
        font.setPixelSize(13);
        painter.setFont(font);
        const QFontMetricsF metrics(font);
        const QStringList labels{"Open", "Open With", "Cut", "Copy"}, shortcuts{"Ctrl+O", "", "Ctrl+X", "Ctrl+C"};
        qreal y = 10;
        QRectF lit;
        for (qsizetype i = 0; i < labels.size(); ++i) {
            const QRectF row(10, y, 300, 26);
            const qreal baseline = row.center().y() + 12 * 0.38;
            if (i == 1) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(QColor("#0a7cff"));
                painter.drawRoundedRect(row, 5, 5);
                lit = metrics.tightBoundingRect(labels[i]).translated(50, baseline);
            }
            painter.setPen(i == 1 ? QColor(Qt::white) : QColor("#1c1c1e"));
            painter.drawText(QPointF(50, baseline), labels[i]);
            painter.setPen(QColor("#8e8e93"));
            painter.drawText(QPointF(row.right() - 12 - metrics.horizontalAdvance(shortcuts[i]), baseline),
                             shortcuts[i]);
            y += 26;
            if (i == 1) {
                painter.fillRect(QRectF(20, y + 4, 280, 1), QColor("#d1d1d6"));
                y += 9;
            }
        }
        painter.end();

        const TextItems items = recognize(image);
        QStringList texts;
        for (const TextItem &item : items)
            texts.append(item.text);
        for (const QString &text : {"Open With", "Ctrl+O", "Ctrl+X", "Ctrl+C"})
            QVERIFY2(texts.contains(text), qPrintable(texts.join(" / ")));
        const TextItem &row = items[texts.indexOf("Open With")];
        QVERIFY2(boxFits(row.box, normalisedBox(lit, image.size()), image.size(), 13),
                 qPrintable(QStringLiteral("%1 by %2 pixels")
                                .arg(row.box.width() * image.width())
                                .arg(row.box.height() * image.height())));
    }

    // A chat's header at 2x: a "more" button's three dots are no line,
    // however a reader makes letters of them.
    void dotsOfAButtonAreNoText()
    {
        QImage image(720, 260, QImage::Format_RGB32);
        image.fill(QColor("#1e1e1e"));
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(QRect(0, 0, 720, 76), QColor("#2f68c8"));
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        for (int i = 0; i < 3; ++i)
            painter.drawEllipse(QPointF(108 + 13 * i, 38), 3, 3);
        painter.setPen(QColor("#f0f0f0"));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(28);
        painter.setFont(font);
        painter.drawText(QPointF(40, 150), QStringLiteral("Team meeting at noon"));
        painter.drawText(QPointF(40, 214), QStringLiteral("Bring the slides"));
        painter.end();

        QCOMPARE(recognizedTexts(image), (QStringList{"Team meeting at noon", "Bring the slides"}));
    }

    // A music player's row: pictograms alone (a note, a heart, a star) are
    // no lines, however a reader makes letters of them.
    void pictogramsAreNoText()
    {
        QImage image(640, 200, QImage::Format_RGB32);
        image.fill(QColor("#1e1e1e"));
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QColor("#f0f0f0"));
        QFont symbols(QStringLiteral("DejaVu Sans"));
        symbols.setPixelSize(30);
        painter.setFont(symbols);
        painter.drawText(QPointF(30, 60), QStringLiteral("♪"));
        painter.drawText(QPointF(480, 60), QStringLiteral("♥"));
        painter.drawText(QPointF(540, 60), QStringLiteral("★"));
        painter.drawText(QPointF(30, 160), QStringLiteral("♫"));
        QFont font(QStringLiteral("Noto Sans"));
        font.setPixelSize(16);
        painter.setFont(font);
        painter.drawText(QPointF(90, 55), QStringLiteral("Family"));
        painter.drawText(QPointF(90, 155), QStringLiteral("Anna Petrova"));
        painter.end();

        QCOMPARE(recognizedTexts(image), (QStringList{"Family", "Anna Petrova"}));
    }

    // A night photograph's lights are specks too small to be words: they
    // are not read at all, and the caption over them is.
    void lightsOfAPhotographAreNotRead()
    {
        QImage image(640, 240, QImage::Format_RGB32);
        image.fill(QColor("#101820"));
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        // Lit windows: small frames and crosses, not filled dots.
        painter.setPen(QPen(QColor("#f5e6a0"), 1.5));
        for (int i = 0; i < 24; ++i) {
            const QRectF light(20 + 25 * i, 150 + 40 * (i % 2), 4 + i % 4, 5 + i % 4);
            if (i % 3 == 0) {
                painter.drawLine(QPointF(light.center().x(), light.top()), QPointF(light.center().x(), light.bottom()));
                painter.drawLine(QPointF(light.left(), light.center().y()), QPointF(light.right(), light.center().y()));
            } else {
                painter.drawRect(light);
            }
        }
        painter.setPen(QColor("#f0f0f0"));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(20);
        painter.setFont(font);
        painter.drawText(QPointF(40, 60), QStringLiteral("Tonight at eight"));
        painter.end();

        const RecognizedPage page = recognizePage(image, QString(), nullptr);
        QCOMPARE(page.lines.size(), 1);
        QCOMPARE(page.lines.first().item.text, QStringLiteral("Tonight at eight"));
        QCOMPARE(page.linesRead, 1);
    }

    // A caption over a photograph's horizon: the darker sea and the line of
    // the horizon touch the letters, and are no strokes of them.
    void captionOverAHorizon()
    {
        QImage image(900, 200, QImage::Format_RGB32);
        image.fill(QColor("#b8cce0"));
        QPainter painter(&image);
        // The horizon lies at the small letters' tops; the letters rising
        // over them stand on the sky.
        painter.fillRect(QRect(0, 97, 900, 103), QColor("#56708a"));
        painter.fillRect(QRect(0, 96, 900, 2), QColor("#202830"));
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QColor("#eef2f6"));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(36);
        painter.setFont(font);
        const QString caption = QStringLiteral("wymagaj, żeby stara wartość");
        painter.drawText(QPointF(40, 115), caption);
        painter.end();

        const QStringList texts = recognizedTexts(image);
        QCOMPARE(texts.size(), 1);
        QVERIFY2(editDistance(texts.first(), caption) <= tolerance(caption), qPrintable(texts.first()));
    }

    // A picture without text, and a null one, give nothing, delivered on
    // the main thread after recognizeText has returned.
    void noTextDeliversEmptyOnTheMainThreadAfterReturning_data()
    {
        QTest::addColumn<QImage>("image");
        QImage image(640, 360, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, 640, 360);
        gradient.setColorAt(0, QColor("#1d3557"));
        gradient.setColorAt(1, QColor("#a8dadc"));
        painter.fillRect(image.rect(), gradient);
        painter.setBrush(QColor("#e63946"));
        painter.drawEllipse(QPointF(200, 180), 60, 60);
        painter.end();
        QTest::newRow("gradient and a disc") << image;
        QTest::newRow("null picture") << QImage();
    }

    void noTextDeliversEmptyOnTheMainThreadAfterReturning()
    {
        QFETCH(QImage, image);
        bool returned = false, delivered = false, onMainThread = false, returnedFirst = false;
        TextItems result{{"sentinel", {}}};
        recognizeText(image, [&](TextItems items) {
            returnedFirst = returned;
            onMainThread = QThread::currentThread() == QCoreApplication::instance()->thread();
            result = std::move(items);
            delivered = true;
        });
        returned = true;
        QVERIFY(!delivered);
        QTRY_VERIFY_WITH_TIMEOUT(delivered, 120000);
        QVERIFY(returnedFirst);
        QVERIFY(onMainThread);
        QVERIFY(result.isEmpty());
    }
};

QTEST_MAIN(RecognizeTextTest)
#include "RecognizeTextTest.moc"
