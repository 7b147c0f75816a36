// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPushButton>

// A push button whose title runs in its own direction. A plain button lays
// every title out left to right, which puts "Ctrl+V" before the Hebrew words
// of "הדבק מהלוח  Ctrl+V" for a reader who starts at the right.
class TitleButton : public QPushButton {
    Q_OBJECT
public:
    explicit TitleButton(const QString &title, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
