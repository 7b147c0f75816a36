// SPDX-License-Identifier: GPL-3.0-or-later

// ocr-corpus OUTDIR [PHRASES.json]: draws screenshot-like pictures of interfaces (lists, chats,
// articles, dialogs) and of other kinds of pages (menus, text over photographs,
// pages of few lines, file managers) with known text and writes them with
// truth.json, which holds every drawn line's text and pixel box, and each
// picture's kind.
#include "PageKinds.h"
#include "Phrases.h"
#include "Sheet.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>

namespace {

void titleBar(Sheet &s, const QString &title, int variant)
{
    QLinearGradient g(0, 0, 0, 38);
    if (variant % 2) {
        g.setColorAt(0, QColor("#3d7be0"));
        g.setColorAt(1, QColor("#2456b8"));
    } else {
        g.setColorAt(0, s.theme.dark ? QColor("#3a3a3c") : QColor("#5b5f66"));
        g.setColorAt(1, s.theme.dark ? QColor("#2c2c2e") : QColor("#3f4247"));
    }
    s.painter.fillRect(QRectF(0, 0, s.width, 38), g);
    s.painter.setPen(Qt::NoPen);
    const QColor lights[] = {"#ff5f57", "#febc2e", "#28c840"};
    for (int i = 0; i < 3; ++i) {
        s.painter.setBrush(lights[i]);
        s.painter.drawEllipse(QRectF(s.fromStart(0, s.width, 14 + 20 * i, 12), 13, 12, 12));
    }
    for (int i = 0; i < 2; ++i)
        drawIcon(s.painter, QRectF(s.fromStart(0, s.width, s.width - 40 - 30 * i, 18), 10, 18, 18), variant + i,
                 Qt::white);
    s.line(title, s.font(13, true), Qt::white, 0, s.width, 24, "accent", true);
}

// A list of conversations or files: name and time on one row, preview below.
QRectF sidebar(Sheet &s, const Phrases &ui, const Phrases &content, int variant)
{
    const qreal w = s.width / 3.2;
    const QRectF area(s.rtl ? s.width - w : 0, 38, w, s.height - 38 - 26);
    s.painter.fillRect(area, s.theme.sidebar);
    qreal y = area.top() + 10;
    for (int i = 0; y + 58 < area.bottom(); ++i) {
        const int k = (variant + i) % ui.names.size();
        if (i == 1) {
            s.painter.fillRect(QRectF(area.left() + 6, y - 4, w - 12, 56), s.theme.accent);
        }
        const QColor text = i == 1 ? QColor(Qt::white) : s.theme.text;
        const QColor secondary = i == 1 ? QColor("#dce9ff") : s.theme.secondary;
        const qreal avatarX = s.rtl ? area.right() - 48 : area.left() + 12;
        s.painter.setPen(Qt::NoPen);
        s.painter.setBrush(QColor::fromHsv((k * 47) % 360, 120, 210));
        s.painter.drawEllipse(QRectF(avatarX, y + 4, 36, 36));
        const qreal left = s.rtl ? area.left() + 12 : area.left() + 58;
        const qreal right = s.rtl ? area.right() - 58 : area.right() - 12;
        const QString time =
            QStringLiteral("%1:%2").arg(8 + (k + i) % 12).arg((k * 13 + i * 7) % 60, 2, 10, QChar('0'));
        const QFont timeFont = s.font(s.bodyPx - 1);
        const qreal timeWidth = QFontMetricsF(timeFont).horizontalAdvance(time) + 16;
        s.line(ui.names[k], s.font(s.bodyPx + 1, true), text, s.rtl ? left + timeWidth : left,
               s.rtl ? right : right - timeWidth, y + 17, "name");
        s.line(time, timeFont, secondary, left, right, y + 17, "small", false, true);
        s.line(content.sentences[(k + 3) % content.sentences.size()], s.font(s.bodyPx), secondary, left, right, y + 38,
               "secondary");
        if (i != 0 && i != 1)
            drawSeparator(s.painter, left, right, y + 55, s.widgets().track);
        y += 62;
    }
    drawScrollBar(s.painter, QRectF(s.rtl ? area.left() + 1 : area.right() - 7, area.top() + 4, 5, area.height() - 8),
                  0.1, 0.35, s.widgets());
    return area;
}

void chat(Sheet &s, const QRectF &pane, const Phrases &content, int variant)
{
    qreal y = pane.top() + 24;
    for (int i = 0; y + 100 < pane.bottom(); ++i) {
        const bool mine = (i + variant) % 3 == 1;
        const QString text = content.sentences[(variant * 3 + i) % content.sentences.size()];
        const QFont f = s.font(s.bodyPx + 1);
        const qreal textWidth = std::min(QFontMetricsF(f).horizontalAdvance(text), pane.width() * 0.6);
        const qreal bubbleWidth = textWidth + 28;
        const bool atRight = mine != s.rtl;
        const qreal x = atRight ? pane.right() - 24 - bubbleWidth : pane.left() + 24;
        s.painter.setPen(Qt::NoPen);
        if (!mine) {
            s.painter.setBrush(QColor::fromHsv((i * 71) % 360, 110, 200));
            s.painter.drawEllipse(QRectF(atRight ? pane.right() - 21 : pane.left() + 3, y + 18, 18, 18));
        }
        s.painter.setBrush(mine ? s.theme.accent : s.theme.bubble);
        s.painter.drawRoundedRect(QRectF(x, y, bubbleWidth, 36), 16, 16);
        s.line(text, f, mine ? QColor(Qt::white) : s.theme.text, x + 14, x + 14 + textWidth, y + 23,
               mine ? "accent" : "body");
        y += 48;
        if (i % 3 == 2) {
            s.line(QStringLiteral("%1:%2").arg(9 + i).arg(i * 7 % 60, 2, 10, QChar('0')), s.font(s.bodyPx - 1),
                   s.theme.secondary, pane.left(), pane.right(), y + 12, "small", true);
            y += 28;
        }
    }
    const WidgetColors c = s.widgets();
    const QRectF composer(pane.left() + 24, pane.bottom() - 46, pane.width() - 48, 34);
    s.painter.setPen(QPen(c.border, 1));
    s.painter.setBrush(c.field);
    s.painter.drawRoundedRect(composer, 17, 17);
    drawIcon(s.painter, QRectF(s.fromStart(composer.left(), composer.right(), 12, 18), composer.top() + 8, 18, 18), 6,
             s.theme.secondary);
    drawIcon(
        s.painter,
        QRectF(s.fromStart(composer.left(), composer.right(), composer.width() - 34, 20), composer.top() + 7, 20, 20),
        7, s.theme.accent);
    drawScrollBar(s.painter, QRectF(s.rtl ? pane.left() + 2 : pane.right() - 8, pane.top() + 6, 5, pane.height() - 60),
                  0.55, 0.9, c);
}

void article(Sheet &s, const QRectF &pane, const Phrases &ui, const Phrases &content, int variant)
{
    const qreal left = pane.left() + 40, right = pane.right() - 40;
    s.line(ui.titles[variant % ui.titles.size()], s.font(s.bodyPx + 9, true), s.theme.text, left, right - 80,
           pane.top() + 50, "heading");
    for (int i = 0; i < 2; ++i)
        drawIcon(s.painter, QRectF(s.fromStart(left, right, right - left - 20 - 32 * i, 20), pane.top() + 32, 20, 20),
                 8 + i, s.theme.secondary);
    drawProgress(s.painter, QRectF(s.fromStart(left, right, 0, 220), pane.top() + 62, 220, 5),
                 0.2 + 0.1 * (variant % 6), s.widgets());
    drawScrollBar(s.painter, QRectF(s.rtl ? pane.left() + 2 : pane.right() - 8, pane.top() + 6, 5, pane.height() - 12),
                  0.05, 0.3, s.widgets());
    qreal y = pane.top() + 90;
    QFont body = s.font(s.bodyPx + 1);
    body.setFamilies(QStringList{s.families.last()} + body.families());
    for (int i = 0; y + 20 < pane.bottom() - 60; ++i) {
        const QString a = content.sentences[(variant + i) % content.sentences.size()];
        const QString b = content.sentences[(variant + i + 4) % content.sentences.size()];
        s.line(a + ' ' + b, body, s.theme.text, left, right, y, "body");
        y += s.bodyPx * 1.9 + (i % 4 == 3 ? 14 : 0);
    }
}

void button(Sheet &s, const QRectF &r, const QString &text, bool primary)
{
    s.painter.setPen(primary ? Qt::NoPen : QPen(s.theme.secondary, 1));
    s.painter.setBrush(primary ? s.theme.accent : s.theme.field);
    s.painter.drawRoundedRect(r, 6, 6);
    s.line(text, s.font(s.bodyPx), primary ? QColor(Qt::white) : s.theme.text, r.left() + 6, r.right() - 6,
           r.center().y() + s.bodyPx * 0.36, primary ? "accent" : "body", true);
}

// An article dimmed behind a modal dialog with a message, a form and buttons.
void dialog(Sheet &s, const QRectF &pane, const Phrases &ui, const Phrases &content, int variant)
{
    article(s, pane, ui, content, variant + 1);
    s.painter.fillRect(pane, QColor(0, 0, 0, s.theme.dark ? 110 : 90));
    const QRectF box(pane.center().x() - 280, pane.center().y() - 210, 560, 420);
    s.hide(box);
    s.painter.setPen(Qt::NoPen);
    s.painter.setBrush(s.theme.window);
    s.painter.drawRoundedRect(box, 12, 12);
    const qreal left = box.left() + 28, right = box.right() - 28;
    s.line(ui.titles[(variant + 2) % ui.titles.size()], s.font(s.bodyPx + 4, true), s.theme.text, left, right,
           box.top() + 44, "heading");
    s.line(content.sentences[(variant + 5) % content.sentences.size()], s.font(s.bodyPx), s.theme.text, left, right,
           box.top() + 80, "body");
    s.line(content.sentences[(variant + 6) % content.sentences.size()], s.font(s.bodyPx), s.theme.secondary, left,
           right, box.top() + 104, "secondary");
    drawIcon(s.painter, QRectF(s.fromStart(box.left(), box.right(), box.width() - 34, 14), box.top() + 20, 14, 14), 4,
             s.theme.secondary);
    const WidgetColors c = s.widgets();
    const qreal mark = s.bodyPx + 4;
    drawCheckbox(s.painter, QRectF(s.fromStart(left, right, 0, mark), box.top() + 130, mark, mark), variant % 2, c);
    s.line(ui.names[variant % ui.names.size()], s.font(s.bodyPx), s.theme.text, s.rtl ? left + 60 : left + mark + 8,
           s.rtl ? right - mark - 8 : right - 60, box.top() + 130 + mark * 0.5 + s.bodyPx * 0.36, "body");
    drawToggle(s.painter, QRectF(s.fromStart(left, right, right - left - 36, 36), box.top() + 129, 36, 20),
               variant % 3 != 0, c);
    drawRadio(s.painter, QRectF(s.fromStart(left, right, 0, mark), box.top() + 164, mark, mark), true, c);
    s.line(ui.titles[(variant + 4) % ui.titles.size()], s.font(s.bodyPx), s.theme.text, s.rtl ? left : left + mark + 8,
           s.rtl ? right - mark - 8 : right, box.top() + 164 + mark * 0.5 + s.bodyPx * 0.36, "body");
    const QString label = ui.titles[(variant + 5) % ui.titles.size()];
    const qreal labelWidth = std::min(QFontMetricsF(s.font(s.bodyPx)).horizontalAdvance(label), 200.0);
    s.line(label, s.font(s.bodyPx), s.theme.text, s.rtl ? right - labelWidth : left, s.rtl ? right : left + labelWidth,
           box.top() + 210, "body");
    drawSlider(s.painter,
               QRectF(s.fromStart(left, right, labelWidth + 24, right - left - labelWidth - 24), box.top() + 198,
                      right - left - labelWidth - 24, 16),
               0.3 + 0.1 * (variant % 5), c);
    drawSeparator(s.painter, left, right, box.top() + 230, c.track);
    s.painter.setPen(QPen(s.theme.secondary, 1));
    s.painter.setBrush(s.theme.field);
    s.painter.drawRoundedRect(QRectF(left, box.top() + 244, right - left, 34), 5, 5);
    s.line(ui.names[(variant + 3) % ui.names.size()], s.font(s.bodyPx), s.theme.text, left + 10, right - 10,
           box.top() + 266, "body");
    drawIcon(s.painter, QRectF(s.fromStart(left, right, right - left - 30, 16), box.top() + 253, 16, 16), 0,
             s.theme.secondary);
    const qreal bw = 150;
    const QRectF first(s.rtl ? left : right - bw, box.bottom() - 60, bw, 34);
    const QRectF second(s.rtl ? left + bw + 12 : right - 2 * bw - 12, box.bottom() - 60, bw, 34);
    button(s, first, ui.titles[3], false);
    button(s, second, ui.titles[2], true);
}

void statusBar(Sheet &s, const Phrases &ui, int variant)
{
    const QRectF bar(0, s.height - 26, s.width, 26);
    QLinearGradient g(bar.topLeft(), bar.topRight());
    g.setColorAt(0, s.theme.dark ? QColor("#252a33") : QColor("#e8eef7"));
    g.setColorAt(1, s.theme.dark ? QColor("#3b2f45") : QColor("#f7e9f0"));
    s.painter.fillRect(bar, g);
    s.line(ui.titles[(variant + 7) % ui.titles.size()] + QStringLiteral(" · %1").arg(12 + variant), s.font(11),
           s.theme.secondary, 16, s.width / 2.0, bar.top() + 17, "small");
    drawProgress(s.painter, QRectF(s.fromStart(0, s.width, s.width - 200, 140), bar.top() + 10, 140, 6),
                 0.15 * (1 + variant % 6), s.widgets());
    drawIcon(s.painter, QRectF(s.fromStart(0, s.width, s.width - 40, 14), bar.top() + 6, 14, 14), 2 + variant % 2,
             s.theme.secondary);
}

// The tesseract language a page of `group` is told: its content's language,
// with English for the interface around it on mixed pages.
QString modelOf(const QString &group)
{
    static const QHash<QString, QString> models{
        {"en", "eng"},    {"fr", "fra"},        {"es", "spa"},        {"de", "deu"}, {"ru", "rus"},
        {"he", "heb"},    {"yi", "yid"},        {"ar", "ara"},        {"el", "ell"}, {"uk", "ukr"},
        {"tr", "tur"},    {"vi", "vie"},        {"it", "ita"},        {"pl", "pol"}, {"th", "tha"},
        {"pt_BR", "por"}, {"zh_CN", "chi_sim"}, {"zh_TW", "chi_tra"}, {"ja", "jpn"}, {"ko", "kor"}};
    if (group == "mixed-scripts")
        return "eng+heb+ara+rus+ell+jpn+chi_sim";
    if (group.startsWith("mixed-"))
        return modelOf(group.mid(6)) + "+eng";
    return models.value(group);
}

QList<Phrases> catalogPhrases(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Phrases> all;
    const auto strings = [](const QJsonValue &v) {
        QStringList out;
        for (const QJsonValue &s : v.toArray())
            out.append(s.toString());
        return out;
    };
    for (const QJsonValue &v : QJsonDocument::fromJson(file.readAll()).array()) {
        const QJsonObject o = v.toObject();
        all.append({o["language"].toString(), o["rightToLeft"].toBool(), strings(o["titles"]), strings(o["names"]),
                    strings(o["sentences"])});
    }
    return all;
}

QList<Phrases> phrases;

const Phrases &phrasesOf(const QString &language)
{
    for (const Phrases &p : phrases)
        if (p.language == language)
            return p;
    return phrases.first();
}

QImage noText()
{
    QImage image(1920, 1080, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 1920, 1080);
    g.setColorAt(0, QColor("#1d3557"));
    g.setColorAt(1, QColor("#a8dadc"));
    p.fillRect(image.rect(), g);
    for (int i = 0; i < 12; ++i) {
        p.setBrush(QColor::fromHsv(i * 30, 140, 230));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(150 + i * 140, 300 + (i % 3) * 200), 40, 40);
        p.drawRoundedRect(QRectF(120 + i * 140, 800, 90, 60), 12, 12);
    }
    return image;
}

