// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QTimer;

// Switches both answering screens between exam mode (false) and review mode (true). Review mode also closes both
// screens and shows a new score sheet modally; the call returns when the sheet has closed and has been destroyed.
//
// A paper is handed in once: while a score sheet is up, a further switch to review mode does nothing. The first
// call also makes the countdown's end hand the paper in, as "交卷" does, unless it has been handed in already.
void SetReviewMode(bool review);

// Starts or stops a countdown timer of the answering screens as the mode switch does: a timer that runs already is
// left running.
void setTimerRunning(QTimer *timer, bool running);
