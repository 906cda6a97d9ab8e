// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include "engine/BankError.h"
#include "engine/ConnectionString.h"

namespace {

const QString kBank = QStringLiteral("/opt/考试 系统/Dat/Bs.mdb");
const QString kWorkgroup = QStringLiteral("/opt/考试 系统/Dat/Mq4100.mdw");

} // namespace

// The connection string: the trainer's exact text, and the roles the engine gives to its elements however the
// string is spelled.
class TestConnectionString : public QObject {
    Q_OBJECT

private slots:
    void trainerStringIsExact() {
        QCOMPARE(buildConnectionString(QStringLiteral("/app/Dat/Bs.mdb"), QStringLiteral("/app/Dat/Mq4100.mdw")),
                 QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Password=mvkpla.27.zqe;User ID=xyz;Data Source="
                                "/app/Dat/Bs.mdb;Persist Security Info=True;Jet OLEDB:System database="
                                "/app/Dat/Mq4100.mdw;Jet OLEDB:Database Password=mvkpla.27.zqe"));
    }

    void trainerStringGivesEachElementItsRole() {
        const ConnectionSettings s = parseConnectionString(buildConnectionString(kBank, kWorkgroup));
        QCOMPARE(s.provider, QStringLiteral("Microsoft.Jet.OLEDB.4.0"));
        QCOMPARE(s.dataSource, kBank);
        QCOMPARE(s.systemDatabase, kWorkgroup);
        QCOMPARE(s.userId, QByteArray("xyz"));
        QCOMPARE(s.password, QByteArray("mvkpla.27.zqe"));
        QCOMPARE(s.databasePassword, QByteArray("mvkpla.27.zqe"));
    }

    void spellings_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("dataSource");
        QTest::addColumn<QString>("systemDatabase");
        QTest::addColumn<QByteArray>("password");
        QTest::addColumn<QByteArray>("databasePassword");
        QTest::newRow("keys in any case and order")
            << "jet oledb:database password=d;DATA SOURCE=/b.mdb;provider=microsoft.jet.oledb.4.0;"
               "JET OLEDB:SYSTEM DATABASE=/w.mdw;user id=u;PASSWORD=p"
            << "/b.mdb"
            << "/w.mdw" << QByteArray("p") << QByteArray("d");
        QTest::newRow("blanks around keys and values")
            << " Provider = Microsoft.Jet.OLEDB.4.0 ; Data Source = /a b/c.mdb ; Jet OLEDB:System database=/w.mdw;"
               "User ID=u;Password= p ;"
            << "/a b/c.mdb"
            << "/w.mdw" << QByteArray("p") << QByteArray();
        QTest::newRow("double-quoted path with ;")
            << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"/x;y/\"\"q\"\".mdb\";Jet OLEDB:System "
               "database='/w;.mdw';User ID=u;Password=\"\""
            << "/x;y/\"q\".mdb"
            << "/w;.mdw" << QByteArray() << QByteArray();
        QTest::newRow("later pair wins, empty pairs skipped")
            << "Provider=Microsoft.Jet.OLEDB.4.0;;Data Source=/old.mdb;Data Source=/new.mdb;"
               "Jet OLEDB:System database=/w.mdw;User ID=u;Password=p;Mode=Share Deny None;"
            << "/new.mdb"
            << "/w.mdw" << QByteArray("p") << QByteArray();
        QTest::newRow("== stands for = in a key")
            << "Provider=Microsoft.Jet.OLEDB.4.0;a==b=c;Data Source=/b.mdb;Jet OLEDB:System database=/w.mdw;"
               "User ID=u;Password=p=q"
            << "/b.mdb"
            << "/w.mdw" << QByteArray("p=q") << QByteArray();
    }
    void spellings() {
        QFETCH(QString, text);
        const ConnectionSettings s = parseConnectionString(text);
        QTEST(s.dataSource, "dataSource");
        QTEST(s.systemDatabase, "systemDatabase");
        QTEST(s.password, "password");
        QTEST(s.databasePassword, "databasePassword");
    }

    void refused_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QString rest = QStringLiteral(";Data Source=/b.mdb;Jet OLEDB:System database=/w.mdw;User ID=u");
        QTest::newRow("another provider")
            << QStringLiteral("Provider=SQLOLEDB") + rest << "不支持数据提供程序“SQLOLEDB”";
        QTest::newRow("no provider") << rest.mid(1) << "没有指定数据提供程序";
        QTest::newRow("no bank") << "Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:System database=/w.mdw;User ID=u"
                                 << "没有指定题库文件";
        QTest::newRow("no workgroup") << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/b.mdb;User ID=u"
                                      << "没有指定工作组文件";
        QTest::newRow("no user") << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/b;Jet OLEDB:System database=/w"
                                 << "没有指定工作组用户";
        QTest::newRow("quote never closed")
            << QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"/b.mdb") + rest << "引号没有结束";
        QTest::newRow("text after a quote")
            << QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"/b\".mdb") + rest << "多余的字符";
        QTest::newRow("pair without =") << QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source") + rest
                                        << "缺少“=”";
        QTest::newRow("empty") << ""
                               << "没有指定数据提供程序";
    }
    void refused() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        try {
            parseConnectionString(text);
            QFAIL("accepted");
        } catch (const BankError &e) {
            QVERIFY2(e.message().contains(expected), qPrintable(e.message()));
        }
    }

    // Paths the plain form would misread are quoted on the way in and come back unchanged.
    void awkwardPathsRoundTrip_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("blanks and Chinese") << QStringLiteral("/home/张 三/考试 系统/Dat/Bs.mdb");
        QTest::newRow("semicolon") << QStringLiteral("/srv/a;b/Dat/Bs.mdb");
        QTest::newRow("leading blank") << QStringLiteral(" relative/Bs.mdb");
        QTest::newRow("leading quote") << QStringLiteral("\"odd\"/Bs.mdb");
        QTest::newRow("equals sign") << QStringLiteral("/srv/a=b/Bs.mdb");
    }
    void awkwardPathsRoundTrip() {
        QFETCH(QString, path);
        const ConnectionSettings s = parseConnectionString(buildConnectionString(path, path + QLatin1Char('w')));
        QCOMPARE(s.dataSource, path);
        QCOMPARE(s.systemDatabase, path + QLatin1Char('w'));
        QCOMPARE(s.userId, QByteArray("xyz"));
    }
};

QTEST_GUILESS_MAIN(TestConnectionString)
#include "test_connectionstring.moc"
