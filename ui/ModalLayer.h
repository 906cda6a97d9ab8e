#pragma once

class QWidget;

// Modal showing as the trainer's screens expect it: the windows that are visible when `window` appears are
// disabled (and refuse the window system's close requests) until it goes, while windows shown later — the
// answering screens reopened from the score sheet — stay usable beside it. A nested event loop runs meanwhile;
// the call returns once `window` is hidden, closed or destroyed, and re-enables exactly the windows it disabled.
// Qt's own application modality would block every other window, later ones included, so it does not serve.
//
// `window` should be a top-level window without a parent window: a parent of it that is visible is left enabled,
// since disabling it would disable the modal window with it.
void showModal(QWidget *window);
