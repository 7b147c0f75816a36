// SPDX-License-Identifier: GPL-3.0-or-later

// quillmere-render-gallery OUT_DIR: draws the gallery's made-up screenshots
// and writes, for each, NAME.png and one NAME.LANG.json per language with
// the lines and their translations, in the form `quillmere-probe render`
// reads.
#include "Screenshots.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

#include <cstdio>

namespace {

using Translations = QMap<QString, QString>; // language code -> text

class Scene {
public:
    Scene(QString name, QSize size, const QColor &background) : m_name(std::move(name)), m_shot(size, background) {}

    QPainter &painter() { return m_shot.painter(); }
    void write(QPointF origin, const QFont &font, const QColor &colour, const QString &text, Translations translations)
    {
        m_shot.write(origin, font, colour, text);
        m_translations.append(std::move(translations));
    }

    bool save(const QDir &out)
    {
        const Screenshot shot = m_shot.finish();
        if (!shot.image.save(out.filePath(m_name + QStringLiteral(".png"))))
            return false;
        for (const QString &language : m_translations.first().keys()) {
            QJsonArray items;
            for (qsizetype i = 0; i < shot.items.size(); ++i) {
                const QRectF box = shot.items.at(i).box;
                items.append(QJsonObject{{"text", shot.items.at(i).text},
                                         {"box", QJsonArray{box.x(), box.y(), box.width(), box.height()}},
                                         {"translated", m_translations.at(i).value(language)}});
            }
            QFile file(out.filePath(QStringLiteral("%1.%2.json").arg(m_name, language)));
            if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(items).toJson()) < 0)
                return false;
        }
        return true;
    }

private:
    QString m_name;
    ScreenshotPainter m_shot;
    QList<Translations> m_translations;
};

