// SPDX-License-Identifier: GPL-3.0-or-later

#include "StatusLabel.h"

#include <QPainter>
#include <QStyle>

StatusLabel::StatusLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
}

QString StatusLabel::shownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void StatusLabel::paintEvent(QPaintEvent *)
{
    // Right to left whatever the first letter, so a message that starts with
    // a shortcut name or a number still reads as a Hebrew sentence.
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), int(alignment()) | Qt::TextSingleLine | Qt::TextForceRightToLeft,
                          palette(), isEnabled(), shownText(), foregroundRole());
}
