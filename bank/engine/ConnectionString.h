// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// The Jet OLE DB connection string: how the trainer names its bank, its workgroup file and the three credentials in
// one line of "key=value" pairs separated by ";". Parsing is pure so that a test feeds it any text.
//
// Keys match without regard to case and surrounding blanks; a later pair overrides an earlier one with the same key.
// A value may be quoted with "..." or '...' (the quote doubled inside stands for itself), which lets a path hold
// ";" or keep surrounding blanks.

// The roles the engine gives to the elements of a connection string.
struct ConnectionSettings {
    QString provider;            // Provider: must be the Jet 4.0 provider
    QString dataSource;          // Data Source: the bank file
    QString systemDatabase;      // Jet OLEDB:System database: the workgroup file
    QByteArray userId;           // User ID: the workgroup account
    QByteArray password;         // Password: that account's password
    QByteArray databasePassword; // Jet OLEDB:Database Password: the bank's own key
};

// The one provider the engine stands in for.
QString jetProviderName();

// The pairs in the order written, keys and values as given (values unquoted). Throws BankError for a value whose
// quote is never closed or a pair without "=".
QList<QPair<QString, QString>> parseConnectionPairs(const QString &connectionString);

// The settings of a connection string. Throws BankError for another provider or a missing element that the engine
// needs (the bank file, the workgroup file, the user).
ConnectionSettings parseConnectionString(const QString &connectionString);

// The trainer's own string: the fixed pieces with the two paths pasted in. A path that would break the string (one
// holding ";", or with blanks or a quote at either end) is quoted; every ordinary path goes in exactly as it is.
QString buildConnectionString(const QString &bankPath, const QString &workgroupPath);

// The same string for other credentials (the bank tool builds banks for other accounts).
QString buildConnectionString(const QString &bankPath, const QString &workgroupPath, const QByteArray &user,
                              const QByteArray &password, const QByteArray &databasePassword);
