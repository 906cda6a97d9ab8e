// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/SqliteDatabase.h"

#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

#include <QFileInfo>

#include "engine/CodecMemoryLock.h"
#include "engine/SqliteStatement.h"
#include "engine/SystemCondition.h"

namespace {

// Process-wide settings, made before the engine's first use. Memory statistics take a global mutex on every
// allocation, and a statement on a fresh connection allocates a great deal; nothing here reads them. Once the
// engine is running the call is refused and changes nothing.
void configureEngine() {
    static const bool configured = [] {
        sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        return true;
    }();
    Q_UNUSED(configured);
}

} // namespace

SqliteDatabase::~SqliteDatabase() {
    close();
}

int SqliteDatabase::maxPathBytes() {
    const sqlite3_vfs *vfs = sqlite3_vfs_find(nullptr);
    return vfs ? vfs->mxPathname : 512;
}

int SqliteDatabase::open(const QString &path, Mode mode) {
    configureEngine();
    close();
    // The engine would fail with no more than "unable to open database file" on a path past its own limit.
    m_pathTooLong = QFileInfo(path).absoluteFilePath().toUtf8().size() >= maxPathBytes();
    if (m_pathTooLong)
        return SQLITE_CANTOPEN;
    const int flags = mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : (SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_extended_result_codes(m_db, 0);
        // Another program may be writing the bank; wait for its lock briefly instead of failing at once.
        sqlite3_busy_timeout(m_db, 2000);
    }
    return rc;
}

int SqliteDatabase::openSharedMemory(const QByteArray &name, Mode mode) {
    configureEngine();
    close();
    const int flags = (mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : (SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) |
                      SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX;
    const QByteArray uri = "file:" + name.toPercentEncoding() + "?mode=memory&cache=shared";
    const int rc = sqlite3_open_v2(uri.constData(), &m_db, flags, nullptr);
    if (rc == SQLITE_OK)
        sqlite3_extended_result_codes(m_db, 0);
    return rc;
}

int SqliteDatabase::setKey(const QByteArray &key) {
    // Keying allocates the cipher's buffers; close() frees them inside the same kind of scope.
    const CodecMemoryLock::Skip skip;
    return sqlite3_key(m_db, key.constData(), int(key.size()));
}

int SqliteDatabase::exec(const QByteArray &sql) {
    // A key given by statement allocates the cipher's buffers as setKey does.
    const CodecMemoryLock::Skip skip;
    return sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, nullptr);
}

void SqliteDatabase::close() {
    if (m_db) {
        const CodecMemoryLock::Skip skip;
        // v2 defers the close until a statement that escaped finalization goes, instead of leaking the handle.
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

QStringList SqliteDatabase::integrityProblems() {
    const CodecMemoryLock::Skip skip;
    SqliteStatement check;
    QStringList problems;
    int rc = check.prepare(m_db, "PRAGMA integrity_check");
    while (rc == SQLITE_OK || rc == SQLITE_ROW) {
        rc = check.step();
        if (rc == SQLITE_ROW) {
            const QString line = QString::fromUtf8(check.columnBytes(0));
            if (line != QLatin1String("ok"))
                problems.append(line);
        }
    }
    if (rc != SQLITE_DONE)
        problems.append(errorMessage());
    return problems;
}

int SqliteDatabase::errorCode() const {
    if (m_pathTooLong)
        return SQLITE_CANTOPEN;
    return m_db ? sqlite3_errcode(m_db) : SQLITE_MISUSE;
}

QString SqliteDatabase::errorMessage() const {
    return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString();
}

QString SqliteDatabase::errorText() const {
    if (m_pathTooLong)
        return QStringLiteral("路径太长：数据库引擎只能打开不超过 %1 字节的路径").arg(maxPathBytes() - 1);
    if (!m_db)
        return QString();
    return SystemCondition::engineText(sqlite3_extended_errcode(m_db), sqlite3_system_errno(m_db), errorMessage());
}
