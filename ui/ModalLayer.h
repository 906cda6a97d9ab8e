// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

// Modal showing as the trainer's screens expect it: the windows that are visible when `window` appears take no
// input (and refuse the window system's close requests) until it goes, while windows shown later — the answering
// screens reopened from the score sheet — stay usable beside it. A nested event loop runs meanwhile; the call
// returns once `window` is hidden, closed or destroyed, and gives back exactly the windows it blocked.
// Qt's own application modality would block every other window, later ones included, so it does not serve.
//
// The blocked windows are not disabled: a disabled window repaints every control in the disabled style, and the
// windows behind the score sheet must keep their look. Their input is swallowed instead, at the window and at each
// of its widgets, so neither the window system's events nor a shortcut get through.
//
// `window` should be a top-level window without a parent window: a parent of it that is visible is left usable,
// since blocking it would block the modal window with it.
void showModal(QWidget *window);

// Whether a modal showing blocks the input of this top-level window now.
bool isBlockedByModal(const QWidget *window);