void roundedBox(QPainter &painter, const QRectF &rect, const QColor &fill, const QColor &border = Qt::transparent)
{
    painter.setPen(border == Qt::transparent ? QPen(Qt::NoPen) : QPen(border, 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(rect, 6, 6);
}

// A light settings dialog in English, into Hebrew, Russian and Arabic.
bool drawSettings(const QDir &out)
{
    Scene scene(QStringLiteral("settings"), QSize(640, 400), QColor(250, 250, 251));
    QPainter &p = scene.painter();
    const QColor text(32, 33, 36);
    const QColor muted(95, 99, 104);
    const QColor blue(52, 120, 246);
    p.fillRect(QRect(0, 0, 640, 40), QColor(232, 233, 237));
    p.fillRect(QRect(0, 40, 176, 360), QColor(241, 242, 245));
    const QColor buttons[] = {QColor(255, 95, 87), QColor(255, 189, 46), QColor(40, 200, 64)};
    for (int i = 0; i < 3; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(buttons[i]);
        p.drawEllipse(QPointF(20 + 20 * i, 20), 6, 6);
    }
    scene.write({264, 26}, screenshotFont(14, QFont::DemiBold), text, QStringLiteral("Settings"),
                {{"he", "הגדרות"}, {"ru", "Настройки"}, {"ar", "الإعدادات"}});

    roundedBox(p, QRectF(10, 88, 156, 30), blue);
    const QList<std::pair<QString, Translations>> sections{
        {"General", {{"he", "כללי"}, {"ru", "Общие"}, {"ar", "عام"}}},
        {"Appearance", {{"he", "מראה"}, {"ru", "Внешний вид"}, {"ar", "المظهر"}}},
        {"Notifications", {{"he", "התראות"}, {"ru", "Уведомления"}, {"ar", "الإشعارات"}}},
        {"Privacy", {{"he", "פרטיות"}, {"ru", "Конфиденциальность"}, {"ar", "الخصوصية"}}},
        {"Accounts", {{"he", "חשבונות"}, {"ru", "Учётные записи"}, {"ar", "الحسابات"}}}};
    for (qsizetype i = 0; i < sections.size(); ++i)
        scene.write({24, 68.0 + 40 * i}, screenshotFont(14), i == 1 ? QColor(Qt::white) : text, sections.at(i).first,
                    sections.at(i).second);

    scene.write({200, 84}, screenshotFont(22, QFont::Bold), text, QStringLiteral("Appearance"),
                {{"he", "מראה"}, {"ru", "Внешний вид"}, {"ar", "المظهر"}});
    scene.write({200, 112}, screenshotFont(14), muted, QStringLiteral("Choose how the app looks on your screen."),
                {{"he", "בחרו איך היישום ייראה על המסך."},
                 {"ru", "Выберите, как приложение выглядит на экране."},
                 {"ar", "اختر كيف يبدو التطبيق على شاشتك."}});

    scene.write({200, 164}, screenshotFont(14), text, QStringLiteral("Theme"),
                {{"he", "ערכת נושא"}, {"ru", "Тема"}, {"ar", "السمة"}});
    roundedBox(p, QRectF(380, 144, 236, 30), Qt::white, QColor(200, 202, 208));
    scene.write({392, 164}, screenshotFont(13), text, QStringLiteral("Follow the system setting"),
                {{"he", "לפי הגדרת המערכת"}, {"ru", "Как в системе"}, {"ar", "اتباع إعداد النظام"}});

    scene.write({200, 212}, screenshotFont(14), text, QStringLiteral("Text size"),
                {{"he", "גודל הטקסט"}, {"ru", "Размер текста"}, {"ar", "حجم النص"}});
    p.fillRect(QRectF(380, 206, 236, 4), QColor(200, 202, 208));
    p.fillRect(QRectF(380, 206, 110, 4), blue);
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(180, 182, 190), 1));
    p.drawEllipse(QPointF(490, 208), 9, 9);

    roundedBox(p, QRectF(200, 246, 18, 18), blue);
    p.setPen(QPen(Qt::white, 2.2));
    p.drawPolyline(QPolygonF{QPointF(204, 255), QPointF(208, 259), QPointF(214, 250)});
    scene.write({228, 260}, screenshotFont(14), text, QStringLiteral("Show previews of new messages"),
                {{"he", "הצגת תצוגה מקדימה של הודעות חדשות"},
                 {"ru", "Показывать превью новых сообщений"},
                 {"ar", "عرض معاينات الرسائل الجديدة"}});

    roundedBox(p, QRectF(388, 344, 96, 34), Qt::white, QColor(200, 202, 208));
    scene.write({412, 366}, screenshotFont(14), text, QStringLiteral("Cancel"),
                {{"he", "ביטול"}, {"ru", "Отмена"}, {"ar", "إلغاء"}});
    roundedBox(p, QRectF(494, 344, 122, 34), blue);
    scene.write({510, 366}, screenshotFont(14, QFont::DemiBold), Qt::white, QStringLiteral("Save changes"),
                {{"he", "שמירת השינויים"}, {"ru", "Сохранить"}, {"ar", "حفظ التغييرات"}});
    return scene.save(out);
}

