// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QSize>
#include <QtGlobal>

class QWidget;

// The window-system services the frameless frame needs beyond plain widgets, wrapped in one place: minimising the
// whole application, knowing whether the window system lets a program place its windows, the centre of the
// screen, and on Windows answering the system's hit test with the frame's resize zones.
namespace FrameWindowSystem {

// Minimises every visible window of the application (not its tooltips and pop-ups).
void minimiseApplication();

// Sets the window's state to minimised, keeping its other state flags.
void minimise(QWidget *window);

// True where the window system ignores programmatic moves of top-level windows (Wayland): a caption drag must
// be handed to it instead.
bool movesWindowsItself();

// The top-left corner that centres a window of the given size on the primary screen.
QPoint centredPosition(const QSize &windowSize);

#ifdef Q_OS_WIN
// Answers a WM_NCHITTEST message for a frameless window from the resize zones; false leaves it to Qt.
bool answerHitTest(const QWidget *window, bool canResize, const void *message, qintptr *result);
#endif

} // namespace FrameWindowSystem
