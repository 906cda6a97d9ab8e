// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "engine/BankError.h"
#include "engine/TADOConnection.h"
#include "engine/TADOQuery.h"
#include "formats/BankFormats.h"
#include "tests/support/JetFixtures.h"

// A build without the legacy reader (the Windows build): a legacy Access/Jet bank in Dat is refused with a message
// that names the file and says how to convert it, and the connection stays closed.
class TestJetRefusal : public QObject {
    Q_OBJECT

private slots:
    // As the trainer does at its start: both formats, so that a legacy bank is recognised as such.
    void initTestCase() { BankFormats::installAll(); }

    void legacyBankIsRefusedByName() {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString dir =
            makeJetBankDir(tmp.filePath(QStringLiteral("Dat")), QStringLiteral("V2003_no-password.mdb"));
        TADOConnection connection;
        connection.setConnectionString(jetConnectionString(dir, QByteArray()));
        TADOQuery query(&connection);
        QString message;
        try {
            runStatement(query, QStringLiteral("select * from Table1"));
        } catch (const BankError &e) {
            message = e.message();
        }
        QVERIFY2(message.contains(QStringLiteral("本版本不能读取 Access/Jet 格式")), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("import-jet")), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("Mq4100.mdw")) || message.contains(QStringLiteral("Bs.mdb")),
                 qPrintable(message));
        QVERIFY(!connection.Connected());
    }
};

QTEST_GUILESS_MAIN(TestJetRefusal)
#include "test_jetrefusal.moc"
