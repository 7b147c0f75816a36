// SPDX-License-Identifier: GPL-3.0-or-later

#include "LineShares.h"

#include "Paragraphs.h"

#include <QRegularExpression>
#include <QTextBoundaryFinder>

#include <numeric>

namespace {

// The pieces a text may be split between, and what joins two of them again.
QStringList piecesOf(const QString &text, QString &joiner)
{
    if (!isWrittenWithoutSpaces(text)) {
        joiner = QStringLiteral(" ");
        static const QRegularExpression space(QStringLiteral(R"(\s+)"));
        return text.split(space, Qt::SkipEmptyParts);
    }
    joiner.clear();
    QStringList letters;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype start = 0, end = finder.toNextBoundary(); end > 0; start = end, end = finder.toNextBoundary())
        letters.append(text.mid(start, end - start));
    return letters;
}

} // namespace

QStringList shareOverLines(const QString &translation, const QList<double> &widths)
{
    if (widths.isEmpty())
        return {};
    QString joiner;
    const QStringList pieces = piecesOf(translation, joiner);
    const double totalWidth = std::accumulate(widths.begin(), widths.end(), 0.0);
    double totalLength = 0;
    for (const QString &piece : pieces)
        totalLength += double(piece.size() + joiner.size());

    QStringList parts(widths.size());
    qsizetype line = 0;
    double used = 0, lineEnd = totalWidth > 0 ? widths.value(0) / totalWidth * totalLength : totalLength;
    for (qsizetype p = 0; p < pieces.size(); ++p) {
        const double length = double(pieces[p].size() + joiner.size());
        const qsizetype piecesLeft = pieces.size() - p, linesLeft = widths.size() - line - 1;
        // On to the next line when this piece lies mostly past the line's
        // share, or when every line left needs one of the pieces left.
        const bool pastShare = used + length / 2 > lineEnd;
        if (!parts[line].isEmpty() && linesLeft > 0 && (pastShare || piecesLeft <= linesLeft)) {
            ++line;
            lineEnd += totalWidth > 0 ? widths[line] / totalWidth * totalLength : 0;
        }
        if (!parts[line].isEmpty())
            parts[line] += joiner;
        parts[line] += pieces[p];
        used += length;
    }
    return parts;
}
