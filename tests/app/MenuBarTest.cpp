#include "Messages.h"
#include "ShellFixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QMimeData>
#include <QtTest>

using fakes::calls;

namespace {

const QString pasteItem = QStringLiteral("הדבק תמונה");
const QString copyImageItem = QStringLiteral("העתק תמונה מתורגמת");
const QString copyTextItem = QStringLiteral("העתק טקסט מתורגם");

// What a command leaves behind, to tell the three commands apart.
struct Outcome {
    QString status;
    QSize clipboardImage;
    QString clipboardText;
    qsizetype recognitions = 0;

    bool operator==(const Outcome &) const = default;
};

char *toString(const Outcome &o)
{
    return QTest::toString(QStringLiteral("status \"%1\", clipboard image %2x%3, text \"%4\", %5 recognitions")
                               .arg(o.status)
                               .arg(o.clipboardImage.width())
                               .arg(o.clipboardImage.height())
                               .arg(o.clipboardText)
                               .arg(o.recognitions));
}

Outcome outcomeOf(ShellFixture &f)
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return {f.d().statusLabel->text(),
            data && data->hasImage() ? qvariant_cast<QImage>(data->imageData()).size() : QSize(),
            data && data->hasText() ? data->text() : QString(), calls().recognitions.size()};
}

enum class Route { Button, MenuItem, Shortcut };

} // namespace

class MenuBarTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void barHoldsTwoMenusWithTheirItems();
    void shortcutsAreDistinctAndShiftMarksText();
    void shortcutsWorkWhereverFocusIs_data();
    void shortcutsWorkWhereverFocusIs();
    void everyRouteRunsTheSameCommand_data();
    void everyRouteRunsTheSameCommand();
};

void MenuBarTest::barHoldsTwoMenusWithTheirItems()
{
    ShellFixture f;
    QVERIFY(f.launch());
    const QList<QMenu *> menus = f.menus();
    QCOMPARE(menus.size(), 2);
    QCOMPARE(menus[0]->title(), QStringLiteral("Quillmere"));
    QCOMPARE(menus[1]->title(), QStringLiteral("עריכה"));

    const auto titles = [](const QMenu *menu) {
        QStringList all;
        for (const QAction *item : menu->actions())
            all.append(item->isSeparator() ? QStringLiteral("--") : item->text());
        return all;
    };
    QCOMPARE(titles(menus[0]), QStringList{QStringLiteral("יציאה")});
    QCOMPARE(titles(menus[1]), (QStringList{pasteItem, copyImageItem, copyTextItem}));
    for (const QMenu *menu : menus)
        for (const QAction *item : menu->actions())
            QVERIFY(item->isEnabled());
}

void MenuBarTest::shortcutsAreDistinctAndShiftMarksText()
{
    ShellFixture f;
    QVERIFY(f.launch());
    const QKeySequence quit = f.menuItem(QStringLiteral("יציאה"))->shortcut();
    const QKeySequence paste = f.menuItem(pasteItem)->shortcut();
    const QKeySequence copyImage = f.menuItem(copyImageItem)->shortcut();
    const QKeySequence copyText = f.menuItem(copyTextItem)->shortcut();

    QCOMPARE(quit, QKeySequence(Qt::CTRL | Qt::Key_Q));
    QCOMPARE(paste, QKeySequence(Qt::CTRL | Qt::Key_V));
    QCOMPARE(copyImage, QKeySequence(Qt::CTRL | Qt::Key_C));
    QCOMPARE(copyText, QKeySequence(copyImage[0].toCombined() | Qt::SHIFT));
    QCOMPARE(QSet<QKeySequence>({quit, paste, copyImage, copyText}).size(), 4);
}

