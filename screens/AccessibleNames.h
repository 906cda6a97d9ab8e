// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

// Chinese names for screen readers on the controls of the answering screens and the score sheet whose caption says
// nothing on its own or that have no caption at all: a numbered button is "第 7 题", the box under it "第 7 题答案",
// the score boxes "选择题得分" and so on; every scroll bar is named after the box it scrolls. Buttons with a Chinese
// caption are announced by it and need nothing here.
//
// Names the children of `screen` (Frm_Ks_Choose, Frm_Ks_Fill or Frm_Ping, told apart by object name). A screen calls
// it once its components are made.
void nameControls(QWidget *screen);
