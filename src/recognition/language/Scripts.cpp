// SPDX-License-Identifier: GPL-3.0-or-later

#include "Scripts.h"

#include "LatinWords.h"
#include "TextFixes.h"

#include <algorithm>

const QList<Script> &scripts()
{
    static const QList<Script> all{
        {.name = "Latin",
         .languages = {{"eng", {}, "en"},
                       {"fra", "éèêëàâçîïôùûœÉÈÊÀÇÔ", "fr"},
                       {"spa", "ñáéíóúü¿¡ÑÁÉÍÓÚ", "es"},
                       {"deu", "äöüßÄÖÜ", "de"},
                       {"ita", "àèéìòùÀÈÉÌÒÙ", "it"},
                       {"por", "ãõçáéíóúâêôàÃÕÇÁÉÍÓÚÂÊÔ", "pt"},
                       {"pol", "ąćęłńóśźżĄĆĘŁŃÓŚŹŻ", "pl"},
                       {"tur", "ğışçöüĞİŞÇÖÜ", "tr"},
                       {"vie", "ăâđêôơưạảấầẩẫậắằẳẵặẹẻẽếềểễệỉịọỏốồổỗộớờởỡợụủứừửữựỳỵỷỹĂÂĐÊÔƠƯ", "vi"}},
         .letters = {QChar::Script_Latin}},
        {.name = "Cyrillic",
         .languages = {{"rus"}, {"ukr", "іїєґІЇЄҐ"}},
         .letters = {QChar::Script_Cyrillic},
         .withLatin = true,
         .secondReadings = {mendUnits, mendLatinLookalikes, mendLatinSuffixes},
         .latinLookalikes = "АВЕКМНОРСТХІЈЅаеорсухіјѕкмнтпигвш",
         .readAsLatin = true,
         .alike = "Greek"},
        {.name = "Greek",
         .languages = {{"ell", {}, nullptr, greekMu}},
         .letters = {QChar::Script_Greek},
         .secondReadings = {mendLookalikeWords, mendLatinSuffixes},
         .finalFix = monotonicGreek,
         .readAsLatin = true,
         .alike = "Cyrillic"},
        {.name = "Hebrew",
         .languages = {{"heb", {}, "he"},
                       {"yid", "\u05f0\u05f1\u05f2\u05b7\u05b8\u05bf\ufb2e\ufb2f\ufb4e", "yi", yiddishMaqafs}},
         .letters = {QChar::Script_Hebrew},
         .withLatin = true,
         .secondReadings = {mendNumberLine, mendLatinWords, mendLatinSuffixes},
         .rightToLeft = true},
        {.name = "Arabic",
         .languages = {{"ara"}},
         .letters = {QChar::Script_Arabic},
         .secondReadings = {mendLookalikeWords, mendLatinSuffixes},
         .rightToLeft = true,
         .joined = true},
        {.name = "Han",
         .languages = {{"jpn"}, {"chi_tra", {}, nullptr, fullWidthMarks}, {"chi_sim", {}, nullptr, fullWidthMarks}},
         .letters = {QChar::Script_Han, QChar::Script_Hiragana, QChar::Script_Katakana},
         .probes = 2},
        // The Korean model tells 어 from 머 and 에 from 메 at 1x sizes only
        // when they are larger.
        {.name = "Hangul",
         .languages = {{"kor"}},
         .letters = {QChar::Script_Hangul},
         .secondReadings = {mendLatinRuns},
         .lineHeight = 48},
        {.name = "Thai",
         .languages = {{"tha", {}, nullptr, thaiSaraAm}},
         .letters = {QChar::Script_Thai},
         .withLatin = true,
         .lead = 20,
         .secondReadings = {mendLinesReadAsLatin},
         .usualMarks = QStringLiteral("\u0e31\u0e34\u0e35\u0e36\u0e37\u0e38\u0e39\u0e3a\u0e47\u0e48\u0e49\u0e4a"
                                      "\u0e4b\u0e4c\u0e4d"),
         .unspaced = true},
    };
    return all;
}

bool Script::carriesUsualMarks(const QString &text) const
{
    // A name may go without ("กาบอง"), a phrase hardly.
    constexpr int lettersToTell = 8;
    if (usualMarks.isEmpty())
        return true;
    const auto own = std::count_if(text.begin(), text.end(), [&](QChar c) { return letters.contains(c.script()); });
    return own < lettersToTell ||
           std::any_of(text.begin(), text.end(), [&](QChar c) { return usualMarks.contains(c); });
}

QStringList Script::models() const
{
    QStringList names;
    for (const Language &language : languages)
        names.append(language.model);
    return names;
}

double Script::share(const QString &text, bool latinToo, bool extensionsToo) const
{
    constexpr qsizetype longestExtension = 5;
    const auto isAsciiLetterOrDigit = [](QChar c) { return c.isDigit() || (c.isLetter() && c.unicode() < 0x80); };
    int all = 0, own = 0;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text[k];
        if (extensionsToo && c == u'.' && k > 0) {
            qsizetype end = k + 1;
            while (end < text.size() && isAsciiLetterOrDigit(text[end]))
                ++end;
            const qsizetype length = end - k - 1;
            if (length > 0 && length <= longestExtension && (end == text.size() || text[end].isSpace())) {
                const int letters =
                    int(std::count_if(text.begin() + k + 1, text.begin() + end, [](QChar e) { return e.isLetter(); }));
                all += letters;
                own += letters;
                k = end - 1;
                continue;
            }
        }
        if (!c.isLetter())
            continue;
        ++all;
        own += letters.contains(c.script()) || (latinToo && c.script() == QChar::Script_Latin);
    }
    return all ? double(own) / all : 0.0;
}

QString Script::readingModel(const QString &language) const
{
    return withLatin ? language + "+eng" : language;
}

const Language *languageOf(const QString &model)
{
    const QString first = model.section(u'+', 0, 0);
    for (const Script &script : scripts()) {
        for (const Language &language : script.languages) {
            if (language.model == first)
                return &language;
        }
    }
    return nullptr;
}

const Script *scriptOf(const QString &model)
{
    const Language *language = languageOf(model);
    if (!language)
        return nullptr;
    const auto &all = scripts();
    return &*std::find_if(all.begin(), all.end(), [&](const Script &script) {
        return std::any_of(script.languages.begin(), script.languages.end(),
                           [&](const Language &l) { return &l == language; });
    });
}

bool isLatinModel(const QString &model)
{
    return scriptOf(model) == &scripts().first();
}

QStringList scriptProbes()
{
    QStringList probes;
    for (const Script &script : scripts())
        probes.append(script.languages.first().model);
    return probes;
}

double nonLatinShare(const QString &text)
{
    int letters = 0, latin = 0;
    for (const QChar c : text) {
        if (!c.isLetter())
            continue;
        ++letters;
        latin += c.script() == QChar::Script_Latin;
    }
    return letters ? 1.0 - double(latin) / letters : 0.0;
}
