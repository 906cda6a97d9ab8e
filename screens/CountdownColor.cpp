// SPDX-License-Identifier: GPL-3.0-or-later

#include "screens/CountdownColor.h"

#include <QLabel>

#include "rules/Countdown.h"
#include "rules/ExamState.h"
#include "ui/TColor.h"

void colorCountdown(std::initializer_list<QLabel *> digits) {
    const TColor color = Countdown::warns(RemainingMinutes, RemainingSeconds) ? Colors::clRed : Colors::clLime;
    for (QLabel *label : digits) {
        QPalette palette = label->palette();
        if (palette.color(QPalette::WindowText) == toQColor(color))
            continue;
        palette.setColor(QPalette::WindowText, toQColor(color));
        label->setPalette(palette);
    }
}
