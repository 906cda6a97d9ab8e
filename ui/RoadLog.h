// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLoggingCategory>

// The trainer's way through an exam as lines of text: each message box shown (its text), each paper drawn, each
// paper graded (its scores). Off unless asked for with Qt's logging rules:
//   QT_LOGGING_RULES="mockexam.road.info=true"
// and, on Windows, where a windowed program's log goes to the debugger, QT_FORCE_STDERR_LOGGING=1 to have it on
// the standard error. It is how a script driving the real windows from outside (the Windows build's tests under
// Wine) learns what a box said and what a paper scored: such text is drawn by Qt, not by the window system.
Q_DECLARE_LOGGING_CATEGORY(lcRoad)
