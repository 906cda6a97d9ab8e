// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

class SqliteDatabase;

// The bank file: an encrypted database keyed by the bank's own password, marked by its application id and opened
// read-only, never created. Its failures are worded here, for the candidate, naming the file.
namespace BankFile {

// Marks our bank among encrypted databases.
constexpr int kApplicationId = 0x4d514253; // "MQBS"

// Opens PATH read-only with the database password into DB. Throws BankError for a missing, foreign, damaged or
// wrongly keyed file. The key is derived from the salt of the file that DB has open, so a bank renamed over PATH
// meanwhile opens as the one or the other bank, never as a wrong password.
void open(SqliteDatabase &db, const QString &path, const QByteArray &databasePassword);

// Throws BankError, as open() would, when PATH is plainly no bank of ours: missing, no ordinary file, empty, of
// the wrong length or with a foreign header. Tries no key.
void requirePlainBank(const QString &path);

// Derives the key for the bank at PATH into CipherKeyCache, ahead of an open() that will want it. The salt is read
// from the path: should the file be replaced meanwhile, open() simply derives the other file's key. Throws
// BankError as open() would for a file that is plainly no bank.
void prepareKey(const QString &path, const QByteArray &databasePassword);

// A bank's identity: the cipher's salt in its first bytes, drawn at random for every file a build writes and
// readable without the key. The workgroup file records the identity of the bank it was built with.
// identityOfOpen() reads it through the engine's handle of the bank DB has open, identityAt() from the path; both
// give an empty array when there is none to read.
QByteArray identityOfOpen(SqliteDatabase &db);
QByteArray identityAt(const QString &path);

// The message for a workgroup file that belongs with another bank than the one beside it.
QString mismatchMessage(const QString &bankPath, const QString &workgroupPath);

// The message for a database password that the bank refuses.
QString wrongPasswordMessage(const QString &path);

// The message for a statement that failed on the open bank, from the engine's result code and text.
QString statementFailure(int code, const QString &engineMessage, const QString &statement, const QString &path);

// A statement as a message quotes it: on one line, and a long one shortened in the middle with "…".
QString quotedStatement(const QString &statement);

} // namespace BankFile
