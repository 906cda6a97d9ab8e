// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/WorkgroupFile.h"

#include <atomic>
#include <cerrno>

#include <QFile>
#include <QHash>
#include <QMutex>

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <sqlite3.h>

#include "engine/BankError.h"
#include "engine/FileSystem.h"
#include "engine/SqliteDatabase.h"
#include "engine/SqliteStatement.h"
#include "engine/SystemCondition.h"

namespace {

// "MQWG": tells our workgroup file apart from any other SQLite database.
constexpr int kApplicationId = 0x4d515747;
constexpr int kIterations = 100000;
constexpr int kSaltSize = 16;
constexpr int kHashSize = 32;
const char kAlgorithm[] = "pbkdf2-hmac-sha256";
const char kSqliteHeader[] = "SQLite format 3";

QByteArray hashPassword(const QByteArray &password, const QByteArray &salt, int iterations) {
    QByteArray hash(kHashSize, '\0');
    if (PKCS5_PBKDF2_HMAC(password.constData(), int(password.size()),
                          reinterpret_cast<const unsigned char *>(salt.constData()), int(salt.size()), iterations,
                          EVP_sha256(), kHashSize, reinterpret_cast<unsigned char *>(hash.data())) != 1)
        throw BankError(QStringLiteral("无法计算工作组密码的校验值"));
    return hash;
}

// Logons are verified from the worker thread that prepares the keys during the splash as well as from the drawing.
// The lock is held through a verification, so that one logon is hashed once, never twice side by side.
QMutex g_lock;
QHash<QByteArray, QByteArray> g_verified; // logon and file version -> the bank identity the file records
std::atomic<int> g_hashes{0};

QString notWorkgroup(const QString &path) {
    return QStringLiteral("不是工作组文件：%1").arg(path);
}

QString damaged(const QString &path) {
    return QStringLiteral("工作组文件已损坏：%1").arg(path);
}

// Opens the workgroup file at PATH read-only after making sure it is one; throws BankError naming it otherwise.
void openWorkgroup(SqliteDatabase &db, const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw BankError(QStringLiteral("无法读取工作组文件（没有读取权限）：%1").arg(path));
    if (file.read(sizeof kSqliteHeader) != QByteArray(kSqliteHeader, sizeof kSqliteHeader))
        throw BankError(notWorkgroup(path));
    file.close();

    if (db.open(path, SqliteDatabase::Mode::ReadOnly) != SQLITE_OK)
        throw BankError(QStringLiteral("无法打开工作组文件：%1（%2）").arg(path, db.errorText()));
    SqliteStatement marker;
    if (marker.prepare(db.handle(), "PRAGMA application_id") != SQLITE_OK || marker.step() != SQLITE_ROW)
        throw BankError(damaged(path));
    if (marker.columnInt64(0) != kApplicationId)
        throw BankError(notWorkgroup(path));
}

// Files of format 1 predate the bank's identity and have no table for it.
QByteArray readBankIdentity(SqliteDatabase &db, const QString &path) {
    SqliteStatement version;
    if (version.prepare(db.handle(), "PRAGMA user_version") != SQLITE_OK || version.step() != SQLITE_ROW)
        throw BankError(damaged(path));
    if (version.columnInt64(0) < 2)
        return QByteArray();
    SqliteStatement identity;
    if (identity.prepare(db.handle(), "SELECT identity FROM bank") != SQLITE_OK || identity.step() != SQLITE_ROW)
        throw BankError(damaged(path));
    const QByteArray value = identity.columnBytes(0);
    if (value.isEmpty())
        throw BankError(damaged(path));
    return value;
}

FileSystem::Status requireWorkgroupPath(const QString &path) {
    const FileSystem::Status st = FileSystem::status(path);
    if (!st.exists) {
        const QString unreachable = path.isEmpty() ? QString() : SystemCondition::unreachable(path, st.error);
        throw BankError(unreachable.isEmpty() ? QStringLiteral("工作组文件不存在：%1").arg(path) : unreachable);
    }
    if (!st.regular)
        throw BankError(notWorkgroup(path));
    return st;
}

} // namespace

namespace WorkgroupFile {

void create(const QString &path, const QByteArray &user, const QByteArray &password, const QByteArray &bankIdentity) {
    const QString failed = QStringLiteral("无法写入工作组文件：%1").arg(path);
    if (user.isEmpty())
        throw BankError(QStringLiteral("工作组用户名不能为空"));
    QByteArray salt(kSaltSize, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char *>(salt.data()), kSaltSize) != 1)
        throw BankError(failed);

