// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The number columns of a bank (choose's mkid, tid and Score, Fill's MKID and TID): what a value written into one
// holds, and how the trainer reads it back. The bank tool writes, checks and the drawing reads through these rules
// alone, so that what the checker lets through is exactly what the drawing can read.
//
// A number is an optional sign and decimal digits, with nothing around them. Anything else (blanks around it, a
// decimal point, an exponent, full-width digits) is kept as the author wrote it and never taken for a number: a
// module "1.0" is not module 1, and a score " 2" is not a score.
namespace BankNumber {

// The number TEXT spells; nothing when it is not one or does not fit 64 bits.
std::optional<qint64> parse(const QByteArray &text);

// What the trainer reads from a number column holding TEXT: an empty value as 0, a number within 32 bits as
// itself; nothing for anything else, which the drawing refuses.
std::optional<qint32> readInt32(const QByteArray &text);

// The text the trainer reads back from a number column that was given TEXT: a number as its plain digits ("+007"
// reads "7"), anything else as written. Two ids are the same question for the drawing when these agree.
QByteArray storedText(const QByteArray &text);

// The largest score a choice question may carry, either way from zero. Fifty-five of them and every fill-in point
// still add up within 32 bits, so no paper's sum can overflow; the drawing refuses a question beyond it.
constexpr qint32 kMaxScore = 1000000;

bool scoreInRange(qint32 score);
// Why SCORE is refused, in the words both the drawing and the checker use.
QString scoreOutOfRange(qint32 score);

} // namespace BankNumber
