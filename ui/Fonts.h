// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>

// The screens are designed in 宋体 at pixel sizes. This machine has no SimSun, so the family is mapped onto the
// CJK serif fonts that are installed; call once before the first window is built.
void installFontSubstitutions();

// 宋体 at the given pixel height, as the window designs give it.
QFont songFont(int pixelSize, bool bold = false);
