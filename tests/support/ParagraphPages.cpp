// SPDX-License-Identifier: GPL-3.0-or-later

#include "ParagraphPages.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRandomGenerator>

#include <functional>
#include <optional>

namespace {

// Where recognition puts a line's box, in font sizes from the baseline
// (measured on Noto Sans with quillmere-probe ocr).
constexpr double bandAbove = 0.88, bandBelow = 0.30;

struct WrappedLine {
    QString text;
    bool endsSentence = false;
};

// Draws lines and keeps the truth of each: its box and its passage.
class Canvas {
public:
    Canvas(const PageText &text, int pixelSize, quint32 variant)
        : text(text), px(pixelSize), random(variant), image(1600, 2000, QImage::Format_RGB32)
    {
        image.fill(QColor(0xf7, 0xf8, 0xfa));
        painter.begin(&image);
        painter.setRenderHint(QPainter::TextAntialiasing);
    }

    QFont font(double size, QFont::Weight weight = QFont::Normal) const
    {
        QFont f(QStringLiteral("Noto Sans"));
        f.setPixelSize(qRound(size));
        f.setWeight(weight);
        return f;
    }

    double between(double low, double high) { return low + (high - low) * random.generateDouble(); }
    qsizetype pick(qsizetype count) { return qsizetype(random.bounded(int(count))); }
    QString sentence() { return text.sentences.at(pick(text.sentences.size())); }
    QString item() { return text.items.at(pick(text.items.size())); }
    int newPassage() { return ++passages; }

    // Writes `line` with its start (the left edge, or the right edge for a
    // right-to-left language) at `start`.
    void write(const QString &line, double start, double baseline, const QFont &f, int passage,
               QColor ink = QColor(0x20, 0x21, 0x24))
    {
        const QFontMetricsF metrics(f);
        const double x = text.rightToLeft ? start - metrics.horizontalAdvance(line) : start;
        painter.setFont(f);
        painter.setPen(ink);
        painter.drawText(QPointF(x, baseline), line);
        const QRectF ink_ = metrics.tightBoundingRect(line).translated(x, baseline);
        const double size = f.pixelSize();
        lines.append({line,
                      QRectF(ink_.left(), baseline - bandAbove * size, ink_.width(), (bandAbove + bandBelow) * size),
                      passage});
        bottom = std::max(bottom, baseline + size);
        right = std::max(right, ink_.right());
    }

    void extend(const QRectF &shape)
    {
        bottom = std::max(bottom, shape.bottom());
        right = std::max(right, shape.right());
    }

    // The sentences set in lines no wider than `width`.
    QList<WrappedLine> wrap(const QStringList &sentences, const QFont &f, double width) const
    {
        const QFontMetricsF metrics(f);
        QList<WrappedLine> wrapped{{}};
        for (const QString &sentence : sentences) {
            const QStringList words = sentence.split(u' ');
            for (qsizetype w = 0; w < words.size(); ++w) {
                QString &current = wrapped.last().text;
                const QString longer = current.isEmpty() ? words[w] : current + u' ' + words[w];
                if (!current.isEmpty() && metrics.horizontalAdvance(longer) > width)
                    wrapped.append({words[w], false});
                else
                    current = longer;
                wrapped.last().endsSentence = w == words.size() - 1;
            }
        }
        return wrapped;
    }

    // A paragraph of `sentences` from `baseline` down; returns the baseline
    // after its last line.
    double paragraph(const QStringList &sentences, double start, double width, double baseline, const QFont &f,
                     double step)
    {
        int passage = newPassage();
        for (const WrappedLine &line : wrap(sentences, f, width)) {
            write(line.text, start, baseline, f, passage);
            if (line.endsSentence)
                passage = newPassage();
            baseline += step;
        }
        return baseline;
    }

    QStringList sentences(int low, int high)
    {
        QStringList chosen;
        for (int n = int(random.bounded(low, high + 1)); n > 0; --n)
            chosen.append(sentence());
        return chosen;
    }

    DrawnPage finish(const QString &layout)
    {
        painter.end();
        const int margin = 2 * px;
        return {layout, image.copy(0, 0, int(right) + margin, int(bottom) + margin), lines};
    }

