// SPDX-License-Identifier: GPL-3.0-or-later

#include "LineText.h"

#include <QRegularExpression>

#include <unicode/ubidi.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <optional>
#include <vector>

namespace {

bool isRightToLeft(QChar::Direction direction)
{
    return direction == QChar::DirR || direction == QChar::DirAL;
}

bool hasRightToLeft(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return isRightToLeft(c.direction()); });
}

// A piece of the line laid out as one: a word of right-to-left letters in
// its reading order, or a letter as drawn; `drawn` when its text is the shape
// on the page, which a right-to-left run shows mirrored. `rank` is where the
// reader put it in its reading order.
constexpr int maxLetters = 1 << 16;
struct Piece {
    QString text;
    bool drawn = false;
    int rank = 0;
};

// An order in which the pieces may have been typed, and which of them lie in
// right-to-left runs.
struct Typed {
    std::vector<int32_t> order;
    std::vector<bool> mirrored;
};

// Lays out `text` with the bidirectional algorithm (`mode` one of ICU's) in a
// paragraph of `direction`: the order of its characters as shown, with their
// levels; nothing on failure.
std::optional<Typed> laidOut(const std::u16string &text, UBiDiLevel direction, UBiDiReorderingMode mode)
{
    UErrorCode error = U_ZERO_ERROR;
    const std::unique_ptr<UBiDi, decltype(&ubidi_close)> bidi(ubidi_open(), ubidi_close);
    ubidi_setReorderingMode(bidi.get(), mode);
    ubidi_setPara(bidi.get(), text.data(), int32_t(text.size()), direction, nullptr, &error);
    Typed laid{std::vector<int32_t>(text.size()), std::vector<bool>(text.size())};
    ubidi_getVisualMap(bidi.get(), laid.order.data(), &error);
    if (U_FAILURE(error) || std::any_of(laid.order.begin(), laid.order.end(),
                                        [&](int32_t k) { return k < 0 || k >= int32_t(text.size()); }))
        return std::nullopt;
    for (std::size_t k = 0; k < text.size(); ++k)
        laid.mirrored[k] = ubidi_getLevelAt(bidi.get(), int32_t(k)) & 1;
    return laid;
}

// The character a piece is laid out by: its first strong letter, else its
// first digit, else its first character.
char16_t standIn(const QString &text)
{
    const auto first = [&](auto test) {
        return std::find_if(text.begin(), text.end(), [&](QChar c) { return test(c.direction()); });
    };
    auto found = first([](QChar::Direction d) { return isRightToLeft(d) || d == QChar::DirL; });
    if (found == text.end())
        found = first([](QChar::Direction d) { return d == QChar::DirEN || d == QChar::DirAN; });
    if (found == text.end())
        found = text.begin();
    // A letter outside the 16-bit plane (an emoji, a rare Han letter) stands
    // for a neutral or a left-to-right letter.
    if (found->isSurrogate())
        return found->isHighSurrogate() && QChar::direction(text.toUcs4().front()) == QChar::DirL ? u'a' : u'!';
    return found->unicode();
}

// Where a word's letters stand among its letters as drawn, left to right, or
// nothing when they do not spell the word.
QList<qsizetype> drawnLetters(const WordReading &word)
{
    QString spelled;
    for (const LetterReading &letter : word.letters)
        spelled += letter.text;
    QString a = spelled, b = word.text;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    if (word.letters.isEmpty() || a != b)
        return {};
    QList<qsizetype> drawn(word.letters.size());
    std::iota(drawn.begin(), drawn.end(), 0);
    std::stable_sort(drawn.begin(), drawn.end(),
                     [&](qsizetype x, qsizetype y) { return word.letters[x].box.left() < word.letters[y].box.left(); });
    return drawn;
}

// The strong direction nearest `from` going `step` along `text`: left to
// right, right to left, or neither when there is no strong letter that way.
QChar::Direction strongFrom(const QString &text, qsizetype from, int step)
{
    for (qsizetype k = from; k >= 0 && k < text.size(); k += step) {
        const QChar::Direction direction = text[k].direction();
        if (direction == QChar::DirL || isRightToLeft(direction))
            return direction;
    }
    return QChar::DirON;
}

// Between right-to-left words, "12.m4a" shows as "m4a.12", just as "m4a.12"
// does, so the picture cannot tell which was typed: a name that ends in a
// number then an extension of two letters or more ("113.pdf", "12.mp3") is
// what a person types, a Latin word after a number (".12") is not.
QString numberBeforeExtension(const QString &text)
{
    static const QRegularExpression extensionFirst(
        QStringLiteral("(?<![\\p{L}\\p{N}.])([A-Za-z][A-Za-z0-9]{1,4})\\.([0-9]+)(?![\\p{L}\\p{N}.])"));
    QString typed = text;
    QRegularExpressionMatchIterator matches = extensionFirst.globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        const QString extension = match.captured(1);
        const auto letters = std::count_if(extension.begin(), extension.end(), [](QChar c) { return c.isLetter(); });
        // Beside a Latin word the number is laid out with it, as drawn.
        if (letters < 2 || strongFrom(text, match.capturedStart() - 1, -1) == QChar::DirL ||
            strongFrom(text, match.capturedEnd(), 1) == QChar::DirL)
            continue;
        typed.replace(match.capturedStart(), match.capturedLength(), match.captured(2) + u'.' + extension);
    }
    return typed;
}

} // namespace

