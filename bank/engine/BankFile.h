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
// wrongly keyed file.
void open(SqliteDatabase &db, const QString &path, const QByteArray &databasePassword);

// The message for a database password that the bank refuses.
QString wrongPasswordMessage(const QString &path);

// The message for a statement that failed on the open bank, from the engine's result code and text.
QString statementFailure(int code, const QString &engineMessage, const QString &statement, const QString &path);

} // namespace BankFile
