// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/WorkgroupFile.h"

#include <atomic>

#include <QFile>
#include <QMutex>
#include <QSet>

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <sqlite3.h>

#include "engine/BankError.h"
#include "engine/FileSystem.h"
#include "engine/SqliteDatabase.h"
#include "engine/SqliteStatement.h"

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
QSet<QByteArray> g_verified;
std::atomic<int> g_hashes{0};

QString notWorkgroup(const QString &path) {
    return QStringLiteral("不是工作组文件：%1").arg(path);
}

QString damaged(const QString &path) {
    return QStringLiteral("工作组文件已损坏：%1").arg(path);
}

} // namespace

namespace WorkgroupFile {

void create(const QString &path, const QByteArray &user, const QByteArray &password) {
    const QString failed = QStringLiteral("无法写入工作组文件：%1").arg(path);
    if (user.isEmpty())
        throw BankError(QStringLiteral("工作组用户名不能为空"));
    QByteArray salt(kSaltSize, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char *>(salt.data()), kSaltSize) != 1)
        throw BankError(failed);

    SqliteDatabase db;
    if (db.open(path, SqliteDatabase::Mode::Create) != SQLITE_OK)
        throw BankError(failed + QStringLiteral("（%1）").arg(db.errorMessage()));
    const QByteArray schema = "PRAGMA application_id = " + QByteArray::number(kApplicationId) +
                              ";"
                              "PRAGMA user_version = 1;"
                              "CREATE TABLE accounts (name TEXT NOT NULL PRIMARY KEY COLLATE NOCASE, "
                              "algorithm TEXT NOT NULL, iterations INTEGER NOT NULL, salt BLOB NOT NULL, "
                              "hash BLOB NOT NULL);";
    if (db.exec(schema) != SQLITE_OK)
        throw BankError(failed + QStringLiteral("（%1）").arg(db.errorMessage()));
    SqliteStatement insert;
    if (insert.prepare(db.handle(), "INSERT INTO accounts VALUES (?1, ?2, ?3, ?4, ?5)") != SQLITE_OK)
        throw BankError(failed + QStringLiteral("（%1）").arg(db.errorMessage()));
    insert.bindText(1, user);
    insert.bindText(2, kAlgorithm);
    insert.bindInt64(3, kIterations);
    insert.bindBlob(4, salt);
    insert.bindBlob(5, hashPassword(password, salt, kIterations));
    if (insert.step() != SQLITE_DONE)
        throw BankError(failed + QStringLiteral("（%1）").arg(db.errorMessage()));
}

void verify(const QString &path, const QByteArray &user, const QByteArray &password) {
    // One stat serves both the checks and the identity of the file's version: this runs before every statement.
    const FileSystem::Status st = FileSystem::status(path);
    if (!st.exists)
        throw BankError(QStringLiteral("工作组文件不存在：%1").arg(path));
    if (!st.regular)
        throw BankError(notWorkgroup(path));

    QByteArray id;
    for (const QByteArray &part :
         {QByteArray::number(st.device), QByteArray::number(st.fileNumber), QByteArray::number(st.size),
          QByteArray::number(st.modifiedSeconds), QByteArray::number(st.modifiedNanoseconds), user.toLower(), password})
        id += QByteArray::number(part.size()) + ':' + part;
    const QMutexLocker locker(&g_lock);
    if (g_verified.contains(id))
        return;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw BankError(QStringLiteral("无法读取工作组文件（没有读取权限）：%1").arg(path));
    if (file.read(sizeof kSqliteHeader) != QByteArray(kSqliteHeader, sizeof kSqliteHeader))
        throw BankError(notWorkgroup(path));
    file.close();

    SqliteDatabase db;
    if (db.open(path, SqliteDatabase::Mode::ReadOnly) != SQLITE_OK)
        throw BankError(QStringLiteral("无法打开工作组文件：%1（%2）").arg(path, db.errorMessage()));
    SqliteStatement marker;
    if (marker.prepare(db.handle(), "PRAGMA application_id") != SQLITE_OK || marker.step() != SQLITE_ROW)
        throw BankError(damaged(path));
    if (marker.columnInt64(0) != kApplicationId)
        throw BankError(notWorkgroup(path));
    marker.finalize();

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
    g_verified.insert(id);
}

int hashCount() {
    return g_hashes.load();
}

} // namespace WorkgroupFile
