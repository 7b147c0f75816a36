#include "Messages.h"
#include "ShellFixture.h"
#include "StatusLabel.h"
#include "TargetLanguages.h"
#include "WindowPlacement.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGlyphRun>
#include <QPushButton>
#include <QTextLayout>
#include <QtTest>

using fakes::calls;

namespace {

// The strip of controls as laid out for a 960 x 700 content area, measured
// from its top-left corner.
const QRect pasteFrame(10, 8, 150, 28);
const QRect popupFrame(170, 8, 120, 28);
const QRect copyImageFrame(300, 8, 110, 28);
const QRect copyTextFrame(415, 8, 100, 28);
const QRect statusFrame(525, 12, 420, 20);
const QRect imageFrame(0, 44, 960, 656);

bool isInk(const QImage &image, int x, int y)
{
    return qAbs(qGray(image.pixel(x, y)) - qGray(image.pixel(0, 0))) > 60;
}

// The first and last columns of ink in a picture of a widget.
std::pair<int, int> inkColumns(const QImage &image)
{
    int first = image.width(), last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isInk(image, x, y)) {
                first = qMin(first, x);
                last = qMax(last, x);
            }
    return {first, last};
}

// How many rows the ink spans in the columns [from, to].
int inkHeight(const QImage &image, int from, int to)
{
    int top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = from; x <= to; ++x)
            if (isInk(image, x, y)) {
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
    return bottom - top + 1;
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void controlsFollowTheirResizingRules_data();
    void controlsFollowTheirResizingRules();
    void windowIsTitledAndShowsContentAreaBelowMenuBar();
    void popupOffersTargetLanguagesHebrewFirst();
    void choosingLanguageTranslatesIntoIt_data();
    void choosingLanguageTranslatesIntoIt();
    void pasteButtonTitleReadsRightToLeft();
    void statusReadsFromRightEdge_data();
    void statusReadsFromRightEdge();
    void longStatusIsCutNotWrapped();
    void everyTextHasGlyphs_data();
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
    QTest::newRow("wider and taller") << QSize(333, 77) << Qt::LeftToRight;
    QTest::newRow("narrower and shorter") << QSize(-300, -200) << Qt::LeftToRight;
    QTest::newRow("right-to-left desktop") << QSize(0, 0) << Qt::RightToLeft;
    QTest::newRow("right-to-left desktop, wider") << QSize(120, 40) << Qt::RightToLeft;
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
    window->resize(window->size() + growth);
    QTRY_COMPARE(f.content()->size(), QSize(960, 700) + growth);

    // Only the status label and the image view move with the window, and
    // nothing is mirrored for a right-to-left desktop.
    QCOMPARE(f.button(Messages::pasteButtonTitle())->geometry(), pasteFrame);
    QCOMPARE(f.d().popup->geometry(), popupFrame);
    QCOMPARE(f.button(QStringLiteral("העתק תמונה"))->geometry(), copyImageFrame);
    QCOMPARE(f.button(QStringLiteral("העתק טקסט"))->geometry(), copyTextFrame);
    QCOMPARE(f.d().statusLabel->geometry(), statusFrame.adjusted(0, 0, growth.width(), 0));
    QCOMPARE(f.d().imageView->geometry(), imageFrame.adjusted(0, 0, growth.width(), growth.height()));

    const QMenuBar *bar = window->menuBar();
    QVERIFY(bar->actionGeometry(bar->actions()[0]).x() < bar->actionGeometry(bar->actions()[1]).x());
}

void WindowTest::windowIsTitledAndShowsContentAreaBelowMenuBar()
{
    ShellFixture f;
    QVERIFY(f.launch());
    QMainWindow *window = f.d().window;
    QCOMPARE(window->windowTitle(), QStringLiteral("Quillmere"));
    QVERIFY(window->isVisible());

    const QRect bar = window->menuBar()->geometry();
    QVERIFY(bar.height() > 0);
    QCOMPARE(f.content()->geometry(), QRect(0, bar.bottom() + 1, 960, 700));
    QCOMPARE(window->size(), QSize(960, 700 + bar.height()));

    // The image view is the topmost sibling and starts empty.
    QCOMPARE(f.content()->children().last(), f.d().imageView.data());
    QVERIFY(f.d().imageView->image().isNull());
}

