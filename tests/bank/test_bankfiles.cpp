// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "engine/BankError.h"
#include "engine/ConnectionString.h"
#include "engine/TADOConnection.h"
#include "engine/TADOQuery.h"
#include "tests/support/TestBank.h"
#include "tools/BankIo.h"

namespace {

QStringList entries(const QString &dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// Writing bank files from tables and reading them back through the engine, as the bank tool does.
class TestBankFiles : public QObject {
    Q_OBJECT

private slots:
    // Columns come back in stored order (the table's own, then the source's extra ones), rows in their order, NULL
    // apart from an empty text, numbers as digits.
    void roundTrip() {
        BankTables tables = makeTables(3, 1, 2, 2);
        // The source spells columns its own way and in its own order, with one column the bank does not know.
        tables.choose.columns[0] = QStringLiteral("MKID");
        tables.choose.columns.move(10, 2);
        tables.choose.columns.append(QStringLiteral("备注"));
        for (int r = 0; r < tables.choose.rows.size(); ++r) {
            tables.choose.rows[r].move(10, 2);
            tables.choose.rows[r].append(r % 2 ? QByteArray("附注，含\"引号\"") : QByteArray());
        }
        tables.choose.rows[1][8] = QByteArray("");     // empty ANALYSIS
        tables.choose.rows[2][8] = QByteArray();       // NULL ANALYSIS
        tables.choose.rows[3][2] = QByteArray("两分"); // a Score that is no number

        QTemporaryDir dir;
        const QString out = QDir(dir.path()).filePath(QStringLiteral("new/Dat"));
        writeBank(tables, out);
        QCOMPARE(entries(out), (QStringList{QStringLiteral("Bs.mdb"), QStringLiteral("Mq4100.mdw")}));

        const BankTables read = readBank(out);
        QCOMPARE(read.choose.name, QStringLiteral("choose"));
        QCOMPARE(read.choose.columns,
                 (QStringList{QStringLiteral("mkid"), QStringLiteral("tid"), QStringLiteral("Timu"),
                              QStringLiteral("ANSWER_A"), QStringLiteral("ANSWER_B"), QStringLiteral("ANSWER_C"),
                              QStringLiteral("ANSWER_D"), QStringLiteral("Key"), QStringLiteral("ANALYSIS"),
                              QStringLiteral("ZHISHIDIAN"), QStringLiteral("Score"), QStringLiteral("备注")}));
        QCOMPARE(read.choose.rows.size(), tables.choose.rows.size());
        for (int r = 0; r < read.choose.rows.size(); ++r) {
            for (int c = 0; c < read.choose.columns.size(); ++c) {
                const QByteArray expected = tables.choose.rows[r][tables.choose.column(read.choose.columns[c])];
                const QByteArray got = read.choose.rows[r][c];
                QCOMPARE(got, expected);
                QCOMPARE(got.isNull(), expected.isNull());
            }
        }
        QCOMPARE(read.fill.columns, tables.fill.columns);
        QCOMPARE(read.fill.rows, tables.fill.rows);
        QCOMPARE(read.knowledge.columns, tables.knowledge.columns);
        QCOMPARE(read.knowledge.rows, tables.knowledge.rows);
    }

    // Values take the column's type: digits in an integer column become a number; anything else there is kept as
    // the bytes written (a blob, which no affinity turns into a number), and a text column holds text.
    void valuesTakeTheColumnsType() {
        BankTables tables = makeTables(2, 1, 1, 1);
        tables.choose.rows[0][10] = "两分";
        tables.choose.rows[1][10] = "2";
        tables.choose.rows[1][7] = "12"; // Key is text even when it looks like a number
        QTemporaryDir dir;
        const QString dat = writeTestBank(dir.path(), tables);
        TADOConnection connection;
        connection.setConnectionString(testConnectionString(dat));
        TADOQuery query(&connection);
        query.SQL().Add(QStringLiteral("select typeof(Score) as s, typeof(Key) as k, typeof(mkid) as m from choose "
                                       "order by tid"));
        query.Open();
        QCOMPARE(query.FieldAsString(QStringLiteral("s")), QByteArray("blob"));
        QCOMPARE(query.FieldAsString(QStringLiteral("m")), QByteArray("integer"));
        query.Next();
        QCOMPARE(query.FieldAsString(QStringLiteral("s")), QByteArray("integer"));
        QCOMPARE(query.FieldAsString(QStringLiteral("k")), QByteArray("text"));
    }

    // A build that fails leaves the bank that was there untouched and nothing half-written beside it.
    void failedBuildLeavesNothing_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("expected");
        QTest::newRow("missing column") << "missing"
                                        << "数据表“Fill”缺少列“TiMu”";
        QTest::newRow("column twice") << "twice"
                                      << "数据表“tzhishidian”的列“KEYWORD”出现了两次";
        QTest::newRow("row too long") << "long"
                                      << "数据表“choose”第 1 行的字段比列多";
    }
    void failedBuildLeavesNothing() {
        QFETCH(QString, fault);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString dat = writeTestBank(dir.path(), makeTables(11, 2));
        const QByteArray bankBefore = fileBytes(QDir(dat).filePath(QStringLiteral("Bs.mdb")));

        BankTables tables = makeTables(11, 2);
        if (fault == QLatin1String("missing")) {
            tables.fill.columns.removeAt(2);
            for (auto &row : tables.fill.rows)
                row.removeAt(2);
        } else if (fault == QLatin1String("twice")) {
            tables.knowledge.columns.append(QStringLiteral("KEYWORD"));
        } else {
            tables.choose.rows[0].append("extra");
        }
        try {
            writeBank(tables, dat);
            QFAIL("a faulty source was written");
        } catch (const BankError &e) {
            QVERIFY2(e.message().contains(expected), qPrintable(e.message()));
        }
        QCOMPARE(entries(dat), (QStringList{QStringLiteral("Bs.mdb"), QStringLiteral("Mq4100.mdw")}));
        QCOMPARE(fileBytes(QDir(dat).filePath(QStringLiteral("Bs.mdb"))), bankBefore);
        QCOMPARE(readBank(dat).choose.rows.size(), 55);
    }

    // The bank and its workgroup file take their places as a pair: when the bank cannot (here a folder stands in
    // its place), the workgroup file that was there is put back, and nothing is left aside.
    void failedSecondRenameReplacesNeither() {
        QTemporaryDir dir;
        const QString dat = writeTestBank(dir.path(), makeTables(11, 2));
        const QString workgroup = QDir(dat).filePath(QStringLiteral("Mq4100.mdw"));
        const QByteArray workgroupBefore = fileBytes(workgroup);
        QVERIFY(QFile::remove(QDir(dat).filePath(QStringLiteral("Bs.mdb"))));
        QVERIFY(QDir(dat).mkdir(QStringLiteral("Bs.mdb")));
        try {
            writeBank(makeTables(12, 2), dat);
            QFAIL("a bank was written over a folder");
        } catch (const BankError &e) {
            QVERIFY2(e.message().contains(QStringLiteral("无法把新文件放到位")), qPrintable(e.message()));
            QVERIFY2(e.message().contains(QStringLiteral("保持不变")), qPrintable(e.message()));
        }
        QCOMPARE(entries(dat), (QStringList{QStringLiteral("Bs.mdb"), QStringLiteral("Mq4100.mdw")}));
        QCOMPARE(fileBytes(workgroup), workgroupBefore);
        QVERIFY(QFileInfo(QDir(dat).filePath(QStringLiteral("Bs.mdb"))).isDir());

        // With the folder gone, the next build puts both in place.
        QVERIFY(QDir(dat).rmdir(QStringLiteral("Bs.mdb")));
        writeBank(makeTables(12, 2), dat);
        QCOMPARE(readBank(dat).choose.rows.size(), 60);
    }

    // What a build killed outright left aside is removed by the next build; the files of a build still running
    // (here this very process) and files of other names stay.
    void leftoversOfKilledBuildsAreRemoved() {
        QTemporaryDir dir;
        const QString dat = writeTestBank(dir.path(), makeTables(11, 2));
        // A process that has come and gone; its id is taken while it runs (Windows forgets it at the end).
        QProcess ended;
#ifdef _WIN32
        ended.start(QStringLiteral("cmd.exe"), {QStringLiteral("/c"), QStringLiteral("exit 0")});
#else
        ended.start(QStringLiteral("true"));
#endif
        QVERIFY(ended.waitForStarted());
        const QString dead = QString::number(ended.processId());
        QVERIFY(ended.waitForFinished());
        const QString alive = QString::number(QCoreApplication::applicationPid());
        const QStringList leftovers{QStringLiteral(".Bs.mdb.") + dead + QStringLiteral(".0a1b2c3d.tmp"),
                                    QStringLiteral(".Bs.mdb.") + dead + QStringLiteral(".0a1b2c3d.tmp-journal"),
                                    QStringLiteral(".Mq4100.mdw.") + dead + QStringLiteral(".0a1b2c3d.tmp"),
                                    QStringLiteral(".Mq4100.mdw.") + dead + QStringLiteral(".0a1b2c3d.old"),
                                    QStringLiteral(".Bs.mdb.0123456789ab.tmp") /* named by an older build */};
        const QStringList kept{QStringLiteral(".Bs.mdb.") + alive + QStringLiteral(".0a1b2c3d.tmp"),
                               QStringLiteral(".Bs.mdb.keep"), QStringLiteral("Bs.mdb.bak")};
        for (const QString &name : leftovers + kept) {
            QFile file(QDir(dat).filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("partly written");
        }
        writeBank(makeTables(11, 2), dat);
        QStringList expected = kept + QStringList{QStringLiteral("Bs.mdb"), QStringLiteral("Mq4100.mdw")};
        expected.sort();
        QStringList found = entries(dat);
        found.sort();
        QCOMPARE(found, expected);
    }

    // A bank built for other credentials opens with those and with no others.
    void otherCredentials() {
        BankCredentials credentials;
        credentials.user = "teacher";
        credentials.password = "pass word;1";
        credentials.databasePassword = "库'密码\"";
        QTemporaryDir dir;
        const QString dat = writeTestBank(dir.path(), makeTables(11, 2), credentials);
        QCOMPARE(readBank(dat, credentials).fill.rows.size(), 10);
        QVERIFY_THROWS_EXCEPTION(BankError, readBank(dat));

        BankCredentials wrongKey = credentials;
        wrongKey.databasePassword = "库'密码";
        try {
            readBank(dat, wrongKey);
            QFAIL("opened with a wrong database password");
        } catch (const BankError &e) {
            QVERIFY2(e.message().contains(QStringLiteral("数据库密码错误")), qPrintable(e.message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestBankFiles)
#include "test_bankfiles.moc"
