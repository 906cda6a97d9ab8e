// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>

#include "engine/ResultSet.h"

// A result read in full when the statement opens: the general case for statements that are not a plain selection
// of whole rows from one table (the knowledge lookup with its list of codes, for one).
class MaterialisedResult : public ResultSet {
public:
    // Throws BankError for a statement that fails, writes or holds more than one statement.
    MaterialisedResult(sqlite3 *db, const QString &statement, const QString &bankPath);

    int rowCount() const override { return int(m_rows.size()); }
    const QStringList &columnNames() const override { return m_columns; }
    const ResultRow &row(int index) override { return m_rows[index]; }

private:
    QStringList m_columns;
    QList<ResultRow> m_rows;
};
