#include "AppDelegate.h"

#include <QApplication>
#include <QMenuBar>

void AppDelegate::buildMenu()
{
    // Built before the window, which takes it over when it is created.
    menuBar = new QMenuBar;

    // Linux does not name the application menu by itself.
    QMenu *appMenu = menuBar->addMenu(QStringLiteral("Quillmere"));
    QAction *quit = appMenu->addAction(QStringLiteral("יציאה"), QApplication::instance(), &QApplication::quit);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu *edit = menuBar->addMenu(QStringLiteral("עריכה"));
    const struct {
        QString title;
        QKeySequence keys;
        void (AppDelegate::*action)();
    } items[] = {
        {QStringLiteral("הדבק תמונה"), QKeySequence(Qt::CTRL | Qt::Key_V), &AppDelegate::pasteNow},
        {QStringLiteral("העתק תמונה מתורגמת"), QKeySequence(Qt::CTRL | Qt::Key_C), &AppDelegate::copyImage},
        {QStringLiteral("העתק טקסט מתורגם"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &AppDelegate::copyText},
    };
    for (const auto &item : items) {
        QAction *action = edit->addAction(item.title, this, item.action);
        action->setShortcut(item.keys);
        action->setShortcutContext(Qt::ApplicationShortcut);
    }
    quit->setShortcutContext(Qt::ApplicationShortcut);
}
