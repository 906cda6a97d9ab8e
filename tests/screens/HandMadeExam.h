// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include "ui/TColor.h"

// An exam over a paper written by hand, for the tests of the score sheet and the mode switch: the start screen's
// stand-in (a plain window, shown), the choice screen with its paper counted as drawn, and the fill-in screen, both
// hidden and in exam mode. Nothing reaches for a question bank.
namespace HandMadeExam {

void writePaper();
// The answers of the mixed paper: some right, some wrong, some left empty (see expected* below).
void answerMixed();
void createScreens();
void destroyScreens();

QString choiceText(int n);
QString fillText(int n);

// What the sheet must show for the mixed answers.
constexpr int kMixedChoiceScore = 13;
constexpr int kMixedFillPoints = 10;
TColor expectedChoiceColor(int n);
TColor expectedFillColor(int i);

} // namespace HandMadeExam
