// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "RecognitionMemory.h"
#include "TextItem.h"
#include "TranslationMemory.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QObject>
#include <QPointer>

#include <memory>
#include <optional>

class ImageView;

// Owns the window, its controls and the working state, and runs every
// command. Everything here is read and written on the main thread only.
//
// Work that finishes later (a recognition, a translation job) carries the
// value of jobID from when it started and may touch the state only if that is
// still the current value: newer work overtakes older work without
// cancelling it.
class AppDelegate : public QObject {
    Q_OBJECT
public:
    AppDelegate();
    ~AppDelegate() override;

    // Launch: menu bar, window, focus. The first paste follows (Launch.h).
    void applicationDidFinishLaunching();
    bool applicationShouldTerminateAfterLastWindowClosed() const { return true; }

public Q_SLOTS:
    void pasteNow();
    void languageChanged();
    void copyImage();
    void copyText();
    // Whether lines that continue one paragraph are translated together; the
    // current picture is translated again, as for another language.
    void setWholeSentences(bool on);

public:
    void buildMenu();
    void buildWindow();
    void setStatus(const QString &text);
    // The rest of a paste, once the clipboard has given its picture or nothing.
    void pasteImage(std::optional<QImage> image);
    void translateAndShow();

    QPointer<QMainWindow> window;
    QPointer<ImageView> imageView;
    QPointer<QLabel> statusLabel;
    QPointer<QComboBox> popup;
    std::optional<QImage> currentCG;
    TextItems currentItems;
    std::optional<QImage> lastImage;
    QString lastText;
    qint64 jobID = 0;
    bool wholeSentences = false;
    // What was translated in this run, for the jobs that follow.
    TranslationMemory translationMemory;
    // What each recognition leaves for the next (the last page's language).
    std::shared_ptr<RecognitionMemory> recognitionMemory = std::make_shared<RecognitionMemory>();

private:
    QPointer<QMenuBar> menuBar;
};
