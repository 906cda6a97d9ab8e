// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The directory of the running program in the form the bank paths are built from: native separators and a
// trailing separator. The question bank lies in its "Dat" folder. Tests, which run from elsewhere, point it at a
// folder of their own.
QString executableDir();

// Replaces the program's directory for executableDir(); an empty text puts the real one back.
void setExecutableDirOverride(const QString &directory);
