// SPDX-License-Identifier: GPL-3.0-or-later

#include "TitleButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

TitleButton::TitleButton(const QString &title, QWidget *parent) : QPushButton(title, parent)
{
}

void TitleButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    painter.setLayoutDirection(Qt::LayoutDirectionAuto);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButton, option);
}
