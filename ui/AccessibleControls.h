// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Screen readers see the trainer's own controls as what they are. Qt knows how to announce its standard widgets,
// but a custom widget is at best an unnamed "client" area: the gradient button is announced as a button named
// after its caption (without the accelerator marker) that can be pressed, and a picture of the window frame that
// reacts to the mouse (close, minimise, maximise, restore, the icon) as a button named after its hint.
//
// Registers the interfaces with Qt's accessibility; safe to call any number of times. The widgets concerned call it
// when they are made.
void registerAccessibleControls();
