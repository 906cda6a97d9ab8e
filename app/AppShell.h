// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

class QObject;

// The program's long-lived instances: made once at start-up in a fixed order, all hidden, and destroyed at the
// end. The start screen, made first, is the main window: the message loop shows it and closing it ends the run.

// Makes Frm_Ks_Sta, Dm, x_printmessage, Frm_Ks_Choose and Frm_Ks_Fill in that order and sets their globals;
// `created`, when given, sees each instance as it is made.
void createInstances(const std::function<void(QObject *)> &created = {});

// What the message loop does first: show the start screen (whose show handling puts up the splash).
void showMainWindow();

// Destroys the instances in the reverse order and clears their globals.
void destroyInstances();
