// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

struct sqlite3;
struct sqlite3_stmt;

// Owns one prepared statement and finalizes it on destruction, so that no early return or exception leaves a
// statement holding its connection (and the file's shared lock) open.
class SqliteStatement {
public:
    SqliteStatement() = default;
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    // Prepares exactly one statement; *tail receives the text that follows it (empty for a single statement).
    int prepare(sqlite3 *db, const QByteArray &sql, QByteArray *tail = nullptr);
    int step();
    void reset();
    void finalize();

    bool isPrepared() const { return m_stmt != nullptr; }
    bool isReadOnly() const;
    sqlite3_stmt *handle() const { return m_stmt; }

    int bindNull(int index);
    int bindInt64(int index, qint64 value);
    int bindText(int index, const QByteArray &utf8);
    int bindBlob(int index, const QByteArray &bytes);

    int columnCount() const;
    QString columnName(int column) const;
    int columnType(int column) const; // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB or SQLITE_NULL
    qint64 columnInt64(int column) const;
    double columnDouble(int column) const;
    QByteArray columnBytes(int column) const; // the value as text bytes (a BLOB as it is)

private:
    sqlite3_stmt *m_stmt = nullptr;
};

// A table's or column's name as SQL text, in double quotes (inner ones doubled), so that any name the bank holds stays
// one identifier.
QByteArray quotedSqlName(const QString &name);

// The statements that create a table of the columns given (name, declared type) and insert one row into it, its
// values bound as ?1, ?2, ... in the columns' order.
struct TableStatements {
    QByteArray create;
    QByteArray insert;
};
TableStatements tableStatements(const QString &table, const QList<std::pair<QString, QByteArray>> &columns);

// The statement that indexes one column of a table, the index named "<table>_<column>".
QByteArray indexStatement(const QString &table, const QString &column);
