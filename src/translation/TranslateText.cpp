#include "TranslateText.h"

// Placeholder until the network client is wired in: no line is translated.
void translateText(const QString &, const QString &, TranslationCompletion completion)
{
    completion(std::nullopt);
}
