// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

// The pictures of the window frame, drawn by the program at start-up. Every border piece is cut out of one drawn
// model window, so the pieces join without seams wherever the frame places them: a blue caption band with a soft
// highlight (grey-blue when the window is inactive), a light bevelled border, and a sunken edge around the content
// panel. The sizes are those the frame lays out: caption bands 800 × 50, left caption corner 85 × 50 active and
// 81 × 50 inactive, right caption corner 100 × 50, side borders 12 × 600 and 13 × 600, bottom border 800 × 12,
// bottom corners 10 × 12 and 13 × 12, window buttons 17 × 19, menu band backgrounds 800 × 19 and 800 × 17.
namespace FrameArtwork {

enum class Button { Minimize, Maximize, Restore, Close };

QImage captionBand(bool active);
QImage captionLeftCorner(bool active);
QImage captionRightCorner(bool active);
QImage leftBorder();
QImage rightBorder();
QImage bottomBorder();
QImage bottomLeftCorner();
QImage bottomRightCorner();
QImage windowButton(Button button);
QImage menuBand(bool active);

} // namespace FrameArtwork
