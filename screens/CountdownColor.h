// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <initializer_list>

class QLabel;

// The countdown's digits on both answering screens: clLime on their black panel, clRed once the exam has entered
// its last minutes, so that the candidate is warned before the paper is handed in at 00:00. Reads the countdown
// from the exam state.
void colorCountdown(std::initializer_list<QLabel *> digits);
