// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ButtonFontColor.h"

#include <QAbstractButton>

void setButtonFontColor(QAbstractButton *button, TColor color) {
    if (!button)
        return;
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, toQColor(color));
    button->setPalette(palette);
}

TColor buttonFontColor(const QAbstractButton *button) {
    return fromQColor(button->palette().color(QPalette::ButtonText));
}
