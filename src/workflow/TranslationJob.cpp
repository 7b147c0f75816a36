// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppDelegate.h"

#include "ImageView.h"
#include "Messages.h"
#include "RenderOverlay.h"
#include "TargetLanguages.h"
#include "TranslateText.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <memory>

namespace {

// The bookkeeping of one job, shared by its per-line completions and freed
// with the last of them. Touched on the main thread only.
struct JobLedger {
    QStringList results;
    qint64 failures = 0;
    qsizetype outstanding = 0;
    std::function<void(const JobLedger &)> finish;
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

} // namespace

void AppDelegate::translateAndShow()
{
    if (!currentCG)
        return;
    const TextItems items = currentItems;
    const QString code = selectedLanguageCode(*popup);
    const qint64 job = ++jobID;
    setStatus(Messages::translating(items.size()));

    auto ledger = std::make_shared<JobLedger>();
    ledger->results = QStringList(items.size());
    ledger->outstanding = items.size();
    ledger->finish = [self = QPointer(this), job, image = *currentCG, items](const JobLedger &done) {
        if (!self || job != self->jobID)
            return;
        const QImage overlay = renderOverlay(image, items, done.results);
        self->imageView->setImage(overlay);
        self->lastImage = overlay;
        self->lastText = done.results.join(u'\n');
        self->setStatus(done.failures == 0 ? Messages::done() : Messages::partlyDone(done.failures));
    };

    // Every request goes out now; answers come back in any order, on any
    // thread, and are stored at their own line's place on the main thread.
    for (qsizetype k = 0; k < items.size(); ++k) {
        translateText(items[k].text, code, [ledger, k, source = items[k].text](std::optional<QString> translation) {
            onMainThread([ledger, k, source, translation = std::move(translation)] {
                if (translation) {
                    ledger->results[k] = *translation;
                } else {
                    ledger->results[k] = source;
                    ++ledger->failures;
                }
                if (--ledger->outstanding == 0)
                    ledger->finish(*ledger);
            });
        });
    }
    if (items.isEmpty())
        onMainThread([ledger] { ledger->finish(*ledger); });
}