QJsonObject truthOf(const Sheet &s, const QString &image, const QString &group, const QString &kind)
{
    return {{"image", image},   {"group", group}, {"model", modelOf(group)}, {"theme", s.theme.dark ? "dark" : "light"},
            {"scale", s.scale}, {"kind", kind},   {"lines", s.lines},        {"partial", s.partial}};
}

// Screenshots of interfaces (lists, chats, articles, dialogs): four per group,
// light and dark, 1x and 2x.
void drawInterfaces(const QDir &out, const QStringList &groups, int shift, QJsonArray &corpus)
{
    int index = shift;
    for (const QString &group : groups) {
        for (int dark = 0; dark < 2; ++dark) {
            for (int scale = 1; scale <= 2; ++scale, ++index) {
                const bool mixed = group.startsWith("mixed");
                const Phrases &ui = phrasesOf(mixed ? "en" : group);
                const Phrases &content = phrasesOf(mixed ? group.mid(6) : group);
                const int bodyPx = 11 + index % 4;
                Sheet s(scale, dark ? darkTheme : lightTheme, ui.rightToLeft, fontsFor(ui.language, index / 2), bodyPx);
                s.painter.fillRect(QRectF(0, 0, s.width, s.height), s.theme.window);
                titleBar(s, ui.titles[index % ui.titles.size()], index);
                const QRectF side = sidebar(s, ui, content, index);
                const QRectF pane(ui.rightToLeft ? 0 : side.right(), 38, s.width - side.width(), side.height());
                switch (index % 3) {
                case 0:
                    chat(s, pane, content, index);
                    break;
                case 1:
                    article(s, pane, ui, content, index);
                    break;
                default:
                    dialog(s, pane, ui, content, index);
                }
                statusBar(s, ui, index);
                s.painter.end();
                const QString name = QStringLiteral("%1-%2-%3x.png").arg(group, dark ? "dark" : "light").arg(scale);
                s.image.save(out.filePath(name));
                corpus.append(truthOf(s, name, group, "interface"));
            }
        }
    }
}

