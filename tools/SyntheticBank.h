// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#include "tools/BankTables.h"

// A made-up question bank of any size, for measuring the drawing on large modules. Every module gets the asked
// number of choice and fill-in questions, each choice question one to three knowledge codes of its own module, and
// every fill-in key one of the key shapes the grading reads. The same sizes and seed give the same bank, byte for byte.
constexpr quint32 kSyntheticBankSeed = 20240611u;
BankTables generateBank(int choicePerModule, int fillPerModule, quint32 seed = kSyntheticBankSeed);
