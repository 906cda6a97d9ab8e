// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/BankFile.h"

#include <cerrno>

#include <QFile>

#include <sqlite3.h>

#include "engine/BankError.h"
#include "engine/CipherKeyCache.h"
#include "engine/CodecMemoryLock.h"
#include "engine/FileSystem.h"
#include "engine/SqliteDatabase.h"
#include "engine/SqliteStatement.h"
#include "engine/SystemCondition.h"

namespace {

// The cipher writes 1024-byte pages; a bank is a whole number of them.
constexpr qint64 kPageSize = 1024;
// How much of the file tells what it is: the salt, or a foreign header.
constexpr int kHeadSize = 64;
// A statement quoted in a message keeps its beginning and its end; a knowledge statement may run to many kilobytes.
constexpr int kQuotedHead = 120;
constexpr int kQuotedTail = 60;

const char kSqliteHeader[] = "SQLite format 3";
const char kJetSignature[] = "Standard Jet DB";

QString damaged(const QString &path) {
    return QStringLiteral("题库文件已损坏：%1").arg(path);
}

// Tells from the first bytes of a file what it plainly is not, before any key is tried.
void checkHeader(const QString &path, const QByteArray &head, qint64 size) {
    if (size == 0)
        throw BankError(QStringLiteral("题库文件是空的：%1").arg(path));
    if (head.startsWith(QByteArray(kSqliteHeader, sizeof kSqliteHeader)))
        throw BankError(QStringLiteral("不是题库文件（这是一个未加密的数据库，例如工作组文件）：%1").arg(path));
    if (head.mid(4, sizeof kJetSignature - 1) == kJetSignature)
        throw BankError(QStringLiteral("不是本程序的题库文件（这是 Access/Jet 格式的数据库）：%1").arg(path));
    if (size < kPageSize || size % kPageSize != 0)
        throw BankError(QStringLiteral("不是题库文件，或题库文件已损坏（文件长度不对）：%1").arg(path));
}

// Refuses what is not an ordinary file before anything opens it: opening a FIFO for reading would wait for a writer.
void requireRegularFile(const QString &path) {
    const FileSystem::Status st = FileSystem::status(path);
    if (!st.exists) {
        const QString unreachable = path.isEmpty() ? QString() : SystemCondition::unreachable(path, st.error);
        throw BankError(unreachable.isEmpty() ? QStringLiteral("题库文件不存在：%1").arg(path) : unreachable);
    }
    if (st.directory)
        throw BankError(QStringLiteral("不是题库文件（这是一个文件夹）：%1").arg(path));
    if (!st.regular)
        throw BankError(QStringLiteral("不是题库文件（不是普通文件）：%1").arg(path));
}

// The first bytes and the length of the file that the connection has open. Read through the engine's own file
// handle, so they belong to the very file that the key will be tried on, even when the path has meanwhile been
// renamed over by another bank (a build replacing it): a salt read from the path could be the other file's.
bool readOpenFile(sqlite3 *db, QByteArray *head, qint64 *size) {
    sqlite3_file *file = nullptr;
    if (sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file || !file->pMethods)
        return false;
    sqlite3_int64 length = 0;
    if (file->pMethods->xFileSize(file, &length) != SQLITE_OK)
        return false;
    *size = length;
    const int wanted = int(qMin<qint64>(length, kHeadSize));
    head->resize(wanted);
    if (wanted > 0 && file->pMethods->xRead(file, head->data(), wanted, 0) != SQLITE_OK)
        return false;
    return true;
}

} // namespace

