// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "jet/JetDump.h"
#include "tools/BankTables.h"

// Genuine Jet 4 files for the legacy-bank tests (tests/data/jet4), and folders laid out as the trainer expects a
// legacy bank: Bs.mdb and its workgroup file Mq4100.mdw.
//
// None of the genuine files is a workgroup file, so the tests use a stand-in: a copy of V2003_no-password.mdb whose
// system table MSysAccessStorage (which has a Name column) is renamed MSysAccounts in the catalogue, and whose name
// "VBA" in one row becomes "xyz". Both are patches of equal length in place; the names are padded with NUL
// characters, which libmdb's names end at.

// The path of a file in tests/data/jet4.
QString jetFixture(const QString &name);

// Writes the workgroup stand-in to PATH. Fails the running test when the fixture is not as expected.
void writeJetWorkgroup(const QString &path);

// Copies FIXTURE as DIR/Bs.mdb and writes the workgroup stand-in as DIR/Mq4100.mdw; returns DIR.
QString makeJetBankDir(const QString &dir, const QString &fixture);

// The trainer's connection string for the bank in DIR, with the given database password and account.
QString jetConnectionString(const QString &dir, const QByteArray &databasePassword, const QByteArray &user = "xyz");

// Points the engine at the bank tool built with the tests.
void useBuiltBankTool();

// The tables of a bank as the reading child would hand them over: numbers in the id, module and score columns,
// text elsewhere.
QList<JetTable> jetTablesOf(const BankTables &tables);
