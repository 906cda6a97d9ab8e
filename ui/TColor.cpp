// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/TColor.h"

namespace {
// Classic desktop values of the system colours the screens use, as 0x00BBGGRR.
TColor systemColor(quint32 index) {
    switch (index) {
    case 0x00:
        return 0xC8D0D4; // scroll bar
    case 0x05:
        return 0xFFFFFF; // window
    case 0x07:
        return 0x000000; // menu text
    case 0x08:
        return 0x000000; // window text
    case 0x0A:
        return 0xC8D0D4; // active border
    case 0x0B:
        return 0xC8D0D4; // inactive border
    case 0x0F:
        return 0xC8D0D4; // button face
    case 0x10:
        return 0x808080; // button shadow
    case 0x11:
        return 0x808080; // grey text
    case 0x12:
        return 0x000000; // button text
    case 0x14:
        return 0xFFFFFF; // button highlight
    default:
        return 0x000000;
    }
}
} // namespace

TColor colorToRGB(TColor color) {
    if ((color & 0xFF000000u) == 0xFF000000u)
        return systemColor(color & 0xFFu);
    return color & 0x00FFFFFFu;
}

QColor toQColor(TColor color) {
    const TColor rgb = colorToRGB(color);
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

TColor fromQColor(const QColor &color) {
    return TColor(color.red()) | (TColor(color.green()) << 8) | (TColor(color.blue()) << 16);
}
