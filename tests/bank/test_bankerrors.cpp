// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include "engine/BankError.h"
#include "engine/BankFile.h"
#include "engine/ConnectionString.h"
#include "engine/SqliteDatabase.h"
#include "engine/TADOConnection.h"
#include "engine/TADOQuery.h"
#include "engine/WorkgroupFile.h"
#include "formats/BankFormats.h"
#include "tests/support/JetFixtures.h"
#include "tests/support/TestBank.h"

namespace {

const QString kModuleStatement = QStringLiteral("select * from choose where mkid=1");

void copyOver(const QString &from, const QString &to) {
    QFile::remove(to);
    QVERIFY(QFile::copy(from, to));
}

void writeBytes(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

void patchBytes(const QString &path, qint64 offset, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek(offset));
    file.write(bytes);
}

// An encrypted bank holding only what the statements give it, for the missing-table and missing-column cases, and
// a workgroup file at WORKGROUP that belongs with it.
void writeRawBank(const QString &path, const QString &workgroup, const QByteArray &statements) {
    QFile::remove(path);
    {
        SqliteDatabase db;
        QCOMPARE(db.open(path, SqliteDatabase::Mode::Create), 0);
        QCOMPARE(db.setKey("mvkpla.27.zqe"), 0);
        QCOMPARE(db.exec("PRAGMA application_id = " + QByteArray::number(BankFile::kApplicationId) + ";" + statements),
                 0);
    }
    QFile::remove(workgroup);
    WorkgroupFile::create(workgroup, "xyz", "mvkpla.27.zqe", BankFile::identityAt(path));
}

} // namespace

// Every way the bank can fail to open or to answer gives a clear message naming the file and the problem; the
// program goes on and the connection stays usable.
class TestBankErrors : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_good;
    QString m_goodDat;

    QString bankPath(const QString &dat) const { return QDir(dat).filePath(QStringLiteral("Bs.mdb")); }
    QString workgroupPath(const QString &dat) const { return QDir(dat).filePath(QStringLiteral("Mq4100.mdw")); }

