// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/BankIo.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUuid>

#include <sqlite3.h>

#include "engine/BankError.h"
#include "engine/BankFile.h"
#include "engine/ConnectionString.h"
#include "engine/FileSystem.h"
#include "engine/SqliteDatabase.h"
#include "engine/SqliteStatement.h"
#include "engine/TADOConnection.h"
#include "engine/TADOQuery.h"
#include "engine/WorkgroupFile.h"
#include "tools/BankSchema.h"

namespace {

const char kBankName[] = "Bs.mdb";
const char kWorkgroupName[] = "Mq4100.mdw";
// How many lines of the engine's integrity report a message quotes.
constexpr int kReportedProblems = 3;

QByteArray quotedName(const QString &name) {
    QString inner = name;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return '"' + inner.toUtf8() + '"';
}

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

void writeTable(SqliteDatabase &db, const SchemaTable &schema, const BankTable &source) {
    const ColumnPlan plan = planColumns(schema, source);
    const auto fail = [&] {
        throw BankError(QStringLiteral("写入数据表“%1”失败：%2").arg(schema.name, db.errorMessage()));
    };

    QByteArray create = "CREATE TABLE " + quotedName(schema.name) + " (";
    QByteArray insert = "INSERT INTO " + quotedName(schema.name) + " VALUES (";
    for (int c = 0; c < plan.names.size(); ++c) {
        create += (c ? ", " : "") + quotedName(plan.names[c]) + ' ' + plan.types[c].toUtf8();
        insert += (c ? ", ?" : "?") + QByteArray::number(c + 1);
    }
    if (db.exec(create + ")") != SQLITE_OK)
        fail();
    SqliteStatement statement;
    if (statement.prepare(db.handle(), insert + ")") != SQLITE_OK)
        fail();
    for (int r = 0; r < source.rows.size(); ++r) {
        const QList<QByteArray> &row = source.rows[r];
        if (row.size() > source.columns.size())
            throw BankError(QStringLiteral("数据表“%1”第 %2 行的字段比列多").arg(schema.name).arg(r + 1));
        statement.reset();
        for (int c = 0; c < plan.names.size(); ++c) {
            const int from = plan.sourceIndex[c];
            // Bound as text: the column's affinity makes "12" an integer where the column is one, while a value
            // that is no number stays text for the bank check to point out.
            if (from >= row.size() || row[from].isNull())
                statement.bindNull(c + 1);
            else
                statement.bindText(c + 1, row[from]);
        }
        if (statement.step() != SQLITE_DONE)
            fail();
    }
    const QByteArray index = "CREATE INDEX " + quotedName(schema.name + QLatin1Char('_') + schema.indexedColumn) +
                             " ON " + quotedName(schema.name) + " (" + quotedName(schema.indexedColumn) + ")";
    if (db.exec(index) != SQLITE_OK)
        fail();
}

void writeBankFile(const QString &path, const BankTables &tables, const QByteArray &databasePassword) {
    SqliteDatabase db;
    if (db.open(path, SqliteDatabase::Mode::Create) != SQLITE_OK || db.setKey(databasePassword) != SQLITE_OK)
        throw BankError(QStringLiteral("无法写入题库文件：%1（%2）").arg(path, db.errorMessage()));
    const QByteArray setup = "PRAGMA application_id = " + QByteArray::number(BankFile::kApplicationId) +
                             "; PRAGMA journal_mode = DELETE; BEGIN";
    if (db.exec(setup) != SQLITE_OK)
        throw BankError(QStringLiteral("无法写入题库文件：%1（%2）").arg(path, db.errorMessage()));
    const QList<const BankTable *> sources = {&tables.choose, &tables.fill, &tables.knowledge};
    for (int t = 0; t < bankSchema().size(); ++t)
        writeTable(db, bankSchema()[t], *sources[t]);
    if (db.exec("COMMIT") != SQLITE_OK)
        throw BankError(QStringLiteral("无法写入题库文件：%1（%2）").arg(path, db.errorMessage()));
}

void removeAside(const QString &path) {
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
}

QString systemError() {
    return FileSystem::lastError();
}

void renameInto(const QString &from, const QString &to) {
    // The rename replaces an existing bank in one step; a reader sees either the old file or the new one.
    if (!FileSystem::renameReplacing(from, to))
        throw BankError(QStringLiteral("无法把新文件放到位：%1（%2）").arg(to, systemError()));
}

// A build writes its files aside under names of their own, ".Bs.mdb.<process id>.<random>.tmp" (the engine adds
// "-journal" while it writes) and ".Mq4100.mdw.<process id>.<random>.old" for the old workgroup file it keeps until
// the new bank is in place. A build killed outright leaves them behind.
const QRegularExpression &asidePattern() {
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\.(?:Bs\.mdb|Mq4100\.mdw)\.(?:([0-9]+)\.[0-9a-f]+\.(?:tmp|tmp-journal|old)|[0-9a-f]{12}\.tmp(?:-journal)?)$)"));
    return pattern;
}