// A dark chat in Spanish, into English and Yiddish.
bool drawChat(const QDir &out)
{
    Scene scene(QStringLiteral("chat"), QSize(640, 360), QColor(49, 51, 56));
    QPainter &p = scene.painter();
    const QColor text(219, 222, 225);
    const QColor muted(148, 155, 164);
    p.fillRect(QRect(0, 0, 168, 360), QColor(43, 45, 49));
    p.fillRect(QRect(168, 48, 472, 1), QColor(31, 32, 35));

    roundedBox(p, QRectF(8, 78, 152, 28), QColor(64, 66, 73));
    const QList<std::pair<QString, Translations>> channels{
        {"# general", {{"en", "# general"}, {"yi", "# אַלגעמיין"}}},
        {"# diseño", {{"en", "# design"}, {"yi", "# דיזיין"}}},
        {"# lanzamiento", {{"en", "# launch"}, {"yi", "# אַרויסגאַנג"}}}};
    for (qsizetype i = 0; i < channels.size(); ++i)
        scene.write({20, 64.0 + 34 * i}, screenshotFont(14), i == 1 ? QColor(Qt::white) : muted, channels.at(i).first,
                    channels.at(i).second);

    scene.write({186, 31}, screenshotFont(16, QFont::Bold), Qt::white, QStringLiteral("Equipo de diseño"),
                {{"en", "Design team"}, {"yi", "דיזיין־גרופּע"}});

    struct Message {
        QString author;
        Translations authorIn;
        QColor colour;
        QString text;
        Translations textIn;
    };
    const QList<Message> messages{
        {"Ana",
         {{"en", "Ana"}, {"yi", "אַנאַ"}},
         QColor(242, 120, 75),
         "¿Podemos revisar la propuesta mañana?",
         {{"en", "Can we go over the proposal tomorrow?"}, {"yi", "קענען מיר איבערקוקן דעם פֿאָרשלאָג מאָרגן?"}}},
        {"Luis",
         {{"en", "Luis"}, {"yi", "לויִס"}},
         QColor(88, 166, 255),
         "Claro, a las diez en la sala grande.",
         {{"en", "Sure, at ten in the big room."}, {"yi", "אַוודאי, צען אַ זייגער אינעם גרויסן זאַל."}}},
        {"Ana",
         {{"en", "Ana"}, {"yi", "אַנאַ"}},
         QColor(242, 120, 75),
         "Perfecto. Llevo los bocetos nuevos.",
         {{"en", "Perfect. I'll bring the new sketches."}, {"yi", "אויסגעצייכנט. איך ברענג די נײַע סקיצעס."}}}};
    for (qsizetype i = 0; i < messages.size(); ++i) {
        const Message &m = messages.at(i);
        const qreal top = 70 + 74 * i;
        p.setPen(Qt::NoPen);
        p.setBrush(m.colour);
        p.drawEllipse(QPointF(204, top + 18), 16, 16);
        scene.write({232, top + 12}, screenshotFont(15, QFont::DemiBold), m.colour, m.author, m.authorIn);
        scene.write({232, top + 36}, screenshotFont(15), text, m.text, m.textIn);
    }

    roundedBox(p, QRectF(184, 304, 440, 40), QColor(56, 58, 64));
    scene.write({200, 329}, screenshotFont(14), muted, QStringLiteral("Escribe un mensaje…"),
                {{"en", "Write a message…"}, {"yi", "שרײַבט אַ מעלדונג…"}});
    return scene.save(out);
}

// Writes `text` so that its baseline ends at `end`, as right-to-left text is
// aligned.
void writeFromRight(Scene &scene, QPointF end, const QFont &font, const QColor &colour, const QString &text,
                    Translations translations)
{
    const qreal advance = QFontMetricsF(font).horizontalAdvance(text);
    scene.write({end.x() - advance, end.y()}, font, colour, text, std::move(translations));
}

// A dark chat in Hebrew, into English: a bubble whose lines differ only in the
// letters they hold, and the times beside them.
bool drawHebrewChat(const QDir &out)
{
    Scene scene(QStringLiteral("chat-he"), QSize(480, 300), QColor(24, 25, 28));
    QPainter &p = scene.painter();
    const QColor text(232, 234, 237);
    const QColor muted(150, 156, 164);
    p.fillRect(QRect(0, 0, 480, 44), QColor(36, 38, 42));
    writeFromRight(scene, {460, 28}, screenshotFont(16, QFont::DemiBold), text, QStringLiteral("צוות התמיכה"),
                   {{"en", "Support team"}});

    roundedBox(p, QRectF(150, 60, 314, 92), QColor(44, 62, 80));
    writeFromRight(scene, {450, 84}, screenshotFont(15), text, QStringLiteral("ספר ההתרעות המרבי נחרג"),
                   {{"en", "The notification limit was exceeded"}});
    writeFromRight(scene, {450, 108}, screenshotFont(15), text, QStringLiteral("קיבלת יותר מדי הודעות היום"),
                   {{"en", "You got too many messages today"}});
    scene.write({164, 138}, screenshotFont(12), muted, QStringLiteral("07:12"), {{"en", "07:12"}});

    roundedBox(p, QRectF(16, 170, 280, 66), QColor(58, 60, 66));
    writeFromRight(scene, {282, 194}, screenshotFont(15), text, QStringLiteral("אפשר לשנות את זה בהגדרות?"),
                   {{"en", "Can I change this in settings?"}});
    scene.write({30, 224}, screenshotFont(12), muted, QStringLiteral("07:15"), {{"en", "07:15"}});

    roundedBox(p, QRectF(16, 252, 448, 36), QColor(44, 46, 51));
    writeFromRight(scene, {450, 275}, screenshotFont(14), muted, QStringLiteral("כתבו הודעה"),
                   {{"en", "Write a message"}});
    return scene.save(out);
}

