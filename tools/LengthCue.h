// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

// Finds choice questions whose keyed option stands out by its length alone. Writers qualify the right statement until
// it is exact and leave the wrong ones short, so a candidate who knows nothing picks the longest option; the cue is
// reported when the keyed option is at least kRatioTenths / 10 times as long as the longest distractor and kMargin
// characters longer (both, so that "12" against "3" and a long option among long ones do not count).
namespace LengthCue {

inline constexpr int kRatioTenths = 16; // 1.6 times, kept whole so that 24 against 15 is exactly the bound
inline constexpr int kMargin = 8;

// The length a candidate sees: characters after folding full-width forms, spaces and line breaks not counted.
int visibleLength(const QString &option);

struct Lengths {
    int keyed = 0;
    int longestDistractor = 0;
};

// The lengths compared for a question whose keyed option is options[key].
Lengths lengths(const QStringList &options, int key);

// Whether the keyed option is markedly the longest.
bool stands(const QStringList &options, int key);

} // namespace LengthCue