void WindowTest::popupOffersTargetLanguagesHebrewFirst()
{
    ShellFixture f;
    QVERIFY(f.launch());
    const QComboBox *popup = f.d().popup;
    QVERIFY(!popup->isEditable());
    QCOMPARE(popup->count(), targetLanguages.size());
    for (int i = 0; i < popup->count(); ++i)
        QCOMPARE(popup->itemText(i), targetLanguages[i].name);
    QCOMPARE(popup->currentIndex(), 0);
    QCOMPARE(popup->currentText(), QStringLiteral("עברית"));
}

void WindowTest::choosingLanguageTranslatesIntoIt_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("code");

    QTest::newRow("English") << 1 << QStringLiteral("en");
    QTest::newRow("Arabic, the last") << 6 << QStringLiteral("ar");
    QTest::newRow("Hebrew again") << 0 << QStringLiteral("iw");
}

void WindowTest::choosingLanguageTranslatesIntoIt()
{
    QFETCH(int, row);
    QFETCH(QString, code);

    QGuiApplication::clipboard()->setImage(ShellFixture::picture(Qt::darkBlue));
    ShellFixture f;
    QVERIFY(f.launch());
    QCOMPARE(calls().recognitions.size(), 1);
    calls().recognitions[0].completion({{QStringLiteral("Hello"), QRectF(0.1, 0.5, 0.5, 0.1)}});
    QCOMPARE(calls().translations.size(), 1);
    QCOMPARE(calls().translations[0].to, QStringLiteral("iw"));

    // The user opens the pop-up and clicks the row.
    QComboBox *popup = f.d().popup;
    popup->showPopup();
    QAbstractItemView *list = popup->view();
    QTRY_VERIFY(list->isVisible());
    const QRect item = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    QTRY_VERIFY(!list->isVisible());

    QCOMPARE(popup->currentIndex(), row);
    QCOMPARE(calls().translations.size(), 2);
    QCOMPARE(calls().translations[1].to, code);
    QCOMPARE(f.d().statusLabel->text(), Messages::translating(1));
}

void WindowTest::pasteButtonTitleReadsRightToLeft()
{
    ShellFixture f;
    QVERIFY(f.launch());
    QPushButton *paste = f.button(Messages::pasteButtonTitle());
    const QImage shown = paste->grab().toImage();

    // Dark columns across the middle of the face, away from the border.
    QList<int> dark;
    for (int x = 6; x < shown.width() - 6; ++x)
        for (int y = shown.height() / 2 - 3; y <= shown.height() / 2 + 3; ++y)
            if (qGray(shown.pixel(x, y)) < 110) {
                dark.append(x);
                break;
            }
    QVERIFY(dark.size() > 10);

    // The two spaces make the widest gap; read right to left, the shortcut
    // comes after the words and so stands on the left of that gap.
    int gapStart = dark.first(), widest = 0;
    for (qsizetype i = 1; i < dark.size(); ++i)
        if (dark[i] - dark[i - 1] > widest) {
            widest = dark[i] - dark[i - 1];
            gapStart = dark[i - 1];
        }
    const int shortcutWidth = paste->fontMetrics().horizontalAdvance(Messages::shortcutName(Qt::CTRL | Qt::Key_V));
    QVERIFY2(qAbs(gapStart - dark.first() - shortcutWidth) <= 4,
             qPrintable(QStringLiteral("%1 px of text before the gap").arg(gapStart - dark.first())));
}

void WindowTest::statusReadsFromRightEdge_data()
{
    QTest::addColumn<QString>("message");

    QTest::newRow("no image") << Messages::noImage();
    QTest::newRow("no text") << Messages::noText();
    QTest::newRow("recognising") << Messages::recognising();
    QTest::newRow("done, naming a shortcut") << Messages::done();
}

