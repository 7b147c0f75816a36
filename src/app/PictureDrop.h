// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QObject>

#include <functional>
#include <optional>

class QWidget;

// Lets `target` take whatever is dropped on it, and hands `take` the picture
// it carries (a picture file from a file manager, picture data or a file's
// address from a browser), or nothing when it carries none, on the main
// thread once it has been read.
class PictureDrop : public QObject {
public:
    PictureDrop(QWidget *target, std::function<void(std::optional<QImage>)> take);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void(std::optional<QImage>)> take;
};
