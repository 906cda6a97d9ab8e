// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QtGlobal>

// Colours as the window designs store them: 32-bit values with red in the low byte (0x00BBGGRR), or a named system
// colour (0xFF000000 | system index). toQColor resolves both; the system colours take the classic desktop values the
// designs were made against, so screens look the same whatever the desktop theme.
using TColor = quint32;

namespace Colors {
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor clScrollBar = 0xFF000000;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clMenuText = 0xFF000007;
constexpr TColor clWindowText = 0xFF000008;
constexpr TColor clActiveBorder = 0xFF00000A;
constexpr TColor clInactiveBorder = 0xFF00000B;
constexpr TColor clBtnFace = 0xFF00000F;
constexpr TColor clBtnShadow = 0xFF000010;
constexpr TColor clGrayText = 0xFF000011;
constexpr TColor clBtnText = 0xFF000012;
constexpr TColor clBtnHighlight = 0xFF000014;
} // namespace Colors

// The RGB value of a colour, named colours resolved; the result is 0x00BBGGRR again.
TColor colorToRGB(TColor color);
QColor toQColor(TColor color);
TColor fromQColor(const QColor &color);
