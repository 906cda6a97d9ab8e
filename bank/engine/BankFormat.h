// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "engine/ConnectionString.h"

class SqliteDatabase;

// One way a question bank is kept on disk. A connection opens its bank in three steps, each its format's: which
// format the bank file is in, the logon with the workgroup file and the credentials, then the bank itself. Every
// format ends in the same place, an open SQLite database that the statements run on, so everything above the
// connection is the same for all of them.
class BankFormat {
public:
    virtual ~BankFormat();

    // True when PATH, a connection's Data Source, is a file of this format. Reads no more than its beginning.
    virtual bool recognises(const QString &path) const = 0;
    // Logs on with the workgroup file and the credentials of SETTINGS. Throws BankError naming the file at fault.
    virtual void verifyLogon(const ConnectionSettings &settings) const = 0;
    // Opens DB on the bank of SETTINGS, its logon verified. Throws BankError naming the file; DB may then be left
    // half open, and the caller closes it.
    virtual void open(SqliteDatabase &db, const ConnectionSettings &settings) const = 0;
    // Does ahead of time the slow work that a later logon and open will need (see KeyWarmUp); by default nothing.
    // Throws BankError as they would.
    virtual void prepare(const ConnectionSettings &settings) const;
};

// Which format a connection's bank is in. The engine knows its own format only; a program that also reads other
// formats installs a chooser that knows them all, before its first connection opens.
class BankFormatChooser {
public:
    virtual ~BankFormatChooser();

    // The format of the bank file at PATH.
    virtual const BankFormat &formatOf(const QString &path) const = 0;
    // formatOf(SETTINGS' Data Source), its logon verified. Throws BankError.
    virtual const BankFormat &logOn(const ConnectionSettings &settings) const = 0;
};

namespace BankFormats {

// Our own format: a bank file encrypted with SQLCipher beside a workgroup file of ours (see BankFile, WorkgroupFile).
const BankFormat &own();

// The chooser connections use from now on; nullptr puts back the engine's own, which knows only own(). CHOOSER
// must outlive every connection.
void installChooser(const BankFormatChooser *chooser);
const BankFormatChooser &chooser();

} // namespace BankFormats
