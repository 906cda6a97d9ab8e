// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QStringList>

#include "tools/ToolCommand.h"

class QTextStream;

// The commands of mockexam-bank, in the order the usage text lists them.
const QList<ToolCommand> &toolCommands();

QString toolUsage();

// Runs mockexam-bank with the arguments after the program name and returns its exit status. Reports go to `out`,
// failures and usage mistakes to `err`.
int runTool(const QStringList &args, QTextStream &out, QTextStream &err);
