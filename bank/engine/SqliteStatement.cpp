// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/SqliteStatement.h"

#include <sqlite3.h>

SqliteStatement::~SqliteStatement() {
    finalize();
}

int SqliteStatement::prepare(sqlite3 *db, const QByteArray &sql, QByteArray *tail) {
    finalize();
    const char *rest = nullptr;
    const int rc = sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &m_stmt, &rest);
    if (tail)
        *tail = rest ? QByteArray(rest, int(sql.constData() + sql.size() - rest)) : QByteArray();
    return rc;
}

int SqliteStatement::step() {
    return sqlite3_step(m_stmt);
}

void SqliteStatement::reset() {
    if (m_stmt) {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
}

void SqliteStatement::finalize() {
    if (m_stmt) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

bool SqliteStatement::isReadOnly() const {
    return m_stmt && sqlite3_stmt_readonly(m_stmt);
}

int SqliteStatement::bindNull(int index) {
    return sqlite3_bind_null(m_stmt, index);
}

int SqliteStatement::bindInt64(int index, qint64 value) {
    return sqlite3_bind_int64(m_stmt, index, value);
}

int SqliteStatement::bindText(int index, const QByteArray &utf8) {
    return sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

int SqliteStatement::bindBlob(int index, const QByteArray &bytes) {
    return sqlite3_bind_blob(m_stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
}

int SqliteStatement::columnCount() const {
    return sqlite3_column_count(m_stmt);
}

QString SqliteStatement::columnName(int column) const {
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

int SqliteStatement::columnType(int column) const {
    return sqlite3_column_type(m_stmt, column);
}

qint64 SqliteStatement::columnInt64(int column) const {
    return sqlite3_column_int64(m_stmt, column);
}

double SqliteStatement::columnDouble(int column) const {
    return sqlite3_column_double(m_stmt, column);
}

QByteArray SqliteStatement::columnBytes(int column) const {
    const auto *data = static_cast<const char *>(sqlite3_column_blob(m_stmt, column));
    const int size = sqlite3_column_bytes(m_stmt, column);
    return data ? QByteArray(data, size) : QByteArray("");
}

QByteArray quotedSqlName(const QString &name) {
    QString inner = name;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return '"' + inner.toUtf8() + '"';
}

TableStatements tableStatements(const QString &table, const QList<std::pair<QString, QByteArray>> &columns) {
    TableStatements statements{"CREATE TABLE " + quotedSqlName(table) + " (",
                               "INSERT INTO " + quotedSqlName(table) + " VALUES ("};
    for (int c = 0; c < columns.size(); ++c) {
        statements.create += (c ? ", " : "") + quotedSqlName(columns[c].first) + ' ' + columns[c].second;
        statements.insert += (c ? ", ?" : "?") + QByteArray::number(c + 1);
    }
    statements.create += ')';
    statements.insert += ')';
    return statements;
}

QByteArray indexStatement(const QString &table, const QString &column) {
    return "CREATE INDEX " + quotedSqlName(table + QLatin1Char('_') + column) + " ON " + quotedSqlName(table) + " (" +
           quotedSqlName(column) + ')';
}
