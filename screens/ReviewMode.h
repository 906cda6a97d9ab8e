// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QTimer;
class TFrm_Ks_Choose;

// Switches both answering screens between exam mode (false) and review mode (true). Review mode also closes both
// screens and shows a new score sheet modally; the call returns when the sheet has closed and has been destroyed.
//
// A paper is handed in once: while a score sheet is up, a further switch to review mode does nothing.
void SetReviewMode(bool review);

// Makes the countdown's end on CHOICE hand the paper in, as "交卷" does, while the exam is running (see ExamPhase).
// Called once, by whoever creates the screens.
void handInWhenTimeIsUp(TFrm_Ks_Choose *choice);

// Starts or stops a countdown timer of the answering screens as the mode switch does: a timer that runs already is
// left running.
void setTimerRunning(QTimer *timer, bool running);
