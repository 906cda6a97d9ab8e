// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

class QTextStream;

// mockexam-bank draw DIR: draws one paper from the bank in DIR exactly as the trainer does (same drawing, same
// connection string, a fresh connection per statement) and prints it, one line a question, then how long the
// drawing took. With --times N it draws N papers in one process instead and prints, in place of the paper, the time
// of the key derivation (once per process), each drawing's time and their median. Throws BankError for a bank the
// drawing cannot use.
int runDrawCommand(const QStringList &args, QTextStream &out);
