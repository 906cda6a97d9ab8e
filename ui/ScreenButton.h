// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QString>

#include "ui/TdxButton.h"

// The gradient buttons of the start screen and the score sheet share one look: a pale amber face fading to white
// inside a green outline, drawn at high quality, with the hover ring and caption highlight and no focus rectangle.
// The start button differs only in its pressed and focus colours and its green hover caption.
TdxColors startButtonColors();
TdxColors quitButtonColors();

// A 25-pixel-high gradient button with the screens' common settings, 宋体 12 px in the menu-text colour.
TdxButton *makeScreenButton(QWidget *parent, const char *objectName, const QString &caption, const QPoint &topLeft,
                            int width, const TdxColors &colors);
