// SPDX-License-Identifier: GPL-3.0-or-later

#include "Messages.h"
#include "ShellFixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QMimeData>
#include <QtTest>

using fakes::calls;

namespace {

// What a command leaves behind, to tell the three commands apart.
QString outcomeOf(ShellFixture &f)
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    const QSize image = data && data->hasImage() ? qvariant_cast<QImage>(data->imageData()).size() : QSize();
    return QStringLiteral("status \"%1\", clipboard image %2x%3, text \"%4\", %5 recognitions")
        .arg(f.d().statusLabel->text())
        .arg(image.width())
        .arg(image.height())
        .arg(data && data->hasText() ? data->text() : QString())
        .arg(calls().recognitions.size());
}

enum class Route { Button, MenuItem, Shortcut };

} // namespace

class MenuBarTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shortcutsWorkWithAControlFocused_data();
    void shortcutsWorkWithAControlFocused();
    void everyRouteRunsTheSameCommand_data();
    void everyRouteRunsTheSameCommand();
};

void MenuBarTest::shortcutsWorkWithAControlFocused_data()
{
    QTest::addColumn<bool>("onPopup");
    QTest::addColumn<QKeyCombination>("keys");
    QTest::addColumn<QString>("expected");

    QTest::newRow("Ctrl+V on the pop-up") << true << (Qt::CTRL | Qt::Key_V) << Messages::noImage();
    QTest::newRow("Ctrl+C on the pop-up") << true << (Qt::CTRL | Qt::Key_C) << Messages::noImageToCopy();
    QTest::newRow("Ctrl+Shift+C on the pop-up")
        << true << (Qt::CTRL | Qt::SHIFT | Qt::Key_C) << Messages::noTextToCopy();
    QTest::newRow("Ctrl+Shift+C on a button")
        << false << (Qt::CTRL | Qt::SHIFT | Qt::Key_C) << Messages::noTextToCopy();
}

void MenuBarTest::shortcutsWorkWithAControlFocused()
{
    QFETCH(bool, onPopup);
    QFETCH(QKeyCombination, keys);
    QFETCH(QString, expected);

    QGuiApplication::clipboard()->setText(QStringLiteral("no picture"));
    ShellFixture f;
    QVERIFY(f.launch());
    QWidget *target = onPopup ? static_cast<QWidget *>(f.d().popup) : f.button(QStringLiteral("העתק תמונה"));
    target->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), target);

    f.d().setStatus(QString());
    QTest::keyClick(target, keys.key(), keys.keyboardModifiers());
    QCOMPARE(f.d().statusLabel->text(), expected);
    QVERIFY(!f.d().popup->view()->isVisible());
    QCOMPARE(f.d().popup->currentIndex(), 0);
}

void MenuBarTest::everyRouteRunsTheSameCommand_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("expected");

    QTest::newRow("paste") << Messages::pasteButtonTitle() << QStringLiteral("הדבק תמונה") << Messages::recognising();
    QTest::newRow("copy image") << QStringLiteral("העתק תמונה") << QStringLiteral("העתק תמונה מתורגמת")
                                << Messages::imageCopied();
    QTest::newRow("copy text") << QStringLiteral("העתק טקסט") << QStringLiteral("העתק טקסט מתורגם")
                               << Messages::textCopied();
}

void MenuBarTest::everyRouteRunsTheSameCommand()
{
    QFETCH(QString, button);
    QFETCH(QString, item);
    QFETCH(QString, expected);

    QStringList outcomes;
    for (Route route : {Route::Button, Route::MenuItem, Route::Shortcut}) {
        // The same state before each route: a picture on the clipboard and
        // the results of an earlier job.
        QGuiApplication::clipboard()->setImage(ShellFixture::picture(Qt::yellow, {30, 20}));
        ShellFixture f;
        QVERIFY(f.launch());
        fakes::reset();
        f.d().lastImage = ShellFixture::picture(Qt::magenta, {17, 9});
        f.d().lastText = QStringLiteral("שלום\nworld");
        f.d().setStatus(QString());

        QAction *menuItem = f.menuItem(item);
        QVERIFY(menuItem);
        const QKeyCombination keys = menuItem->shortcut()[0];
        if (route == Route::Button)
            QTest::mouseClick(f.button(button), Qt::LeftButton);
        else if (route == Route::MenuItem)
            menuItem->trigger();
        else
            QTest::keyClick(f.d().window, keys.key(), keys.keyboardModifiers());
        outcomes.append(outcomeOf(f));
    }
    QVERIFY2(outcomes[0].startsWith(QStringLiteral("status \"%1\"").arg(expected)), qPrintable(outcomes[0]));
    QCOMPARE(outcomes[1], outcomes[0]);
    QCOMPARE(outcomes[2], outcomes[0]);
}

QTEST_MAIN(MenuBarTest)
#include "MenuBarTest.moc"
