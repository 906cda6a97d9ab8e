// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The only way the program uses the busy-message window.

// Shows the busy window with `text` beside common clip `clip` (an index, 0 = no clip; ClipArt::Clip) and returns
// once the window has been painted, so it stands on screen through the caller's long work. Calling it again
// replaces the text; a different clip starts from its first frame, the clip already playing goes on.
void ShowBusyMessage(const QString &text, int clip);

// Hides the busy window and stops its animation; harmless when it is hidden.
void CloseBusyMessage();