void MenuBarTest::shortcutsWorkWhereverFocusIs_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QKeyCombination>("keys");
    QTest::addColumn<QString>("expected");

    const QStringList controls = {QStringLiteral("paste button"), QStringLiteral("pop-up"),
                                  QStringLiteral("copy-image button"), QStringLiteral("copy-text button"),
                                  QStringLiteral("window")};
    const struct {
        const char *name;
        QKeyCombination keys;
        QString expected;
    } commands[] = {
        {"Ctrl+V", Qt::CTRL | Qt::Key_V, Messages::noImage()},
        {"Ctrl+C", Qt::CTRL | Qt::Key_C, Messages::noImageToCopy()},
        {"Ctrl+Shift+C", Qt::CTRL | Qt::SHIFT | Qt::Key_C, Messages::noTextToCopy()},
    };
    for (const QString &control : controls)
        for (const auto &command : commands)
            QTest::addRow("%s on %s", command.name, qPrintable(control)) << control << command.keys << command.expected;
}

void MenuBarTest::shortcutsWorkWhereverFocusIs()
{
    QFETCH(QString, focus);
    QFETCH(QKeyCombination, keys);
    QFETCH(QString, expected);

    QGuiApplication::clipboard()->setText(QStringLiteral("no picture"));
    ShellFixture f;
    QVERIFY(f.launch());
    const QHash<QString, QWidget *> controls = {
        {QStringLiteral("paste button"), f.button(Messages::pasteButtonTitle())},
        {QStringLiteral("pop-up"), f.d().popup},
        {QStringLiteral("copy-image button"), f.button(QStringLiteral("העתק תמונה"))},
        {QStringLiteral("copy-text button"), f.button(QStringLiteral("העתק טקסט"))},
        {QStringLiteral("window"), f.d().window},
    };
    QWidget *target = controls.value(focus);
    if (target != f.d().window) {
        target->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), target);
    }

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
    QTest::addColumn<bool>("withResults");
    QTest::addColumn<QString>("expected");

    const struct {
        const char *name;
        QString button;
        QString item;
        QString empty;
        QString done;
    } commands[] = {
        {"paste", Messages::pasteButtonTitle(), pasteItem, Messages::noImage(), Messages::recognising()},
        {"copy image", QStringLiteral("העתק תמונה"), copyImageItem, Messages::noImageToCopy(), Messages::imageCopied()},
        {"copy text", QStringLiteral("העתק טקסט"), copyTextItem, Messages::noTextToCopy(), Messages::textCopied()},
    };
    for (const auto &c : commands) {
        QTest::addRow("%s, nothing to act on", c.name) << c.button << c.item << false << c.empty;
        QTest::addRow("%s, with a picture and results", c.name) << c.button << c.item << true << c.done;
    }
}

void MenuBarTest::everyRouteRunsTheSameCommand()
{
    QFETCH(QString, button);
    QFETCH(QString, item);
    QFETCH(bool, withResults);
    QFETCH(QString, expected);

    QList<Outcome> outcomes;
    for (Route route : {Route::Button, Route::MenuItem, Route::Shortcut}) {
        // The same state before each route: a picture on the clipboard and
        // the results of an earlier job, or neither.
        if (withResults)
            QGuiApplication::clipboard()->setImage(ShellFixture::picture(Qt::yellow, {30, 20}));
        else
            QGuiApplication::clipboard()->clear();
        ShellFixture f;
        QVERIFY(f.launch());
        fakes::reset();
        if (withResults) {
            f.d().lastImage = ShellFixture::picture(Qt::magenta, {17, 9});
            f.d().lastText = QStringLiteral("שלום\nworld");
        }
        f.d().setStatus(QString());

        QAction *menuItem = f.menuItem(item);
        QVERIFY(menuItem);
        switch (route) {
        case Route::Button:
            QTest::mouseClick(f.button(button), Qt::LeftButton);
            break;
        case Route::MenuItem:
            menuItem->trigger();
            break;
        case Route::Shortcut: {
            const QKeyCombination keys = menuItem->shortcut()[0];
            QTest::keyClick(f.d().window, keys.key(), keys.keyboardModifiers());
            break;
        }
        }
        outcomes.append(outcomeOf(f));
    }
    QCOMPARE(outcomes[0].status, expected);
    QCOMPARE(outcomes[1], outcomes[0]);
    QCOMPARE(outcomes[2], outcomes[0]);
}

QTEST_MAIN(MenuBarTest)
#include "MenuBarTest.moc"
