// SPDX-License-Identifier: GPL-3.0-or-later

#include "Messages.h"
#include "ShellFixture.h"
#include "StatusLabel.h"
#include "TargetLanguages.h"
#include "WindowPlacement.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGlyphRun>
#include <QTextLayout>
#include <QtTest>

using fakes::calls;

class WindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void controlsFollowTheirResizingRules_data();
    void controlsFollowTheirResizingRules();
    void popupOffersLanguagesAndTranslatesIntoTheChosenOne();
    void statusReadsFromRightEdgeAndLongOnesAreCut();
    void everyTextHasGlyphs();
    void windowIsCentredWithTitleBarOnScreen_data();
    void windowIsCentredWithTitleBarOnScreen();
};

void WindowTest::controlsFollowTheirResizingRules_data()
{
    QTest::addColumn<QSize>("growth");
    QTest::addColumn<Qt::LayoutDirection>("desktop");

    QTest::newRow("as built") << QSize(0, 0) << Qt::LeftToRight;
    QTest::newRow("wider") << QSize(240, 0) << Qt::LeftToRight;
    QTest::newRow("taller") << QSize(0, 180) << Qt::LeftToRight;
    QTest::newRow("right-to-left desktop, wider and taller") << QSize(120, 40) << Qt::RightToLeft;
}

void WindowTest::controlsFollowTheirResizingRules()
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
    const QList<QWidget *> row{f.button(Messages::pasteButtonTitle()), f.d().popup,
                               f.button(QStringLiteral("העתק תמונה")), f.button(QStringLiteral("העתק טקסט")),
                               f.d().statusLabel};
    QList<QRect> before;
    for (QWidget *control : row)
        before.append(control->geometry());
    const QRect view = f.d().imageView->geometry();
    window->resize(window->size() + growth);
    QTRY_COMPARE(f.content()->size(), QSize(960, 700) + growth);

    // The controls stand in reading order from the left, whatever the
    // desktop's direction; only the status label and the image view grow.
    for (qsizetype i = 0; i < row.size(); ++i) {
        QCOMPARE(row[i]->geometry(), before[i].adjusted(0, 0, i == row.size() - 1 ? growth.width() : 0, 0));
        if (i > 0)
            QVERIFY(row[i]->x() > row[i - 1]->geometry().right());
    }
    QCOMPARE(f.d().imageView->geometry(), view.adjusted(0, 0, growth.width(), growth.height()));
}

void WindowTest::popupOffersLanguagesAndTranslatesIntoTheChosenOne()
{
    QGuiApplication::clipboard()->setImage(ShellFixture::picture(Qt::darkBlue));
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
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(last, 0)).center());
    QTRY_VERIFY(!list->isVisible());
    QCOMPARE(calls().translations.size(), 2);
    QCOMPARE(calls().translations[1].to, targetLanguages[last].code);
    QCOMPARE(f.d().statusLabel->text(), Messages::translating(1));
}

void WindowTest::statusReadsFromRightEdgeAndLongOnesAreCut()
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

void WindowTest::everyTextHasGlyphs()
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
    for (const QMenu *menu : f.menus()) {
        texts.append(menu->title());
        for (const QAction *item : menu->actions())
            texts.append(item->text());
    }
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

void WindowTest::windowIsCentredWithTitleBarOnScreen_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("expected");

    QTest::newRow("second screen below a panel") << QRect(1920, 32, 2560, 1440) << QPoint(2720, 391);
    QTest::newRow("screen narrower than the window") << QRect(0, 24, 800, 576) << QPoint(0, 24);
    QTest::newRow("screen only shorter") << QRect(100, 0, 1366, 700) << QPoint(303, 0);
}

void WindowTest::windowIsCentredWithTitleBarOnScreen()
{
    QFETCH(QRect, available);
    QFETCH(QPoint, expected);
    QCOMPARE(centredOnScreen(QSize(960, 722), available), expected);
}

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