bool isSquareLetter(QChar c)
{
    // The kana's own block holds letters of both kana (the long vowel "ー").
    constexpr char16_t kanaFirst = 0x3040, kanaLast = 0x30ff;
    const QChar::Script script = c.script();
    return script == QChar::Script_Han || script == QChar::Script_Hangul || script == QChar::Script_Hiragana ||
           script == QChar::Script_Katakana || (c.isLetter() && c.unicode() >= kanaFirst && c.unicode() <= kanaLast);
}

QString cleanLineText(const QString &text)
{
    QString clean = text;
    clean.remove(QChar(0x200E));
    clean.remove(QChar(0x200F));
    return clean.trimmed();
}

QString lineText(const QList<WordReading> &words, bool rightToLeft)
{
    QList<WordReading> onLine;
    for (const WordReading &word : words) {
        if (!cleanLineText(word.text).isEmpty())
            onLine.append(word);
    }
    const auto join = [&] {
        QString text;
        for (const WordReading &word : onLine)
            text += (text.isEmpty() || word.joinsLeft ? QString() : QStringLiteral(" ")) + cleanLineText(word.text);
        return text;
    };
    if (std::any_of(onLine.begin(), onLine.end(), [](const WordReading &word) { return word.box.isEmpty(); }))
        return join();
    std::stable_sort(onLine.begin(), onLine.end(),
                     [](const WordReading &a, const WordReading &b) { return a.box.left() < b.box.left(); });
    if (std::none_of(onLine.begin(), onLine.end(), [](const WordReading &word) { return hasRightToLeft(word.text); }))
        return join();

    QList<Piece> pieces;
    int backward = 0, forward = 0;
    for (const WordReading &word : onLine) {
        if (!pieces.isEmpty() && !word.joinsLeft)
            pieces.append({QStringLiteral(" "), false, pieces.last().rank});
        const QString text = cleanLineText(word.text);
        for (const QChar c : text) {
            backward += isRightToLeft(c.direction());
            forward += c.direction() == QChar::DirL;
        }
        const int rank = word.readingOrder * maxLetters;
        const QList<qsizetype> drawn =
            word.readRightToLeft || hasRightToLeft(text) ? QList<qsizetype>{} : drawnLetters(word);
        if (drawn.isEmpty()) {
            pieces.append({text, false, rank});
            continue;
        }
        for (const qsizetype k : drawn)
            pieces.append({word.letters[k].text, true, rank + int(k)});
    }

    // A lone right-to-left letter in a Latin line is more often a mark read
    // as one: the line is Latin.
    if (backward <= 1 && forward > backward)
        return join();
    const UBiDiLevel paragraph = rightToLeft || backward > forward ? 1 : 0;
    std::u16string drawnText;
    for (const Piece &piece : pieces)
        drawnText.push_back(standIn(piece.text));
    // The algorithm laid out on what it showed gives back what was typed but
    // where a rule looks one way only: a number after a Latin word is taken
    // in with it, so "967 MB" laid out again comes back as "MB 967". ICU's
    // inverse orders come back right where that one does not. Of those that
    // show as drawn when laid out, the one nearest the reader's order is
    // taken.
    std::optional<Typed> best;
    bool bestShown = false;
    std::size_t fewestSwaps = 0;
    for (const UBiDiReorderingMode mode :
         {UBIDI_REORDER_DEFAULT, UBIDI_REORDER_INVERSE_LIKE_DIRECT, UBIDI_REORDER_INVERSE_NUMBERS_AS_L}) {
        const std::optional<Typed> typed = laidOut(drawnText, paragraph, mode);
        if (!typed)
            continue;
        std::u16string typedText;
        for (const int32_t k : typed->order) {
            const char16_t c = drawnText[std::size_t(k)];
            typedText.push_back(pieces[k].drawn && typed->mirrored[std::size_t(k)] ? QChar(c).mirroredChar().unicode()
                                                                                   : c);
        }
        const std::optional<Typed> shown = laidOut(typedText, paragraph, UBIDI_REORDER_DEFAULT);
        bool asDrawn = shown.has_value();
        for (std::size_t v = 0; asDrawn && v < shown->order.size(); ++v)
            asDrawn = typed->order[std::size_t(shown->order[v])] == int32_t(v);
        std::size_t swaps = 0;
        for (std::size_t i = 0; i < typed->order.size(); ++i) {
            for (std::size_t j = i + 1; j < typed->order.size(); ++j)
                swaps += pieces[typed->order[i]].rank > pieces[typed->order[j]].rank;
        }
        if (!best || (asDrawn && (!bestShown || swaps < fewestSwaps))) {
            best = typed;
            bestShown = asDrawn;
            fewestSwaps = swaps;
        }
    }
    if (!best)
        return join();
    QString text;
    for (const int32_t k : best->order) {
        QString piece = pieces[k].text;
        if (pieces[k].drawn && best->mirrored[std::size_t(k)]) {
            for (QChar &c : piece)
                c = c.mirroredChar();
        }
        text += piece;
    }
    return paragraph == 1 ? numberBeforeExtension(text.simplified()) : text.simplified();
}
