// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppDelegate.h"

#include <QApplication>
#include <QMenuBar>
#include <QSettings>

void AppDelegate::buildMenu()
{
    // The window takes the bar over when it is built; its shortcuts then
    // answer whichever control of the window has the focus.
    menuBar = new QMenuBar;

    // Linux does not name the application menu by itself.
    QMenu *appMenu = menuBar->addMenu(QStringLiteral("Quillmere"));
    appMenu->addAction(QStringLiteral("יציאה"), Qt::CTRL | Qt::Key_Q, qApp, &QCoreApplication::quit);

    QMenu *edit = menuBar->addMenu(QStringLiteral("עריכה"));
    edit->addAction(QStringLiteral("הדבק תמונה"), Qt::CTRL | Qt::Key_V, this, &AppDelegate::pasteNow);
    edit->addAction(QStringLiteral("העתק תמונה מתורגמת"), Qt::CTRL | Qt::Key_C, this, &AppDelegate::copyImage);
    edit->addAction(QStringLiteral("העתק טקסט מתורגם"), Qt::CTRL | Qt::SHIFT | Qt::Key_C, this, &AppDelegate::copyText);

    // Kept in the settings file at once, so the choice outlives a crash too.
    const QString key = QStringLiteral("translation/wholeSentences");
    wholeSentences = QSettings(QStringLiteral("quillmere"), QStringLiteral("quillmere")).value(key, false).toBool();
    QAction *sentences = edit->addAction(QStringLiteral("תרגום משפטים שלמים"));
    sentences->setCheckable(true);
    sentences->setChecked(wholeSentences);
    connect(sentences, &QAction::toggled, this, [this, key](bool on) {
        QSettings(QStringLiteral("quillmere"), QStringLiteral("quillmere")).setValue(key, on);
        setWholeSentences(on);
    });
}
