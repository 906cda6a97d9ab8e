// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

// The bank tool's hidden reading command, `mockexam-bank jet-dump FILE [TABLE...]`: the child process in which the
// engine has Access/Jet files read (see JetChildReader). It writes one JetDump document to its standard output and
// nothing else, and ends with status 0 when it holds tables, 1 when it holds a failure, 2 for a usage mistake.
// A crash or a hang is the parent's to handle.
int runJetDumpCommand(const QStringList &args);

// The command's name, for main() to dispatch on before the listed commands.
inline const char *jetDumpCommandName() {
    return "jet-dump";
}
