// SPDX-License-Identifier: GPL-3.0-or-later

#include "Messages.h"
#include "ShellFixture.h"

#include <QTimer>
#include <QtTest>

using fakes::calls;

namespace {

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

class LaunchTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void launchPastesOnce_data();
    void launchPastesOnce();
    void windowEndsTheProcess_data();
    void windowEndsTheProcess();
};

void LaunchTest::launchPastesOnce_data()
{
    QTest::addColumn<bool>("withPicture");

    QTest::newRow("picture on the clipboard") << true;
    QTest::newRow("only text on the clipboard") << false;
}

void LaunchTest::launchPastesOnce()
{
    QFETCH(bool, withPicture);

    const QImage picture = ShellFixture::picture(Qt::darkGreen, {1600, 900});
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

void LaunchTest::windowEndsTheProcess_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("closing the window") << QStringLiteral("close") << 0;
    QTest::newRow("Ctrl+Q with the pop-up focused") << QStringLiteral("Ctrl+Q") << 0;
    QTest::newRow("quit menu item") << QStringLiteral("menu") << 0;
    QTest::newRow("minimising goes on running") << QStringLiteral("minimise") << -1;
}

void LaunchTest::windowEndsTheProcess()
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
            f.menuItem(QStringLiteral("יציאה"))->trigger();
        else
            window->showMinimized();
    });
    QCOMPARE(runLoop(std::chrono::seconds(exitCode == 0 ? 10 : 1)), exitCode);
}

QTEST_MAIN(LaunchTest)
#include "LaunchTest.moc"
