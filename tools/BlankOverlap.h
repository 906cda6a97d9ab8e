// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>

// Finds two-blank keys whose blanks grade each other. A two-blank answer is searched for each blank's accepted answers
// in any order, so when an accepted answer of one blank lies inside an accepted answer of the other ("while" inside
// "do-while"), writing the longer one earns both blanks, and writing it where the shorter one belongs still earns the
// blank it names. The comparison is byte for byte, as the grading's.
struct BlankOverlap {
    int innerBlank = 1; // the blank whose accepted answer lies inside the other's
    QByteArray inner;
    QByteArray outer;
};

// Every such pair of accepted answers of a two-blank key, blank 1's answers first; none for a one-blank key.
QList<BlankOverlap> findBlankOverlaps(const QByteArray &key);
