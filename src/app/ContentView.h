// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QRect>
#include <QWidget>

// A plain container that places its controls at fixed frames and, when it is
// resized, moves them by the rule each was added with.
class ContentView : public QWidget {
    Q_OBJECT
public:
    enum class Resizing {
        PinnedTopLeft,      // keeps its size and its distance to the top-left corner
        FollowsWidth,       // keeps its left edge and top, grows with the width
        FollowsWidthHeight, // grows with the width and the height
    };

    explicit ContentView(QSize designSize, QWidget *parent = nullptr);

    // `frame` is given for the design size, measured from the top-left corner.
    void place(QWidget *control, QRect frame, Resizing rule);

    // The design size, so a window built around this view starts at it.
    QSize sizeHint() const override { return m_designSize; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Placement {
        QWidget *control;
        QRect frame;
        Resizing rule;
    };
    void layOut(QSize size);

    QSize m_designSize;
    QList<Placement> m_placements;
};