// A light dialog in Arabic, into English.
bool drawArabicDialog(const QDir &out)
{
    Scene scene(QStringLiteral("dialog-ar"), QSize(480, 260), QColor(236, 238, 242));
    QPainter &p = scene.painter();
    const QColor text(32, 33, 36);
    const QColor muted(95, 99, 104);
    const QColor blue(52, 120, 246);
    roundedBox(p, QRectF(20, 20, 440, 220), Qt::white, QColor(210, 212, 218));
    writeFromRight(scene, {436, 60}, screenshotFont(18, QFont::Bold), text, QStringLiteral("حفظ التغييرات؟"),
                   {{"en", "Save changes?"}});
    writeFromRight(scene, {436, 96}, screenshotFont(14), muted, QStringLiteral("لديك تغييرات لم تحفظ في هذا الملف."),
                   {{"en", "You have unsaved changes in this file."}});
    writeFromRight(scene, {436, 122}, screenshotFont(14), muted, QStringLiteral("ستفقد إذا أغلقت النافذة الآن."),
                   {{"en", "They will be lost if you close the window now."}});
    roundedBox(p, QRectF(44, 180, 110, 36), Qt::white, QColor(200, 202, 208));
    scene.write({80, 203}, screenshotFont(14), text, QStringLiteral("إلغاء"), {{"en", "Cancel"}});
    roundedBox(p, QRectF(166, 180, 110, 36), Qt::white, QColor(200, 202, 208));
    scene.write({196, 203}, screenshotFont(14), text, QStringLiteral("لا تحفظ"), {{"en", "Don't save"}});
    roundedBox(p, QRectF(326, 180, 110, 36), blue);
    scene.write({366, 203}, screenshotFont(14, QFont::DemiBold), Qt::white, QStringLiteral("حفظ"), {{"en", "Save"}});
    return scene.save(out);
}

// A table of numbers, into Hebrew: the digits stay, the headings change.
bool drawNumberTable(const QDir &out)
{
    Scene scene(QStringLiteral("table"), QSize(480, 220), Qt::white);
    QPainter &p = scene.painter();
    const QColor text(32, 33, 36);
    const QColor line(220, 222, 228);
    p.fillRect(QRect(0, 0, 480, 36), QColor(243, 244, 247));
    const qreal columns[] = {16, 136, 236, 376};
    const QList<std::pair<QString, QString>> headings{
        {"Date", "תאריך"}, {"Time", "שעה"}, {"Amount", "סכום"}, {"Items", "פריטים"}};
    for (qsizetype c = 0; c < headings.size(); ++c)
        scene.write({columns[c], 24}, screenshotFont(13, QFont::DemiBold), text, headings.at(c).first,
                    {{"he", headings.at(c).second}});
    const QStringList rows[] = {{"2024-03-12", "07:12", "1,250.00", "48"},
                                {"2024-03-13", "18:40", "310.75", "6"},
                                {"2024-03-14", "09:05", "12,004.10", "131"},
                                {"2024-03-15", "23:58", "88.20", "2"}};
    for (int r = 0; r < 4; ++r) {
        p.fillRect(QRectF(0, 36 + 40 * (r + 1) - 1, 480, 1), line);
        for (int c = 0; c < 4; ++c)
            scene.write({columns[c], 62.0 + 40 * r}, screenshotFont(14), text, rows[r][c], {{"he", rows[r][c]}});
    }
    return scene.save(out);
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quillmere-render-gallery OUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral(".")) || !drawSettings(out) || !drawChat(out) || !drawHebrewChat(out) ||
        !drawArabicDialog(out) || !drawNumberTable(out)) {
        std::fprintf(stderr, "quillmere-render-gallery: cannot write to %s\n", argv[1]);
        return 1;
    }
    return 0;
}