    const PageText &text;
    const int px;
    QRandomGenerator random;
    QImage image;
    QPainter painter;
    QList<DrawnLine> lines;
    int passages = 0;
    double bottom = 0, right = 0;
};

// The start of a column at `left` that is `width` wide, for the page's direction.
double startOf(const Canvas &c, double left, double width)
{
    return c.text.rightToLeft ? left + width : left;
}

DrawnPage paragraphs(Canvas &c)
{
    const double width = c.px * c.between(24, 40), step = c.px * c.between(1.3, 1.8), left = 2 * c.px;
    double baseline = 3 * c.px;
    for (int n = 0; n < 2; ++n)
        baseline = c.paragraph(c.sentences(2, 4), startOf(c, left, width), width, baseline, c.font(c.px), step) +
                   step * c.between(0.6, 1.2);
    return c.finish(QStringLiteral("paragraphs"));
}

DrawnPage heading(Canvas &c)
{
    const double width = c.px * c.between(26, 40), step = c.px * c.between(1.35, 1.6), left = 2 * c.px;
    const QFont title = c.font(c.px * c.between(1.3, 1.8), QFont::Bold);
    const double start = startOf(c, left, width);
    c.write(c.text.headings.at(c.pick(c.text.headings.size())), start, 3 * c.px, title, c.newPassage());
    c.paragraph(c.sentences(2, 4), start, width, 3 * c.px + title.pixelSize() * 0.6 + step, c.font(c.px), step);
    return c.finish(QStringLiteral("heading"));
}

DrawnPage chat(Canvas &c)
{
    const double page = c.px * c.between(30, 42), most = page * c.between(0.55, 0.7), pad = c.px * 0.7;
    const double step = c.px * c.between(1.3, 1.5);
    const QFont body = c.font(c.px), time = c.font(c.px * 0.75);
    double top = 2 * c.px;
    for (int m = 0; m < 5; ++m) {
        const QList<WrappedLine> message = c.wrap(c.sentences(1, 2), body, most - 2 * pad);
        double widest = 0;
        for (const WrappedLine &line : message)
            widest = std::max(widest, QFontMetricsF(body).horizontalAdvance(line.text));
        const double width = widest + 2 * pad + 3 * c.px, height = message.size() * step + time.pixelSize() + 2 * pad;
        const double left = m % 2 ? page - width : c.px;
        c.painter.setPen(Qt::NoPen);
        c.painter.setBrush(m % 2 ? QColor(0xd9, 0xfd, 0xd3) : QColor(Qt::white));
        const QRectF bubble(left, top, width, height);
        c.painter.drawRoundedRect(bubble, c.px * 0.6, c.px * 0.6);
        c.extend(bubble);
        double baseline = top + pad + c.px;
        int passage = c.newPassage();
        for (const WrappedLine &line : message) {
            c.write(line.text, startOf(c, left + pad, width - 2 * pad), baseline, body, passage);
            if (line.endsSentence)
                passage = c.newPassage();
            baseline += step;
        }
        const QString stamp = QStringLiteral("10:%1").arg(12 + 7 * m);
        const double stampX = left + width - pad - QFontMetricsF(time).horizontalAdvance(stamp);
        c.write(stamp, c.text.rightToLeft ? stampX + QFontMetricsF(time).horizontalAdvance(stamp) : stampX,
                top + height - pad, time, c.newPassage(), QColor(0x66, 0x6f, 0x78));
        top += height + c.px * c.between(0.3, 0.8);
    }
    return c.finish(QStringLiteral("chat"));
}

DrawnPage list(Canvas &c)
{
    const double width = c.px * c.between(26, 36), step = c.px * c.between(1.35, 1.55), left = 2 * c.px;
    const QFont body = c.font(c.px);
    const QString bullet = QStringLiteral("• ");
    const double indent = QFontMetricsF(body).horizontalAdvance(bullet);
    double baseline = 3 * c.px;
    for (int n = 0; n < 6; ++n) {
        const QStringList words{n % 2 ? c.sentence() : c.item()};
        const QList<WrappedLine> item = c.wrap(words, body, width - indent);
        int passage = c.newPassage();
        for (qsizetype k = 0; k < item.size(); ++k) {
            const double start = startOf(c, left + (k ? indent : 0), width - (k ? indent : 0));
            c.write(k ? item[k].text : bullet + item[k].text, start, baseline, body, passage);
            baseline += step;
        }
        baseline += step * c.between(0, 0.4);
    }
    return c.finish(QStringLiteral("list"));
}

DrawnPage menu(Canvas &c)
{
    const double step = c.px * c.between(1.9, 2.5), left = 2 * c.px, width = c.px * 18;
    const QFont entry = c.font(c.px), keys = c.font(c.px * 0.85);
    const QStringList shortcuts{"Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+E", "Ctrl+P", "Ctrl+W", "Ctrl+,", "Esc"};
    // Right to left, the shortcuts stand to the left of the entries.
    const bool mirrored = c.text.rightToLeft;
    const double entries = mirrored ? left + 6 * c.px : left, shortcutsLeft = mirrored ? left : left + width + 2 * c.px;
    double baseline = 3 * c.px;
    for (int n = 0; n < 8; ++n) {
        c.write(c.text.items.at((n * 5 + c.pick(3)) % c.text.items.size()), startOf(c, entries, width), baseline, entry,
                c.newPassage());
        const double keysWidth = QFontMetricsF(keys).horizontalAdvance(shortcuts[n]);
        c.write(shortcuts[n], mirrored ? shortcutsLeft + keysWidth : shortcutsLeft, baseline, keys, c.newPassage(),
                QColor(0x80, 0x86, 0x8b));
        baseline += step;
    }
    return c.finish(QStringLiteral("menu"));
}

DrawnPage columns(Canvas &c)
{
    const double width = c.px * c.between(17, 24), gutter = c.px * c.between(2, 3), step = c.px * c.between(1.35, 1.6);
    for (int column = 0; column < 2; ++column) {
        const double left = 2 * c.px + column * (width + gutter);
        double baseline = 3 * c.px;
        for (int n = 0; n < 2; ++n)
            baseline = c.paragraph(c.sentences(1, 3), startOf(c, left, width), width, baseline, c.font(c.px), step) +
                       step * 0.8;
    }
    return c.finish(QStringLiteral("columns"));
}

DrawnPage table(Canvas &c)
{
    const double step = c.px * c.between(1.9, 2.4), left = 2 * c.px;
    const QList<double> columns{0, 14.0 * c.px, 22.0 * c.px};
    double baseline = 3 * c.px;
    for (int row = 0; row < 6; ++row) {
        const QFont f = c.font(c.px, row ? QFont::Normal : QFont::Bold);
        const QStringList cells{c.item(), QString::number(10 + c.pick(900)) + QStringLiteral(".50"), c.item()};
        for (int k = 0; k < 3; ++k) {
            const double x = c.text.rightToLeft ? left + c.px * 36 - columns[k] : left + columns[k];
            c.write(cells[k], x, baseline, f, c.newPassage());
        }
        baseline += step;
    }
    return c.finish(QStringLiteral("table"));
}

DrawnPage dialog(Canvas &c)
{
    const double width = c.px * c.between(24, 32), step = c.px * c.between(1.35, 1.5), left = 2 * c.px;
    const double start = startOf(c, left, width);
    const QFont title = c.font(c.px * 1.2, QFont::Bold), body = c.font(c.px);
    c.write(c.text.headings.at(c.pick(c.text.headings.size())), start, 3 * c.px, title, c.newPassage());
    double baseline = c.paragraph(c.sentences(1, 2), start, width, 3 * c.px + 2 * step, body, step) + c.px;
    double x = left + width;
    for (int n = 0; n < 3; ++n) {
        const QString label = c.text.items.at((7 + n) % c.text.items.size());
        const double labelWidth = QFontMetricsF(body).horizontalAdvance(label), buttonWidth = labelWidth + 2 * c.px;
        x -= buttonWidth;
        c.painter.setPen(QColor(0xb0, 0xb6, 0xbd));
        c.painter.setBrush(Qt::white);
        const QRectF button(x, baseline - 1.5 * c.px, buttonWidth, 2.2 * c.px);
        c.painter.drawRoundedRect(button, 4, 4);
        c.extend(button);
        c.write(label, c.text.rightToLeft ? x + c.px + labelWidth : x + c.px, baseline, body, c.newPassage());
        x -= c.px;
    }
    return c.finish(QStringLiteral("dialog"));
}

const QList<std::pair<QString, std::function<DrawnPage(Canvas &)>>> &layouts()
{
    static const QList<std::pair<QString, std::function<DrawnPage(Canvas &)>>> all = {
        {QStringLiteral("paragraphs"), paragraphs},
        {QStringLiteral("heading"), heading},
        {QStringLiteral("chat"), chat},
        {QStringLiteral("list"), list},
        {QStringLiteral("menu"), menu},
        {QStringLiteral("columns"), columns},
        {QStringLiteral("table"), table},
        {QStringLiteral("dialog"), dialog},
    };
    return all;
}

} // namespace

QStringList pageLayouts()
{
    QStringList names;
    for (const auto &layout : layouts())
        names.append(layout.first);
    return names;
}

DrawnPage drawPage(const QString &layout, const PageText &text, int pixelSize, quint32 variant)
{
    for (const auto &[name, draw] : layouts()) {
        if (name == layout) {
            Canvas canvas(text, pixelSize, variant);
            return draw(canvas);
        }
    }
    return {};
}
