// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/KeysetResult.h"

#include <QRegularExpression>

#include <sqlite3.h>

#include "engine/BankError.h"
#include "engine/BankFile.h"

namespace {

// "select * from T" with at most one equality test on a column against a number or a quoted text.
const QRegularExpression &wholeRowsShape() {
    static const QRegularExpression shape(
        QStringLiteral(
            R"(^\s*select\s+\*\s+from\s+([A-Za-z_][A-Za-z0-9_]*)(?:\s+where\s+([A-Za-z_][A-Za-z0-9_]*)\s*=\s*)"
            R"((-?[0-9]+|'[^']*'))?\s*;?\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    return shape;
}

bool isRowIdName(const QString &name) {
    for (const char *alias : {"rowid", "_rowid_", "oid"})
        if (name.compare(QLatin1String(alias), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

std::unique_ptr<KeysetResult> KeysetResult::tryOpen(sqlite3 *db, const QString &statement, const QString &bankPath) {
    const QRegularExpressionMatch match = wholeRowsShape().match(statement);
    if (!match.hasMatch())
        return nullptr;
    const QByteArray table = match.captured(1).toUtf8();

    std::unique_ptr<KeysetResult> result(new KeysetResult);
    result->m_statement = statement;
    result->m_bankPath = bankPath;
    result->m_db = db;
    if (result->m_fetch.prepare(db, "SELECT * FROM " + table + " WHERE rowid=?1") != SQLITE_OK)
        return nullptr;
    for (int c = 0; c < result->m_fetch.columnCount(); ++c) {
        const QString name = result->m_fetch.columnName(c);
        // A column that takes the name of the row id hides it; such a table is read in full instead.
        if (isRowIdName(name))
            return nullptr;
        result->m_columns.append(name);
    }

    // The same table and condition as the statement, so the ids come in the order the statement gives its rows:
    // through the condition's index when it has one, else in table order.
    QByteArray ids = "SELECT rowid FROM " + table;
    if (match.hasCaptured(2))
        ids += " WHERE " + match.captured(2).toUtf8() + "=" + match.captured(3).toUtf8();
    SqliteStatement query;
    if (query.prepare(db, ids) != SQLITE_OK)
        return nullptr;
    int rc;
    while ((rc = query.step()) == SQLITE_ROW)
        result->m_rowIds.append(query.columnInt64(0));
    if (rc != SQLITE_DONE)
        throw BankError(BankFile::statementFailure(sqlite3_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)),
                                                   statement, bankPath));
    return result;
}

const ResultRow &KeysetResult::row(int index) {
    if (index == m_cachedIndex)
        return m_cachedRow;
    m_fetch.reset();
    m_fetch.bindInt64(1, m_rowIds[index]);
    const int rc = m_fetch.step();
    if (rc == SQLITE_DONE) {
        m_fetch.reset();
        throw BankError(QStringLiteral("题库文件在读取期间被其他程序修改了，请重新开始：%1").arg(m_bankPath));
    }
    if (rc != SQLITE_ROW) {
        const QString message = BankFile::statementFailure(
            sqlite3_errcode(m_db), QString::fromUtf8(sqlite3_errmsg(m_db)), m_statement, m_bankPath);
        m_fetch.reset();
        throw BankError(message);
    }
    ResultRow row;
    row.reserve(m_columns.size());
    for (int c = 0; c < m_columns.size(); ++c)
        row.append(FieldValue::fromColumn(m_fetch, c));
    // Resetting ends the read at once, so the file's shared lock is not held between visits.
    m_fetch.reset();
    m_cachedRow = std::move(row);
    m_cachedIndex = index;
    return m_cachedRow;
}
