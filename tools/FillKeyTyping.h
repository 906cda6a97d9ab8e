// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// What keeps a fill-in question's key from being met by a candidate typing into an answer box, for the bank
// checker: accepted answers no one can type or would type, a stem that shows another number of blanks than its key
// grades, and accepted answers that only differ in how their characters are composed. Pure functions of the texts.
namespace FillKeyTyping {

// Why ANSWER cannot be typed as written: it holds a line break, a NUL or another control character, or it starts or
// ends with a blank that nobody types. Empty when it can be typed.
QString untypable(const QByteArray &answer);

// The blanks a stem shows: the different numbers among its markers 【1】, 【2】 (blanks inside the brackets and
// full-width digits allowed).
int stemBlanks(const QString &stem);

// The pairs of ANSWERS that are different bytes but the same text once composed alike (NFC): "é" typed as one
// character and as "e" with a combining accent. A candidate's input method gives one of the forms, so only one of
// the two can ever be matched, and the author most likely meant a single answer.
QList<QPair<QByteArray, QByteArray>> normalisationTwins(const QList<QByteArray> &answers);

} // namespace FillKeyTyping
