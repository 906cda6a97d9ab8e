// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QImage>

class QPainter;

// The trainer's own application icon: an answer sheet with a tick on a blue tile. Drawn by the program at any
// size, so it stays sharp in the caption, the task bar and the window switcher.
QImage appIconImage(int size);

// Draws the icon on a 32 × 32 grid in the painter's current coordinates; the caller scales. The icon files of the
// installed program (PNG and SVG) are drawn by this too, so they cannot drift from the window icon.
void drawAppIcon(QPainter &painter);

// The icon at the usual sizes from 16 to 256 pixels.
QIcon appIcon();

// Makes the icon the application's window icon; the entry point calls it once, before the first window.
void installAppIcon();
