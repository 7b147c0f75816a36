#include "Scripts.h"

const QList<Script> &scripts()
{
    static const QList<Script> all{
        {"Latin", {"eng", "fra", "spa", "deu", "ita", "por", "pol", "tur", "vie"}},
        {"Cyrillic", {"rus", "ukr"}, true},
        {"Greek", {"ell"}, true},
        {"Hebrew", {"heb", "yid"}, true},
        {"Arabic", {"ara"}, true},
        {"Han", {"jpn", "chi_sim", "chi_tra"}},
        {"Hangul", {"kor"}},
        {"Thai", {"tha"}, true, 20},
    };
    return all;
}

QStringList scriptProbes()
{
    QStringList probes;
    for (const Script &script : scripts())
        probes.append(script.models.first());
    return probes;
}
