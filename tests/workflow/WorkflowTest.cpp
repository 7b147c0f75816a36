// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppDelegate.h"
#include "FakeServices.h"
#include "Messages.h"
#include "WiredControls.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtTest>

#include <memory>
#include <thread>

using fakes::calls;

namespace {

// A delegate wired to bare controls, with the fakes reset, as the window
// would leave it after launch.
struct WorkflowFixture {
    std::unique_ptr<AppDelegate> delegate = std::make_unique<AppDelegate>();
    WiredControls controls{*delegate};
    QLabel *status = &controls.status;
    QComboBox *popup = &controls.popup;
    ImageView *view = &controls.view;

    WorkflowFixture() { fakes::reset(); }

    AppDelegate &d() { return *delegate; }

    // Pastes `image` as the user does, from the clipboard.
    void paste(const QImage &image)
    {
        QGuiApplication::clipboard()->setImage(image);
        d().pasteNow();
    }

    static TextItems lines(const QStringList &texts)
    {
        TextItems items;
        for (qsizetype i = 0; i < texts.size(); ++i)
            items.append({texts[i], QRectF(0.1, 0.8 - 0.1 * double(i), 0.5, 0.08)});
        return items;
    }

    // Pastes `image` and lets its recognition report `texts`.
    void pasteAndRecognise(const QImage &image, const QStringList &texts)
    {
        paste(image);
        fakes::calls().recognitions.last().completion(lines(texts));
    }
};

} // namespace

class WorkflowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void failedPasteChangesNothing()
    {
        WorkflowFixture f;
        QGuiApplication::clipboard()->setText(QStringLiteral("not a picture"));
        f.d().pasteNow();
        f.d().translateAndShow(); // without a picture there is no job at all
        QCOMPARE(f.status->text(), Messages::noImage());
        QCOMPARE(f.d().jobID, 0);
        QVERIFY(!f.d().currentCG);
        QVERIFY(f.view->image().isNull());
        QVERIFY(calls().recognitions.isEmpty());
        QCOMPARE(calls().connectionsOpened, 0);

        // With a picture and its lines in place, a failed paste keeps them all.
        // The picture opened the connection for its job while it was read.
        const QImage red = fakes::picture(Qt::red);
        f.paste(red);
        QCOMPARE(calls().connectionsOpened, 1);
        calls().recognitions.last().completion(f.lines({QStringLiteral("one")}));
        QGuiApplication::clipboard()->clear();
        f.d().pasteNow();
        QCOMPARE(calls().connectionsOpened, 1);
        QCOMPARE(f.status->text(), Messages::noImage());
        QCOMPARE(f.d().jobID, 2);
        QCOMPARE(*f.d().currentCG, red);
        QCOMPARE(f.d().currentItems.size(), 1);
        QCOMPARE(f.view->image(), red);

        // The running job still ends with its own result.
        fakes::answerTranslations([](const QString &) { return QStringLiteral("אחת"); });
        QTRY_COMPARE(f.status->text(), Messages::done());
    }

    void noTextKeepsPictureAndLanguageChangesAskNothing()
    {
        WorkflowFixture f;
        f.d().languageChanged(); // nothing pasted yet
        const QImage green = fakes::picture(Qt::green);
        f.paste(green);
        f.d().languageChanged(); // still recognising
        QCOMPARE(f.status->text(), Messages::recognising());
        calls().recognitions[0].completion({});
        f.d().languageChanged(); // no text found
        QCOMPARE(f.status->text(), Messages::noText());
        QVERIFY(f.d().currentItems.isEmpty());
        QCOMPARE(f.view->image(), green);
        QVERIFY(calls().translations.isEmpty());
        QCOMPARE(f.d().jobID, 1);
    }

    void secondPasteOvertakesRecognition()
    {
        WorkflowFixture f;
        f.paste(fakes::picture(Qt::red));
        const QImage second = fakes::picture(Qt::yellow, {30, 30});
        f.paste(second);

        calls().recognitions[0].completion(WorkflowFixture::lines({QStringLiteral("stale")}));
        QVERIFY(f.d().currentItems.isEmpty());
        QCOMPARE(f.status->text(), Messages::recognising());
        QVERIFY(calls().translations.isEmpty());

        calls().recognitions[1].completion(WorkflowFixture::lines({QStringLiteral("fresh")}));
        QCOMPARE(f.d().currentItems.size(), 1);
        QCOMPARE(calls().translations.size(), 1);
        QCOMPARE(calls().translations[0].text, QStringLiteral("fresh"));

        // A second delivery for the overtaken paste still changes nothing.
        calls().recognitions[0].completion({});
        QCOMPARE(f.d().currentItems.size(), 1);
    }

    void jobGathersAnswersInLineOrder()
    {
        WorkflowFixture f;
        // With no row chosen, the first row's language.
        f.popup->setCurrentIndex(-1);
        const QImage source = fakes::picture(Qt::white);
        f.pasteAndRecognise(source, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        QCOMPARE(f.status->text(), QStringLiteral("מתרגם 3 שורות..."));
        QCOMPARE(f.d().jobID, 2);
        QCOMPARE(calls().translations.size(), 3);
        for (const fakes::Translation &t : calls().translations)
            QCOMPARE(t.to, QStringLiteral("iw"));

        // Answers come back in reverse order from the network's own thread.
        std::thread network([] {
            for (qsizetype k = calls().translations.size() - 1; k >= 0; --k)
                calls().translations[k].completion(calls().translations[k].text.toUpper() + QStringLiteral("  "));
        });
        network.join();
        QVERIFY(calls().renders.isEmpty()); // nothing is stored before the main thread runs
        QTRY_COMPARE(calls().renders.size(), 1);

        const fakes::Render &render = calls().renders[0];
        QCOMPARE(render.translated, (QStringList{QStringLiteral("A  "), QStringLiteral("B  "), QStringLiteral("C  ")}));
        QCOMPARE(render.source, source);
        QCOMPARE(render.items.size(), 3);
        QCOMPARE(f.d().lastText, QStringLiteral("A  \nB  \nC  "));
        QCOMPARE(*f.d().lastImage, render.result);
        QCOMPARE(f.view->image(), render.result);
        QCOMPARE(f.status->text(), Messages::done());
    }

    void failedLinesKeepSourceText_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QList<int>>("failing");
        QTest::addColumn<QString>("expectedStatus");
        const QStringList three{QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")};
        const QString oneFailed = QStringLiteral("בוצע, אבל 1 שורות לא תורגמו (בדוק חיבור לאינטרנט).");
        QTest::newRow("one of three") << three << QList<int>{1} << oneFailed;
        QTest::newRow("all") << three << QList<int>{0, 1, 2}
                             << QStringLiteral("בוצע, אבל 3 שורות לא תורגמו (בדוק חיבור לאינטרנט).");
    }

    void failedLinesKeepSourceText()
    {
        QFETCH(QStringList, lines);
        QFETCH(QList<int>, failing);
        QFETCH(QString, expectedStatus);
        WorkflowFixture f;
        f.pasteAndRecognise(fakes::picture(Qt::white), lines);
        QCOMPARE(calls().translations.size(), lines.size());
        QStringList expected;
        for (int k = 0; k < lines.size(); ++k) {
            const bool fails = failing.contains(k);
            expected << (fails ? lines[k] : QStringLiteral("[") + lines[k] + QStringLiteral("]"));
            calls().translations[k].completion(fails ? std::nullopt : std::optional(expected.last()));
        }
        QTRY_COMPARE(calls().renders.size(), 1);
        QCOMPARE(calls().renders[0].translated, expected);
        QCOMPARE(f.d().lastText, expected.join(u'\n'));
        QCOMPARE(f.status->text(), expectedStatus);
    }

    void pasteDuringJobDropsIt()
    {
        WorkflowFixture f;
        f.pasteAndRecognise(fakes::picture(Qt::white), {QStringLiteral("old")});
        const QImage next = fakes::picture(Qt::black);
        f.paste(next);

        fakes::answerTranslations([](const QString &) { return QStringLiteral("late"); });
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QVERIFY(calls().renders.isEmpty());
        QVERIFY(!f.d().lastImage);
        QVERIFY(f.d().lastText.isEmpty());
        QCOMPARE(f.view->image(), next);
        QCOMPARE(f.status->text(), Messages::recognising());
        QCOMPARE(f.d().jobID, 3);
    }

    void languageChangeDuringJobDropsOldJob()
    {
        WorkflowFixture f;
        f.pasteAndRecognise(fakes::picture(Qt::white), {QStringLiteral("hello"), QStringLiteral("world")});
        f.popup->setCurrentIndex(1);
        f.d().languageChanged();
        QCOMPARE(f.d().jobID, 3);
        QCOMPARE(calls().translations.size(), 4);
        QCOMPARE(calls().translations[2].to, QStringLiteral("en"));
        QCOMPARE(calls().translations[3].to, QStringLiteral("en"));

        // The old job's answers land in its own list only.
        calls().translations[0].completion(QStringLiteral("old0"));
        calls().translations[1].completion(QStringLiteral("old1"));
        QCoreApplication::processEvents();
        QVERIFY(calls().renders.isEmpty());
        QCOMPARE(f.status->text(), Messages::translating(2));

        calls().translations[3].completion(QStringLiteral("new1"));
        calls().translations[2].completion(QStringLiteral("new0"));
        QTRY_COMPARE(calls().renders.size(), 1);
        QCOMPARE(f.d().lastText, QStringLiteral("new0\nnew1"));

        // Choosing the same row again starts a job that asks nothing: its
        // lines were translated into that language in this run.
        f.d().languageChanged();
        QCOMPARE(f.status->text(), Messages::translating(2));
        QTRY_COMPARE(calls().renders.size(), 2);
        QCOMPARE(calls().translations.size(), 4);
        QCOMPARE(f.d().lastText, QStringLiteral("new0\nnew1"));
    }

    // Equal lines of one job are asked once and share its answer, or its failure.
    void equalLinesAskedOnce_data()
    {
        QTest::addColumn<bool>("answered");
        QTest::addColumn<QString>("lastText");
        QTest::addColumn<QString>("status");
        QTest::newRow("answered") << true << QStringLiteral("[Delete]\n[Rename]\n[Delete]\n[Delete]")
                                  << Messages::done();
        QTest::newRow("failed") << false << QStringLiteral("Delete\n[Rename]\nDelete\nDelete")
                                << Messages::partlyDone(3);
    }

    void equalLinesAskedOnce()
    {
        QFETCH(bool, answered);
        QFETCH(QString, lastText);
        QFETCH(QString, status);
        WorkflowFixture f;
        const QString del = QStringLiteral("Delete"), rename = QStringLiteral("Rename");
        f.pasteAndRecognise(fakes::picture(Qt::white), {del, rename, del, del});
        QCOMPARE(f.status->text(), Messages::translating(4));
        QCOMPARE(calls().translations.size(), 2);
        fakes::answerTranslations([&](const QString &text) -> std::optional<QString> {
            if (text == del && !answered)
                return std::nullopt;
            return u'[' + text + u']';
        });
        QTRY_COMPARE(f.status->text(), status);
        QCOMPARE(f.d().lastText, lastText);
    }

    // A line translated into a language in this run is not asked again in it:
    // not after a language switched away and back, not in the same picture
    // pasted again. A line that failed is asked again.
    void translatedLinesAreRemembered()
    {
        WorkflowFixture f;
        const QImage picture = fakes::picture(Qt::white);
        const QStringList lines{QStringLiteral("Hello"), QStringLiteral("Delete"), QStringLiteral("Offline")};
        const auto answer = [](qsizetype from, const QString &code, const QString &failing) {
            for (qsizetype k = from; k < calls().translations.size(); ++k) {
                const fakes::Translation &t = calls().translations[k];
                t.completion(t.text == failing ? std::nullopt : std::optional(u'[' + code + u"] "_qs + t.text));
            }
        };
        f.pasteAndRecognise(picture, lines);
        answer(0, QStringLiteral("iw"), QStringLiteral("Offline"));
        QTRY_COMPARE(f.status->text(), Messages::partlyDone(1));

        f.popup->setCurrentIndex(1);
        f.d().languageChanged();
        QCOMPARE(calls().translations.size(), 6);
        answer(3, QStringLiteral("en"), QString());
        QTRY_COMPARE(f.status->text(), Messages::done());

        f.popup->setCurrentIndex(0);
        f.d().languageChanged();
        QCOMPARE(calls().translations.size(), 7);
        QCOMPARE(calls().translations.last().text, QStringLiteral("Offline"));
        QCOMPARE(f.status->text(), Messages::translating(3));
        answer(6, QStringLiteral("iw"), QString());
        QTRY_COMPARE(f.status->text(), Messages::done());
        const QString hebrew = QStringLiteral("[iw] Hello\n[iw] Delete\n[iw] Offline");
        QCOMPARE(f.d().lastText, hebrew);

        // Pasted again, the picture asks nothing and still ends on a later turn.
        f.pasteAndRecognise(picture, lines);
        QCOMPARE(calls().translations.size(), 7);
        QCOMPARE(f.status->text(), Messages::translating(3));
        QTRY_COMPARE(f.status->text(), Messages::done());
        QCOMPARE(calls().renders.size(), 4);
        QCOMPARE(calls().renders.last().translated, hebrew.split(u'\n'));
    }

    // With whole sentences on, the lines of a wrapped paragraph go as one text
    // and its translation is shared back over them; the copied text holds one
    // paragraph a line. Turning it off translates the picture again by lines.
    void wholeSentencesTranslateParagraphs()
    {
        WorkflowFixture f;
        f.d().setWholeSentences(true); // nothing to translate yet
        QVERIFY(calls().translations.isEmpty());
        const QImage page = fakes::picture(Qt::white, {800, 600});
        const QStringList lines{QStringLiteral("Getting started"),
                                QStringLiteral("Your files are kept on this computer and are never"),
                                QStringLiteral("sent anywhere without your permission. The update will"),
                                QStringLiteral("be installed tonight.")};
        // A 30 px heading over a paragraph of 24 px lines, 28 px apart.
        const QList<QRectF> boxes{{40, 40, 220, 30}, {40, 90, 520, 24}, {40, 118, 540, 24}, {40, 146, 200, 24}};
        TextItems items;
        for (qsizetype k = 0; k < lines.size(); ++k)
            items.append({lines[k], normalisedBox(boxes[k], page.size())});
        f.paste(page);
        calls().recognitions.last().completion(items);
        const QString paragraph = lines.mid(1).join(u' ');
        QCOMPARE(calls().translations.size(), 2);
        QCOMPARE(calls().translations[0].text, lines[0]);
        QCOMPARE(calls().translations[1].text, paragraph);
        QCOMPARE(f.status->text(), Messages::translating(4));

        const QString translated = QStringLiteral("אחת שתיים שלוש ארבע חמש שש שבע שמונה תשע עשר");
        calls().translations[1].completion(translated);
        calls().translations[0].completion(QStringLiteral("תחילת עבודה"));
        QTRY_COMPARE(calls().renders.size(), 1);
        const QStringList shown = calls().renders[0].translated;
        QCOMPARE(shown.size(), 4);
        QCOMPARE(shown[0], QStringLiteral("תחילת עבודה"));
        QVERIFY(shown[1].startsWith(QStringLiteral("אחת")) && shown[3].endsWith(QStringLiteral("עשר")));
        QCOMPARE(shown.mid(1).join(u' '), translated);
        QCOMPARE(f.d().lastText, QStringLiteral("תחילת עבודה\n") + translated);

        f.d().setWholeSentences(false);
        QCOMPARE(f.status->text(), Messages::translating(4));
        QCOMPARE(calls().translations.size(), 5);
        QCOMPARE(calls().translations.last().text, lines.last());
    }

    // A job ends on a later turn of the event loop, never inside
    // translateAndShow: with no lines, or with answers given before
    // translateText returns.
    void jobFinishesOnALaterTurn_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("running");
        QTest::addColumn<QString>("finished");
        QTest::newRow("no lines") << QStringList() << QStringLiteral("מתרגם 0 שורות...") << Messages::done();
        QTest::newRow("answered at once")
            << QStringList{QStringLiteral("x")} << Messages::translating(1) << Messages::partlyDone(1);
    }

    void jobFinishesOnALaterTurn()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, running);
        QFETCH(QString, finished);
        WorkflowFixture f;
        f.d().currentCG = fakes::picture(Qt::cyan);
        f.d().currentItems = WorkflowFixture::lines(lines);
        calls().answerAtOnce = [](const QString &) { return std::nullopt; };
        f.d().translateAndShow();
        QCOMPARE(f.status->text(), running);
        QVERIFY(calls().renders.isEmpty());
        QTRY_COMPARE(f.status->text(), finished);
        QCOMPARE(calls().renders.size(), 1);
        QCOMPARE(calls().renders[0].items.size(), lines.size());
        QCOMPARE(f.d().lastText, lines.join(u'\n'));
        QVERIFY(f.d().lastImage);
    }

    void finishAfterDelegateIsGoneDoesNothing()
    {
        WorkflowFixture f;
        f.pasteAndRecognise(fakes::picture(Qt::white), {QStringLiteral("x")});
        f.delegate.reset();
        fakes::answerTranslations([](const QString &) { return QStringLiteral("y"); });
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QVERIFY(calls().renders.isEmpty());
    }

    void copiesTheLastResultOnly()
    {
        WorkflowFixture f;
        QClipboard *clipboard = QGuiApplication::clipboard();
        const QImage pasted = fakes::picture(Qt::magenta, {80, 40});
        f.paste(pasted);
        f.d().copyImage();
        QCOMPARE(f.status->text(), QStringLiteral("אין עדיין תמונה מתורגמת להעתקה."));
        f.d().copyText();
        QCOMPARE(f.status->text(), QStringLiteral("אין עדיין טקסט מתורגם להעתקה."));
        QCOMPARE(clipboard->image().convertToFormat(pasted.format()), pasted);

        // Each copy replaces the whole clipboard.
        calls().recognitions[0].completion(WorkflowFixture::lines({QStringLiteral("first"), QStringLiteral("second")}));
        fakes::answerTranslations([](const QString &text) { return text.toUpper(); });
        QTRY_COMPARE(f.status->text(), Messages::done());
        const QImage result = *f.d().lastImage;
        f.d().copyText();
        f.d().copyImage();
        QCOMPARE(f.status->text(), QStringLiteral("התמונה המתורגמת הועתקה ללוח."));
        QCOMPARE(clipboard->image().convertToFormat(QImage::Format_ARGB32), result);
        QVERIFY(!clipboard->mimeData()->hasText());
        f.d().copyText();
        QCOMPARE(f.status->text(), QStringLiteral("הטקסט המתורגם הועתק ללוח."));
        QCOMPARE(clipboard->text(), QStringLiteral("FIRST\nSECOND"));
        QVERIFY(!clipboard->mimeData()->hasImage());

        // A picture without text, or one still being recognised, leaves the
        // earlier result to copy.
        f.pasteAndRecognise(fakes::picture(Qt::gray), {});
        QCOMPARE(f.status->text(), Messages::noText());
        f.d().copyImage();
        QCOMPARE(clipboard->image().convertToFormat(QImage::Format_ARGB32), result);
        f.paste(fakes::picture(Qt::darkRed));
        f.d().copyText();
        QCOMPARE(clipboard->text(), QStringLiteral("FIRST\nSECOND"));
    }
};

QTEST_MAIN(WorkflowTest)
#include "WorkflowTest.moc"
