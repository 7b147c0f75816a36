// SPDX-License-Identifier: GPL-3.0-or-later

#include "LineReader.h"

#include "EnginePool.h"
#include "RecognitionThreads.h"

#include <QImage>

#include <tesseract/baseapi.h>
#include <tesseract/resultiterator.h>

#include <memory>

namespace {

// Letters of scripts written without spaces between words.
bool isDense(QChar c)
{
    switch (c.script()) {
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Hangul:
    case QChar::Script_Thai:
        return true;
    default:
        return false;
    }
}

// Tesseract splits lines of Han, kana, Hangul and Thai into "words" at the
// gaps between letters. Han, kana and Thai put no spaces between words, so
// only a gap this wide (a share of the letters' height) parts them; Korean
// puts spaces between words, which are wider than this.
constexpr double denseGap = 0.6;
constexpr double hangulGap = 0.2;

QList<WordReading> joinedDenseWords(const QList<WordReading> &words)
{
    QList<WordReading> joined;
    for (const WordReading &word : words) {
        if (!joined.isEmpty() && !word.text.isEmpty() && !joined.last().text.isEmpty()) {
            WordReading &last = joined.last();
            const int gap = std::max(word.box.left() - last.box.right(), last.box.left() - word.box.right()) - 1;
            const int height = std::max(word.box.height(), last.box.height());
            const bool hangul =
                last.text.back().script() == QChar::Script_Hangul || word.text.front().script() == QChar::Script_Hangul;
            if (isDense(last.text.back()) && isDense(word.text.front()) &&
                gap < (hangul ? hangulGap : denseGap) * height) {
                last.text += word.text;
                last.confidence = std::min(last.confidence, word.confidence);
                last.box |= word.box;
                continue;
            }
        }
        joined.append(word);
    }
    return joined;
}

} // namespace

LineReading readLine(const QImage &line, const QString &model)
{
    if (recognitionStopping())
        return {};
    EnginePool::Lease engine = EnginePool::shared().acquire(model);
    if (!engine)
        return {};
    engine->SetPageSegMode(tesseract::PSM_SINGLE_LINE);
    engine->SetImage(line.constBits(), line.width(), line.height(), 1, static_cast<int>(line.bytesPerLine()));
    const std::unique_ptr<char[]> text(engine->GetUTF8Text());
    if (!text)
        return {};
    LineReading reading{QString::fromUtf8(text.get()), engine->MeanTextConf(), model, {}};
    const std::unique_ptr<tesseract::ResultIterator> words(engine->GetIterator());
    if (words && !words->Empty(tesseract::RIL_WORD)) {
        do {
            const std::unique_ptr<char[]> word(words->GetUTF8Text(tesseract::RIL_WORD));
            int left = 0, top = 0, right = 0, bottom = 0;
            if (word && words->BoundingBox(tesseract::RIL_WORD, &left, &top, &right, &bottom))
                reading.words.append({QString::fromUtf8(word.get()), words->Confidence(tesseract::RIL_WORD),
                                      QRect(QPoint(left, top), QPoint(right - 1, bottom - 1))});
        } while (words->Next(tesseract::RIL_WORD));
    }
    reading.words = joinedDenseWords(reading.words);
    return reading;
}
