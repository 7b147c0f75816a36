// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppDelegate.h"
#include "ContentView.h"
#include "ImageView.h"
#include "Messages.h"
#include "PictureDrop.h"
#include "StatusLabel.h"
#include "TargetLanguages.h"
#include "TitleButton.h"
#include "WindowPlacement.h"

#include <QScreen>

namespace {

constexpr QSize contentSize(960, 700);

QPushButton *makeButton(const QString &title, AppDelegate *delegate, void (AppDelegate::*action)())
{
    auto *button = new TitleButton(title);
    QObject::connect(button, &QPushButton::clicked, delegate, action);
    return button;
}

} // namespace

void AppDelegate::buildWindow()
{
    window = new QMainWindow;
    window->setWindowTitle(QStringLiteral("Quillmere"));
    // Controls and menus sit at absolute places and are not mirrored for the
    // Hebrew texts, whatever the desktop's language.
    window->setLayoutDirection(Qt::LeftToRight);
    window->setMenuBar(menuBar);

    auto *content = new ContentView(contentSize);
    window->setCentralWidget(content);

    using Rule = ContentView::Resizing;
    content->place(makeButton(Messages::pasteButtonTitle(), this, &AppDelegate::pasteNow), {10, 8, 150, 28},
                   Rule::PinnedTopLeft);

    popup = new QComboBox;
    for (const TargetLanguage &language : targetLanguages)
        popup->addItem(language.name);
    connect(popup, &QComboBox::activated, this, &AppDelegate::languageChanged);
    content->place(popup, {170, 8, 120, 28}, Rule::PinnedTopLeft);

    content->place(makeButton(QStringLiteral("העתק תמונה"), this, &AppDelegate::copyImage), {300, 8, 110, 28},
                   Rule::PinnedTopLeft);
    content->place(makeButton(QStringLiteral("העתק טקסט"), this, &AppDelegate::copyText), {415, 8, 100, 28},
                   Rule::PinnedTopLeft);

    statusLabel = new StatusLabel(Messages::pasteHint());
    content->place(statusLabel, {525, 12, 420, 20}, Rule::FollowsWidth);

    imageView = new ImageView;
    content->place(imageView, {0, 44, 960, 656}, Rule::FollowsWidthHeight);

    // A picture dropped anywhere on the window goes the way of a pasted one.
    new PictureDrop(window, [this](std::optional<QImage> picture) { pasteImage(std::move(picture)); });

    // The menu bar sits above the content on this platform, so the window is
    // sized from its layout to leave the content area at its design size.
    window->resize(window->sizeHint());
    window->move(centredOnScreen(window->size(), window->screen()->availableGeometry()));
    window->show();
}
