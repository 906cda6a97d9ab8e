#pragma once

#include <QIcon>
#include <QImage>

// The trainer's own application icon: an answer sheet with a tick on a blue tile. Drawn by the program at any
// size, so it stays sharp in the caption, the task bar and the window switcher.
QImage appIconImage(int size);

// The icon at the usual sizes from 16 to 256 pixels.
QIcon appIcon();

// Makes the icon the application's window icon; the entry point calls it once, before the first window.
void installAppIcon();
