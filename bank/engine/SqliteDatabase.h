// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct sqlite3;

// Owns one SQLCipher connection handle and closes it on destruction. It reports SQLite result codes and leaves the
// wording of failures to its callers, which know which file the user should hear about.
class SqliteDatabase {
public:
    enum class Mode {
        ReadOnly, // never creates the file, never writes it, takes only shared locks
        Create    // read-write, created when missing (the bank tool's writing side)
    };

    SqliteDatabase() = default;
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase &) = delete;
    SqliteDatabase &operator=(const SqliteDatabase &) = delete;

    // A path longer than the engine can open (maxPathBytes()) is refused as SQLITE_CANTOPEN, said so by errorText().
    int open(const QString &path, Mode mode);
    // The longest absolute path, in bytes, that the engine opens; the system itself allows far longer ones.
    static int maxPathBytes();
    // Opens the shared-cache in-memory database NAME, which lives while any connection to it is open.
    int openSharedMemory(const QByteArray &name, Mode mode);
    // A passphrase, or a raw key written as x'<64 hex digits>' that skips the slow key derivation.
    int setKey(const QByteArray &key);
    int exec(const QByteArray &sql);
    void close();
    // What the engine's own integrity check finds, reading every page that a table or an index uses: its report
    // line by line, or the error that stopped it; empty when all is well.
    QStringList integrityProblems();

    bool isOpen() const { return m_db != nullptr; }
    sqlite3 *handle() const { return m_db; }
    int errorCode() const;
    QString errorMessage() const;
    // The last failure as a message quotes it: the condition in Chinese where it is one a user can meet (a full disk,
    // a read-only file, a lock, a folder, no database), otherwise the engine's own text.
    QString errorText() const;

private:
    sqlite3 *m_db = nullptr;
    bool m_pathTooLong = false;
};
