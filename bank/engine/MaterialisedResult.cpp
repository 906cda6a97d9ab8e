// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/MaterialisedResult.h"

#include <sqlite3.h>

#include "engine/BankError.h"
#include "engine/BankFile.h"
#include "engine/SqliteStatement.h"

MaterialisedResult::MaterialisedResult(sqlite3 *db, const QString &statement, const QString &bankPath) {
    const auto fail = [&] {
        throw BankError(BankFile::statementFailure(sqlite3_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)),
                                                   statement, bankPath));
    };
    SqliteStatement query;
    QByteArray tail;
    if (query.prepare(db, statement.toUtf8(), &tail) != SQLITE_OK)
        fail();
    if (!query.isPrepared())
        throw BankError(QStringLiteral("查询语句是空的（题库文件：%1）").arg(bankPath));
    // Only a trailing ";" and blanks may follow: a second statement would run unseen.
    if (!tail.replace(';', ' ').trimmed().isEmpty())
        throw BankError(QStringLiteral("一次只能执行一条查询语句：%1").arg(BankFile::quotedStatement(statement)));
    if (!query.isReadOnly())
        throw BankError(
            QStringLiteral("题库只能读取，不能执行修改它的语句：%1").arg(BankFile::quotedStatement(statement)));

    const int columns = query.columnCount();
    for (int c = 0; c < columns; ++c)
        m_columns.append(query.columnName(c));
    int rc;
    while ((rc = query.step()) == SQLITE_ROW) {
        ResultRow row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row.append(FieldValue::fromColumn(query, c));
        m_rows.append(std::move(row));
    }
    if (rc != SQLITE_DONE)
        fail();
}
