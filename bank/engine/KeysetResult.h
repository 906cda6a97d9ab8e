// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

#include <QList>

#include "engine/ResultSet.h"
#include "engine/SqliteStatement.h"

// A selection of whole rows from one table ("select * from choose where mkid=1"): opening collects only the row
// ids, through the table's index when the condition has one, and a row's columns are fetched by id when the row is
// visited; the last row read is kept. No lock stays on the file between reads, so another program may work on the
// bank meanwhile.
class KeysetResult : public ResultSet {
public:
    // Null when the statement does not have that shape or the table cannot be read by row id; the caller then runs
    // it as a materialised result, which also words any failure. Throws BankError when collecting the ids fails.
    static std::unique_ptr<KeysetResult> tryOpen(sqlite3 *db, const QString &statement, const QString &bankPath);

    int rowCount() const override { return int(m_rowIds.size()); }
    const QStringList &columnNames() const override { return m_columns; }
    const ResultRow &row(int index) override;

private:
    KeysetResult() = default;

    QString m_statement;
    QString m_bankPath;
    sqlite3 *m_db = nullptr;
    SqliteStatement m_fetch; // SELECT * FROM <table> WHERE rowid=?1
    QStringList m_columns;
    QList<qint64> m_rowIds;
    int m_cachedIndex = -1;
    ResultRow m_cachedRow;
};
