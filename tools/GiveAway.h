// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include "tools/ChoiceGiveAway.h"

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

// The bigrams that more than the share (kStockShare unless given) of the questions hold; none for fewer than
// kStockMinQuestions questions.
Bigrams stockBigrams(const QList<Bigrams> &questions, double share = kStockShare);

// The share of the fill-in's bigrams (stock left out, at least minCompared) that the choice's bigrams hold.
double overlap(const Bigrams &fill, const Bigrams &choice, const Bigrams &stock, int minCompared = kMinComparedBigrams);

// Whether the normalised text prints the normalised answer, by rule 1.
bool prints(const QString &text, const QString &answer);

// The fill-in text that blank n (1 or 2) is compared by: the sentence around its marker 【n】, or the whole stem.
QString blankText(const QString &stem, int blank);

// Which of many normalised texts print an answer. An answer is looked for only in the texts that hold its rarest pair
// of neighbouring characters (its character, for an answer of one): a bank made for measuring has thousands of
// questions a module. The index works on characters, not tokens: an answer may be part of a word ("auto" in
// "auto类别") or hold punctuation ("'\\0'").
class PrintIndex {
public:
    explicit PrintIndex(const QList<QString> &texts);

    // The places of the texts that print the normalised answer, by rule 1, in order.
    QList<int> printing(const QString &answer) const;

private:
    QList<QString> m_texts;
    QHash<quint32, QList<int>> m_holders;
};

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

// One fill-in question given away by a choice question of another module: the modules (places in the lists), the
// questions' places within them, and whether the choice's keyed option is the answer itself.
struct CrossGiveAwayPair {
    int fillModule = 0;
    int choiceModule = 0;
    GiveAwayPair pair;
    bool sameAnswer = false;
};

// Give-aways between modules: every paper holds every module, so a fill-in answer printed by a choice question of
// another module about the same fact leaks as surely as one printed next door. A pair is reported when
// - the rule above holds, each module's fill-in questions compared with the choice questions of all the other
//   modules taken together (their stock phrases counted over that whole set); or
// - the choice question's answer (its keyed option without what all four options share, see ChoiceGiveAway.h) is an
//   accepted answer of the fill-in, of at least kMinSameAnswerLength characters, some of them letters: two modules
//   that ask for the same term ask about the same fact ("数据字典" in analysis and in database design) however
//   differently their stems put it, while a number two programs happen to print ("-1") is a coincidence, and so is
//   a two-character word ("数据", "操作") that every module uses.
// Ordered by fill-in module, fill-in question, choice module and choice question.
inline constexpr int kMinSameAnswerLength = 3;
QList<CrossGiveAwayPair> findCrossModuleGiveAways(const QList<QList<FillText>> &fills,
                                                  const QList<QList<KeyedChoice>> &choices);
