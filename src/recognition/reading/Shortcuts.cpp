// SPDX-License-Identifier: GPL-3.0-or-later

#include "Shortcuts.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

// How sure a shortcut is, once its names are known.
constexpr float sureShortcut = 90;

// The names of modifier keys as keyboards and menus write them, in English
// and in German, whose menus write their own.
const QStringList &modifierNames()
{
    static const QStringList names{"Umschalt", "Option", "Shift", "AltGr", "Super", "Ctrl",
                                   "Strg",     "Meta",   "Cmd",   "Alt",   "Win",   "Fn"};
    return names;
}

// Keys named by more than a character.
const QStringList &keyNames()
{
    static const QStringList names{"Backspace", "Einfg",  "Enter", "Entf", "Space", "Del",  "Esc",   "Tab",
                                   "Home",      "End",    "Ins",   "PgUp", "PgDn",  "Left", "Right", "Up",
                                   "Down",      "Return", "Pos1",  "Ende", "Bild↑", "Bild↓"};
    return names;
}

int distance(const QString &a, const QString &b)
{
    QList<int> row(b.size() + 1);
    for (qsizetype j = 0; j <= b.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int previous = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int here = std::min({row[j] + 1, row[j - 1] + 1, previous + (a[i - 1] != b[j - 1])});
            previous = row[j];
            row[j] = here;
        }
    }
    return row[b.size()];
}

// Whether `text` is a key: a capital letter or a digit, a function key, a
// named key, or after a real plus a mark typed with one, or a small letter
// read for a capital.
bool isKey(const QString &text, bool afterPlus)
{
    if (text.size() == 1) {
        const QChar c = text[0];
        return c.isDigit() || (c.isLetter() && c.unicode() < 0x80 && (c.isUpper() || afterPlus)) ||
               (afterPlus && QStringLiteral(",.-=/[]`';\\").contains(c));
    }
    if (text.size() <= 3 && text[0] == u'F' &&
        std::all_of(text.begin() + 1, text.end(), [](QChar c) { return c.isDigit(); }))
        return text.mid(1).toInt() >= 1 && text.mid(1).toInt() <= 24;
    return keyNames().contains(text);
}

// The shortcut `rest` spells after `modifiers` modifier names, the last
// followed by a plus where `afterPlus`, spelled right; or none. A name may be
// read a letter wrong ("Ctri", "CtrI", "Ctr", "Ctril"), but for the two
// letters of "Fn", and a name of four letters or more may lose its plus, or
// have it read as a look-alike, before the key.
QString spelledFrom(const QString &rest, int modifiers, bool afterPlus)
{
    static const QString misreadPlus = QStringLiteral("H4t#");
    if (modifiers > 0 && isKey(rest, afterPlus)) {
        // Keys are written as capitals; sans-serif fonts draw a capital I
        // as a small l.
        if (rest.size() == 1 && rest[0].isLower())
            return rest == u"l" ? QStringLiteral("I") : rest.toUpper();
        return rest;
    }
    for (const QString &name : modifierNames()) {
        const qsizetype slack = name.size() > 2 ? 1 : 0;
        for (const qsizetype n : {name.size(), name.size() - slack, name.size() + slack}) {
            if (n > rest.size() || rest[0] != name[0] || rest.left(n).contains(u'+') ||
                distance(rest.left(n), name) > slack)
                continue;
            const QString after = rest.mid(n);
            QString spelled;
            if (after.startsWith(u'+')) {
                spelled = spelledFrom(after.mid(1), modifiers + 1, true);
            } else if (name.size() >= 4) {
                spelled = spelledFrom(after, modifiers + 1, false);
                if (spelled.isEmpty() && after.size() > 1 && misreadPlus.contains(after[0]))
                    spelled = spelledFrom(after.mid(1), modifiers + 1, false);
            }
            if (!spelled.isEmpty())
                return name + u'+' + spelled;
        }
    }
    return {};
}

} // namespace

QString shortcutOf(const QString &word)
{
    return word.isEmpty() ? QString() : spelledFrom(word, 0, false);
}

void readShortcuts(LineReading &reading)
{
    bool changed = false;
    for (WordReading &word : reading.words) {
        const QString shortcut = shortcutOf(word.text);
        if (shortcut.isEmpty())
            continue;
        if (shortcut.size() == word.text.size() && word.letters.size() == word.text.size()) {
            for (qsizetype i = 0; i < shortcut.size(); ++i)
                word.letters[i].text = shortcut[i];
        }
        word.text = shortcut;
        word.confidence = std::max(word.confidence, sureShortcut);
        changed = true;
    }
    if (!changed)
        return;
    float sum = 0;
    for (const WordReading &word : reading.words)
        sum += word.confidence;
    reading.confidence = std::max(reading.confidence, int(std::lround(sum / float(reading.words.size()))));
}
