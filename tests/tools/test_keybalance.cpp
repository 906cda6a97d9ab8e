// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>

#include "tools/KeyBalance.h"

namespace {

KeyBalance balanceOf(int a, int b, int c, int d) {
    KeyBalance balance;
    const int counts[] = {a, b, c, d};
    for (int letter = 0; letter < 4; ++letter)
        for (int i = 0; i < counts[letter]; ++i)
            balance.add(QByteArray(1, char('A' + letter)));
    return balance;
}

} // namespace

class TestKeyBalance : public QObject {
    Q_OBJECT
private slots:
    void outOfRange_data();
    void outOfRange();
    void othersAreNotShares();
    void summary();
};

void TestKeyBalance::outOfRange_data() {
    QTest::addColumn<QList<int>>("counts");
    QTest::addColumn<QList<int>>("letters");
    QTest::newRow("even") << QList<int>{28, 29, 28, 28} << QList<int>{};
    // 3/20 = 15 % and 7/20 = 35 % are still inside.
    QTest::newRow("bounds are inside") << QList<int>{3, 7, 5, 5} << QList<int>{};
    QTest::newRow("one letter shunned") << QList<int>{4, 12, 12, 12} << QList<int>{0};
    QTest::newRow("one letter favoured, one shunned") << QList<int>{11, 8, 4, 7} << QList<int>{0, 2};
    QTest::newRow("a letter never keyed") << QList<int>{10, 10, 0, 10} << QList<int>{2};
    QTest::newRow("too few questions to say") << QList<int>{19, 0, 0, 0} << QList<int>{};
    QTest::newRow("twenty questions are enough") << QList<int>{20, 0, 0, 0} << QList<int>{0, 1, 2, 3};
}

void TestKeyBalance::outOfRange() {
    QFETCH(QList<int>, counts);
    QFETCH(QList<int>, letters);
    QCOMPARE(balanceOf(counts[0], counts[1], counts[2], counts[3]).outOfRange(), letters);
}

// Keys that are no letter are reported on their own rows; they neither count towards the twenty nor dilute a share.
void TestKeyBalance::othersAreNotShares() {
    KeyBalance balance = balanceOf(5, 5, 5, 4);
    for (const char *key : {"a", "", "E", "AB", "B "})
        balance.add(key);
    QCOMPARE(balance.others, 5);
    QCOMPARE(balance.lettered(), 19);
    QCOMPARE(balance.outOfRange(), QList<int>{});
    QCOMPARE(balance.share(3), 4.0 / 19.0);
    QCOMPARE(KeyBalance().share(0), 0.0);
}

void TestKeyBalance::summary() {
    QCOMPARE(balanceOf(28, 29, 28, 28).summary(), QStringLiteral("A 28（25%） B 29（26%） C 28（25%） D 28（25%）"));
}

QTEST_GUILESS_MAIN(TestKeyBalance)
#include "test_keybalance.moc"