// The pages `group` gets beside its interfaces: a menu, a photograph, a page
// of few lines and one more photograph or few-line page; mixed groups get a
// file manager instead of the last, and "mixed-scripts" two file managers.
QList<PageKind> kindsOf(const QString &group, int n)
{
    static const PageKind context{"menu", "context", {}, contextMenuPage};
    static const PageKind settings{"menu", "settings", {}, settingsPage};
    static const PageKind photos[] = {
        {"photo", "poster", {}, posterPage}, {"photo", "video", {}, videoPage}, {"photo", "lock", {}, lockScreenPage}};
    static const PageKind few[] = {{"few", "toast", {420, 100}, toastPage},
                                   {"few", "dialog", {480, 170}, dialogPage},
                                   {"few", "banner", {960, 124}, bannerPage}};
    static const PageKind files{"files", "list", {}, fileListPage};
    if (group == "mixed-scripts")
        return {files, files};
    // Not n % 2, which also turns the theme of the first and last slots: each
    // layout would be drawn in one theme only.
    const bool other = (n + 1) / 2 % 2;
    const PageKind &last = group.startsWith("mixed") ? files : other ? photos[(n + 1) % 3] : few[(n + 1) % 3];
    return {other ? settings : context, photos[n % 3], few[n % 3], last};
}

