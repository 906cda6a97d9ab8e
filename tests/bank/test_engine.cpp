#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include "BankError.h"
#include "ConnectionString.h"
#include "TADOConnection.h"
#include "TADOQuery.h"
#include "TDm.h"
#include "TestBank.h"

// The engine as the paper drawing uses it: the five steps of a statement, the row operations and column readers,
// keep-connection off, and a bank that is never written.
class TestEngine : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_dat;
    BankTables m_tables;

    void run(TADOQuery &query, const QString &statement) {
        query.Close();
        query.SQL().Clear();
        query.SQL().Add(statement);
        query.Open();
        query.First();
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_tables = makeTables(11, 2);
        // A row with NULLs where text and numbers are read, in module 6 so the drawing's modules stay whole.
        m_tables.choose.rows.append({"6", QByteArray(), QByteArray(), "", "", "", "", "A", "", "", QByteArray()});
        m_dat = writeTestBank(m_dir.path(), m_tables);
    }

    void dataModuleHasItsNamedParts() {
        TDm dm;
        QCOMPARE(dm.objectName(), QStringLiteral("Dm"));
        QCOMPARE(dm.findChild<TADOConnection *>(QStringLiteral("ADOConnection1")), dm.ADOConnection1);
        QCOMPARE(dm.findChild<TADOQuery *>(QStringLiteral("ADOQuery1")), dm.ADOQuery1);
        QVERIFY(!dm.ADOConnection1->Connected());
    }

    void moduleStatementReturnsTheModulesRows() {
        TADOConnection connection;
        connection.setConnectionString(testConnectionString(m_dat));
        TADOQuery query(&connection);
        for (int m = 1; m <= 5; ++m) {
            run(query, QStringLiteral("select * from choose where mkid=%1").arg(m));
            QCOMPARE(query.RecordCount(), 11);
            QSet<QByteArray> tids;
            for (int r = 0; r < 11; ++r) {
                query.First();
                query.MoveBy(r);
                QCOMPARE(query.FieldAsInteger(QStringLiteral("mkid")), m);
                tids.insert(query.FieldAsString(QStringLiteral("tid")));
            }
            QCOMPARE(tids.size(), 11);
        }
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "test_engine.moc"
