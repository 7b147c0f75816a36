// SPDX-License-Identifier: GPL-3.0-or-later

#include "FakeServices.h"

#include <QColor>

namespace fakes {

Calls &calls()
{
    static Calls all;
    return all;
}

void reset()
{
    calls() = {};
}

QImage picture(QColor colour, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

void answerTranslations(const std::function<std::optional<QString>(const QString &)> &answer)
{
    const QList<Translation> pending = calls().translations;
    for (const Translation &t : pending)
        t.completion(answer(t.text));
}

} // namespace fakes

void recognizeText(const QImage &image, RecognitionCompletion completion, std::shared_ptr<RecognitionMemory>)
{
    fakes::calls().recognitions.append({image, std::move(completion)});
}

void translateText(const QString &text, const QString &to, TranslationCompletion completion)
{
    fakes::calls().translations.append({text, to, completion});
    if (fakes::calls().answerAtOnce)
        completion(fakes::calls().answerAtOnce(text));
}

void openTranslationConnection()
{
    ++fakes::calls().connectionsOpened;
}

// A result that no source picture looks like, so a test can tell it apart.
QImage renderOverlay(QImage source, const TextItems &items, const QStringList &translated)
{
    QImage result(source.size(), QImage::Format_ARGB32);
    result.fill(QColor(0x12, 0x34, 0x56, 0x78 + int(fakes::calls().renders.size() % 100)));
    fakes::calls().renders.append({source, items, translated, result});
    return result;
}
