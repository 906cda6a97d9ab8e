// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include "engine/BankError.h"
#include "engine/TADOConnection.h"
#include "engine/TADOQuery.h"
#include "engine/TDm.h"
#include "formats/BankFormats.h"
#include "jet/JetChildReader.h"
#include "jet/JetFileVersion.h"
#include "jet/JetSnapshot.h"
#include "tests/support/JetFixtures.h"
#include "tests/support/TestBank.h"

namespace {

QString failureOf(TADOConnection &connection, const QString &statement) {
    TADOQuery query(&connection);
    try {
        runStatement(query, statement);
    } catch (const BankError &e) {
        if (connection.Connected())
            return QStringLiteral("connection left open: ") + e.message();
        return e.message();
    }
    return QStringLiteral("<no failure>");
}

QByteArray bytesOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString unicodeRow(int id) {
    switch (id) {
    case 1:
        return QStringLiteral("only ascii chars");
    case 2:
        return QString::fromUtf16(u"\u00e4\u00e4kk\u00f6si\u00e4");
    case 3:
        return QString::fromUtf16(u"\u041c\u0438\u0440");
    case 4:
        return QString::fromUtf16(u"\u03f0\u03b1\u1f76 \u03c4\u1f79\u03c4' \u1f10\u03b3\u1f7c "
                                  u"\u039a\u1f7b\u03f0\u03bb\u03c9\u03c0\u03b1");
    case 5:
        return QString::fromUtf16(u"\u6f22\u5b57\u4eee\u540d\u4ea4\u3058\u308a\u6587");
    case 6:
        return QString::fromUtf16(u"3L9\u001d52\u0002_AB(\u00a5\u0005!!V");
    case 7:
        return QString::fromUtf16(u"\u00fcmlaut");
    default: {
        // Every code point from 1 to 255, the longest text a Jet text field holds.
        QString all;
        for (char16_t c = 1; c <= 255; ++c)
            all.append(QChar(c));
        return all;
    }
    }
}

} // namespace

