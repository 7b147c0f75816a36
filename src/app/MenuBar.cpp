#include "AppDelegate.h"

#include <QApplication>
#include <QMenuBar>

namespace {

// Shortcuts answer in the whole application, whichever control has the focus.
void bindShortcut(QAction *action, QKeySequence keys)
{
    action->setShortcut(keys);
    action->setShortcutContext(Qt::ApplicationShortcut);
}

} // namespace

void AppDelegate::buildMenu()
{
    // The window takes the bar over when it is built.
    menuBar = new QMenuBar;

    // Linux does not name the application menu by itself.
    QMenu *appMenu = menuBar->addMenu(QStringLiteral("Quillmere"));
    bindShortcut(appMenu->addAction(QStringLiteral("יציאה"), qApp, &QCoreApplication::quit), Qt::CTRL | Qt::Key_Q);

    QMenu *edit = menuBar->addMenu(QStringLiteral("עריכה"));
    bindShortcut(edit->addAction(QStringLiteral("הדבק תמונה"), this, &AppDelegate::pasteNow), Qt::CTRL | Qt::Key_V);
    bindShortcut(edit->addAction(QStringLiteral("העתק תמונה מתורגמת"), this, &AppDelegate::copyImage),
                 Qt::CTRL | Qt::Key_C);
    bindShortcut(edit->addAction(QStringLiteral("העתק טקסט מתורגם"), this, &AppDelegate::copyText),
                 Qt::CTRL | Qt::SHIFT | Qt::Key_C);
}
