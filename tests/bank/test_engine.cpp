// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include "engine/BankError.h"
#include "engine/CipherKeyCache.h"
#include "engine/ConnectionString.h"
#include "engine/TADOConnection.h"
#include "engine/TADOQuery.h"
#include "engine/TDm.h"
#include "engine/WorkgroupFile.h"
#include "tests/support/TestBank.h"

namespace {

QList<QByteArray> currentRow(const TADOQuery &query) {
    QList<QByteArray> row;
    for (const QString &column : query.FieldNames())
        row.append(query.FieldAsString(column));
    return row;
}

struct FileState {
    QByteArray bytes;
    QDateTime modified;
    bool operator==(const FileState &other) const { return bytes == other.bytes && modified == other.modified; }
};

FileState stateOf(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return {file.readAll(), QFileInfo(path).lastModified()};
}

} // namespace

// The engine as the paper drawing uses it: the five steps of a statement, the row operations and column readers,
// keep-connection off, and a bank that is never written.
class TestEngine : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_dat;

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        BankTables tables = makeTables(11, 2);
        // A row with NULLs where text and numbers are read, in a module of its own.
        tables.choose.rows.append({"6", QByteArray(), QByteArray(), "", "", "", "", "A", "", "", QByteArray()});
        tables.fill.rows.append({"6", QByteArray(), "", "", QByteArray()});
        m_dat = writeTestBank(m_dir.path(), tables);
    }

    void dataModuleHasItsNamedParts() {
        TDm dm;
        QCOMPARE(dm.objectName(), QStringLiteral("Dm"));
        QCOMPARE(dm.findChild<TADOConnection *>(QStringLiteral("ADOConnection1")), dm.ADOConnection1);
        QCOMPARE(dm.findChild<TADOQuery *>(QStringLiteral("ADOQuery1")), dm.ADOQuery1);
        QVERIFY(!dm.ADOConnection1->Connected());

        // Destroying the module with its query still open must not reach the connection after it is gone.
        dm.ADOConnection1->setConnectionString(testConnectionString(m_dat));
        runStatement(*dm.ADOQuery1, QStringLiteral("select * from Fill where mkid=1"));
        QVERIFY(dm.ADOConnection1->Connected());
    }

    void moduleStatementsReturnEachModulesRows() {
        TADOConnection connection;
        connection.setConnectionString(testConnectionString(m_dat));
        TADOQuery query(&connection);
        for (int m = 1; m <= 5; ++m) {
            runStatement(query, QStringLiteral("select * from choose where mkid=%1").arg(m));
            QCOMPARE(query.RecordCount(), 11);
            QSet<QByteArray> tids;
            for (int r = 0; r < 11; ++r) {
                query.First();
                query.MoveBy(r);
                QCOMPARE(query.FieldAsInteger(QStringLiteral("mkid")), m);
                tids.insert(query.FieldAsString(QStringLiteral("tid")));
            }
            QCOMPARE(tids.size(), 11);

            runStatement(query, QStringLiteral("select * from Fill where mkid=%1").arg(m));
            QCOMPARE(query.RecordCount(), 2);
            QCOMPARE(query.FieldAsInteger(QStringLiteral("MKID")), m);
        }
        runStatement(query, QStringLiteral("select * from choose where mkid=7"));
        QCOMPARE(query.RecordCount(), 0);
    }

    void knowledgeStatementRunsAsWritten_data() {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QStringList>("keywords");
        QTest::newRow("one code") << QStringLiteral("SELECT Keyword,knowladge FROM tzhishidian  WHERE  recno ='01002'")
                                  << QStringList{QStringLiteral("关键词01002")};
        QTest::newRow("two codes")
            << QStringLiteral("SELECT Keyword,knowladge FROM tzhishidian  WHERE  recno ='03001' or recno ='03003'")
            << QStringList{QStringLiteral("关键词03001"), QStringLiteral("关键词03003")};
        QTest::newRow("no such code") << QStringLiteral(
                                             "SELECT Keyword,knowladge FROM tzhishidian  WHERE  recno ='09001'")
                                      << QStringList{};
        QTest::newRow("short last piece")
            << QStringLiteral("SELECT Keyword,knowladge FROM tzhishidian  WHERE  recno ='01001' or recno ='01'")
            << QStringList{QStringLiteral("关键词01001")};
        QTest::newRow("quote doubled in a code")
            << QStringLiteral("SELECT Keyword,knowladge FROM tzhishidian  WHERE  recno ='0''1'") << QStringList{};
    }
    void knowledgeStatementRunsAsWritten() {
        QFETCH(QString, statement);
        QFETCH(QStringList, keywords);
        TADOConnection connection;
        connection.setConnectionString(testConnectionString(m_dat));
        TADOQuery query(&connection);
        QStringList seen;
        query.setStatementObserver([&](const QString &text) { seen.append(text); });
        runStatement(query, statement);
        QCOMPARE(seen, QStringList{statement});
        QCOMPARE(query.FieldNames(), (QStringList{QStringLiteral("Keyword"), QStringLiteral("knowladge")}));
        QCOMPARE(query.RecordCount(), int(keywords.size()));
        QStringList got;
        for (int k = 0; k < query.RecordCount(); ++k) {
            got.append(QString::fromUtf8(query.FieldAsString(QStringLiteral("Keyword"))));
            const QByteArray code = got.last().right(5).toUtf8();
            QCOMPARE(query.FieldAsString(QStringLiteral("Knowladge")), QStringLiteral("知识点说明").toUtf8() + code);
            query.Next();
        }
        got.sort();
        QCOMPARE(got, keywords);
    }

    // Moving works like a materialised result: past the end stops on the last row with Eof set, before the start
    // stops on the first; RecNo follows.
    void rowOperations() {
        TADOConnection connection;
        connection.setConnectionString(testConnectionString(m_dat));
        TADOQuery query(&connection);
        runStatement(query, QStringLiteral("select * from choose where mkid=2"));
        QCOMPARE(query.RecNo(), 1);
        QVERIFY(!query.Eof());
        QCOMPARE(query.FieldAsString(QStringLiteral("tid")), QByteArray("12"));
        query.MoveBy(10);
        QCOMPARE(query.RecNo(), 11);
        QVERIFY(!query.Eof());
        QCOMPARE(query.FieldAsString(QStringLiteral("tid")), QByteArray("22"));
        query.Next();
        QVERIFY(query.Eof());
        QCOMPARE(query.RecNo(), 11);
        QCOMPARE(query.FieldAsString(QStringLiteral("tid")), QByteArray("22"));
        query.First();
        query.MoveBy(500);
        QVERIFY(query.Eof());
        QCOMPARE(query.RecNo(), 11);
        query.MoveBy(-3);
        QVERIFY(!query.Eof());
        QCOMPARE(query.FieldAsString(QStringLiteral("tid")), QByteArray("19"));
        query.MoveBy(-100);
        QCOMPARE(query.RecNo(), 1);
        query.Next();
        QCOMPARE(query.FieldAsString(QStringLiteral("tid")), QByteArray("13"));

        // Walking to the end sees every row once.
        int rows = 0;
        for (query.First(); !query.Eof(); query.Next())
            ++rows;
        QCOMPARE(rows, 11);

        runStatement(query, QStringLiteral("select * from choose where mkid=9"));
        QCOMPARE(query.RecordCount(), 0);
        QVERIFY(query.Eof());
        QCOMPARE(query.RecNo(), 0);
        query.MoveBy(3);
        QCOMPARE(query.FieldAsString(QStringLiteral("tid")), QByteArray());
        QCOMPARE(query.FieldAsInteger(QStringLiteral("Score")), 0);
        QVERIFY_THROWS_EXCEPTION(BankError, query.FieldAsString(QStringLiteral("nosuchcolumn")));

        query.Close();
        QVERIFY(!query.Active());
        QVERIFY_THROWS_EXCEPTION(BankError, query.RecordCount());
    }

    void columnsAndValues_data() {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("integer");
        QTest::addColumn<bool>("isNull");
        const QString first = QStringLiteral("select * from choose where mkid=1");
        const QString blank = QStringLiteral("select * from choose where mkid=6");
        const QString fill = QStringLiteral("select * from Fill where mkid=6");
        QTest::newRow("number as text") << first << "mkid" << QByteArray("1") << 1 << false;
        QTest::newRow("upper-case name") << first << "TID" << QByteArray("1") << 1 << false;
        QTest::newRow("mixed-case name") << first << "timu" << QStringLiteral("第1题：模块1的题目").toUtf8() << 0
                                         << false;
        QTest::newRow("score") << first << "Score" << QByteArray("1") << 1 << false;
        QTest::newRow("NULL tid") << blank << "tid" << QByteArray() << 0 << true;
        QTest::newRow("NULL score") << blank << "SCORE" << QByteArray() << 0 << true;
        QTest::newRow("empty text") << blank << "ANSWER_A" << QByteArray("") << 0 << false;
        QTest::newRow("NULL TID of Fill") << fill << "tid" << QByteArray() << 0 << true;
        QTest::newRow("mkid of Fill by either case") << fill << "mkid" << QByteArray("6") << 6 << false;
    }
    void columnsAndValues() {
        QFETCH(QString, statement);
        QFETCH(QString, column);
        QFETCH(QByteArray, text);
        QFETCH(int, integer);
        QFETCH(bool, isNull);
        TADOConnection connection;
        connection.setConnectionString(testConnectionString(m_dat));
        TADOQuery query(&connection);
        runStatement(query, statement);
        QCOMPARE(query.FieldAsString(column), text);
        QCOMPARE(query.FieldIsNull(column), isNull);
        if (integer || isNull)
            QCOMPARE(query.FieldAsInteger(column), integer);
    }

    void textIsNotAnInteger() {
        TADOConnection connection;
        connection.setConnectionString(testConnectionString(m_dat));
        TADOQuery query(&connection);
        runStatement(query, QStringLiteral("select * from choose where mkid=1"));
        try {
            query.FieldAsInteger(QStringLiteral("Key"));
            QFAIL("a letter read as integer");
        } catch (const BankError &e) {
            QVERIFY2(e.message().contains(QStringLiteral("不是整数")), qPrintable(e.message()));
        }
    }

    // Keep-connection is off: opening the query opens the connection, closing it closes the connection, and every
    // statement runs on a connection of its own.
    void keepConnectionOff() {
        TADOConnection connection;
        connection.setConnectionString(testConnectionString(m_dat));
        TADOQuery query(&connection);
        QVERIFY(!connection.Connected());
        QCOMPARE(connection.openCount(), 0);
        for (int m = 1; m <= 3; ++m) {
            runStatement(query, QStringLiteral("select * from choose where mkid=%1").arg(m));
            QVERIFY(connection.Connected());
            QCOMPARE(connection.openCount(), m);
        }
        query.Close();
        QVERIFY(!connection.Connected());
        query.Close();
        QCOMPARE(connection.openCount(), 3);

        // A second query keeps the connection while it is open.
        TADOQuery other(&connection);
        runStatement(query, QStringLiteral("select * from Fill where mkid=1"));
        runStatement(other, QStringLiteral("select * from Fill where mkid=2"));
        QCOMPARE(connection.openCount(), 4);
        query.Close();
        QVERIFY(connection.Connected());
        QCOMPARE(other.FieldAsInteger(QStringLiteral("mkid")), 2);
        other.Close();
        QVERIFY(!connection.Connected());

        // Closing the connection closes its queries.
        runStatement(query, QStringLiteral("select * from Fill where mkid=1"));
        connection.Close();
        QVERIFY(!query.Active());
        QVERIFY(!connection.Connected());
    }

    // The slow derivations run once per process however many times the bank is opened.
    void keysAreDerivedOnce() {
        TADOConnection connection;
        connection.setConnectionString(testConnectionString(m_dat));
        TADOQuery query(&connection);
        runStatement(query, QStringLiteral("select * from choose where mkid=1"));
        const int derivations = CipherKeyCache::derivationCount();
        const int hashes = WorkgroupFile::hashCount();
        for (int i = 0; i < 20; ++i)
            runStatement(query, QStringLiteral("select * from choose where mkid=2"));
        QCOMPARE(CipherKeyCache::derivationCount(), derivations);
        QCOMPARE(WorkgroupFile::hashCount(), hashes);
    }

    // A bank replaced between two statements is seen by the second.
    void replacedBankIsSeenByTheNextStatement() {
        QTemporaryDir dir;
        const QString dat = writeTestBank(dir.path(), makeTables(11, 2));
        TADOConnection connection;
        connection.setConnectionString(testConnectionString(dat));
        TADOQuery query(&connection);
        runStatement(query, QStringLiteral("select * from choose where mkid=1"));
        QCOMPARE(query.RecordCount(), 11);
        query.Close();
        writeTestBank(dir.path(), makeTables(13, 2));
        runStatement(query, QStringLiteral("select * from choose where mkid=1"));
        QCOMPARE(query.RecordCount(), 13);
    }

    // Picking by position from a module of many rows, stored interleaved with the other modules, gives the same
    // rows in the same order as reading the whole result.
    void positionalPicksMatchAFullRead() {
        BankTables tables = makeTables(0, 0, 5, 1);
        for (int tid = 1; tid <= 3000; ++tid) {
            const QByteArray t = QByteArray::number(tid);
            tables.choose.rows.append(
                {QByteArray::number(tid % 3 + 1), t, "T" + t, "a", "b", "c", "d", "A", "", "", "1"});
        }
        QTemporaryDir dir;
        const QString dat = writeTestBank(dir.path(), tables);
        TADOConnection connection;
        connection.setConnectionString(testConnectionString(dat));
        TADOQuery picks(&connection);
        TADOQuery full(&connection);
        runStatement(picks, QStringLiteral("select * from choose where mkid=2"));
        // The same condition in a form that is read in full.
        runStatement(full, QStringLiteral("select * from choose where (mkid=2)"));
        QCOMPARE(picks.RecordCount(), 1000);
        QCOMPARE(full.RecordCount(), 1000);
        QCOMPARE(picks.FieldNames(), full.FieldNames());

        QList<QList<QByteArray>> rows;
        for (full.First(); !full.Eof(); full.Next())
            rows.append(currentRow(full));
        QRandomGenerator random(7);
        for (int pick = 0; pick < 200; ++pick) {
            const int r = int(random.bounded(1000));
            picks.First();
            picks.MoveBy(r);
            QCOMPARE(currentRow(picks), rows[r]);
        }
        picks.First();
        QCOMPARE(currentRow(picks), rows.first());
        picks.MoveBy(999);
        QCOMPARE(currentRow(picks), rows.last());
    }

    // Nothing is ever written: the files keep their bytes and times, and nothing appears beside them. Another
    // connection may hold the bank open meanwhile.
    void bankIsNeverWritten() {
        QTemporaryDir dir;
        const QString dat = writeTestBank(dir.path(), makeTables(11, 2));
        const QString bank = QDir(dat).filePath(QStringLiteral("Bs.mdb"));
        const QString workgroup = QDir(dat).filePath(QStringLiteral("Mq4100.mdw"));
        const FileState bankBefore = stateOf(bank);
        const FileState workgroupBefore = stateOf(workgroup);
        const QStringList listing = QDir(dat).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        QCOMPARE(listing, (QStringList{QStringLiteral("Bs.mdb"), QStringLiteral("Mq4100.mdw")}));

        TADOConnection holder;
        holder.setConnectionString(testConnectionString(dat));
        TADOQuery held(&holder);
        runStatement(held, QStringLiteral("select * from tzhishidian"));

        TDm dm;
        dm.ADOConnection1->setConnectionString(testConnectionString(dat));
        for (int m = 1; m <= 5; ++m) {
            runStatement(*dm.ADOQuery1, QStringLiteral("select * from choose where mkid=%1").arg(m));
            dm.ADOQuery1->MoveBy(5);
            QVERIFY(!dm.ADOQuery1->FieldAsString(QStringLiteral("Timu")).isEmpty());
            runStatement(*dm.ADOQuery1,
                         QStringLiteral("SELECT Keyword,knowladge FROM tzhishidian  WHERE  recno ='0%1001'").arg(m));
            runStatement(*dm.ADOQuery1, QStringLiteral("select * from Fill where mkid=%1").arg(m));
        }
        QVERIFY_THROWS_EXCEPTION(BankError, runStatement(*dm.ADOQuery1, QStringLiteral("delete from choose")));
        QVERIFY_THROWS_EXCEPTION(BankError, runStatement(*dm.ADOQuery1, QStringLiteral("select 1; drop table choose")));
        dm.ADOQuery1->Close();
        held.Close();

        QCOMPARE(QDir(dat).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), listing);
        QVERIFY(stateOf(bank) == bankBefore);
        QVERIFY(stateOf(workgroup) == workgroupBefore);
    }

    void pathWithBlanksAndChineseCharacters() {
        QTemporaryDir dir;
        const QString install = QDir(dir.path()).filePath(QStringLiteral("考试 系统/二级 C 语言"));
        const QString dat = writeTestBank(install, makeTables(11, 2));
        TADOConnection connection;
        connection.setConnectionString(testConnectionString(dat));
        TADOQuery query(&connection);
        runStatement(query, QStringLiteral("select * from Fill where mkid=3"));
        QCOMPARE(query.RecordCount(), 2);
        QCOMPARE(query.FieldAsString(QStringLiteral("KEY")), QStringLiteral("答案5").toUtf8());
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "test_engine.moc"
