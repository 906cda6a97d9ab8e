// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

#include <sys/mman.h>
#include <unistd.h>

#include "engine/CipherKeyCache.h"
#include "engine/CodecMemoryLock.h"
#include "engine/SanitizerBuild.h"
#include "engine/TADOConnection.h"
#include "engine/TADOQuery.h"
#include "tests/support/TestBank.h"

namespace {

// The process's locked memory in kB, as the kernel counts it.
long lockedKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmLck:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

} // namespace

// The cipher's memory locks are skipped only inside the engine's scopes, never left behind, and the derived keys
// are shared by every file that carries the same salt and password.
class TestCodecMemoryLock : public QObject {
    Q_OBJECT

private slots:
    // Outside a scope a lock reaches the system: it either takes effect or fails with the system's reason, never
    // succeeds silently. Inside a scope it does nothing.
    void locksOutsideAScopeReachTheSystem() {
        const long pageSize = sysconf(_SC_PAGESIZE);
        void *page = mmap(nullptr, size_t(pageSize), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        QVERIFY(page != MAP_FAILED);
        const long before = lockedKb();
        QVERIFY(before >= 0);
        {
            const CodecMemoryLock::Skip skip;
            const long skipped = CodecMemoryLock::skippedCount();
            QCOMPARE(mlock(page, size_t(pageSize)), 0);
            QCOMPARE(lockedKb(), before);
            QCOMPARE(munlock(page, size_t(pageSize)), 0);
            QCOMPARE(CodecMemoryLock::skippedCount(), skipped + 2);
        }
#ifdef MOCKEXAM_ADDRESS_SANITIZER
        munmap(page, size_t(pageSize));
        QSKIP("the sanitizer's runtime makes every lock a no-op");
#endif
        if (mlock(page, size_t(pageSize)) == 0) {
            QCOMPARE(lockedKb(), before + pageSize / 1024);
            QCOMPARE(munlock(page, size_t(pageSize)), 0);
            QCOMPARE(lockedKb(), before);
        } else {
            QVERIFY(errno == EPERM || errno == ENOMEM || errno == EAGAIN);
        }
        munmap(page, size_t(pageSize));
    }

    // Statement after statement on a fresh connection skips the cipher's locks and leaves no memory locked.
    void statementsLeaveNoMemoryLocked() {
        QTemporaryDir dir;
        const QString dat = writeTestBank(dir.path(), makeTables(11, 2));
        TADOConnection connection;
        connection.setConnectionString(testConnectionString(dat));
        TADOQuery query(&connection);
        runStatement(query, QStringLiteral("select * from choose where mkid=1"));
        query.Close();
        const long before = lockedKb();
        const long skipped = CodecMemoryLock::skippedCount();
        for (int i = 0; i < 20; ++i) {
            runStatement(query, QStringLiteral("select * from choose where mkid=2"));
            QCOMPARE(query.RecordCount(), 11);
            query.Close();
            QVERIFY(!connection.Connected());
        }
        QVERIFY(CodecMemoryLock::skippedCount() > skipped);
        QCOMPARE(lockedKb(), before);
    }

    // A copy of a bank under another name opens with the key already derived; a bank written anew (a new salt)
    // gets a key of its own and is read, not refused as damaged.
    void keysFollowTheSaltNotThePath() {
        QTemporaryDir dir;
        const QString dat = writeTestBank(dir.path(), makeTables(11, 2));
        TADOConnection connection;
        connection.setConnectionString(testConnectionString(dat));
        TADOQuery query(&connection);
        runStatement(query, QStringLiteral("select * from choose where mkid=1"));
        QCOMPARE(query.RecordCount(), 11);
        query.Close();
        const int derivations = CipherKeyCache::derivationCount();

        QTemporaryDir copyDir;
        const QString copyDat = writeTestBank(copyDir.path(), makeTables(1, 1));
        QVERIFY(QFile::remove(QDir(copyDat).filePath(QStringLiteral("Bs.mdb"))));
        QVERIFY(QFile::copy(QDir(dat).filePath(QStringLiteral("Bs.mdb")),
                            QDir(copyDat).filePath(QStringLiteral("Bs.mdb"))));
        // The workgroup file goes along: it names the bank it belongs with.
        QVERIFY(QFile::remove(QDir(copyDat).filePath(QStringLiteral("Mq4100.mdw"))));
        QVERIFY(QFile::copy(QDir(dat).filePath(QStringLiteral("Mq4100.mdw")),
                            QDir(copyDat).filePath(QStringLiteral("Mq4100.mdw"))));
        const int afterSecondWrite = CipherKeyCache::derivationCount();
        TADOConnection copy;
        copy.setConnectionString(testConnectionString(copyDat));
        TADOQuery copyQuery(&copy);
        runStatement(copyQuery, QStringLiteral("select * from choose where mkid=1"));
        QCOMPARE(copyQuery.RecordCount(), 11);
        copyQuery.Close();
        QCOMPARE(CipherKeyCache::derivationCount(), afterSecondWrite);

        writeTestBank(dir.path(), makeTables(13, 2));
        runStatement(query, QStringLiteral("select * from choose where mkid=1"));
        QCOMPARE(query.RecordCount(), 13);
        QVERIFY(CipherKeyCache::derivationCount() > derivations);
    }
};

QTEST_GUILESS_MAIN(TestCodecMemoryLock)
#include "test_codecmemorylock.moc"
