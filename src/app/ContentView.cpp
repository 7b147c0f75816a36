// SPDX-License-Identifier: GPL-3.0-or-later

#include "ContentView.h"

#include <QResizeEvent>

ContentView::ContentView(QSize designSize, QWidget *parent) : QWidget(parent), m_designSize(designSize)
{
    resize(designSize);
}

void ContentView::place(QWidget *control, QRect frame, Resizing rule)
{
    control->setParent(this);
    m_placements.append({control, frame, rule});
    layOut(size());
}

void ContentView::resizeEvent(QResizeEvent *event)
{
    layOut(event->size());
}

void ContentView::layOut(QSize size)
{
    const int grownWidth = size.width() - m_designSize.width();
    const int grownHeight = size.height() - m_designSize.height();
    for (const Placement &p : m_placements) {
        QRect frame = p.frame;
        if (p.rule != Resizing::PinnedTopLeft)
            frame.setWidth(qMax(0, frame.width() + grownWidth));
        if (p.rule == Resizing::FollowsWidthHeight)
            frame.setHeight(qMax(0, frame.height() + grownHeight));
        p.control->setGeometry(frame);
    }
}
