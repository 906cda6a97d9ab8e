// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

#include "engine/BankError.h"
#include "engine/BankFormat.h"
#include "engine/ConnectionString.h"
#include "engine/SqliteDatabase.h"
#include "engine/TADOConnection.h"
#include "engine/TADOQuery.h"
#include "formats/BankFormats.h"
#include "jet/JetBank.h"
#include "tests/support/JetFixtures.h"
#include "tests/support/TestBank.h"

namespace {

// A format that keeps its bank in memory and counts what the connection asks of it.
class CountingFormat final : public BankFormat {
public:
    bool recognises(const QString &) const override { return true; }
    void verifyLogon(const ConnectionSettings &settings) const override {
        ++logons;
        if (settings.userId != "admin")
            throw BankError(QStringLiteral("账户不存在：%1").arg(QString::fromUtf8(settings.userId)));
    }
    void open(SqliteDatabase &db, const ConnectionSettings &settings) const override {
        ++opens;
        if (db.openSharedMemory("counting-format", SqliteDatabase::Mode::Create) != SQLITE_OK)
            throw BankError(db.errorMessage());
        if (settings.databasePassword != "key")
            throw BankError(QStringLiteral("密码错误：%1").arg(settings.dataSource));
    }
    mutable int logons = 0;
    mutable int opens = 0;
};

class OnlyFormat final : public BankFormatChooser {
public:
    explicit OnlyFormat(const BankFormat &format) : m_format(format) {}
    const BankFormat &formatOf(const QString &) const override { return m_format; }
    const BankFormat &logOn(const ConnectionSettings &settings) const override {
        m_format.verifyLogon(settings);
        return m_format;
    }

private:
    const BankFormat &m_format;
};

QString failureOf(TADOConnection &connection) {
    TADOQuery query(&connection);
    try {
        runStatement(query, QStringLiteral("select n from t"));
    } catch (const BankError &error) {
        return error.message();
    }
    return QString();
}

} // namespace

class TestBankFormat : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void cleanup() { BankFormats::installChooser(nullptr); }

    // The connection asks the installed chooser for every open: a logon per fresh connection, the bank opened by
    // the format that logged on, and a refusal at either step leaves the connection closed with the message as
    // the format worded it.
    void connectionOpensThroughTheInstalledChooser() {
        SqliteDatabase keeper; // holds the shared in-memory bank between the connection's opens
        QCOMPARE(keeper.openSharedMemory("counting-format", SqliteDatabase::Mode::Create), SQLITE_OK);
        QCOMPARE(keeper.exec("create table t(n integer); insert into t values (7)"), SQLITE_OK);

        CountingFormat format;
        const OnlyFormat chooser(format);
        BankFormats::installChooser(&chooser);
        const QString bank = QDir(m_dir.path()).filePath(QStringLiteral("any.bank"));
        TADOConnection connection;
        connection.setConnectionString(buildConnectionString(bank, bank, "admin", "", "key"));
        TADOQuery query(&connection);
        for (int i = 0; i < 2; ++i) {
            runStatement(query, QStringLiteral("select n from t"));
            QCOMPARE(query.FieldAsInteger(QStringLiteral("n")), 7);
            query.Close();
        }
        QCOMPARE(format.logons, 2);
        QCOMPARE(format.opens, 2);
        QVERIFY(!connection.Connected());

        connection.setConnectionString(buildConnectionString(bank, bank, "guest", "", "key"));
        QCOMPARE(failureOf(connection), QStringLiteral("账户不存在：guest"));
        QCOMPARE(format.opens, 2);
        QVERIFY(!connection.Connected());

        connection.setConnectionString(buildConnectionString(bank, bank, "admin", "", "wrong"));
        QCOMPARE(failureOf(connection), QStringLiteral("密码错误：%1").arg(bank));
        QVERIFY(!connection.Connected());
    }

    // With every format installed a Jet file is a legacy bank, whatever its name, and anything else, a missing
    // file included, is ours, so that our format's open says what is wrong with it. The engine alone knows only
    // its own format.
    void formatsAreChosenByTheBankFile() {
        const QString jetDir =
            makeJetBankDir(QDir(m_dir.path()).filePath(QStringLiteral("jet")), QStringLiteral("V2003_no-password.mdb"));
        const QString jetBank = QDir(jetDir).filePath(QStringLiteral("Bs.mdb"));
        const QString ownBank =
            QDir(writeTestBank(m_dir.path(), makeTables(2, 1, 1, 1))).filePath(QStringLiteral("Bs.mdb"));
        const QString missing = QDir(m_dir.path()).filePath(QStringLiteral("missing.mdb"));

        QCOMPARE(&BankFormats::chooser().formatOf(jetBank), &BankFormats::own());
        BankFormats::installAll();
        QCOMPARE(&BankFormats::chooser().formatOf(jetBank), &JetBank::format());
        QCOMPARE(&BankFormats::chooser().formatOf(ownBank), &BankFormats::own());
        QCOMPARE(&BankFormats::chooser().formatOf(missing), &BankFormats::own());
        QVERIFY(BankFormats::own().recognises(ownBank));
        QVERIFY(!BankFormats::own().recognises(jetBank));
        QVERIFY(!JetBank::format().recognises(ownBank));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestBankFormat)
#include "test_bankformat.moc"