// Removes what builds that were killed left in DIR. A build still running (another process writing into the same
// folder) keeps its files; names of older builds, which carried no process id, are always leftovers.
void removeLeftovers(const QDir &dir) {
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        const QRegularExpressionMatch match = asidePattern().match(name);
        if (!match.hasMatch())
            continue;
        if (match.hasCaptured(1) && FileSystem::processIsRunning(match.captured(1).toLongLong()))
            continue;
        QFile::remove(dir.filePath(name));
    }
}

// Keeps the file at PATH under the name KEPT as well, so that it can be put back; false when there is none.
bool keepOld(const QString &path, const QString &kept) {
    if (!FileSystem::existsNoFollow(path))
        return false;
    // A second name for the same file costs nothing; where the file system has no hard links, a copy serves.
    if (!FileSystem::hardLink(path, kept) && !QFile::copy(path, kept))
        throw BankError(QStringLiteral("无法保留原来的文件以便出错时恢复：%1（%2）").arg(path, systemError()));
    return true;
}

} // namespace

void writeBank(const BankTables &tables, const QString &outDir, const BankCredentials &credentials) {
    const QDir dir(outDir);
    if (!QDir().mkpath(outDir))
        throw BankError(QStringLiteral("无法创建文件夹：%1").arg(outDir));
    removeLeftovers(dir);
    const QString unique = QStringLiteral("%1.%2")
                               .arg(QCoreApplication::applicationPid())
                               .arg(QUuid::createUuid().toString(QUuid::Id128).left(8));
    const QString bankAside = dir.filePath(QStringLiteral(".Bs.mdb.%1.tmp").arg(unique));
    const QString workgroupAside = dir.filePath(QStringLiteral(".Mq4100.mdw.%1.tmp").arg(unique));
    const QString workgroupKept = dir.filePath(QStringLiteral(".Mq4100.mdw.%1.old").arg(unique));
    const QString bank = dir.filePath(QLatin1String(kBankName));
    const QString workgroup = dir.filePath(QLatin1String(kWorkgroupName));
    bool keptNeeded = false;
    try {
        writeBankFile(bankAside, tables, credentials.databasePassword);
        WorkgroupFile::create(workgroupAside, credentials.user, credentials.password);
        // The two files only open as a pair: both are replaced or neither is. The workgroup file goes first and,
        // should the bank then fail to take its place, the old one is put back.
        const bool hadWorkgroup = keepOld(workgroup, workgroupKept);
        renameInto(workgroupAside, workgroup);
        try {
            renameInto(bankAside, bank);
        } catch (const BankError &error) {
            const bool restored =
                hadWorkgroup ? FileSystem::renameReplacing(workgroupKept, workgroup) : QFile::remove(workgroup);
            if (!restored) {
                keptNeeded = true;
                throw BankError(error.message() +
                                QStringLiteral("；也无法恢复原来的工作组文件，它保存在 %1").arg(workgroupKept));
            }
            throw BankError(error.message() + QStringLiteral("；原来的题库和工作组文件保持不变"));
        }
        QFile::remove(workgroupKept);
    } catch (...) {
        removeAside(bankAside);
        removeAside(workgroupAside);
        if (!keptNeeded)
            QFile::remove(workgroupKept);
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
        damage.append({QFileInfo(path).fileName(),
                       QStringLiteral("%1已损坏：%2（数据库引擎的完整性检查报告：%3）").arg(role, path, quoted)});
    };

    SqliteDatabase bankDb;
    BankFile::open(bankDb, bank, credentials.databasePassword);
    report(QStringLiteral("题库文件"), bank, bankDb.integrityProblems());
    SqliteDatabase workgroupDb;
    if (workgroupDb.open(workgroup, SqliteDatabase::Mode::ReadOnly) != SQLITE_OK)
        throw BankError(QStringLiteral("无法打开工作组文件：%1（%2）").arg(workgroup, workgroupDb.errorMessage()));
    report(QStringLiteral("工作组文件"), workgroup, workgroupDb.integrityProblems());
    return damage;
}
