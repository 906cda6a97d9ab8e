// SPDX-License-Identifier: GPL-3.0-or-later

#include "jet/JetSnapshot.h"

#include <memory>

#include <QCborValue>
#include <QList>

#include <sqlite3.h>

#include "engine/BankError.h"
#include "engine/SqliteDatabase.h"
#include "engine/SqliteStatement.h"
#include "jet/JetFileVersion.h"

namespace {

// A trainer works on one bank; tools and tests on a few more. Each snapshot costs about the file's text in memory.
constexpr int kKeptFiles = 8;

struct Snapshot {
    QByteArray version;
    QByteArray name;
    // Holds the in-memory database alive between connections.
    std::unique_ptr<SqliteDatabase> keeper;
};

// Most recently used first.
QList<std::shared_ptr<Snapshot>> &snapshots() {
    static QList<std::shared_ptr<Snapshot>> list;
    return list;
}

int g_builds = 0;
int g_names = 0;

const char *typeName(JetColumn::Type type) {
    switch (type) {
    case JetColumn::Integer:
        return "INTEGER";
    case JetColumn::Real:
        return "REAL";
    case JetColumn::Blob:
        return "BLOB";
    case JetColumn::Text:
        break;
    }
    return "TEXT";
}

// The columns the trainer's statements select by: the module of a question and the code of a knowledge point.
bool selectedBy(const QString &column) {
    return column.compare(QLatin1String("mkid"), Qt::CaseInsensitive) == 0 ||
           column.compare(QLatin1String("recno"), Qt::CaseInsensitive) == 0;
}

void bind(SqliteStatement &statement, int index, const QCborValue &value) {
    if (value.isInteger())
        statement.bindInt64(index, value.toInteger());
    else if (value.isDouble())
        sqlite3_bind_double(statement.handle(), index, value.toDouble());
    else if (value.isString())
        statement.bindText(index, value.toString().toUtf8());
    else if (value.isByteArray())
        statement.bindBlob(index, value.toByteArray());
    else
        statement.bindNull(index);
}

void writeTable(SqliteDatabase &db, const JetTable &table, const QString &bankPath) {
    const auto fail = [&] {
        throw BankError(
            QStringLiteral("无法读取题库文件中的数据表“%1”：%2（%3）").arg(table.name, bankPath, db.errorMessage()));
    };
    QList<std::pair<QString, QByteArray>> columns;
    for (const JetColumn &column : table.columns)
        columns.append({column.name, typeName(column.type)});
    const TableStatements sql = tableStatements(table.name, columns);
    if (db.exec(sql.create) != SQLITE_OK)
        fail();
    SqliteStatement statement;
    if (statement.prepare(db.handle(), sql.insert) != SQLITE_OK)
        fail();
    for (const QCborArray &row : table.rows) {
        statement.reset();
        for (int c = 0; c < table.columns.size(); ++c)
            bind(statement, c + 1, row.at(c));
        if (statement.step() != SQLITE_DONE)
            fail();
    }
    for (const JetColumn &column : table.columns)
        if (selectedBy(column.name) && db.exec(indexStatement(table.name, column.name)) != SQLITE_OK)
            fail();
}

} // namespace

namespace JetSnapshot {

QByteArray find(const QByteArray &version) {
    QList<std::shared_ptr<Snapshot>> &list = snapshots();
    for (int i = 0; i < list.size(); ++i) {
        if (list[i]->version != version)
            continue;
        if (i > 0)
            list.move(i, 0);
        return list.first()->name;
    }
    return QByteArray();
}

QByteArray build(const QByteArray &version, const QList<JetTable> &tables, const QString &bankPath) {
    auto snapshot = std::make_shared<Snapshot>();
    snapshot->version = version;
    snapshot->name = "mockexam-jet-" + QByteArray::number(++g_names);
    snapshot->keeper = std::make_unique<SqliteDatabase>();
    SqliteDatabase &db = *snapshot->keeper;
    if (db.openSharedMemory(snapshot->name, SqliteDatabase::Mode::Create) != SQLITE_OK || db.exec("BEGIN") != SQLITE_OK)
        throw BankError(QStringLiteral("内存不足，无法读取题库文件：%1").arg(bankPath));
    for (const JetTable &table : tables) {
        // Names of that form belong to the database engine itself; no question table is called so.
        if (table.name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive))
            continue;
        writeTable(db, table, bankPath);
    }
    if (db.exec("COMMIT") != SQLITE_OK)
        throw BankError(QStringLiteral("无法读取题库文件：%1（%2）").arg(bankPath, db.errorMessage()));
    ++g_builds;

    // One snapshot per file: the copy of an older version of the same file goes.
    QList<std::shared_ptr<Snapshot>> &list = snapshots();
    const QByteArray path = JetFileVersion::pathOf(version);
    for (int i = int(list.size()) - 1; i >= 0; --i)
        if (JetFileVersion::pathOf(list[i]->version) == path)
            list.removeAt(i);
    list.prepend(snapshot);
    while (list.size() > kKeptFiles)
        list.removeLast();
    return snapshot->name;
}

int buildCount() {
    return g_builds;
}

void clear() {
    snapshots().clear();
}

} // namespace JetSnapshot
