// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QPointF>
#include <QString>

#include <memory>
#include <vector>

class QPainter;
class QTextLayout;

// The string written over one line: its paragraphs stacked from the top, each
// laid out in the direction its own first strong letter gives it (so Hebrew
// above English reads right to left above left to right), its lines centred
// and wrapped at word boundaries, and inside a word only when the word alone
// is wider than the line.
class TextBlock {
public:
    TextBlock(const QString &text, const QFont &font);
    ~TextBlock();
    TextBlock(const TextBlock &) = delete;
    TextBlock &operator=(const TextBlock &) = delete;

    // Lays the block out at `pixelSize` into lines `width` units long, with no
    // limit of height, and gives the height of the whole block.
    qreal layOut(qreal pixelSize, qreal width);

    // A height the block reaches at `pixelSize` whatever the width: every
    // paragraph takes at least one line of the font's own height.
    qreal minimumHeight(qreal pixelSize) const;

    // Draws the block as last laid out, its top-left corner at `topLeft`.
    void draw(QPainter &painter, QPointF topLeft) const;

private:
    std::vector<std::unique_ptr<QTextLayout>> m_paragraphs;
    qreal m_fontLineHeight = 0;
    qreal m_scale = 1;
};
