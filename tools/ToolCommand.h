// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// Exit statuses of mockexam-bank.
enum ToolExit { ExitOk = 0, ExitFailure = 1, ExitUsage = 2 };

// One subcommand of mockexam-bank: its name, its arguments as the usage text shows them, one line on what it does,
// and the function that runs it. A command reports through `out`; it throws BankError for a failure and UsageError
// for arguments it cannot use, and the runner turns both into a message and an exit status.
struct ToolCommand {
    QString name;
    QString synopsis;
    QString summary;
    int (*run)(const QStringList &args, QTextStream &out);
};
