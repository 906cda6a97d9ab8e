// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

// The exam countdown's rule: one second off per tick, minutes borrowed from when the seconds run out, and the
// two-digit display both answering screens use. The countdown stops at 00:00 instead of running on into negative
// minutes, so the display never has to show a value below zero.
namespace Countdown {

// Takes one second off. Returns false and changes nothing when the countdown already stands at 00:00 (or below).
bool tick(qint32 &minutes, qint32 &seconds);

// True when no time is left.
bool expired(qint32 minutes, qint32 seconds);

// The last minutes of the exam, 05:00 down to 00:00 included, in which both screens show the countdown in red to
// warn the candidate; the digits are green before.
constexpr qint32 kWarningMinutes = 5;
bool warns(qint32 minutes, qint32 seconds);

// A minutes or seconds value as shown: decimal, with a "0" in front when that text is one character long.
QString display(qint32 value);

} // namespace Countdown
