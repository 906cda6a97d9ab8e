// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

// The splash picture: a 400 × 300 title card with the product title, the edition "笔试 V1.1" and an emblem,
// drawn by code once per run (the first call draws it, later calls return the same picture).
QImage splashPicture();
