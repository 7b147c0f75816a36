// SPDX-License-Identifier: GPL-3.0-or-later

// The shell against the fake services on the offscreen platform: the window
// and its controls, the menu bar and shortcuts, and launching and quitting.
#include "AppDelegate.h"
#include "FakeServices.h"
#include "ImageView.h"
#include "Launch.h"
#include "Messages.h"
#include "StatusLabel.h"
#include "TargetLanguages.h"
#include "WindowPlacement.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGlyphRun>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextLayout>
#include <QTimer>
#include <QtTest>

#include <memory>

using fakes::calls;

namespace {

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

    // The window's button or menu item with this title.
    template <class T> T *titled(const QString &title) const
    {
        for (T *child : delegate->window->findChildren<T *>())
            if (child->text() == title)
                return child;
        return nullptr;
    }
};

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

// Runs the event loop until something ends it, or for at most `patience`;
// returns the loop's exit code, or -1 when it was still running.
int runLoop(std::chrono::milliseconds patience)
{
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    watchdog.start(patience);
    return QCoreApplication::exec();
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

    // The settings file of these tests, never the user's.
    QTemporaryDir settings;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(settings.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    }

    void controlsFollowTheirResizingRules_data()
    {
        QTest::addColumn<QSize>("growth");
        QTest::addColumn<Qt::LayoutDirection>("desktop");

        QTest::newRow("wider") << QSize(240, 0) << Qt::LeftToRight;
        QTest::newRow("taller") << QSize(0, 180) << Qt::LeftToRight;
        QTest::newRow("right-to-left desktop, wider and taller") << QSize(120, 40) << Qt::RightToLeft;
    }

    void controlsFollowTheirResizingRules()
    {
        QFETCH(QSize, growth);
        QFETCH(Qt::LayoutDirection, desktop);
        QGuiApplication::setLayoutDirection(desktop);
        const auto restore = qScopeGuard([] { QGuiApplication::setLayoutDirection(Qt::LeftToRight); });

        ShellFixture f;
        QVERIFY(f.launch());
        QMainWindow *window = f.d().window;
        QCOMPARE(window->windowTitle(), QStringLiteral("Quillmere"));
        const QRect bar = window->menuBar()->geometry();
        QCOMPARE(f.content()->geometry(), QRect(0, bar.bottom() + 1, 960, 700));
        // The image view is the topmost sibling.
        QCOMPARE(f.content()->children().last(), f.d().imageView.data());
        const QList<QWidget *> row{f.titled<QPushButton>(Messages::pasteButtonTitle()), f.d().popup,
                                   f.titled<QPushButton>(QStringLiteral("העתק תמונה")),
                                   f.titled<QPushButton>(QStringLiteral("העתק טקסט")), f.d().statusLabel};
        QList<QRect> before;
        for (QWidget *control : row)
            before.append(control->geometry());
        const QRect view = f.d().imageView->geometry();
        window->resize(window->size() + growth);
        QTRY_COMPARE(f.content()->size(), QSize(960, 700) + growth);

        // The controls and the menus stand in reading order from the left,
        // whatever the desktop's direction; only the status label and the image
        // view grow.
        for (qsizetype i = 0; i < row.size(); ++i) {
            QCOMPARE(row[i]->geometry(), before[i].adjusted(0, 0, i == row.size() - 1 ? growth.width() : 0, 0));
            if (i > 0)
                QVERIFY(row[i]->x() > row[i - 1]->geometry().right());
        }
        QCOMPARE(f.d().imageView->geometry(), view.adjusted(0, 0, growth.width(), growth.height()));
        const QList<QAction *> menus = window->menuBar()->actions();
        QVERIFY(window->menuBar()->actionGeometry(menus.first()).x() <
                window->menuBar()->actionGeometry(menus.last()).x());
    }

    void popupOffersLanguagesAndTranslatesIntoTheChosenOne()
    {
        QGuiApplication::clipboard()->setImage(fakes::picture(Qt::darkBlue));
        ShellFixture f;
        QVERIFY(f.launch());
        QComboBox *popup = f.d().popup;

        QCOMPARE(calls().recognitions.size(), 1);
        calls().recognitions[0].completion({{QStringLiteral("Hello"), QRectF(0.1, 0.5, 0.5, 0.1)}});
        QCOMPARE(calls().translations.size(), 1);
        QCOMPARE(calls().translations[0].to, QStringLiteral("iw"));

        // The user opens the pop-up and clicks the last row.
        popup->showPopup();
        QAbstractItemView *list = popup->view();
        QTRY_VERIFY(list->isVisible());
        const int last = popup->count() - 1;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(last, 0)).center());
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(calls().translations.size(), 2);
        QCOMPARE(calls().translations[1].to, targetLanguages[last].code);
        QCOMPARE(f.d().statusLabel->text(), Messages::translating(1));
    }

    void statusReadsFromRightEdgeAndLongOnesAreCut()
    {
        ShellFixture f;
        QVERIFY(f.launch());
        auto *label = qobject_cast<StatusLabel *>(f.d().statusLabel.data());
        QVERIFY(label);

        // Read right to left, the sentence starts with a letter at the right
        // edge and its closing full stop sits at the far left.
        f.d().setStatus(Messages::noImage());
        QCOMPARE(label->shownText(), Messages::noImage());
        const QImage shown = label->grab().toImage();
        const auto inkRows = [&](int from, int to) {
            QSet<int> rows;
            for (int x = from; x <= to; ++x)
                for (int y = 0; y < shown.height(); ++y)
                    if (qAbs(qGray(shown.pixel(x, y)) - qGray(shown.pixel(0, 0))) > 60)
                        rows.insert(y);
            return rows.size();
        };
        int first = 0, last = shown.width() - 1;
        while (first < last && inkRows(first, first) == 0)
            ++first;
        while (last > first && inkRows(last, last) == 0)
            --last;
        QVERIFY2(last >= label->width() - 4 && first > label->width() / 4,
                 qPrintable(QStringLiteral("%1-%2").arg(first).arg(last)));
        QVERIFY(inkRows(last - 2, last) > 5);
        QVERIFY(inkRows(first, first + 1) <= 3);

        const QString longMessage = Messages::noImage().repeated(6);
        f.d().setStatus(longMessage);
        QCOMPARE(label->text(), longMessage);
        const QString cut = label->shownText();
        QVERIFY(cut.endsWith(QChar(0x2026)) && longMessage.startsWith(cut.chopped(1)));
        QVERIFY(label->fontMetrics().horizontalAdvance(cut) <= label->contentsRect().width());
        QCOMPARE(label->height(), 20);
    }

    void everyTextHasGlyphs()
    {
        // With the fonts this machine has, no letter of the interface is drawn
        // as a box: every glyph that the layout picks, fallbacks included, exists.
        ShellFixture f;
        QVERIFY(f.launch());
        QStringList texts = {Messages::recognising(),  Messages::noImage(),       Messages::noText(),
                             Messages::translating(3), Messages::done(),          Messages::partlyDone(2),
                             Messages::imageCopied(),  Messages::noImageToCopy(), Messages::textCopied(),
                             Messages::noTextToCopy(), f.d().statusLabel->text()};
        for (const QPushButton *button : f.d().window->findChildren<QPushButton *>())
            texts.append(button->text());
        // The menus' titles are the texts of the bar's own items.
        for (const QAction *item : f.d().window->findChildren<QAction *>())
            texts.append(item->text());
        for (int i = 0; i < f.d().popup->count(); ++i)
            texts.append(f.d().popup->itemText(i));
        for (const QString &text : texts) {
            QTextLayout layout(text, QApplication::font());
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            for (const QGlyphRun &run : layout.glyphRuns())
                QVERIFY2(!run.glyphIndexes().contains(0u), qPrintable(text + u' ' + run.rawFont().familyName()));
        }
    }

    void windowIsCentredWithTitleBarOnScreen_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QPoint>("expected");

        QTest::newRow("second screen below a panel") << QRect(1920, 32, 2560, 1440) << QPoint(2720, 391);
        QTest::newRow("screen narrower than the window") << QRect(0, 24, 800, 576) << QPoint(0, 24);
        QTest::newRow("screen only shorter") << QRect(100, 0, 1366, 700) << QPoint(303, 0);
    }

    void windowIsCentredWithTitleBarOnScreen()
    {
        QFETCH(QRect, available);
        QFETCH(QPoint, expected);
        QCOMPARE(centredOnScreen(QSize(960, 722), available), expected);
    }

    void everyRouteRunsTheSameCommand_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QKeyCombination>("keys");
        QTest::addColumn<QString>("expected");

        QTest::newRow("paste") << Messages::pasteButtonTitle() << QStringLiteral("הדבק תמונה") << (Qt::CTRL | Qt::Key_V)
                               << Messages::recognising();
        QTest::newRow("copy image") << QStringLiteral("העתק תמונה") << QStringLiteral("העתק תמונה מתורגמת")
                                    << (Qt::CTRL | Qt::Key_C) << Messages::imageCopied();
        QTest::newRow("copy text") << QStringLiteral("העתק טקסט") << QStringLiteral("העתק טקסט מתורגם")
                                   << (Qt::CTRL | Qt::SHIFT | Qt::Key_C) << Messages::textCopied();
    }

    void everyRouteRunsTheSameCommand()
    {
        QFETCH(QString, button);
        QFETCH(QString, item);
        QFETCH(QKeyCombination, keys);
        QFETCH(QString, expected);

        QStringList outcomes;
        for (Route route : {Route::Button, Route::MenuItem, Route::Shortcut}) {
            // The same state before each route: a picture on the clipboard and
            // the results of an earlier job.
            QGuiApplication::clipboard()->setImage(fakes::picture(Qt::yellow, {30, 20}));
            ShellFixture f;
            QVERIFY(f.launch());
            fakes::reset();
            f.d().lastImage = fakes::picture(Qt::magenta, {17, 9});
            f.d().lastText = QStringLiteral("שלום\nworld");
            f.d().setStatus(QString());

            QAction *menuItem = f.titled<QAction>(item);
            QVERIFY(menuItem);
            QCOMPARE(menuItem->shortcut()[0], keys);
            QComboBox *popup = f.d().popup;
            if (route == Route::Button) {
                QTest::mouseClick(f.titled<QPushButton>(button), Qt::LeftButton);
            } else if (route == Route::MenuItem) {
                menuItem->trigger();
            } else {
                // Pressed with the pop-up focused, which takes many keys itself:
                // it stays closed and keeps its row.
                popup->setFocus();
                QTRY_COMPARE(QApplication::focusWidget(), popup);
                QTest::keyClick(popup, keys.key(), keys.keyboardModifiers());
                QVERIFY(!popup->view()->isVisible());
                QCOMPARE(popup->currentIndex(), 0);
            }
            outcomes.append(outcomeOf(f));
        }
        QVERIFY2(outcomes[0].startsWith(QStringLiteral("status \"%1\"").arg(expected)), qPrintable(outcomes[0]));
        QCOMPARE(outcomes[1], outcomes[0]);
        QCOMPARE(outcomes[2], outcomes[0]);
    }

    // After the edit menu's three commands, a checkable item for whole
    // sentences: off at first, kept in the settings file from one run to the
    // next, and switching it translates the current picture again.
    void wholeSentencesItemIsKept()
    {
        const QString title = QStringLiteral("תרגום משפטים שלמים");
        const QString file = settings.filePath(QStringLiteral("quillmere/quillmere.conf"));
        QGuiApplication::clipboard()->setImage(fakes::picture(Qt::darkBlue));
        for (const bool before : {false, true}) {
            ShellFixture f;
            QVERIFY(f.launch());
            QStringList titles;
            for (const QAction *item : f.d().window->menuBar()->actions().last()->menu()->actions())
                titles.append(item->text());
            QCOMPARE(titles, (QStringList{QStringLiteral("הדבק תמונה"), QStringLiteral("העתק תמונה מתורגמת"),
                                          QStringLiteral("העתק טקסט מתורגם"), title}));
            QAction *item = f.titled<QAction>(title);
            QVERIFY(item->isCheckable());
            QCOMPARE(item->isChecked(), before);
            QCOMPARE(f.d().wholeSentences, before);

            calls().recognitions[0].completion({{QStringLiteral("Hello"), QRectF(0.1, 0.5, 0.5, 0.1)}});
            QCOMPARE(calls().translations.size(), 1);
            item->trigger();
            QCOMPARE(f.d().wholeSentences, !before);
            QCOMPARE(calls().translations.size(), 2);
            QCOMPARE(f.d().statusLabel->text(), Messages::translating(1));
            QFile written(file);
            QVERIFY(written.open(QIODevice::ReadOnly));
            QVERIFY(written.readAll().contains(before ? "wholeSentences=false" : "wholeSentences=true"));
        }
    }

    void launchPastesOnce_data()
    {
        QTest::addColumn<bool>("withPicture");

        QTest::newRow("picture on the clipboard") << true;
        QTest::newRow("only text on the clipboard") << false;
    }

    void launchPastesOnce()
    {
        QFETCH(bool, withPicture);

        const QImage picture = fakes::picture(Qt::darkGreen, {1600, 900});
        if (withPicture)
            QGuiApplication::clipboard()->setImage(picture);
        else
            QGuiApplication::clipboard()->setText(QStringLiteral("just words"));

        ShellFixture f;
        // Nothing happens before the event loop is up.
        QVERIFY(!f.d().window);
        QVERIFY(f.launch());

        QCOMPARE(QApplication::activeWindow(), f.d().window);
        QCOMPARE(f.d().statusLabel->text(), withPicture ? Messages::recognising() : Messages::noImage());
        QCOMPARE(f.d().imageView->image(), withPicture ? picture : QImage());
        // The launch sequence runs once only.
        QTest::qWait(50);
        QCOMPARE(calls().recognitions.size(), withPicture ? 1 : 0);
        if (withPicture)
            QCOMPARE(calls().recognitions[0].image, picture);
    }

    // Last: it runs the event loop until the application quits.
    void windowEndsTheProcess_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("exitCode");

        QTest::newRow("closing the window") << QStringLiteral("close") << 0;
        QTest::newRow("Ctrl+Q with the pop-up focused") << QStringLiteral("Ctrl+Q") << 0;
        QTest::newRow("quit menu item") << QStringLiteral("menu") << 0;
        QTest::newRow("minimising goes on running") << QStringLiteral("minimise") << -1;
    }

    void windowEndsTheProcess()
    {
        QFETCH(QString, action);
        QFETCH(int, exitCode);

        ShellFixture f;
        QVERIFY(f.launch());
        QMainWindow *window = f.d().window;
        QTimer::singleShot(0, window, [&] {
            if (action == QStringLiteral("close"))
                window->close();
            else if (action == QStringLiteral("Ctrl+Q"))
                QTest::keyClick(f.d().popup, Qt::Key_Q, Qt::ControlModifier);
            else if (action == QStringLiteral("menu"))
                f.titled<QAction>(QStringLiteral("יציאה"))->trigger();
            else
                window->showMinimized();
        });
        QCOMPARE(runLoop(std::chrono::seconds(exitCode == 0 ? 10 : 1)), exitCode);
    }
};

QTEST_MAIN(ShellTest)
#include "ShellTest.moc"
