#pragma once

#include "AppDelegate.h"
#include "RecognizeText.h"
#include "RenderOverlay.h"
#include "RoutedTranslation.h"
#include "WiredControls.h"

#include <QTest>

#include <memory>

// Stand-ins for recognition and rendering, so that a job runs with the real
// translation client and nothing else real: recognizeText keeps its calls
// for the test to answer, renderOverlay records what it was given.
namespace standIns {

struct Render {
    TextItems items;
    QStringList translated;
};

QList<RecognitionCompletion> &recognitions();
QList<Render> &renders();

} // namespace standIns

// A delegate wired to bare controls, with translations routed to `route`.
struct RealClientFixture {
    std::unique_ptr<AppDelegate> delegate = std::make_unique<AppDelegate>();
    WiredControls controls{*delegate};
    QLabel *status = &controls.status;
    QComboBox *popup = &controls.popup;
    ImageView *view = &controls.view;

    explicit RealClientFixture(const TranslationRoute &route)
    {
        standIns::recognitions().clear();
        standIns::renders().clear();
        routeTranslations(route);
    }

    AppDelegate &d() { return *delegate; }

    // Starts a job over `texts` on a plain picture, as a recognition that
    // found them would.
    void translate(const QStringList &texts)
    {
        QImage picture(320, 24 * int(texts.size() + 1), QImage::Format_RGB32);
        picture.fill(Qt::white);
        d().currentCG = picture;
        d().currentItems.clear();
        for (qsizetype i = 0; i < texts.size(); ++i)
            d().currentItems.append({texts[i], QRectF(0.05, 1.0 - double(i + 1) / double(texts.size() + 1), 0.9,
                                                      0.8 / double(texts.size() + 1))});
        d().translateAndShow();
    }

    // Waits until the current job has shown its result.
    bool waitForFinish(int timeoutMs = 60'000)
    {
        return QTest::qWaitFor([this] { return !standIns::renders().isEmpty(); }, timeoutMs);
    }
};
