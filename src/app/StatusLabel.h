// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

// The one-line status at the top right of the window. Its messages are
// Hebrew, so they read right to left from the label's right edge; a message
// longer than the label loses its end to an ellipsis and never wraps.
class StatusLabel : public QLabel {
    Q_OBJECT
public:
    explicit StatusLabel(const QString &text, QWidget *parent = nullptr);

    // What the label shows of its text at its current width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};
