#include "BankFile.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include "BankError.h"
#include "CipherKeyCache.h"
#include "CodecMemoryLock.h"
#include "SqliteDatabase.h"
#include "SqliteStatement.h"

namespace {

// The cipher writes 1024-byte pages; a bank is a whole number of them.
constexpr qint64 kPageSize = 1024;

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

} // namespace

namespace BankFile {

void open(SqliteDatabase &db, const QString &path, const QByteArray &databasePassword) {
    const QFileInfo info(path);
    if (!info.exists())
        throw BankError(QStringLiteral("题库文件不存在：%1").arg(path));
    if (!info.isFile())
        throw BankError(QStringLiteral("不是题库文件（这是一个文件夹）：%1").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw BankError(QStringLiteral("无法读取题库文件（没有读取权限）：%1").arg(path));
    const QByteArray head = file.read(64);
    const qint64 size = file.size();
    file.close();
    checkHeader(path, head, size);

    const QByteArray key = CipherKeyCache::rawKey(path, head.left(CipherKeyCache::kSaltSize), databasePassword);
    if (db.open(path, SqliteDatabase::Mode::ReadOnly) != SQLITE_OK)
        throw BankError(QStringLiteral("无法打开题库文件：%1（%2）").arg(path, db.errorMessage()));
    if (db.setKey(key) != SQLITE_OK)
        throw BankError(QStringLiteral("无法打开题库文件：%1（%2）").arg(path, db.errorMessage()));

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

QString wrongPasswordMessage(const QString &path) {
    return QStringLiteral("题库的数据库密码错误，无法打开题库文件：%1（密码无误时，则是文件不是题库或文件头已损坏）")
        .arg(path);
}

QString statementFailure(int code, const QString &engineMessage, const QString &statement, const QString &path) {
    static const QString noTable = QStringLiteral("no such table: ");
    static const QString noColumn = QStringLiteral("no such column: ");
    if (engineMessage.startsWith(noTable))
        return QStringLiteral("题库文件中缺少数据表“%1”：%2").arg(engineMessage.mid(noTable.size()), path);
    if (engineMessage.startsWith(noColumn))
        return QStringLiteral("题库文件中缺少列“%1”（语句：%2）：%3")
            .arg(engineMessage.mid(noColumn.size()), statement, path);
    switch (code) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
    case SQLITE_FORMAT:
        return damaged(path);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("题库文件正被其他程序修改，请稍后再试：%1").arg(path);
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        return QStringLiteral("读取题库文件时出错：%1（%2）").arg(path, engineMessage);
    case SQLITE_NOMEM:
        return QStringLiteral("内存不足，无法读取题库文件：%1").arg(path);
    default:
        return QStringLiteral("题库语句执行失败：%1（语句：%2；题库文件：%3）").arg(engineMessage, statement, path);
    }
}

} // namespace BankFile