    SqliteDatabase db;
    if (db.open(path, SqliteDatabase::Mode::Create) != SQLITE_OK)
        throw BankError(failed + QStringLiteral("（%1）").arg(db.errorText()));
    // A file without a bank to name is one of the older format, which goes with any bank.
    const QByteArray schema = "PRAGMA application_id = " + QByteArray::number(kApplicationId) +
                              ";"
                              "PRAGMA user_version = " +
                              (bankIdentity.isEmpty() ? "1" : "2") +
                              ";"
                              "CREATE TABLE accounts (name TEXT NOT NULL PRIMARY KEY COLLATE NOCASE, "
                              "algorithm TEXT NOT NULL, iterations INTEGER NOT NULL, salt BLOB NOT NULL, "
                              "hash BLOB NOT NULL);" +
                              (bankIdentity.isEmpty() ? "" : "CREATE TABLE bank (identity BLOB NOT NULL);");
    if (db.exec(schema) != SQLITE_OK)
        throw BankError(failed + QStringLiteral("（%1）").arg(db.errorText()));
    SqliteStatement insert;
    if (insert.prepare(db.handle(), "INSERT INTO accounts VALUES (?1, ?2, ?3, ?4, ?5)") != SQLITE_OK)
        throw BankError(failed + QStringLiteral("（%1）").arg(db.errorText()));
    insert.bindText(1, user);
    insert.bindText(2, kAlgorithm);
    insert.bindInt64(3, kIterations);
    insert.bindBlob(4, salt);
    insert.bindBlob(5, hashPassword(password, salt, kIterations));
    if (insert.step() != SQLITE_DONE)
        throw BankError(failed + QStringLiteral("（%1）").arg(db.errorText()));
    if (bankIdentity.isEmpty())
        return;
    SqliteStatement identity;
    if (identity.prepare(db.handle(), "INSERT INTO bank VALUES (?1)") != SQLITE_OK)
        throw BankError(failed + QStringLiteral("（%1）").arg(db.errorText()));
    identity.bindBlob(1, bankIdentity);
    if (identity.step() != SQLITE_DONE)
        throw BankError(failed + QStringLiteral("（%1）").arg(db.errorText()));
}

QByteArray verify(const QString &path, const QByteArray &user, const QByteArray &password) {
    // One stat serves both the checks and the identity of the file's version: this runs before every statement.
    const FileSystem::Status st = requireWorkgroupPath(path);

    QByteArray id;
    for (const QByteArray &part :
         {QByteArray::number(st.device), QByteArray::number(st.fileNumber), QByteArray::number(st.size),
          QByteArray::number(st.modifiedSeconds), QByteArray::number(st.modifiedNanoseconds), user.toLower(), password})
        id += QByteArray::number(part.size()) + ':' + part;
    const QMutexLocker locker(&g_lock);
    const auto verified = g_verified.constFind(id);
    if (verified != g_verified.constEnd())
        return verified.value();

    SqliteDatabase db;
    openWorkgroup(db, path);
    const QByteArray bank = readBankIdentity(db, path);

    SqliteStatement account;
    if (account.prepare(db.handle(), "SELECT algorithm, iterations, salt, hash FROM accounts WHERE name = ?1") !=
        SQLITE_OK)
        throw BankError(damaged(path));
    account.bindText(1, user);
    const int rc = account.step();
    if (rc == SQLITE_DONE)
        throw BankError(QStringLiteral("工作组文件中没有用户“%1”：%2").arg(QString::fromUtf8(user), path));
    if (rc != SQLITE_ROW)
        throw BankError(damaged(path));
    const qint64 iterations = account.columnInt64(1);
    const QByteArray salt = account.columnBytes(2);
    const QByteArray stored = account.columnBytes(3);
    if (account.columnBytes(0) != kAlgorithm || iterations < 1 || iterations > 100000000 || salt.isEmpty() ||
        stored.size() != kHashSize)
        throw BankError(damaged(path));

    const QByteArray hash = hashPassword(password, salt, int(iterations));
    ++g_hashes;
    if (CRYPTO_memcmp(hash.constData(), stored.constData(), kHashSize) != 0)
        throw BankError(
            QStringLiteral("工作组用户“%1”的密码错误（工作组文件：%2）").arg(QString::fromUtf8(user), path));
    g_verified.insert(id, bank);
    return bank;
}

QByteArray bankIdentity(const QString &path) {
    requireWorkgroupPath(path);
    SqliteDatabase db;
    openWorkgroup(db, path);
    return readBankIdentity(db, path);
}

int hashCount() {
    return g_hashes.load();
}

} // namespace WorkgroupFile
