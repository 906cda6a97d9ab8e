// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/BankIo.h"

#include <cerrno>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <sqlite3.h>

#include "engine/BankError.h"
#include "engine/BankFile.h"
#include "engine/ConnectionString.h"
#include "engine/FileSystem.h"
#include "engine/SqliteDatabase.h"
#include "engine/SqliteStatement.h"
#include "engine/SystemCondition.h"
#include "engine/TADOConnection.h"
#include "engine/TADOQuery.h"
#include "engine/WorkgroupFile.h"
#include "rules/BankNumber.h"
#include "tools/BankCommit.h"
#include "tools/BankSchema.h"

namespace {

const char kBankName[] = "Bs.mdb";
const char kWorkgroupName[] = "Mq4100.mdw";
// How many lines of the engine's integrity report a message quotes.
constexpr int kReportedProblems = 3;

// Where each stored column takes its values from in the source table: the schema's columns first (matched without
// regard to case), then the source's other columns, kept as text.
struct ColumnPlan {
    QStringList names;
    QStringList types;
    QList<int> sourceIndex;
};

ColumnPlan planColumns(const SchemaTable &schema, const BankTable &source) {
    ColumnPlan plan;
    for (int i = 0; i < source.columns.size(); ++i)
        for (int j = 0; j < i; ++j)
            if (source.columns[i].compare(source.columns[j], Qt::CaseInsensitive) == 0)
                throw BankError(QStringLiteral("数据表“%1”的列“%2”出现了两次").arg(schema.name, source.columns[i]));
    QList<bool> used(source.columns.size(), false);
    for (const SchemaColumn &column : schema.columns) {
        const int index = source.column(column.name);
        if (index < 0)
            throw BankError(QStringLiteral("数据表“%1”缺少列“%2”").arg(schema.name, column.name));
        used[index] = true;
        plan.names.append(column.name);
        plan.types.append(column.type);
        plan.sourceIndex.append(index);
    }
    for (int i = 0; i < source.columns.size(); ++i) {
        if (used[i])
            continue;
        if (source.columns[i].trimmed().isEmpty())
            throw BankError(QStringLiteral("数据表“%1”的第 %2 列没有列名").arg(schema.name).arg(i + 1));
        plan.names.append(source.columns[i]);
        plan.types.append(QStringLiteral("TEXT"));
        plan.sourceIndex.append(i);
    }
    return plan;
}

// A number column holds what BankNumber reads as a number as an integer, and anything else as the bytes the author
// wrote. Bound as text, a value such as " 1" or "1e9" would be turned into a number by the column's affinity, and
// the bank would hold something other than what the check judged.
void bindNumber(SqliteStatement &statement, int index, const QByteArray &value) {
    if (value.isEmpty()) {
        statement.bindNull(index);
        return;
    }
    if (const std::optional<qint64> number = BankNumber::parse(value))
        statement.bindInt64(index, *number);
    else
        statement.bindBlob(index, value);
}

void writeTable(SqliteDatabase &db, const SchemaTable &schema, const BankTable &source, const QString &shownPath) {
    const ColumnPlan plan = planColumns(schema, source);
    const auto fail = [&] {
        throw BankError(
            QStringLiteral("无法写入题库文件 %1 的数据表“%2”（%3）").arg(shownPath, schema.name, db.errorText()));
    };

    QList<std::pair<QString, QByteArray>> columns;
    for (int c = 0; c < plan.names.size(); ++c)
        columns.append({plan.names[c], plan.types[c].toUtf8()});
    const TableStatements sql = tableStatements(schema.name, columns);
    if (db.exec(sql.create) != SQLITE_OK)
        fail();
    SqliteStatement statement;
    if (statement.prepare(db.handle(), sql.insert) != SQLITE_OK)
        fail();
    for (int r = 0; r < source.rows.size(); ++r) {
        const QList<QByteArray> &row = source.rows[r];
        if (row.size() > source.columns.size())
            throw BankError(QStringLiteral("数据表“%1”第 %2 行的字段比列多").arg(schema.name).arg(r + 1));
        statement.reset();
        for (int c = 0; c < plan.names.size(); ++c) {
            const int from = plan.sourceIndex[c];
            const QByteArray value = from < row.size() ? row[from] : QByteArray();
            if (value.isNull())
                statement.bindNull(c + 1);
            else if (plan.types[c] == QLatin1String("INTEGER"))
                bindNumber(statement, c + 1, value);
            else
                statement.bindText(c + 1, value);
        }
        if (statement.step() != SQLITE_DONE)
            fail();
    }
    if (db.exec(indexStatement(schema.name, schema.indexedColumn)) != SQLITE_OK)
        fail();
}

// Writes the bank at PATH, a name aside; SHOWNPATH is the name it takes, the one messages give.
void writeBankFile(const QString &path, const QString &shownPath, const BankTables &tables,
                   const QByteArray &databasePassword) {
    SqliteDatabase db;
    const auto fail = [&] {
        throw BankError(QStringLiteral("无法写入题库文件：%1（%2）").arg(shownPath, db.errorText()));
    };
    if (db.open(path, SqliteDatabase::Mode::Create) != SQLITE_OK || db.setKey(databasePassword) != SQLITE_OK)
        fail();
    const QByteArray setup = "PRAGMA application_id = " + QByteArray::number(BankFile::kApplicationId) +
                             "; PRAGMA journal_mode = DELETE; BEGIN";
    if (db.exec(setup) != SQLITE_OK)
        fail();
    const QList<const BankTable *> sources = {&tables.choose, &tables.fill, &tables.knowledge};
    for (int t = 0; t < bankSchema().size(); ++t)
        writeTable(db, bankSchema()[t], *sources[t], shownPath);
    if (db.exec("COMMIT") != SQLITE_OK)
        fail();
}

void removeAside(const QString &path) {
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
}

} // namespace

