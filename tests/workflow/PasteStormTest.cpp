// Fifty pastes in quick succession, each overtaking the recognition or the job
// of the one before, with the real recogniser, translation client and renderer:
// the window ends on the last picture's translation, and the work dropped on
// the way leaves no thread behind. (bench/reliability prints the memory.)
#include "AppDelegate.h"
#include "FakeTranslationService.h"
#include "Messages.h"
#include "RecognizeText.h"
#include "RoutedTranslation.h"
#include "WiredControls.h"

#include <QClipboard>
#include <QDir>
#include <QPainter>
#include <QtTest>

namespace {

// Three lines of text on a picture whose width tells which paste it was.
QImage picture(int paste)
{
    QImage image(640 + paste, 160, QImage::Format_RGB32);
    image.fill(paste % 2 ? QColor(0x20, 0x24, 0x2a) : QColor(Qt::white));
    QPainter painter(&image);
    QFont font(QStringLiteral("Noto Sans"));
    font.setPixelSize(22);
    painter.setFont(font);
    painter.setPen(paste % 2 ? Qt::white : Qt::black);
    painter.drawText(24, 40, QStringLiteral("Open the settings"));
    painter.drawText(24, 85, QStringLiteral("Save your changes"));
    painter.drawText(24, 130, QStringLiteral("Close this window"));
    return image;
}

int threadCount()
{
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

} // namespace

class PasteStormTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void onlyTheLastPasteShows()
    {
        const FakeTranslationService service({u"--delay-ms"_qs, u"100"_qs});
        QVERIFY(service.isListening());
        routeTranslations({service.endpoint(), {std::chrono::seconds(60), std::chrono::seconds(120)}});
        AppDelegate delegate;
        WiredControls controls(delegate);
        warmUpRecognizer();

        // One paste to its end first, so that engines and connections exist.
        QGuiApplication::clipboard()->setImage(picture(0));
        delegate.pasteNow();
        QTRY_COMPARE_WITH_TIMEOUT(controls.status.text(), Messages::done(), 120'000);

        // Two storms: the first may still grow the thread pools to their
        // size; after the second there are no more threads than after the first.
        QList<int> threads;
        for (int storm = 0; storm < 2; ++storm) {
            constexpr int pastes = 50;
            for (int paste = 1; paste <= pastes; ++paste) {
                QGuiApplication::clipboard()->setImage(picture(paste));
                delegate.pasteNow();
                QTest::qWait(40);
            }
            QTRY_VERIFY_WITH_TIMEOUT(controls.status.text() == Messages::done() && delegate.lastImage &&
                                         delegate.lastImage->size() == picture(pastes).size(),
                                     240'000);
            QCOMPARE(controls.view.image().size(), picture(pastes).size());
            QCOMPARE(delegate.currentCG->size(), picture(pastes).size());
            QVERIFY2(delegate.lastText.startsWith(u"[iw] "), qPrintable(delegate.lastText));
            QCOMPARE(delegate.lastText.count(u'\n'), 2);

            // Dropped work still runs to its end; once it has, nothing changes.
            const QString text = delegate.lastText;
            const qint64 job = delegate.jobID;
            QTest::qWait(3'000);
            QCOMPARE(delegate.jobID, job);
            QCOMPARE(delegate.lastText, text);
            QCOMPARE(controls.status.text(), Messages::done());
            threads.append(threadCount());
        }
        qInfo("threads after the first storm: %d, after the second: %d", threads[0], threads[1]);
        QVERIFY(threads[1] <= threads[0]);
    }
};

QTEST_MAIN(PasteStormTest)
#include "PasteStormTest.moc"
