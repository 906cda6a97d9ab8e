// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/TColor.h"

class QAbstractButton;

// The caption colour of a numbered button. The screens mark buttons by their caption font colour alone (red for the
// current question, green and red for right and wrong on the score sheet), so the colour lives in the button's
// palette role ButtonText, where every style reads a push button's caption colour from.
void setButtonFontColor(QAbstractButton *button, TColor color);
TColor buttonFontColor(const QAbstractButton *button);