void writeBank(const BankTables &tables, const QString &outDir, const BankCredentials &credentials) {
    const QDir dir(outDir);
    if (!FileSystem::makePath(outDir))
        throw BankError(
            QStringLiteral("无法创建文件夹：%1（%2）").arg(FileSystem::shown(outDir), SystemCondition::text(errno)));
    BankCommit::recover(outDir);
    const QString unique = QStringLiteral("%1.%2")
                               .arg(QCoreApplication::applicationPid())
                               .arg(QUuid::createUuid().toString(QUuid::Id128).left(8));
    const QString bankAside = BankCommit::bankAside(outDir, unique);
    const QString workgroupAside = BankCommit::workgroupAside(outDir, unique);
    const QString bank = FileSystem::shown(dir.filePath(QLatin1String(kBankName)));
    const QString workgroup = FileSystem::shown(dir.filePath(QLatin1String(kWorkgroupName)));
    // The files written aside have the longest names; a folder too deep for them is named before anything is written.
    const qsizetype longest = QFileInfo(bankAside).absoluteFilePath().toUtf8().size();
    if (longest >= SqliteDatabase::maxPathBytes())
        throw BankError(
            QStringLiteral("路径太长：%1（生成题库时要在其中写入 %2 字节长的文件路径，数据库引擎只能打开不超过 %3 "
                           "字节的路径；请换一个浅一些的文件夹）")
                .arg(FileSystem::shown(outDir))
                .arg(longest)
                .arg(SqliteDatabase::maxPathBytes() - 1));
    try {
        writeBankFile(bankAside, bank, tables, credentials.databasePassword);
        try {
            WorkgroupFile::create(workgroupAside, credentials.user, credentials.password,
                                  BankFile::identityAt(bankAside));
        } catch (const BankError &error) {
            // The hidden name means nothing to the user; the file is known by the name it was to take.
            throw BankError(QString(error.message()).replace(FileSystem::shown(workgroupAside), workgroup));
        }
        BankCommit::commit(outDir, bankAside, workgroupAside, unique);
    } catch (...) {
        removeAside(bankAside);
        removeAside(workgroupAside);
        throw;
    }
}

BankTables readBank(const QString &dir, const BankCredentials &credentials) {
    const QDir bankDir(dir);
    TADOConnection connection;
    connection.setConnectionString(buildConnectionString(
        bankDir.filePath(QLatin1String(kBankName)), bankDir.filePath(QLatin1String(kWorkgroupName)), credentials.user,
        credentials.password, credentials.databasePassword));
    TADOQuery query(&connection);

    BankTables tables;
    const QList<BankTable *> targets = {&tables.choose, &tables.fill, &tables.knowledge};
    for (int t = 0; t < bankSchema().size(); ++t) {
        BankTable &table = *targets[t];
        table.name = bankSchema()[t].name;
        runStatement(query, QStringLiteral("select * from %1 order by rowid").arg(table.name));
        table.columns = query.FieldNames();
        for (query.First(); !query.Eof(); query.Next()) {
            QList<QByteArray> row;
            row.reserve(table.columns.size());
            for (const QString &column : std::as_const(table.columns))
                row.append(query.FieldIsNull(column) ? QByteArray() : query.FieldAsString(column));
            table.rows.append(std::move(row));
        }
    }
    query.Close();
    return tables;
}

QList<FileDamage> checkBankPages(const QString &dir, const BankCredentials &credentials) {
    const QDir bankDir(dir);
    const QString bank = QDir::toNativeSeparators(bankDir.filePath(QLatin1String(kBankName)));
    const QString workgroup = QDir::toNativeSeparators(bankDir.filePath(QLatin1String(kWorkgroupName)));
    WorkgroupFile::verify(workgroup, credentials.user, credentials.password);
    QList<FileDamage> damage;
    const auto report = [&damage](const QString &role, const QString &path, const QStringList &problems) {
        if (problems.isEmpty())
            return;
        QStringList lines;
        for (const QString &problem : problems)
            for (const QString &line : problem.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
                if (!line.startsWith(QLatin1String("*** in database")))
                    lines.append(line.trimmed());
        QString quoted = lines.mid(0, kReportedProblems).join(QStringLiteral("；"));
        if (lines.size() > kReportedProblems)
            quoted += QStringLiteral("；等共 %1 处").arg(lines.size());
        damage.append({QFileInfo(path).fileName(), QStringLiteral("%1已损坏：%2（数据库引擎的完整性检查报告：%3）")
                                                       .arg(role, FileSystem::shown(path), quoted)});
    };

    SqliteDatabase bankDb;
    BankFile::open(bankDb, bank, credentials.databasePassword);
    report(QStringLiteral("题库文件"), bank, bankDb.integrityProblems());
    SqliteDatabase workgroupDb;
    if (workgroupDb.open(workgroup, SqliteDatabase::Mode::ReadOnly) != SQLITE_OK)
        throw BankError(
            QStringLiteral("无法打开工作组文件：%1（%2）").arg(FileSystem::shown(workgroup), workgroupDb.errorText()));
    report(QStringLiteral("工作组文件"), workgroup, workgroupDb.integrityProblems());
    return damage;
}
