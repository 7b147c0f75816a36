// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "AppDelegate.h"
#include "FakeServices.h"
#include "ImageView.h"
#include "Launch.h"

#include <QApplication>
#include <QClipboard>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <memory>

// A delegate made the application's, with the fakes in place of the
// services, launched the way main launches it.
struct ShellFixture {
    std::unique_ptr<AppDelegate> delegate = std::make_unique<AppDelegate>();

    ShellFixture()
    {
        fakes::reset();
        attachDelegate(*qApp, *delegate);
    }

    AppDelegate &d() { return *delegate; }

    // Lets the event loop run the launch sequence; true once the window is
    // up and active.
    [[nodiscard]] bool launch()
    {
        return QTest::qWaitFor([this] { return !d().window.isNull(); }) && QTest::qWaitForWindowActive(d().window);
    }

    QWidget *content() const { return delegate->window->centralWidget(); }

    QPushButton *button(const QString &title) const
    {
        for (QPushButton *b : delegate->window->findChildren<QPushButton *>())
            if (b->text() == title)
                return b;
        return nullptr;
    }

    QList<QMenu *> menus() const
    {
        QList<QMenu *> all;
        for (QAction *top : delegate->window->menuBar()->actions())
            all.append(top->menu());
        return all;
    }

    QAction *menuItem(const QString &title) const
    {
        for (QMenu *menu : menus())
            for (QAction *item : menu->actions())
                if (item->text() == title)
                    return item;
        return nullptr;
    }

    static QImage picture(QColor colour, QSize size = {80, 60})
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }
};
