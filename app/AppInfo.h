// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The product title: the start screen's caption and the title of the program's message boxes.
QString productTitle();
