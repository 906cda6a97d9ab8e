// SPDX-License-Identifier: GPL-3.0-or-later

#include <QCborMap>
#include <QCborValue>
#include <QtTest>

#include "jet/JetDump.h"

namespace {

JetTable sampleTable() {
    JetTable table;
    table.name = QStringLiteral("choose");
    table.columns = {{QStringLiteral("mkid"), JetColumn::Integer},
                     {QStringLiteral("Timu"), JetColumn::Text},
                     {QStringLiteral("Weight"), JetColumn::Real},
                     {QStringLiteral("Picture"), JetColumn::Blob}};
    table.rows.append(QCborArray{1, QStringLiteral("第一题：\n两行"), 2.5, QByteArray("\x00\x01\xff", 3)});
    table.rows.append(QCborArray{QCborValue(nullptr), QString(), QCborValue(nullptr), QByteArray()});
    table.rows.append(QCborArray{-2147483648LL, QString(40000, QChar(0x9898)), -0.0, QCborValue(nullptr)});
    return table;
}

QCborMap document() {
    QCborMap map;
    map.insert(QStringLiteral("format"), QStringLiteral("mockexam-jet-dump"));
    map.insert(QStringLiteral("version"), 1);
    return map;
}

QCborMap tableMap(const QString &name, const QCborArray &columns, const QCborArray &rows) {
    QCborMap table;
    table.insert(QStringLiteral("name"), name);
    table.insert(QStringLiteral("columns"), columns);
    table.insert(QStringLiteral("rows"), rows);
    return table;
}

QCborMap column(const QString &name, int type) {
    QCborMap map;
    map.insert(QStringLiteral("name"), name);
    map.insert(QStringLiteral("type"), type);
    return map;
}

QByteArray withTables(const QCborArray &tables) {
    QCborMap map = document();
    map.insert(QStringLiteral("tables"), tables);
    return map.toCborValue().toCbor();
}

} // namespace

// The stream between the reading child and the engine: what the child sends arrives unchanged, and anything else
// is refused with a reason rather than taken for rows.
class TestJetDump : public QObject {
    Q_OBJECT

private slots:
    void tablesArriveUnchanged() {
        const JetTable sent = sampleTable();
        JetTable empty;
        empty.name = QStringLiteral("Fill");
        empty.columns = {{QStringLiteral("TID"), JetColumn::Integer}};
        const JetDump dump = decodeJetDump(encodeJetTables({sent, empty}));
        QCOMPARE(dump.status, JetDump::Tables);
        QCOMPARE(dump.tables.size(), 2);
        const JetTable &got = dump.tables[0];
        QCOMPARE(got.name, sent.name);
        QCOMPARE(got.columns.size(), sent.columns.size());
        for (int c = 0; c < sent.columns.size(); ++c) {
            QCOMPARE(got.columns[c].name, sent.columns[c].name);
            QCOMPARE(got.columns[c].type, sent.columns[c].type);
        }
        QCOMPARE(got.rows, sent.rows);
        // An empty text is not NULL, and bytes stay bytes.
        QVERIFY(got.rows[1].at(1).isString());
        QVERIFY(got.rows[1].at(0).isNull());
        QVERIFY(got.rows[0].at(3).isByteArray());
        QCOMPARE(dump.tables[1].rows.size(), 0);
    }

    void childFailureIsPassedOnReadably() {
        const JetDump dump = decodeJetDump(encodeJetFailure(QStringLiteral("无法读取数据表“a\x01\nb”")));
        QCOMPARE(dump.status, JetDump::Failure);
        QCOMPARE(dump.message, QStringLiteral("无法读取数据表“a  b”"));
        QCOMPARE(decodeJetDump(encodeJetFailure(QString(5000, QLatin1Char('x')))).message.size(), 300);
    }

    void garbageIsRefused_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QCborArray oneColumn{column(QStringLiteral("ID"), JetColumn::Integer)};
        QCborMap otherFormat = document();
        otherFormat.insert(QStringLiteral("format"), QStringLiteral("something else"));
        QCborMap otherVersion = document();
        otherVersion.insert(QStringLiteral("version"), 2);
        const QByteArray good = encodeJetTables({sampleTable()});

        QTest::newRow("nothing") << QByteArray();
        QTest::newRow("text") << QByteArray("warning: mdb_find_row failed.\n");
        QTest::newRow("cut short") << good.left(good.size() / 2);
        QTest::newRow("trailing bytes") << good + "x";
        QTest::newRow("not a map") << QCborValue(QCborArray{1, 2}).toCbor();
        QTest::newRow("other format") << otherFormat.toCborValue().toCbor();
        QTest::newRow("other version") << otherVersion.toCborValue().toCbor();
        QTest::newRow("neither tables nor error") << document().toCborValue().toCbor();
        QTest::newRow("row too short") << withTables(
            {tableMap(QStringLiteral("T"), oneColumn, QCborArray{QCborArray{}})});
        QTest::newRow("row too long") << withTables(
            {tableMap(QStringLiteral("T"), oneColumn, QCborArray{QCborArray{1, 2}})});
        QTest::newRow("row not an array") << withTables({tableMap(QStringLiteral("T"), oneColumn, QCborArray{1})});
        QTest::newRow("value of unknown kind")
            << withTables({tableMap(QStringLiteral("T"), oneColumn, QCborArray{QCborArray{QCborMap()}})});
        QTest::newRow("no columns") << withTables({tableMap(QStringLiteral("T"), QCborArray{}, QCborArray{})});
        QTest::newRow("unknown column type")
            << withTables({tableMap(QStringLiteral("T"), QCborArray{column(QStringLiteral("ID"), 9)}, QCborArray{})});
        QTest::newRow("empty table name") << withTables({tableMap(QStringLiteral(""), oneColumn, QCborArray{})});
        QTest::newRow("control character in a name")
            << withTables({tableMap(QStringLiteral("a\nb"), oneColumn, QCborArray{})});
        QTest::newRow("table twice") << withTables({tableMap(QStringLiteral("Table1"), oneColumn, QCborArray{}),
                                                    tableMap(QStringLiteral("TABLE1"), oneColumn, QCborArray{})});
        QTest::newRow("column twice") << withTables(
            {tableMap(QStringLiteral("T"), QCborArray{column(QStringLiteral("id"), 0), column(QStringLiteral("ID"), 2)},
                      QCborArray{})});
    }
    void garbageIsRefused() {
        QFETCH(QByteArray, bytes);
        const JetDump dump = decodeJetDump(bytes);
        QCOMPARE(dump.status, JetDump::Garbage);
        QVERIFY(!dump.message.isEmpty());
        QVERIFY(dump.tables.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestJetDump)
#include "test_jetdump.moc"
