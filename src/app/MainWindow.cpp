#include "AppDelegate.h"
#include "ContentView.h"
#include "ImageView.h"
#include "Messages.h"
#include "TargetLanguages.h"

#include <QPushButton>

namespace {

constexpr QSize contentSize(960, 700);

QPushButton *makeButton(const QString &title, AppDelegate *delegate, void (AppDelegate::*action)())
{
    auto *button = new QPushButton(title);
    QObject::connect(button, &QPushButton::clicked, delegate, action);
    return button;
}

} // namespace

void AppDelegate::buildWindow()
{
    window = new QMainWindow;
    window->setWindowTitle(QStringLiteral("Quillmere"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setMenuBar(menuBar);

    // Controls sit at absolute places and are not mirrored for the Hebrew
    // texts: only the text inside each control runs right to left.
    auto *content = new ContentView(contentSize);
    content->setLayoutDirection(Qt::LeftToRight);
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

    statusLabel = new QLabel(Messages::pasteHint());
    statusLabel->setWordWrap(false);
    statusLabel->setTextInteractionFlags(Qt::NoTextInteraction);
    content->place(statusLabel, {525, 12, 420, 20}, Rule::FollowsWidth);

    imageView = new ImageView;
    content->place(imageView, {0, 44, 960, 656}, Rule::FollowsWidthHeight);

    window->show();
}
