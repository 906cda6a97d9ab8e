// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <cstdio>
#include <thread>

#include <unistd.h>

#include "drawing/PaperDrawing.h"
#include "engine/BankError.h"
#include "engine/CipherKeyCache.h"
#include "engine/KeyWarmUp.h"
#include "engine/TADOConnection.h"
#include "engine/TADOQuery.h"
#include "engine/TDm.h"
#include "engine/WorkgroupFile.h"
#include "rules/ExamState.h"
#include "tests/support/TestBank.h"

namespace {

QString bankIn(const QString &dat) {
    return QDir(dat).filePath(QStringLiteral("Bs.mdb"));
}

// Replaces the bank at TARGET by one of the two SOURCES in turn, each time by a rename over it, as a build does,
// until told to stop.
class Replacer {
public:
    Replacer(const QString &target, const QStringList &sources) {
        const QByteArray to = QFile::encodeName(target);
        const QByteArray aside = QFile::encodeName(target + QStringLiteral(".next"));
        QList<QByteArray> from;
        for (const QString &source : sources)
            from.append(QFile::encodeName(source));
        m_thread = std::thread([this, to, aside, from] {
            for (int i = 0; !m_stop.load(); ++i) {
                ::unlink(aside.constData());
                if (::link(from[i % from.size()].constData(), aside.constData()) == 0 &&
                    std::rename(aside.constData(), to.constData()) == 0)
                    ++m_renames;
            }
        });
    }
    ~Replacer() { stop(); }
    int stop() {
        m_stop.store(true);
        if (m_thread.joinable())
            m_thread.join();
        return m_renames.load();
    }

private:
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_renames{0};
};

} // namespace

// Readers and writers of the bank at the same time: a bank renamed over while it is opened, and the key caches that
// a worker thread fills while the drawing may read them.
class TestBankReplace : public QObject {
    Q_OBJECT
private slots:
    void readerSeesTheOldBankOrTheNew();
    void keyCacheFromManyThreads();
    void workgroupLogonFromManyThreads();
    void warmUpPreparesTheFirstOpen();
};

// A build loop renames new banks over the one being read: every open sees one bank or the other, whole, and none
// reports a wrong password.
void TestBankReplace::readerSeesTheOldBankOrTheNew() {
    QTemporaryDir dir;
    const QString eleven = writeTestBank(dir.filePath(QStringLiteral("a")), makeTables(11, 2));
    // Ids of their own, so that a drawing whose modules come from the two banks never meets an id twice.
    BankTables larger = makeTables(13, 2);
    const int tid = larger.choose.column(QStringLiteral("tid"));
    for (QList<QByteArray> &row : larger.choose.rows)
        row[tid] = QByteArray::number(row[tid].toInt() + 1000);
    const QString thirteen = writeTestBank(dir.filePath(QStringLiteral("b")), larger);
    const QString dat = writeTestBank(dir.filePath(QStringLiteral("read")), makeTables(11, 2));
    // A workgroup file that names no bank goes with both: only the bank's replacement is under test here.
    const QString workgroup = QDir(dat).filePath(QStringLiteral("Mq4100.mdw"));
    QVERIFY(QFile::remove(workgroup));
    WorkgroupFile::create(workgroup, "xyz", "mvkpla.27.zqe");

    TDm dm;
    dm.ADOConnection1->setConnectionString(testConnectionString(dat));
    QStringList failures;
    int opens = 0;
    Replacer replacer(bankIn(dat), {bankIn(eleven), bankIn(thirteen)});
    for (int i = 0; i < 1500; ++i) {
        try {
            runStatement(*dm.ADOQuery1, QStringLiteral("select * from choose where mkid=2"));
            const int rows = dm.ADOQuery1->RecordCount();
            if (rows != 11 && rows != 13)
                failures.append(QStringLiteral("%1 rows").arg(rows));
            ++opens;
            // Now and then a whole drawing, whose 65 statements may each meet another bank.
            if (i % 300 == 0) {
                resetExamState();
                drawPaper(*dm.ADOQuery1, nullptr);
                opens += 65;
            }
        } catch (const BankError &e) {
            failures.append(e.message());
        }
    }
    dm.ADOQuery1->Close();
    const int renames = replacer.stop();
    QVERIFY(renames > 0);
    QVERIFY2(failures.isEmpty(), qPrintable(QStringLiteral("%1 of %2 opens failed, the first: %3")
                                                .arg(failures.size())
                                                .arg(opens + failures.size())
                                                .arg(failures.value(0))));
}

