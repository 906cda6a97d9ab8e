// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

#include <QString>
#include <QStringList>

#include "engine/FieldValue.h"

struct sqlite3;

// The rows a statement returned, reachable by position. Two kinds stand behind it: a keyset over one table, which
// at opening collects only the row ids and fetches a row's columns when it is visited, so that moving to row r
// costs the same for every r; and a fully materialised result for statements of any other shape. Both show the
// same rows, columns and order.
class ResultSet {
public:
    virtual ~ResultSet() = default;

    virtual int rowCount() const = 0;
    virtual const QStringList &columnNames() const = 0;
    // The row at 0-based INDEX (0 <= index < rowCount()). Throws BankError when the row cannot be read.
    virtual const ResultRow &row(int index) = 0;

    // Runs one read-only statement on the open bank. Throws BankError with a message naming the bank.
    static std::unique_ptr<ResultSet> run(sqlite3 *db, const QString &statement, const QString &bankPath);
};
