// SPDX-License-Identifier: GPL-3.0-or-later

#include "Scripts.h"

#include <map>

const QList<Script> &scripts()
{
    static const QList<Script> all{
        {"Latin", {"eng", "fra", "spa", "deu", "ita", "por", "pol", "tur", "vie"}},
        {"Cyrillic", {"rus", "ukr"}, true},
        {"Greek", {"ell"}},
        {"Hebrew", {"heb", "yid"}, true},
        {"Arabic", {"ara"}, true},
        {"Han", {"jpn", "chi_tra", "chi_sim"}, false, 0, 2},
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

QString ownLetters(const QString &model)
{
    static const std::map<QString, QString> letters{
        {"fra", "éèêëàâçîïôùûœÉÈÊÀÇÔ"},
        {"spa", "ñáéíóúü¿¡ÑÁÉÍÓÚ"},
        {"deu", "äöüßÄÖÜ"},
        {"ita", "àèéìòùÀÈÉÌÒÙ"},
        {"por", "ãõçáéíóúâêôàÃÕÇÁÉÍÓÚÂÊÔ"},
        {"pol", "ąćęłńóśźżĄĆĘŁŃÓŚŹŻ"},
        {"tur", "ğışçöüĞİŞÇÖÜ"},
        {"vie", "ăâđêôơưạảấầẩẫậắằẳẵặẹẻẽếềểễệỉịọỏốồổỗộớờởỡợụủứừửữựỳỵỷỹĂÂĐÊÔƠƯ"},
        {"ukr", "іїєґІЇЄҐ"},
        {"yid", "\u05f0\u05f1\u05f2\u05b7\u05b8\u05bf\ufb2e\ufb2f\ufb4e"},
    };
    const auto found = letters.find(model);
    return found == letters.end() ? QString() : found->second;
}