// Genuine Access/Jet 4 banks read in place through the engine: the same connection string, statements, row
// operations and messages as a bank of our own format, with the file read in a child process.
class TestJetBank : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString freshDir(const QString &fixture) {
        static int n = 0;
        return makeJetBankDir(QDir(m_dir.path()).filePath(QString::number(++n)), fixture);
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        BankFormats::installAll();
        useBuiltBankTool();
        QVERIFY2(QFileInfo(JetChildReader::toolPath()).isExecutable(), qPrintable(JetChildReader::toolPath()));
    }

    void databasePassword_data() {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QByteArray>("password");
        QTest::addColumn<bool>("opens");
        QTest::newRow("right") << "V2003_with-password.mdb" << QByteArray("password") << true;
        QTest::newRow("wrong") << "V2003_with-password.mdb" << QByteArray("passwort") << false;
        QTest::newRow("empty") << "V2003_with-password.mdb" << QByteArray() << false;
        QTest::newRow("other case") << "V2003_with-password.mdb" << QByteArray("Password") << false;
        QTest::newRow("longer") << "V2003_with-password.mdb" << QByteArray("password1") << false;
        QTest::newRow("none kept, trainer's given") << "V2003_no-password.mdb" << QByteArray("mvkpla.27.zqe") << true;
        QTest::newRow("none kept, none given") << "V2003_no-password.mdb" << QByteArray() << true;
    }
    void databasePassword() {
        QFETCH(QString, fixture);
        QFETCH(QByteArray, password);
        QFETCH(bool, opens);
        const QString dir = freshDir(fixture);
        TADOConnection connection;
        connection.setConnectionString(jetConnectionString(dir, password));
        const QString statement = QStringLiteral("select * from Table1");
        if (!opens) {
            // The same message as for a bank of our own format.
            const QString message = failureOf(connection, statement);
            QVERIFY2(message.startsWith(QStringLiteral("题库的数据库密码错误")), qPrintable(message));
            QVERIFY2(message.contains(QDir(dir).filePath(QStringLiteral("Bs.mdb"))), qPrintable(message));
            return;
        }
        TADOQuery query(&connection);
        runStatement(query, statement);
        QCOMPARE(query.RecordCount(), 3);
        QCOMPARE(query.FieldAsString(QStringLiteral("Data")), QByteArray("One"));
    }

    // A bank whose pages are RC4-encoded reads like any other; numbers read as numbers and as their digits.
    void encodedPages() {
        TADOConnection connection;
        connection.setConnectionString(jetConnectionString(freshDir(QStringLiteral("db-enc.mdb")), "mvkpla.27.zqe"));
        TADOQuery query(&connection);
        runStatement(query, QStringLiteral("select * from Table1"));
        QCOMPARE(query.FieldNames(),
                 (QStringList{QStringLiteral("ID"), QStringLiteral("col1"), QStringLiteral("col2")}));
        QCOMPARE(query.RecordCount(), 2);
        QCOMPARE(query.FieldAsString(QStringLiteral("COL1")), QByteArray("hello"));
        QCOMPARE(query.FieldAsInteger(QStringLiteral("col2")), 0);
        query.Next();
        QCOMPARE(query.FieldAsString(QStringLiteral("col1")), QByteArray("world"));
        QCOMPARE(query.FieldAsString(QStringLiteral("col2")), QByteArray("42"));
        QCOMPARE(query.FieldAsInteger(QStringLiteral("col2")), 42);
        QVERIFY(!query.FieldIsNull(QStringLiteral("col2")));
    }

    // Compressed and uncompressed Unicode text, control characters and a 255-character text come back exactly.
    void everyUnicodeRowExactly() {
        TADOConnection connection;
        connection.setConnectionString(
            jetConnectionString(freshDir(QStringLiteral("testUnicodeCompV2003.mdb")), "mvkpla.27.zqe"));
        TADOQuery query(&connection);
        // "Table" is a keyword; the bracket quoting works as it does in Jet SQL.
        runStatement(query, QStringLiteral("select * from [Table] order by ID"));
        QCOMPARE(query.RecordCount(), 8);
        for (int id = 1; id <= 8; ++id, query.Next()) {
            QCOMPARE(query.FieldAsInteger(QStringLiteral("ID")), id);
            QCOMPARE(query.FieldAsString(QStringLiteral("unicode")), unicodeRow(id).toUtf8());
        }
        QVERIFY(query.Eof());
    }

    // The drawing's own operations on a condition over a genuine table: count, move by n, next, read by name.
    void whereStatementThroughTheDataModule() {
        const QString dir = freshDir(QStringLiteral("V2003_with-password.mdb"));
        TDm dm;
        dm.ADOConnection1->Close();
        dm.ADOConnection1->setConnectionString(jetConnectionString(dir, "password"));
        TADOQuery &query = *dm.ADOQuery1;

        runStatement(query, QStringLiteral("select * from Table1 where ID=2"));
        QCOMPARE(query.RecordCount(), 1);
        QCOMPARE(query.FieldAsString(QStringLiteral("data")), QByteArray("Two"));
        QCOMPARE(query.FieldAsString(QStringLiteral("id")), QByteArray("2"));

        runStatement(query, QStringLiteral("select * from Table1 where ID=7"));
        QCOMPARE(query.RecordCount(), 0);
        QVERIFY(query.Eof());

        runStatement(query, QStringLiteral("SELECT ID,Data FROM Table1  WHERE  Data ='One' or Data ='Three'"));
        QCOMPARE(query.RecordCount(), 2);
        query.First();
        query.MoveBy(1);
        QCOMPARE(query.FieldAsString(QStringLiteral("Data")), QByteArray("Three"));
        query.Next();
        QVERIFY(query.Eof());
        query.Close();
        QVERIFY(!dm.ADOConnection1->Connected());

        QVERIFY_THROWS_EXCEPTION(BankError, runStatement(query, QStringLiteral("select * from choose where mkid=1")));
        try {
            runStatement(query, QStringLiteral("select * from choose where mkid=1"));
        } catch (const BankError &e) {
            QVERIFY2(e.message().contains(QStringLiteral("题库文件中缺少数据表“choose”")), qPrintable(e.message()));
        }
        QVERIFY(!dm.ADOConnection1->Connected());
    }

    // Keep-connection is off, so every statement opens afresh; the file is read once for each version of it.
    void fileReadOncePerVersion() {
        const QString dir = freshDir(QStringLiteral("V2003_no-password.mdb"));
        const QString bank = QDir(dir).filePath(QStringLiteral("Bs.mdb"));
        TADOConnection connection;
        connection.setConnectionString(jetConnectionString(dir, QByteArray()));
        TADOQuery query(&connection);
        const int runs = JetChildReader::runCount();
        const int builds = JetSnapshot::buildCount();
        for (int i = 0; i < 5; ++i) {
            runStatement(query, QStringLiteral("select * from Table1 where ID=3"));
            QCOMPARE(query.FieldAsString(QStringLiteral("Data")), QByteArray("Three"));
            query.Close();
        }
        QCOMPARE(connection.openCount(), 5);
        QCOMPARE(JetChildReader::runCount(), runs + 2); // the workgroup file and the bank
        QCOMPARE(JetSnapshot::buildCount(), builds + 1);

        // Replacing the bank with another file is seen by the next statement.
        QFile::remove(bank);
        QVERIFY(QFile::copy(jetFixture(QStringLiteral("db-enc.mdb")), bank));
        runStatement(query, QStringLiteral("select * from Table1 where ID=2"));
        QCOMPARE(query.FieldAsString(QStringLiteral("col1")), QByteArray("world"));
        QCOMPARE(JetSnapshot::buildCount(), builds + 2);
    }

    void workgroupFile_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<QString>("expected");
        QTest::newRow("listed, other case") << "" << QByteArray("XyZ") << "";
        QTest::newRow("not listed") << "" << QByteArray("abc") << "工作组文件中没有用户“abc”";
        QTest::newRow("missing") << "remove" << QByteArray("xyz") << "工作组文件不存在";
        QTest::newRow("our own format") << "ours" << QByteArray("xyz") << "工作组文件也必须是 Access/Jet 格式";
        QTest::newRow("Jet file without accounts") << "plain" << QByteArray("xyz") << "没有账户表 MSysAccounts";
        QTest::newRow("text file") << "text" << QByteArray("xyz") << "不是工作组文件";
    }
    void workgroupFile() {
        QFETCH(QString, damage);
        QFETCH(QByteArray, user);
        QFETCH(QString, expected);
        const QString dir = freshDir(QStringLiteral("V2003_with-password.mdb"));
        const QString workgroup = QDir(dir).filePath(QStringLiteral("Mq4100.mdw"));
        QFile::remove(workgroup);
        if (damage.isEmpty())
            writeJetWorkgroup(workgroup);
        else if (damage == QLatin1String("ours")) {
            QTemporaryDir other;
            QVERIFY(
                QFile::copy(QDir(writeTestBank(other.path(), makeTables(11, 2))).filePath(QStringLiteral("Mq4100.mdw")),
                            workgroup));
        } else if (damage == QLatin1String("plain"))
            QVERIFY(QFile::copy(jetFixture(QStringLiteral("V2003_no-password.mdb")), workgroup));
        else if (damage == QLatin1String("text")) {
            QFile file(workgroup);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("Standard Jet DB? no.\n");
        }

        TADOConnection connection;
        connection.setConnectionString(jetConnectionString(dir, "password", user));
        const QString message = failureOf(connection, QStringLiteral("select * from Table1"));
        if (expected.isEmpty()) {
            QCOMPARE(message, QStringLiteral("<no failure>"));
            return;
        }
        QVERIFY2(message.contains(expected), qPrintable(message));
        QVERIFY2(message.contains(workgroup), qPrintable(message));
        QCOMPARE(QFile::exists(workgroup), damage != QLatin1String("remove"));
    }

    // A damaged legacy file gives a message naming it, never a crash; the trainer then opens a good bank as before.
    void damagedFiles_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("expected");
        QTest::newRow("truncated after the header") << "truncate:4096"
                                                    << "";
        QTest::newRow("truncated inside the catalogue") << "truncate:9000"
                                                        << "";
        QTest::newRow("truncated before the table") << "truncate:150000"
                                                    << "";
        QTest::newRow("pages overwritten with random bytes") << "random:1"
                                                             << "";
        QTest::newRow("pages overwritten with other random bytes") << "random:2"
                                                                   << "";
        QTest::newRow("header only") << "truncate:300"
                                     << "";
        // Found by fuzzing: a column name that no Jet table can have is refused by the child, not sent.
        QTest::newRow("control character in a column name") << "columnName"
                                                            << "数据表“Table1”的列名";
    }
    void damagedFiles() {
        QFETCH(QString, damage);
        QFETCH(QString, expected);
        const QString dir = freshDir(QStringLiteral("V2003_with-password.mdb"));
        const QString bank = QDir(dir).filePath(QStringLiteral("Bs.mdb"));
        const QStringList parts = damage.split(QLatin1Char(':'));
        if (parts[0] == QLatin1String("truncate")) {
            QVERIFY(QFile::resize(bank, parts[1].toInt()));
        } else if (parts[0] == QLatin1String("columnName")) {
            // The "D" of Table1's column "Data" in the table's definition on page 46.
            QFile file(bank);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.seek(0x2e085));
            QCOMPARE(file.read(2), QByteArray("D\0", 2));
            QVERIFY(file.seek(0x2e085));
            file.write(QByteArray("\x01\0", 2));
        } else {
            // Every page but the first, which holds the header and the password, becomes noise.
            QByteArray bytes = bytesOf(bank);
            QRandomGenerator random(parts[1].toUInt());
            for (qsizetype i = 4096; i < bytes.size(); ++i)
                bytes[i] = char(random.bounded(256));
            QFile file(bank);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(bytes);
        }
        const QByteArray before = bytesOf(bank);

        TADOConnection connection;
        connection.setConnectionString(jetConnectionString(dir, "password"));
        const QString message = failureOf(connection, QStringLiteral("select * from Table1 where ID=1"));
        QVERIFY2(message.contains(bank), qPrintable(message));
        QVERIFY2(!message.startsWith(QStringLiteral("connection left open")), qPrintable(message));
        QVERIFY2(message != QStringLiteral("<no failure>"), "a damaged bank opened");
        QVERIFY2(message.contains(expected), qPrintable(message));
        QCOMPARE(bytesOf(bank), before);

        connection.setConnectionString(
            jetConnectionString(freshDir(QStringLiteral("V2003_with-password.mdb")), "password"));
        TADOQuery query(&connection);
        runStatement(query, QStringLiteral("select * from Table1 where ID=1"));
        QCOMPARE(query.FieldAsString(QStringLiteral("Data")), QByteArray("One"));
    }

    // NULL and text are told apart as the file has them; tables are found without regard to case and a table the
    // file lacks is left out.
    void childReadsNullsAndChosenTables() {
        const QString file = jetFixture(QStringLiteral("V2003_no-password.mdb"));
        const QList<JetTable> tables = JetChildReader::read(
            file, {QStringLiteral("msysobjects"), QStringLiteral("NoSuchTable")}, QStringLiteral("题库文件"));
        QCOMPARE(tables.size(), 1);
        const JetTable &objects = tables.first();
        QCOMPARE(objects.name, QStringLiteral("MSysObjects"));
        QCOMPARE(objects.rows.size(), 25);
        QStringList columns;
        for (const JetColumn &column : objects.columns)
            columns.append(column.name);
        const qsizetype id = columns.indexOf(QStringLiteral("Id"));
        const qsizetype name = columns.indexOf(QStringLiteral("Name"));
        const qsizetype foreignName = columns.indexOf(QStringLiteral("ForeignName"));
        const qsizetype connect = columns.indexOf(QStringLiteral("Connect"));
        QVERIFY(id >= 0 && name >= 0 && foreignName >= 0 && connect >= 0);
        QCOMPARE(objects.columns[id].type, JetColumn::Integer);
        QCOMPARE(objects.columns[connect].type, JetColumn::Text); // a memo field
        for (const QCborArray &row : objects.rows) {
            QVERIFY(row.at(id).isInteger());
            QVERIFY(row.at(name).isString() && !row.at(name).toString().isEmpty());
            QVERIFY(row.at(foreignName).isNull());
            QVERIFY(row.at(connect).isNull());
        }

        const QList<JetTable> user = JetChildReader::read(file, {}, QStringLiteral("题库文件"));
        QCOMPARE(user.size(), 1);
        QCOMPARE(user.first().name, QStringLiteral("Table1"));
    }

    // Whatever goes wrong in the child ends as a message naming the file.
    void childFailures_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        QTest::newRow("hangs") << "exec sleep 30"
                               << "读取超时";
        QTest::newRow("crashes") << "kill -SEGV $$"
                                 << "读取程序异常退出";
        QTest::newRow("aborts") << "kill -ABRT $$"
                                << "读取程序异常退出";
        QTest::newRow("prints garbage") << "echo 'warning: mdb_find_row failed.'"
                                        << "无法识别";
        QTest::newRow("says nothing") << "exit 1"
                                      << "没有返回任何数据";
        QTest::newRow("is missing") << ""
                                    << "找不到读取 Access/Jet 格式题库文件所需的程序";
    }
    void childFailures() {
        QFETCH(QString, script);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString tool = QDir(dir.path()).filePath(QStringLiteral("mockexam-bank"));
        if (!script.isEmpty()) {
            QFile file(tool);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("#!/bin/sh\n" + script.toUtf8() + "\n");
            file.close();
            QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
        JetChildReader::setToolPath(tool);
        JetChildReader::setTimeout(500);
        const QString file = jetFixture(QStringLiteral("V2003_no-password.mdb"));
        QString message;
        try {
            JetChildReader::read(file, {}, QStringLiteral("题库文件"));
        } catch (const BankError &e) {
            message = e.message();
        }
        useBuiltBankTool();
        JetChildReader::setTimeout(0);
        QVERIFY2(message.contains(expected), qPrintable(message));
        QVERIFY2(message.contains(script.isEmpty() ? tool : file), qPrintable(message));
    }

    // A legacy bank holding the trainer's three tables is drawn from like our own; the snapshot stands in for what
    // the child would read, since no genuine Jet file with those tables is at hand.
    void snapshotServesTheDrawing() {
        const QString dir = freshDir(QStringLiteral("V2003_no-password.mdb"));
        const QString bank = QDir(dir).filePath(QStringLiteral("Bs.mdb"));
        BankTables tables = makeTables(11, 2);
        tables.fill.rows.append({"6", QByteArray(), "", "", QByteArray()});
        JetSnapshot::build(JetFileVersion::of(bank), jetTablesOf(tables), bank);

        TADOConnection connection;
        connection.setConnectionString(jetConnectionString(dir, "mvkpla.27.zqe"));
        TADOQuery query(&connection);
        runStatement(query, QStringLiteral("select * from choose where mkid=3"));
        QCOMPARE(query.RecordCount(), 11);
        query.MoveBy(4);
        QCOMPARE(query.FieldAsString(QStringLiteral("tid")), QByteArray("27"));
        QCOMPARE(query.FieldAsInteger(QStringLiteral("SCORE")), 1);

        runStatement(query, QStringLiteral("select * from Fill where mkid=6"));
        QCOMPARE(query.RecordCount(), 1);
        QVERIFY(query.FieldIsNull(QStringLiteral("TID")));
        QCOMPARE(query.FieldAsString(QStringLiteral("TID")), QByteArray(""));
        QCOMPARE(query.FieldAsInteger(QStringLiteral("tid")), 0);
        QVERIFY(!query.FieldIsNull(QStringLiteral("TiMu")));

        runStatement(query, QStringLiteral(
                                "SELECT Keyword,knowladge FROM tzhishidian  WHERE  recno ='02001' or recno ='02003'"));
        QCOMPARE(query.RecordCount(), 2);
        QCOMPARE(query.FieldAsString(QStringLiteral("Knowladge")), QStringLiteral("知识点说明02001").toUtf8());
    }
};

QTEST_GUILESS_MAIN(TestJetBank)
#include "test_jetbank.moc"
