// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

#include "engine/ConnectionString.h"
#include "engine/SqliteDatabase.h"
#include "engine/TADOConnection.h"

class TADOQuery;

// The connection's state: the string as given, the open bank and the queries that work on it. The queries reach it
// as its friend to open the connection on demand and to give it back when they close.
struct TADOConnection::Private {
    QString connectionString;
    QString bankPath; // the Data Source of the open connection, for messages
    SqliteDatabase db;
    int opens = 0;
    QList<TADOQuery *> queries; // every query bound to this connection
    int activeQueries = 0;

    // Opens the connection when it is closed: the logon and then the bank, as the bank's format does them. Throws
    // BankError.
    void ensureOpen();
    // Keep-connection is off: the last query to close takes the connection with it.
    void queryClosed();
};
