// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>

// The fill-in key format. A key without "@" belongs to a one-blank question whose accepted answers are the whole
// key, or the two texts around its first "#". A key with "@" belongs to a two-blank question: the first "@" divides
// the blanks; in blank 1 the first "#" divides two accepted answers, in blank 2 the first "@" or "#" does. Splitting
// always happens at the first occurrence, and the text after it runs to the end.
//
// One-blank answers must equal an accepted answer; two-blank answers are searched for each blank's accepted answers,
// so the candidate may write the two answers in any order and with any separator. Empty accepted answers never
// count and an empty answer never earns a point.
struct FillKey {
    int blanks = 1;
    QList<QByteArray> blank1; // accepted answers of the only or the first blank, empty ones left out
    QList<QByteArray> blank2; // accepted answers of the second blank (two-blank keys only)

    static FillKey parse(const QByteArray &key);

    // How the key deviates from the documented shapes, for the bank checker: a two-blank key whose first part has
    // no "#", and a "#" in the second part of a two-blank key. Both are still graded by the rules above.
    static bool twoBlankWithoutHash(const QByteArray &key);
    static bool hashInSecondBlank(const QByteArray &key);
};

enum class Verdict { Right, Wrong, Partial };

struct FillJudgement {
    int points = 0;
    Verdict verdict = Verdict::Wrong;
};

FillJudgement judgeFill(const QByteArray &key, const QByteArray &answer);

// A choice answer is right when it equals the key byte for byte; an unanswered question is never right.
bool choiceIsRight(const QByteArray &key, const QByteArray &answer);