private slots:
    void initTestCase() {
        QVERIFY(m_good.isValid());
        BankFormats::installAll();
        m_goodDat = writeTestBank(m_good.path(), makeTables(11, 2));
    }

    void failuresAreNamed_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("namedFile");
        QTest::newRow("missing bank") << "removeBank" << kModuleStatement << "题库文件不存在"
                                      << "Bs.mdb";
        QTest::newRow("missing folder") << "removeFolder" << kModuleStatement << "找不到题库文件夹："
                                        << "/Dat";
        QTest::newRow("missing workgroup") << "removeWorkgroup" << kModuleStatement << "工作组文件不存在"
                                           << "Mq4100.mdw";
        QTest::newRow("bank is text") << "textBank" << kModuleStatement << "不是题库文件"
                                      << "Bs.mdb";
        QTest::newRow("bank is empty") << "emptyBank" << kModuleStatement << "题库文件是空的"
                                       << "Bs.mdb";
        QTest::newRow("bank is a workgroup file")
            << "workgroupAsBank" << kModuleStatement << "不是题库文件（这是一个未加密的数据库"
            << "Bs.mdb";
        QTest::newRow("bank is an Access file") << "jetBank" << kModuleStatement << "Access/Jet"
                                                << "Bs.mdb";
        QTest::newRow("bank is a folder") << "folderBank" << kModuleStatement << "不是题库文件"
                                          << "Bs.mdb";
        QTest::newRow("workgroup is a bank") << "bankAsWorkgroup" << kModuleStatement << "不是工作组文件"
                                             << "Mq4100.mdw";
        QTest::newRow("workgroup is another database") << "foreignWorkgroup" << kModuleStatement << "不是工作组文件"
                                                       << "Mq4100.mdw";
        QTest::newRow("unknown account") << "unknownUser" << kModuleStatement << "工作组文件中没有用户“abc”"
                                         << "Mq4100.mdw";
        QTest::newRow("wrong account password")
            << "wrongUserPassword" << kModuleStatement << "工作组用户“xyz”的密码错误"
            << "Mq4100.mdw";
        QTest::newRow("wrong database password") << "wrongDatabasePassword" << kModuleStatement << "数据库密码错误"
                                                 << "Bs.mdb";
        QTest::newRow("truncated bank") << "truncatedBank" << kModuleStatement << "文件长度不对"
                                        << "Bs.mdb";
        QTest::newRow("damaged page") << "damagedPage" << kModuleStatement << "题库文件已损坏"
                                      << "Bs.mdb";
        QTest::newRow("missing table") << "noKnowledgeTable"
                                       << "SELECT Keyword,knowladge FROM tzhishidian  WHERE  recno ='01001'"
                                       << "题库文件中缺少数据表“tzhishidian”"
                                       << "Bs.mdb";
        QTest::newRow("missing column in the condition")
            << "noMkidColumn" << kModuleStatement << "题库文件中缺少列“mkid”"
            << "Bs.mdb";
        QTest::newRow("wrong provider") << "otherProvider" << kModuleStatement << "不支持数据提供程序“SQLOLEDB”"
                                        << "Microsoft.Jet.OLEDB.4.0";
        QTest::newRow("statement error") << ""
                                         << "select * from choose where"
                                         << "题库语句执行失败"
                                         << "Bs.mdb";
        // Every message stays a few lines long, whatever the length of the statement it quotes.
        QTest::newRow("long statement error") << ""
                                              << QStringLiteral("select * from choose where tid = 1") +
                                                     QStringLiteral(" or tid = 1").repeated(900) + QStringLiteral(" or")
                                              << "题库语句执行失败"
                                              << "Bs.mdb";
        QTest::newRow("bank is a FIFO") << "fifoBank" << kModuleStatement << "不是题库文件（不是普通文件）"
                                        << "Bs.mdb";
        QTest::newRow("journal left beside the bank") << "hotJournal" << kModuleStatement << "日志文件"
                                                      << "Bs.mdb-journal";
        // A genuine Access/Jet workgroup file means a legacy bank: a bank file beside it that is no such file is the
        // one at fault.
        QTest::newRow("random bank beside a Jet workgroup file")
            << "randomBankJetWorkgroup" << kModuleStatement << "题库文件已损坏或不是题库文件"
            << "Bs.mdb";
        QTest::newRow("one-byte bank beside a Jet workgroup file")
            << "oneByteBankJetWorkgroup" << kModuleStatement << "不是题库文件，或题库文件已损坏（文件长度不对）"
            << "Bs.mdb";
    }
    void failuresAreNamed() {
        QFETCH(QString, damage);
        QFETCH(QString, statement);
        QFETCH(QString, expected);
        QFETCH(QString, namedFile);

        QTemporaryDir dir;
        const QString dat = dir.path();
        copyOver(bankPath(m_goodDat), bankPath(dat));
        copyOver(workgroupPath(m_goodDat), workgroupPath(dat));
        const QString bank = bankPath(dat);
        const QString workgroup = workgroupPath(dat);
        QString connectionString = testConnectionString(dat);
        if (damage == QLatin1String("removeBank"))
            QFile::remove(bank);
        else if (damage == QLatin1String("removeFolder"))
            connectionString = testConnectionString(QDir(dat).filePath(QStringLiteral("Dat")));
        else if (damage == QLatin1String("removeWorkgroup"))
            QFile::remove(workgroup);
        else if (damage == QLatin1String("textBank"))
            writeBytes(bank, "这不是题库\n");
        else if (damage == QLatin1String("emptyBank"))
            writeBytes(bank, QByteArray());
        else if (damage == QLatin1String("workgroupAsBank"))
            copyOver(workgroup, bank);
        else if (damage == QLatin1String("jetBank"))
            writeBytes(bank, QByteArray("\x00\x01\x00\x00Standard Jet DB\x00", 20) + QByteArray(4076, '\0'));
        else if (damage == QLatin1String("folderBank")) {
            QFile::remove(bank);
            QVERIFY(QDir(dat).mkdir(QStringLiteral("Bs.mdb")));
        } else if (damage == QLatin1String("bankAsWorkgroup"))
            copyOver(bankPath(m_goodDat), workgroup);
        else if (damage == QLatin1String("foreignWorkgroup")) {
            QFile::remove(workgroup);
            SqliteDatabase db;
            QCOMPARE(db.open(workgroup, SqliteDatabase::Mode::Create), 0);
            QCOMPARE(db.exec("CREATE TABLE accounts (name TEXT)"), 0);
        } else if (damage == QLatin1String("unknownUser"))
            connectionString = buildConnectionString(bank, workgroup, "abc", "mvkpla.27.zqe", "mvkpla.27.zqe");
        else if (damage == QLatin1String("wrongUserPassword"))
            connectionString = buildConnectionString(bank, workgroup, "xyz", "mvkpla.27.zqf", "mvkpla.27.zqe");
        else if (damage == QLatin1String("wrongDatabasePassword"))
            connectionString = buildConnectionString(bank, workgroup, "xyz", "mvkpla.27.zqe", "mvkpla.27.zqf");
        else if (damage == QLatin1String("truncatedBank"))
            QVERIFY(QFile::resize(bank, 1500));
        else if (damage == QLatin1String("damagedPage"))
            // Every page but the first, where the key is checked, loses some bytes of its content.
            for (qint64 page = 1; page * 1024 < QFileInfo(bank).size(); ++page)
                patchBytes(bank, page * 1024 + 100, QByteArray(16, '\x5a'));
        else if (damage == QLatin1String("noKnowledgeTable"))
            writeRawBank(bank, workgroup, "CREATE TABLE choose (mkid INTEGER, tid INTEGER)");
        else if (damage == QLatin1String("noMkidColumn"))
            writeRawBank(bank, workgroup, "CREATE TABLE choose (tid INTEGER, Timu TEXT)");
        else if (damage == QLatin1String("fifoBank")) {
#ifdef _WIN32
            QSKIP("Windows has no named pipes in the file system");
#else
            QFile::remove(bank);
            QCOMPARE(::mkfifo(QFile::encodeName(bank).constData(), 0600), 0);
#endif
        } else if (damage == QLatin1String("hotJournal"))
            // What an interrupted change leaves: a journal whose header is not zeroed.
            writeBytes(bank + QStringLiteral("-journal"), QByteArray(2048, '\xd9'));
        else if (damage == QLatin1String("randomBankJetWorkgroup")) {
            QByteArray noise(4096, '\0');
            for (char &byte : noise)
                byte = char(QRandomGenerator::global()->generate());
            writeBytes(bank, noise);
            QFile::remove(workgroup);
            writeJetWorkgroup(workgroup);
        } else if (damage == QLatin1String("oneByteBankJetWorkgroup")) {
            writeBytes(bank, "x");
            QFile::remove(workgroup);
            writeJetWorkgroup(workgroup);
        } else if (damage == QLatin1String("otherProvider"))
            connectionString.replace(QStringLiteral("Microsoft.Jet.OLEDB.4.0"), QStringLiteral("SQLOLEDB"));

        TADOConnection connection;
        connection.setConnectionString(connectionString);
        TADOQuery query(&connection);
        query.SQL().Add(statement);
        try {
            query.Open();
            // A damaged page may show only when its row is read.
            for (int r = 0; r < query.RecordCount(); ++r) {
                query.First();
                query.MoveBy(r);
                query.FieldAsString(QStringLiteral("Timu"));
            }
            QFAIL("no failure reported");
        } catch (const BankError &e) {
            QVERIFY2(e.message().contains(expected), qPrintable(e.message()));
            QVERIFY2(e.message().contains(QDir::toNativeSeparators(namedFile)), qPrintable(e.message()));
            QVERIFY2(e.message().size() < 500, qPrintable(e.message()));
        }
        query.Close();
        QVERIFY(!connection.Connected());
        QVERIFY(!query.Active());

        // Nothing was created in place of a missing file.
        if (damage == QLatin1String("removeBank"))
            QVERIFY(!QFile::exists(bank));
        if (damage == QLatin1String("removeWorkgroup"))
            QVERIFY(!QFile::exists(workgroup));
        if (damage == QLatin1String("removeFolder"))
            QVERIFY(!QDir(dat).exists(QStringLiteral("Dat")));
    }

    void missingColumnOnRead() {
        TADOConnection connection;
        connection.setConnectionString(testConnectionString(m_goodDat));
        TADOQuery query(&connection);
        query.SQL().Add(QStringLiteral("SELECT Keyword,knowladge FROM tzhishidian  WHERE  recno ='01001'"));
        query.Open();
        try {
            query.FieldAsString(QStringLiteral("recno"));
            QFAIL("a column outside the result was read");
        } catch (const BankError &e) {
            QVERIFY2(e.message().contains(QStringLiteral("查询结果中没有列“recno”")), qPrintable(e.message()));
        }
    }

    // The string can change only while the connection is closed; after a failure the connection works again.
    void connectionStringChangesOnlyWhileClosed() {
        TADOConnection connection;
        connection.setConnectionString(testConnectionString(QDir(m_good.path()).filePath(QStringLiteral("nowhere"))));
        TADOQuery query(&connection);
        query.SQL().Add(kModuleStatement);
        QVERIFY_THROWS_EXCEPTION(BankError, query.Open());
        QVERIFY(!connection.Connected());

        connection.setConnectionString(testConnectionString(m_goodDat));
        query.Open();
        QCOMPARE(query.RecordCount(), 11);
        try {
            connection.setConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x"));
            QFAIL("the string changed while the connection was open");
        } catch (const BankError &e) {
            QVERIFY2(e.message().contains(QStringLiteral("连接打开时不能更改连接字符串")), qPrintable(e.message()));
        }
        QCOMPARE(connection.connectionString(), testConnectionString(m_goodDat));
        connection.Close();
        connection.setConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x"));
    }

    // A logon is remembered for the file as it was: a workgroup file rewritten with another password refuses the
    // old one, and the new password is accepted.
    void changedWorkgroupIsVerifiedAgain() {
        QTemporaryDir dir;
        const QString dat = writeTestBank(dir.path(), makeTables(11, 2));
        TADOConnection connection;
        connection.setConnectionString(testConnectionString(dat));
        TADOQuery query(&connection);
        query.SQL().Add(kModuleStatement);
        query.Open();
        query.Close();

        QFile::remove(workgroupPath(dat));
        WorkgroupFile::create(workgroupPath(dat), "xyz", "another");
        try {
            query.Open();
            QFAIL("the old password opened a changed workgroup file");
        } catch (const BankError &e) {
            QVERIFY2(e.message().contains(QStringLiteral("密码错误")), qPrintable(e.message()));
        }
        connection.setConnectionString(
            buildConnectionString(bankPath(dat), workgroupPath(dat), "XYZ", "another", "mvkpla.27.zqe"));
        query.Open();
        QCOMPARE(query.RecordCount(), 11);
    }
};

QTEST_GUILESS_MAIN(TestBankErrors)
#include "test_bankerrors.moc"
