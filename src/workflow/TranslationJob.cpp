// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppDelegate.h"

#include "ImageView.h"
#include "LineShares.h"
#include "Messages.h"
#include "Paragraphs.h"
#include "RenderOverlay.h"
#include "TargetLanguages.h"
#include "TranslateText.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <memory>
#include <utility>

namespace {

// What one request translates: a line alone or, when whole sentences are
// asked for, the paragraph its lines continue.
struct Passage {
    Paragraph lines;
    QString text;
};

// The bookkeeping of one job, shared by its per-text completions and freed
// with the last of them. Touched on the main thread only.
struct JobLedger {
    TextItems items;
    QList<Passage> passages;
    QStringList results;      // one a line, for the overlay
    QStringList translations; // one a passage, for the copied text
    qint64 failures = 0;
    qsizetype outstanding = 0;
    // The picture the overlay is painted on, copied while the answers are
    // awaited, so that the copy is not part of the wait after the last one.
    QImage canvas;
    std::function<void(JobLedger &)> finish;
};

void onMainThread(std::function<void()> work)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
}

QString selectedLanguageCode(const QComboBox &popup)
{
    const int row = popup.currentIndex();
    return targetLanguages.at(row < 0 || row >= targetLanguages.size() ? 0 : row).code;
}

QList<Passage> passagesOf(const TextItems &items, bool wholeSentences, QSizeF picture)
{
    QList<Passage> passages;
    if (wholeSentences) {
        for (const Paragraph &paragraph : paragraphsOf(items, picture))
            passages.append({paragraph, paragraphText(items, paragraph)});
    } else {
        for (qsizetype k = 0; k < items.size(); ++k)
            passages.append({{k}, items[k].text});
    }
    return passages;
}

// A line's translation is stored as received; a paragraph's is shared over
// its lines. Without a translation every line keeps its own text and fails.
void store(JobLedger &ledger, qsizetype p, const std::optional<QString> &translation)
{
    const Passage &passage = ledger.passages[p];
    if (!translation) {
        for (const qsizetype k : passage.lines)
            ledger.results[k] = ledger.items[k].text;
        ledger.failures += passage.lines.size();
        ledger.translations[p] = passage.text;
        return;
    }
    ledger.translations[p] = *translation;
    if (passage.lines.size() == 1) {
        ledger.results[passage.lines.first()] = *translation;
        return;
    }
    QList<double> widths;
    for (const qsizetype k : passage.lines)
        widths.append(ledger.items[k].box.width());
    const QStringList parts = shareOverLines(*translation, widths);
    for (qsizetype n = 0; n < passage.lines.size(); ++n)
        ledger.results[passage.lines[n]] = parts[n];
}

} // namespace

void AppDelegate::translateAndShow()
{
    if (!currentCG)
        return;
    const QString code = selectedLanguageCode(*popup);
    const qint64 job = ++jobID;
    setStatus(Messages::translating(currentItems.size()));

    auto ledger = std::make_shared<JobLedger>();
    ledger->items = currentItems;
    ledger->passages = passagesOf(currentItems, wholeSentences, currentCG->size());
    ledger->results = QStringList(currentItems.size());
    ledger->translations = QStringList(ledger->passages.size());
    ledger->finish = [self = QPointer(this), job](JobLedger &done) {
        if (!self || job != self->jobID)
            return;
        const QImage overlay = renderOverlay(std::exchange(done.canvas, {}), done.items, done.results);
        self->imageView->setImage(overlay);
        self->lastImage = overlay;
        self->lastText = done.translations.join(u'\n');
        self->setStatus(done.failures == 0 ? Messages::done() : Messages::partlyDone(done.failures));
    };

    // A text translated earlier in this run is not asked again, and equal
    // texts of one job are asked once.
    QStringList asked;
    QHash<QString, QList<qsizetype>> askedFor;
    for (qsizetype p = 0; p < ledger->passages.size(); ++p) {
        const QString &text = ledger->passages[p].text;
        if (const std::optional<QString> known = translationMemory.recall(text, code)) {
            store(*ledger, p, known);
            continue;
        }
        if (!askedFor.contains(text))
            asked.append(text);
        askedFor[text].append(p);
    }
    ledger->outstanding = asked.size();

    // Every request goes out now; answers come back in any order, on any
    // thread, and are stored at their own lines' places on the main thread.
    for (const QString &text : asked) {
        const auto answered = [self = QPointer(this), ledger, text, code,
                               same = askedFor.value(text)](const std::optional<QString> &translation) {
            if (translation && self)
                self->translationMemory.remember(text, code, *translation);
            for (const qsizetype p : same)
                store(*ledger, p, translation);
            if (--ledger->outstanding == 0)
                ledger->finish(*ledger);
        };
        translateText(text, code, [answered](std::optional<QString> translation) {
            onMainThread([answered, translation = std::move(translation)] { answered(translation); });
        });
    }
    ledger->canvas = currentCG->copy();
    if (asked.isEmpty())
        onMainThread([ledger] { ledger->finish(*ledger); });
}