void WindowTest::statusReadsFromRightEdge()
{
    QFETCH(QString, message);

    ShellFixture f;
    QVERIFY(f.launch());
    f.d().setStatus(message);
    QLabel *label = f.d().statusLabel;
    const QImage shown = label->grab().toImage();
    const auto [first, last] = inkColumns(shown);
    QVERIFY2(last >= label->width() - 4, qPrintable(QStringLiteral("ink ends at %1").arg(last)));
    QVERIFY2(first > label->width() / 4, qPrintable(QStringLiteral("ink starts at %1").arg(first)));

    // Read right to left, the sentence starts with a letter at the right
    // edge and its closing full stop sits at the far left, not the other way
    // round.
    QVERIFY(inkHeight(shown, last - 2, last) > 5);
    QVERIFY(inkHeight(shown, first, first + 1) <= 3);
}

void WindowTest::longStatusIsCutNotWrapped()
{
    ShellFixture f;
    QVERIFY(f.launch());
    auto *label = qobject_cast<StatusLabel *>(f.d().statusLabel.data());
    QVERIFY(label);

    f.d().setStatus(Messages::noImage());
    QCOMPARE(label->shownText(), Messages::noImage());

    const QString longMessage = Messages::noImage().repeated(6);
    f.d().setStatus(longMessage);
    QCOMPARE(label->text(), longMessage);
    const QString shown = label->shownText();
    QVERIFY(shown.endsWith(QChar(0x2026)));
    QVERIFY(longMessage.startsWith(shown.chopped(1)));
    QVERIFY(label->fontMetrics().horizontalAdvance(shown) <= label->contentsRect().width());
    QCOMPARE(label->height(), 20);
}

void WindowTest::everyTextHasGlyphs_data()
{
    QTest::addColumn<QString>("text");

    QStringList texts = {Messages::pasteButtonTitle(),
                         QStringLiteral("העתק תמונה"),
                         QStringLiteral("העתק טקסט"),
                         QStringLiteral("יציאה"),
                         QStringLiteral("עריכה"),
                         QStringLiteral("הדבק תמונה"),
                         QStringLiteral("העתק תמונה מתורגמת"),
                         QStringLiteral("העתק טקסט מתורגם"),
                         Messages::pasteHint(),
                         Messages::recognising(),
                         Messages::noImage(),
                         Messages::noText(),
                         Messages::translating(3),
                         Messages::done(),
                         Messages::partlyDone(2),
                         Messages::imageCopied(),
                         Messages::noImageToCopy(),
                         Messages::textCopied(),
                         Messages::noTextToCopy()};
    for (const TargetLanguage &language : targetLanguages)
        texts.append(language.name);
    for (const QString &text : texts)
        QTest::newRow(qPrintable(text)) << text;
}

void WindowTest::everyTextHasGlyphs()
{
    // With the fonts this machine has, no letter of the interface is drawn
    // as a box: every glyph that the layout picks, fallbacks included, exists.
    QFETCH(QString, text);
    QTextLayout layout(text, QApplication::font());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    QVERIFY(!runs.isEmpty());
    for (const QGlyphRun &run : runs)
        QVERIFY2(!run.glyphIndexes().contains(0u), qPrintable(run.rawFont().familyName()));
}

void WindowTest::windowIsCentredWithTitleBarOnScreen_data()
{
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("expected");

    QTest::newRow("fits") << QSize(960, 722) << QRect(0, 0, 1280, 900) << QPoint(160, 89);
    QTest::newRow("below a panel") << QSize(960, 722) << QRect(0, 32, 1920, 1048) << QPoint(480, 195);
    QTest::newRow("second screen") << QSize(960, 722) << QRect(1920, 0, 2560, 1440) << QPoint(2720, 359);
    QTest::newRow("screen narrower than the window") << QSize(960, 722) << QRect(0, 24, 800, 576) << QPoint(0, 24);
    QTest::newRow("screen only shorter") << QSize(960, 722) << QRect(100, 0, 1366, 700) << QPoint(303, 0);
}

void WindowTest::windowIsCentredWithTitleBarOnScreen()
{
    QFETCH(QSize, window);
    QFETCH(QRect, available);
    QFETCH(QPoint, expected);
    QCOMPARE(centredOnScreen(window, available), expected);
}

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
