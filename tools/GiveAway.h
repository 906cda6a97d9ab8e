// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// Finds fill-in questions that a choice question of the same module gives away. A paper draws both kinds from every
// module, so when a choice question prints a fill-in answer while saying what the fill-in stem says, a candidate who
// reads both copies the answer instead of recalling it.
//
// The rule, for one fill-in and one choice question of the same module:
// 1. An accepted answer of the fill-in key is printed by the choice question: it occurs in the choice's stem or in one
//    of its options (letter case and full-width forms ignored; an answer that begins or ends with a letter or digit
//    must not run on into another letter or digit, so "12" is not found in "120").
// 2. The two questions say the same thing: of the fill-in text's bigrams, at least the share kOverlapThreshold also
//    occurs in the choice's stem and options; kSingleCharacterOverlapThreshold for an answer of one character, which
//    turns up in almost any text. A bigram is a pair of neighbouring tokens, where a token is one Chinese character
//    or one word of letters and digits (an identifier, a number): Chinese needs no word splitting, and two programs
//    are not alike merely for using the same letters. Punctuation and spaces are skipped, the blank markers 【1】
//    left out. The fill-in text is the whole stem, or for a two-blank key the sentence holding that blank (ending at
//    。；？！) unless the sentence has fewer than kMinSentenceBigrams. The share is taken of at least
//    kMinComparedBigrams, so that a stem with next to nothing of its own cannot match on one or two pairs.
// 3. The exam's stock phrases do not count: in a module of at least kStockMinQuestions questions, a bigram that occurs
//    in more than kStockShare of them ("下列", "叙述", "输出结果", "int main") is left out of both sides.
namespace GiveAway {

inline constexpr double kOverlapThreshold = 0.3;
inline constexpr double kSingleCharacterOverlapThreshold = 0.8;
inline constexpr double kStockShare = 0.2;
inline constexpr int kStockMinQuestions = 20;
inline constexpr int kMinSentenceBigrams = 8;
inline constexpr int kMinComparedBigrams = 6;

using Bigrams = QSet<quint64>;

// The text as the rule compares it: compatibility forms folded (full-width letters, digits and punctuation become
// their plain forms), lower case.
QString normalized(const QString &text);

// The bigrams of a text; a text of a single token has that token instead.
Bigrams bigrams(const QString &text);

// The bigrams that more than kStockShare of the questions hold; none for fewer than kStockMinQuestions questions.
Bigrams stockBigrams(const QList<Bigrams> &questions);

// The share of the fill-in's bigrams (stock left out, at least kMinComparedBigrams) that the choice's bigrams hold.
double overlap(const Bigrams &fill, const Bigrams &choice, const Bigrams &stock);

// Whether the normalised text prints the normalised answer, by rule 1.
bool prints(const QString &text, const QString &answer);

// The fill-in text that blank n (1 or 2) is compared by: the sentence around its marker 【n】, or the whole stem.
QString blankText(const QString &stem, int blank);

} // namespace GiveAway

struct FillText {
    QString stem;
    QByteArray key;
};

struct ChoiceText {
    QString stem;
    QStringList options;
};

// One fill-in question given away by one choice question: their places in the lists, the blank (1 or 2), the answer
// printed and the overlap found.
struct GiveAwayPair {
    int fill = 0;
    int choice = 0;
    int blank = 1;
    QString answer;
    double overlap = 0;
};

// Every give-away among the questions of one module, ordered by fill-in and then choice question; the answer with
// the largest overlap is reported for each pair.
QList<GiveAwayPair> findGiveAways(const QList<FillText> &fills, const QList<ChoiceText> &choices);
