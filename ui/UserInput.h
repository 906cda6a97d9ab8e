// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QEvent>

// Whether an event is one by which a user acts on a widget or window: a click, a key, the wheel, hovering, a touch,
// a drag, a shortcut. Everything else (painting, timers, layout, showing and hiding) is not. The windows held back
// behind a modal window, and the trainer while it waits for a legacy bank's reading child, stop these alone, so
// that they stay painted and alive.
bool isUserInputEvent(QEvent::Type type);
