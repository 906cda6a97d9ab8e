// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include "jet/JetDump.h"
#include "jet/JetFileVersion.h"
#include "jet/JetSnapshot.h"
#include "tests/support/JetFixtures.h"
#include "tests/support/TestBank.h"
#include "tests/support/TestPaths.h"
#include "tests/support/ToolRun.h"
#include "tools/BankIo.h"

namespace {

using Run = ToolRun;

Run tool(const QStringList &args) {
    return runToolCapturing(args);
}

} // namespace

// mockexam-bank import-jet, and the hidden jet-dump command that the engine runs as its reading child.
class TestImportJet : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return QDir(m_dir.path()).filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        useBuiltBankTool();
    }

    // The whole road from a legacy folder to a checked bank of our own format. No genuine Jet file holds the
    // trainer's tables, so the legacy bank's snapshot is given the rows the child would read from one; its password
    // and workgroup file are still checked on the genuine files.
    void convertsAndChecks() {
        const QString legacy =
            makeJetBankDir(path(QStringLiteral("legacy")), QStringLiteral("V2003_with-password.mdb"));
        const QString bank = QDir(legacy).filePath(QStringLiteral("Bs.mdb"));
        const BankTables tables = makeTables(11, 2);
        JetSnapshot::build(JetFileVersion::of(bank), jetTablesOf(tables), bank);
        const QByteArray before = fileBytes(bank);

        const QString out = path(QStringLiteral("converted"));
        const Run wrong = tool({QStringLiteral("import-jet"), legacy, out, QStringLiteral("--from-db-password"),
                                QStringLiteral("Password")});
        QCOMPARE(wrong.status, 1);
        QVERIFY2(wrong.err.contains(QStringLiteral("数据库密码错误")), qPrintable(wrong.err));
        QVERIFY(!QFile::exists(QDir(out).filePath(QStringLiteral("Bs.mdb"))));

        const Run run = tool({QStringLiteral("import-jet"), legacy, out, QStringLiteral("--from-db-password"),
                              QStringLiteral("password")});
        QVERIFY2(run.status == 0, qPrintable(run.out + run.err));
        QVERIFY2(run.out.contains(QStringLiteral("选择题 55 道，填空题 10 道，知识点 15 条")), qPrintable(run.out));
        QVERIFY2(run.out.contains(QStringLiteral("检查完毕：0 个错误")), qPrintable(run.out));
        QCOMPARE(fileBytes(bank), before);

        // The new bank opens with the trainer's own credentials and holds the same rows.
        const BankTables converted = readBank(out);
        QCOMPARE(converted.choose.rows, tables.choose.rows);
        QCOMPARE(converted.fill.rows, tables.fill.rows);
        QCOMPARE(converted.knowledge.rows, tables.knowledge.rows);
    }

    void refusals_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no trainer tables")
            << "jet" << QStringList{QStringLiteral("--from-db-password"), QStringLiteral("password")} << 1
            << "题库文件中缺少数据表“choose”";
        QTest::newRow("wrong workgroup account")
            << "jet"
            << QStringList{QStringLiteral("--from-db-password"), QStringLiteral("password"),
                           QStringLiteral("--from-user"), QStringLiteral("abc")}
            << 1 << "工作组文件中没有用户“abc”";
        QTest::newRow("our own format") << "ours" << QStringList{} << 1 << "不是 Access/Jet 格式的题库";
        QTest::newRow("no bank") << "none" << QStringList{} << 1 << "题库文件不存在";
        QTest::newRow("into the legacy folder")
            << "same" << QStringList{QStringLiteral("--from-db-password"), QStringLiteral("password")} << 1
            << "输出文件夹不能是原题库所在的文件夹";
        QTest::newRow("unknown option") << "jet" << QStringList{QStringLiteral("--db-pasword"), QStringLiteral("x")}
                                        << 2 << "未知选项";
    }
    void refusals() {
        QFETCH(QString, setup);
        QFETCH(QStringList, extra);
        QFETCH(int, status);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QString legacy = QDir(dir.path()).filePath(QStringLiteral("legacy"));
        QString out = QDir(dir.path()).filePath(QStringLiteral("out"));
        if (setup == QLatin1String("jet") || setup == QLatin1String("same"))
            makeJetBankDir(legacy, QStringLiteral("V2003_with-password.mdb"));
        else if (setup == QLatin1String("ours"))
            legacy = writeTestBank(legacy, makeTables(11, 2));
        if (setup == QLatin1String("same"))
            out = legacy + QStringLiteral("/.");
        const QByteArray before = fileBytes(QDir(legacy).filePath(QStringLiteral("Bs.mdb")));

        const Run run = tool(QStringList{QStringLiteral("import-jet"), legacy, out} + extra);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(expected), qPrintable(run.err));
        QCOMPARE(fileBytes(QDir(legacy).filePath(QStringLiteral("Bs.mdb"))), before);
        if (setup != QLatin1String("same"))
            QVERIFY(!QFile::exists(QDir(out).filePath(QStringLiteral("Bs.mdb"))));
    }

    // The reading child speaks only in its own stream, and is not offered to users.
    void hiddenReadingCommand() {
        QVERIFY(!tool({QStringLiteral("help")}).out.contains(QStringLiteral("jet-dump")));
        QVERIFY(tool({QStringLiteral("help")}).out.contains(QStringLiteral("import-jet")));

        const auto dump = [](const QStringList &args, int *status) {
            QProcess child;
            child.start(QDir(binDir()).filePath(QStringLiteral("mockexam-bank")),
                        QStringList{QStringLiteral("jet-dump")} + args);
            child.waitForFinished(30000);
            *status = child.exitCode();
            return decodeJetDump(child.readAllStandardOutput());
        };
        int status = -1;
        JetDump got = dump({jetFixture(QStringLiteral("db-enc.mdb"))}, &status);
        QCOMPARE(status, 0);
        QCOMPARE(got.status, JetDump::Tables);
        QCOMPARE(got.tables.size(), 1);
        QCOMPARE(got.tables.first().rows.last(), (QCborArray{2, QStringLiteral("world"), 42}));

        got = dump({QDir(sourceDir()).filePath(QStringLiteral("README.md"))}, &status);
        QCOMPARE(status, 1);
        QCOMPARE(got.status, JetDump::Failure);
        QVERIFY2(got.message.contains(QStringLiteral("不是 Access/Jet 数据库")), qPrintable(got.message));

        got = dump({}, &status);
        QCOMPARE(status, 2);
        QCOMPARE(got.status, JetDump::Failure);
    }
};

QTEST_GUILESS_MAIN(TestImportJet)
#include "test_importjet.moc"
