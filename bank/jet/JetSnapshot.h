// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "jet/JetDump.h"

// In-memory copies of Access/Jet banks, one for each file version, that every fresh connection to the bank opens by
// name (a shared-cache in-memory SQLite database). Reading a Jet file takes a child process and a whole pass over
// the file; with keep-connection off a drawing opens the bank 65 times, so the file is read once and each later
// connection costs no more than one to a bank of our own format.
//
// The latest version of a handful of files is kept; a file that changes is read again, and the copy of its older
// version is let go (a connection still open on it keeps it until it closes). Each snapshot holds the tables as
// read, with an index on the columns the trainer's statements select by.
namespace JetSnapshot {

// The shared name of the snapshot of VERSION, or empty when there is none.
QByteArray find(const QByteArray &version);

// Builds the snapshot of TABLES for VERSION and returns its shared name. Throws BankError naming BANKPATH.
QByteArray build(const QByteArray &version, const QList<JetTable> &tables, const QString &bankPath);

// How many snapshots have been built in this process (tests and benchmarks check the cache with it).
int buildCount();

// Drops every snapshot.
void clear();

} // namespace JetSnapshot
