// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Finds choice questions that another choice question of the same module answers. A paper draws eleven choice
// questions from each module, so two that test one fact meet on a paper often enough for the second to be read off
// the first.
//
// The rule, for the question asked (Q) and the question that gives it away (P), both of one module:
// 1. Q's answer is the text of its keyed option without what all four options share at its start and end
//    ("逐步求精法" among "归纳法", "递归法", … answers "逐步求精"). The shared part stays when cutting it would split a
//    word of letters or digits or leave fewer than kMinCutAnswer characters: "数据" cut from "面向数据的方法" is part
//    of half the terms of a database module.
// 2. P states that answer: it occurs (as the fill-in give-away rule finds answers) in P's stem or in what P holds
//    true, its keyed option; for a stem that asks for the false statement ("不正确", "不包括", "不属于" …) the three
//    other options instead, since those are the true ones. An option that is the answer and nothing more states
//    nothing: the candidate sees it as one choice of four. An occurrence whose surroundings (a character either
//    side) Q's own stem also shows tells nothing: "对象" in "在面向对象方法中" answers no question that begins so.
// 3. P singles the answer out: what it states holds none of Q's other options, in the same sense as the answer
//    ("顺序结构和选择结构" tells no one which of the two is the most basic structure).
// 4. The two say the same thing besides the answer: the share of Q's stem bigrams (the answer cut out of the stem,
//    since P holds it anyway) also found in P's stem and options reaches GiveAway::kOverlapThreshold (the
//    single-character threshold for an answer of one character). Stock phrases are left out as for fill-in
//    questions, but counted from kStockShare of the module: choice stems repeat their frame ("在面向对象方法中")
//    far more than fill-in stems do; and the share is taken of at least kMinComparedBigrams, since a choice stem
//    stripped of its frame ("类的实例称为") is shorter than a fill-in stem.
struct KeyedChoice {
    QString stem;
    QStringList options; // A to D
    int key = -1;        // the keyed option's place in options; anything else gives the question no answer
};

// One choice question given away by another: their places in the list, the answer stated and the overlap found.
struct ChoiceGiveAwayPair {
    int asked = 0;
    int giver = 0;
    QString answer;
    double overlap = 0;
};

namespace ChoiceGiveAway {

inline constexpr double kStockShare = 0.1;
inline constexpr int kMinCutAnswer = 3;
inline constexpr int kMinComparedBigrams = 8;

// The answer of a question by rule 1, normalised as the give-away rule compares; empty when it has none.
QString answer(const KeyedChoice &question);

// Whether the stem asks for the one false or missing option.
bool asksForTheFalse(const QString &stem);

} // namespace ChoiceGiveAway

// Every give-away among the choice questions of one module, ordered by the question asked and then the giver.
QList<ChoiceGiveAwayPair> findChoiceGiveAways(const QList<KeyedChoice> &questions);
