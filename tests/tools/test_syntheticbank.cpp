// SPDX-License-Identifier: GPL-3.0-or-later

#include <QSet>
#include <QTest>

#include "tools/BankCheck.h"
#include "tools/BankCsv.h"
#include "tools/SyntheticBank.h"

class TestSyntheticBank : public QObject {
    Q_OBJECT
private slots:
    void sizes_data();
    void sizes();
    void sameSeedSameBank();
    void codesBelongToTheirModule();
};

void TestSyntheticBank::sizes_data() {
    QTest::addColumn<int>("choice");
    QTest::addColumn<int>("fill");
    QTest::addColumn<int>("knowledge");
    QTest::newRow("smallest drawable") << 11 << 2 << 50;
    QTest::newRow("large modules") << 2000 << 40 << 2500;
    QTest::newRow("knowledge serials capped at three digits") << 5000 << 2 << 4995;
}

// Every size makes a bank the checker passes without a finding.
void TestSyntheticBank::sizes() {
    QFETCH(int, choice);
    QFETCH(int, fill);
    QFETCH(int, knowledge);

    const BankTables tables = generateBank(choice, fill);

    QCOMPARE(tables.choose.rows.size(), 5 * choice);
    QCOMPARE(tables.fill.rows.size(), 5 * fill);
    QCOMPARE(tables.knowledge.rows.size(), knowledge);
    const QList<BankFinding> findings = checkBank(tables);
    QVERIFY2(findings.isEmpty(), qPrintable(formatFinding(findings.value(0))));
}

void TestSyntheticBank::sameSeedSameBank() {
    const QByteArray first = formatCsvTable(generateBank(40, 4).choose);
    QCOMPARE(formatCsvTable(generateBank(40, 4).choose), first);
    QVERIFY(formatCsvTable(generateBank(40, 4, 7).choose) != first);
}

// One to three distinct codes per question, all of the question's module; the four fill-in key shapes all occur.
void TestSyntheticBank::codesBelongToTheirModule() {
    const BankTables tables = generateBank(60, 8);
    const int mkid = tables.choose.column(QStringLiteral("mkid"));
    const int codesColumn = tables.choose.column(QStringLiteral("ZHISHIDIAN"));
    QSet<qsizetype> counts;
    for (const QList<QByteArray> &row : tables.choose.rows) {
        const QByteArray codes = row[codesColumn];
        QVERIFY(codes.size() % 5 == 0);
        QSet<QByteArray> distinct;
        for (qsizetype at = 0; at < codes.size(); at += 5) {
            QCOMPARE(codes.mid(at, 2).toInt(), row[mkid].toInt());
            distinct.insert(codes.mid(at, 5));
        }
        QCOMPARE(distinct.size(), codes.size() / 5);
        counts.insert(distinct.size());
    }
    QCOMPARE(counts, (QSet<qsizetype>{1, 2, 3}));

    QSet<QString> shapes;
    const int key = tables.fill.column(QStringLiteral("KEY"));
    for (const QList<QByteArray> &row : tables.fill.rows)
        shapes.insert(QString::number(row[key].count('#')) + QString::number(row[key].count('@')));
    QCOMPARE(shapes,
             (QSet<QString>{QStringLiteral("00"), QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12")}));
}

QTEST_GUILESS_MAIN(TestSyntheticBank)
#include "test_syntheticbank.moc"
