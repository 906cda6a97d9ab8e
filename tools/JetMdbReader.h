// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "jet/JetDump.h"

// Reads the tables of an Access/Jet file with Debian's libmdb, in the calling process. Only the bank tool's reading
// child (`jet-dump`) and the fuzz target call it: libmdb trusts its input, and a damaged file may take the process
// down. The trainer reaches it through JetChildReader only.
//
// Values come as the engine stores them: whole numbers as integers (a Yes/No field as -1 or 0, as Jet gives it),
// other numbers as doubles, texts and memo fields whole as UTF-8, dates as "yyyy-MM-dd hh:mm:ss", binary and OLE
// fields as bytes, and NULL as null, told apart from an empty text by the row's null mask.
namespace JetMdbReader {

// The named tables (matched without regard to case; names the file lacks are left out), or every user table when
// none is named. Throws BankError with a message for the parent to pass on.
QList<JetTable> readFile(const QString &path, const QStringList &tables);

// The same from a file's bytes in memory.
QList<JetTable> readBuffer(const QByteArray &bytes, const QStringList &tables);

} // namespace JetMdbReader
