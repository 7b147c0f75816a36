// SPDX-License-Identifier: GPL-3.0-or-later

#include "Messages.h"
#include "WorkflowFixture.h"

#include <QMimeData>
#include <QtTest>

using fakes::calls;

class CopyCommandsTest : public QObject {
    Q_OBJECT

private:
    static QClipboard *clipboard() { return QGuiApplication::clipboard(); }

    // Runs one whole job over `texts`, every line answered with its upper case.
    static void finishJob(WorkflowFixture &f, const QImage &image, const QStringList &texts)
    {
        f.pasteAndRecognise(image, texts);
        fakes::answerTranslations([](const QString &text) { return text.toUpper(); });
        QTRY_COMPARE(f.status->text(), Messages::done());
    }

private Q_SLOTS:
    void nothingToCopyBeforeAJob();
    void copyImageThenTextLeavesOnlyText();
    void copiesLastResultWhileNewerWorkRuns();
};

void CopyCommandsTest::nothingToCopyBeforeAJob()
{
    WorkflowFixture f;
    const QImage pasted = WorkflowFixture::picture(Qt::magenta);
    WorkflowFixture::putOnClipboard(pasted);
    f.d().pasteNow();

    f.d().copyImage();
    QCOMPARE(f.status->text(), QStringLiteral("אין עדיין תמונה מתורגמת להעתקה."));
    f.d().copyText();
    QCOMPARE(f.status->text(), QStringLiteral("אין עדיין טקסט מתורגם להעתקה."));
    QCOMPARE(clipboard()->image().convertToFormat(pasted.format()), pasted);
}

void CopyCommandsTest::copyImageThenTextLeavesOnlyText()
{
    WorkflowFixture f;
    finishJob(f, WorkflowFixture::picture(Qt::white, {80, 40}), {QStringLiteral("first"), QStringLiteral("second")});

    f.d().copyImage();
    QCOMPARE(f.status->text(), QStringLiteral("התמונה המתורגמת הועתקה ללוח."));
    QCOMPARE(clipboard()->image().convertToFormat(QImage::Format_ARGB32), *f.d().lastImage);

    f.d().copyText();
    QCOMPARE(f.status->text(), QStringLiteral("הטקסט המתורגם הועתק ללוח."));
    QCOMPARE(clipboard()->text(), QStringLiteral("FIRST\nSECOND"));
    QVERIFY(!clipboard()->mimeData()->hasImage());
}

void CopyCommandsTest::copiesLastResultWhileNewerWorkRuns()
{
    WorkflowFixture f;
    finishJob(f, WorkflowFixture::picture(Qt::white), {QStringLiteral("kept")});
    const QImage firstResult = *f.d().lastImage;

    // A picture without text leaves the earlier result to copy.
    f.pasteAndRecognise(WorkflowFixture::picture(Qt::gray), {});
    QCOMPARE(f.status->text(), Messages::noText());
    f.d().copyText();
    QCOMPARE(clipboard()->text(), QStringLiteral("KEPT"));

    // So does a paste still being recognised.
    WorkflowFixture::putOnClipboard(WorkflowFixture::picture(Qt::darkRed));
    f.d().pasteNow();
    f.d().copyImage();
    QCOMPARE(clipboard()->image().convertToFormat(QImage::Format_ARGB32), firstResult);
}

QTEST_MAIN(CopyCommandsTest)
#include "CopyCommandsTest.moc"
