// SPDX-License-Identifier: GPL-3.0-or-later

#include "TextBlock.h"

#include "OverlayFont.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

namespace {

// Qt keeps line widths in 26.6 fixed point; a longer line is as good as
// unbounded for any text that fits in memory.
constexpr qreal kMaxLineWidth = 1.0e7;

// Paragraph separators of the Unicode Bidirectional Algorithm (class B); a
// carriage return followed by a line feed ends one paragraph.
bool endsParagraph(QChar c)
{
    switch (c.unicode()) {
    case 0x000A:
    case 0x000D:
    case 0x001C:
    case 0x001D:
    case 0x001E:
    case 0x0085:
    case 0x2029:
        return true;
    default:
        return false;
    }
}

QStringList paragraphsOf(const QString &text)
{
    QStringList paragraphs;
    if (text.isEmpty())
        return paragraphs;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!endsParagraph(text.at(i)))
            continue;
        paragraphs.append(text.mid(start, i - start));
        if (text.at(i) == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    paragraphs.append(text.mid(start));
    return paragraphs;
}

QTextOption paragraphOption(const QString &paragraph)
{
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setUseDesignMetrics(true);
    // The first strong letter, skipping isolated runs, decides (rules P2 and P3).
    option.setTextDirection(QStringView(paragraph).isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    return option;
}

} // namespace

TextBlock::TextBlock(const QString &text, const QFont &font)
{
    const QFontMetricsF metrics(font);
    m_fontLineHeight = metrics.ascent() + metrics.descent();
    for (const QString &paragraph : paragraphsOf(text)) {
        auto layout = std::make_unique<QTextLayout>(paragraph, font);
        layout->setTextOption(paragraphOption(paragraph));
        layout->setCacheEnabled(true);
        m_paragraphs.push_back(std::move(layout));
    }
}

TextBlock::~TextBlock() = default;

qreal TextBlock::layOut(qreal pixelSize, qreal width)
{
    m_scale = pixelSize / kLayoutPixelSize;
    const qreal lineWidth = std::clamp(width / m_scale, 0.0, kMaxLineWidth);
    qreal height = 0;
    for (const auto &layout : m_paragraphs) {
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(lineWidth);
            line.setPosition(QPointF(0, height));
            height += line.ascent() + line.descent();
        }
        layout->endLayout();
    }
    return height * pixelSize / kLayoutPixelSize;
}

qreal TextBlock::minimumHeight(qreal pixelSize) const
{
    return qreal(m_paragraphs.size()) * m_fontLineHeight * pixelSize / kLayoutPixelSize;
}

void TextBlock::draw(QPainter &painter, QPointF topLeft) const
{
    painter.save();
    painter.translate(topLeft);
    painter.scale(m_scale, m_scale);
    for (const auto &layout : m_paragraphs)
        layout->draw(&painter, QPointF(0, 0));
    painter.restore();
}
