// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QHelpEvent;
class QWidget;

// A text box too small for its text (a long option in a one-line box, a question longer than its box, a long answer
// in a box that review has disabled) shows the whole text as a tooltip while the pointer rests on it, in exam and
// review mode alike. Boxes with a tooltip of their own keep it.

// The whole text of a one-line or multi-line text box whose text does not fit; empty when it fits, or when `box` is
// not a text box.
QString wholeTextIfCut(const QWidget *box);

// Answers a tooltip request that has come up unanswered from a child of `window` to the window itself: shows the
// whole text of the text box under the pointer when that text is cut. Returns whether it showed one.
bool showCutTextToolTip(QWidget *window, QHelpEvent *event);
