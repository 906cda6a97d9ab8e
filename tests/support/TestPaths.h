// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Where the sources and the built executables are, as CTest tells the test.
QString sourceDir();
QString binDir();
