// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

class QTextStream;
class ToolArguments;
struct BankCredentials;

// The commands of mockexam-bank that move a question bank between its CSV sources and its files. Each takes the
// arguments after its name, reports through `out` and returns the exit status; failures are thrown (see ToolCommand).
int runBuildCommand(const QStringList &args, QTextStream &out);
int runCheckCommand(const QStringList &args, QTextStream &out);
int runExportCommand(const QStringList &args, QTextStream &out);
int runGenerateCommand(const QStringList &args, QTextStream &out);

// The account options of every command that opens a bank (--user, --password, --db-password, and the passwords'
// --password-file and --db-password-file), and the credentials they give; the trainer's own where an option is left
// out. PREFIX names another account's options ("from-" gives --from-user ...).
QStringList bankCredentialOptions(const QString &prefix = QString());
BankCredentials bankCredentialsFrom(const ToolArguments &arguments, const QString &prefix = QString());
