// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class BankFormat;

// A legacy question bank in Access/Jet 4 format, read in place: a connection opens it when its Data Source is a Jet
// file, with the same connection string and the same statements as a bank of our own format.
//
// The three credentials keep their roles. The database password is checked against the one kept in the file's
// header, case included (a file without one opens with any); the workgroup file must be a Jet database that lists
// the account (see JetWorkgroup). The file is then read once per version in a child process (JetChildReader) into
// an in-memory snapshot (JetSnapshot), and the connection opens that snapshot read-only; the file itself is only
// ever read.
namespace JetBank {

// True when PATH is a file that begins like an Access/Jet database.
bool recognises(const QString &path);

// The format: the logon checks the bank's header (Jet 4, database password) and then the workgroup file; the open
// reads the bank into its snapshot, once per version, and opens that. Both throw BankError naming the file.
const BankFormat &format();

} // namespace JetBank