// The other kinds of pages a user pastes, drawn after the interfaces so that
// those are read in the same order as before. Themes and scales turn with
// the group and the shift, so that each kind is drawn light and dark, at 1x
// and 2x.
void drawKinds(const QDir &out, const QStringList &groups, int shift, QJsonArray &corpus)
{
    for (qsizetype g = 0; g < groups.size(); ++g) {
        const QString &group = groups[g];
        const int n = int(g) + shift;
        const bool mixed = group.startsWith("mixed");
        const Phrases &ui = phrasesOf(mixed ? "en" : group);
        const Phrases &content = phrasesOf(mixed ? group.mid(6) : group);
        const PageText text{
            group, ui, content, shortPhrases(ui.language), shortPhrases(content.language), QLocale(ui.language)};
        const QList<PageKind> kinds = kindsOf(group, n);
        for (int slot = 0; slot < kinds.size(); ++slot) {
            const PageKind &kind = kinds[slot];
            const bool dark = (n + slot) % 2;
            const int scale = 1 + (n / 2 + slot / 2) % 2;
            const int variant = n * 5 + slot;
            QStringList families = fontsFor(ui.language, variant / 2);
            if (mixed)
                families += fontsFor(content.language, variant / 2);
            const QSize points = kind.points + QSize(variant % 4 * 20, variant % 3 * 6);
            Sheet s(scale, dark ? darkTheme : lightTheme, ui.rightToLeft, families, 11 + variant % 4,
                    kind.points.isEmpty() ? QSize(1920, 1080) : points * scale);
            s.painter.setLayoutDirection(ui.rightToLeft ? Qt::RightToLeft : Qt::LayoutDirectionAuto);
            kind.draw(s, text, variant);
            s.painter.end();
            const QString name = QStringLiteral("%1-%2-%3-%4-%5x.png")
                                     .arg(group, kind.kind, kind.layout, dark ? "dark" : "light")
                                     .arg(scale);
            s.image.save(out.filePath(name));
            QJsonObject truth = truthOf(s, name, group, kind.kind);
            truth["layout"] = kind.layout;
            truth["pictograms"] = s.pictograms;
            corpus.append(truth);
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: ocr-corpus OUTDIR [PHRASES.json]\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    QJsonArray corpus;
    phrases = allPhrases();
    QStringList groups{"en", "he", "ru", "ar", "fr", "es", "mixed-he", "mixed-ru"};
    // Languages drawn from the machine's translation catalogs (catalog-phrases).
    if (argc > 2) {
        for (const Phrases &p : catalogPhrases(QString::fromLocal8Bit(argv[2]))) {
            phrases.append(p);
            groups.append(p.language);
        }
        groups << "mixed-ar"
               << "mixed-ja"
               << "mixed-uk"
               << "mixed-el";
    }
    // Another shift draws other layouts, sizes, fonts and strings: a second
    // corpus to check that what helps on one is not tuned to its pictures.
    const int shift = qEnvironmentVariableIntValue("OCR_CORPUS_SHIFT");
    drawInterfaces(out, groups, shift, corpus);
    noText().save(out.filePath("none.png"));
    corpus.append(QJsonObject{{"image", "none.png"},
                              {"group", "none"},
                              {"theme", "none"},
                              {"scale", 1},
                              {"kind", "none"},
                              {"lines", QJsonArray{}}});
    drawKinds(out, groups + QStringList{"mixed-scripts"}, shift, corpus);
    QFile truth(out.filePath("truth.json"));
    if (!truth.open(QIODevice::WriteOnly))
        return 1;
    truth.write(QJsonDocument(corpus).toJson());
    std::printf("ocr-corpus: %lld pictures in %s\n", static_cast<long long>(corpus.size()), argv[1]);
    return 0;
}
