// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/TColor.h"

// The colour set of a gradient button: the four gradient pairs it paints from, its outline, and the caption colour
// while the pointer is over it. The defaults give the plain white-to-beige face with a blue focus ring.
struct TdxColors {
    TColor BackgroundFrom = 16777215;
    TColor BackgroundTo = 15199215;
    TColor BorderLine = 7552000;
    TColor ClickedFrom = 13029334;
    TColor ClickedTo = 15463415;
    TColor FocusedFrom = 16771022;
    TColor FocusedTo = 15697005;
    TColor HighlightFrom = 13562879;
    TColor HighlightTo = 38631;
    TColor HotTrack = 255;

    bool operator==(const TdxColors &other) const;
    bool operator!=(const TdxColors &other) const { return !(*this == other); }
};

// Side of the caption on which the glyph sits.
enum class TdxLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Number of gradient bands: 8, 16 or 64; the highest also dithers the band edges.
enum class TdxQuality { bqLow, bqMiddle, bqHigh };
