// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPixmap>

// The current-question marker of the fill-in screen: a small pointer aimed to the right, at the numbered button
// it stands beside. Drawn at run time on a transparent ground, so whatever lies behind it shows around the shape.
QPixmap fillArrowPicture();