namespace BankFile {

void open(SqliteDatabase &db, const QString &path, const QByteArray &databasePassword) {
    requireRegularFile(path);
    if (db.open(path, SqliteDatabase::Mode::ReadOnly) != SQLITE_OK) {
        const bool readable = QFile::exists(path) && QFile(path).open(QIODevice::ReadOnly);
        throw BankError(readable ? QStringLiteral("无法打开题库文件：%1（%2）").arg(path, db.errorText())
                                 : QStringLiteral("无法读取题库文件（没有读取权限）：%1").arg(path));
    }
    QByteArray head;
    qint64 size = 0;
    if (!readOpenFile(db.handle(), &head, &size))
        throw BankError(QStringLiteral("读取题库文件时出错：%1").arg(path));
    checkHeader(path, head, size);

    const QByteArray key = CipherKeyCache::rawKey(path, head.left(CipherKeyCache::kSaltSize), databasePassword);
    if (db.setKey(key) != SQLITE_OK)
        throw BankError(QStringLiteral("无法打开题库文件：%1（%2）").arg(path, db.errorText()));

    // The first read decrypts the first page: a wrong key fails here and nowhere later. It also sets up the cipher's
    // page keys, whose passing buffers need no memory lock (see CodecMemoryLock).
    const CodecMemoryLock::Skip skip;
    SqliteStatement marker;
    int rc = marker.prepare(db.handle(), "PRAGMA application_id");
    if (rc == SQLITE_OK)
        rc = marker.step();
    if (rc == SQLITE_NOTADB)
        throw BankError(wrongPasswordMessage(path));
    if (rc != SQLITE_ROW)
        throw BankError(statementFailure(db.errorCode(), db.errorMessage(), QString(), path));
    if (marker.columnInt64(0) != kApplicationId)
        throw BankError(QStringLiteral("不是题库文件：%1").arg(path));
}

void requirePlainBank(const QString &path) {
    requireRegularFile(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw BankError(QStringLiteral("无法读取题库文件（没有读取权限）：%1").arg(path));
    checkHeader(path, file.read(kHeadSize), file.size());
}

void prepareKey(const QString &path, const QByteArray &databasePassword) {
    requireRegularFile(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw BankError(QStringLiteral("无法读取题库文件（没有读取权限）：%1").arg(path));
    const QByteArray head = file.read(kHeadSize);
    checkHeader(path, head, file.size());
    CipherKeyCache::rawKey(path, head.left(CipherKeyCache::kSaltSize), databasePassword);
}

QByteArray identityOfOpen(SqliteDatabase &db) {
    QByteArray head;
    qint64 size = 0;
    if (!db.isOpen() || !readOpenFile(db.handle(), &head, &size) || head.size() < CipherKeyCache::kSaltSize)
        return QByteArray();
    return head.left(CipherKeyCache::kSaltSize);
}

QByteArray identityAt(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    const QByteArray head = file.read(CipherKeyCache::kSaltSize);
    return head.size() == CipherKeyCache::kSaltSize ? head : QByteArray();
}

QString mismatchMessage(const QString &bankPath, const QString &workgroupPath) {
    return QStringLiteral("题库文件和工作组文件不是同一次生成的，不能配对使用：%1 和 %2（多半是生成题库时被中断；"
                          "请用 mockexam-bank check 检查这个文件夹，它会完成或撤销中断的生成，"
                          "或用 mockexam-bank build 重新生成题库）")
        .arg(bankPath, workgroupPath);
}

QString wrongPasswordMessage(const QString &path) {
    return QStringLiteral("题库的数据库密码错误，无法打开题库文件：%1（密码无误时，则是文件不是题库或文件头已损坏）")
        .arg(path);
}

QString quotedStatement(const QString &statement) {
    QString flat = statement;
    flat.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (flat.size() <= kQuotedHead + kQuotedTail + 1)
        return flat;
    return flat.left(kQuotedHead) + QStringLiteral("…") + flat.right(kQuotedTail);
}

QString statementFailure(int code, const QString &engineMessage, const QString &statement, const QString &path) {
    static const QString noTable = QStringLiteral("no such table: ");
    static const QString noColumn = QStringLiteral("no such column: ");
    static const QString tooDeep = QStringLiteral("Expression tree is too large");
    if (engineMessage.startsWith(noTable))
        return QStringLiteral("题库文件中缺少数据表“%1”：%2").arg(engineMessage.mid(noTable.size()), path);
    if (engineMessage.startsWith(noColumn))
        return QStringLiteral("题库文件中缺少列“%1”（语句：%2）：%3")
            .arg(engineMessage.mid(noColumn.size()), quotedStatement(statement), path);
    if (engineMessage.startsWith(tooDeep))
        return QStringLiteral("题库语句的条件太多，数据库引擎拒绝执行（%1）：多半是某道选择题的知识点编码太长"
                              "（语句：%2；题库文件：%3）")
            .arg(engineMessage, quotedStatement(statement), path);
    switch (code) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
    case SQLITE_FORMAT:
        return damaged(path);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("题库文件正被其他程序修改，请稍后再试：%1").arg(path);
    case SQLITE_READONLY:
        // A reader meets this only where a journal left by an interrupted change waits to be rolled back, which a
        // read-only connection must not do.
        if (QFile::exists(path + QStringLiteral("-journal")))
            return QStringLiteral(
                       "题库文件旁有一个修改中断后留下的日志文件：%1。练习程序只读取题库，不能用它把题库恢复原状。"
                       "请确认没有程序正在修改题库，然后用 mockexam-bank build 重新生成题库，"
                       "或删除这个日志文件后用 mockexam-bank check 检查题库：%2")
                .arg(path + QStringLiteral("-journal"), path);
        return QStringLiteral("读取题库文件时出错：%1（%2）").arg(path, engineMessage);
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        return QStringLiteral("读取题库文件时出错：%1（%2）").arg(path, engineMessage);
    case SQLITE_NOMEM:
        return QStringLiteral("内存不足，无法读取题库文件：%1").arg(path);
    default:
        return QStringLiteral("题库语句执行失败：%1（语句：%2；题库文件：%3）")
            .arg(engineMessage, quotedStatement(statement), path);
    }
}

} // namespace BankFile