// Threads asking for the same key at once get the same key, derived once; other salts get their own.
void TestBankReplace::keyCacheFromManyThreads() {
    const QByteArray shared = QByteArray("shared-salt-").leftJustified(CipherKeyCache::kSaltSize, '.');
    const int before = CipherKeyCache::derivationCount();
    constexpr int kThreads = 8;
    QList<QByteArray> sharedKeys(kThreads);
    QList<QByteArray> ownKeys(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            sharedKeys[t] = CipherKeyCache::rawKey(QStringLiteral("x"), shared, "password");
            const QByteArray own = QByteArray("own-salt-") + QByteArray::number(t);
            ownKeys[t] = CipherKeyCache::rawKey(QStringLiteral("x"), own.leftJustified(16, '.'), "password");
        });
    for (std::thread &thread : threads)
        thread.join();

    QCOMPARE(CipherKeyCache::derivationCount() - before, 1 + kThreads);
    for (int t = 0; t < kThreads; ++t) {
        QCOMPARE(sharedKeys[t], sharedKeys[0]);
        QVERIFY(sharedKeys[t].startsWith("x'") && sharedKeys[t].size() == 67);
        QCOMPARE(ownKeys.count(ownKeys[t]), 1);
    }
}

// Verifying one logon from several threads at once hashes the password once, and every thread is let in.
void TestBankReplace::workgroupLogonFromManyThreads() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Mq4100.mdw"));
    WorkgroupFile::create(path, "xyz", "secret");
    const int before = WorkgroupFile::hashCount();
    std::atomic<int> refused{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            try {
                WorkgroupFile::verify(path, "XYZ", "secret");
            } catch (const BankError &) {
                ++refused;
            }
        });
    for (std::thread &thread : threads)
        thread.join();
    QCOMPARE(refused.load(), 0);
    QCOMPARE(WorkgroupFile::hashCount() - before, 1);
}

// Keys derived ahead (on a worker thread) serve the first open, which derives nothing more; a bank that is not
// there fails only the opening, as it would without the warm-up.
void TestBankReplace::warmUpPreparesTheFirstOpen() {
    QTemporaryDir dir;
    const QString dat = writeTestBank(dir.path(), makeTables(11, 2));
    const int derivations = CipherKeyCache::derivationCount();
    const int hashes = WorkgroupFile::hashCount();
    {
        KeyWarmUp warmUp;
        warmUp.start(testConnectionString(dat));
        warmUp.wait();
    }
    QCOMPARE(CipherKeyCache::derivationCount() - derivations, 1);
    QCOMPARE(WorkgroupFile::hashCount() - hashes, 1);

    TDm dm;
    dm.ADOConnection1->setConnectionString(testConnectionString(dat));
    runStatement(*dm.ADOQuery1, QStringLiteral("select * from Fill where mkid=5"));
    QCOMPARE(dm.ADOQuery1->RecordCount(), 2);
    dm.ADOQuery1->Close();
    QCOMPARE(CipherKeyCache::derivationCount() - derivations, 1);
    QCOMPARE(WorkgroupFile::hashCount() - hashes, 1);

    const QString nowhere = testConnectionString(dir.filePath(QStringLiteral("nowhere")));
    KeyWarmUp failing;
    failing.start(nowhere);
    failing.wait();
    QVERIFY_THROWS_EXCEPTION(BankError, KeyWarmUp::derive(nowhere));
}

QTEST_GUILESS_MAIN(TestBankReplace)
#include "test_bankreplace.moc"
