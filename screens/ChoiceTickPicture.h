// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPixmap>

// The tick that marks the correct option in review: a red tick, 29 × 17, whose white ground is transparent so that
// the panel shows through around it.
QPixmap choiceTickPicture();
