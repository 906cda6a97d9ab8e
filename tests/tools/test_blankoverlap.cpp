// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>

#include "tools/BlankOverlap.h"

class TestBlankOverlap : public QObject {
    Q_OBJECT
private slots:
    void overlaps_data();
    void overlaps();
};

void TestBlankOverlap::overlaps_data() {
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QStringList>("found"); // "blank:inner<outer"

    QTest::newRow("first blank inside the second")
        << QByteArray("while#当型@do-while@直到型") << QStringList{QStringLiteral("1:while<do-while")};
    QTest::newRow("second blank inside the first")
        << QByteArray("数据库管理系统#DBMS@数据库#DB")
        << QStringList{QStringLiteral("2:数据库<数据库管理系统"), QStringLiteral("2:DB<DBMS")};
    QTest::newRow("one character inside a term") << QByteArray("队尾#rear@头@首") << QStringList{};
    QTest::newRow("alternatives of one blank may contain each other")
        << QByteArray("库#库函数@参数#形参") << QStringList{};
    QTest::newRow("every pair reported") << QByteArray("ab#b@abc@a")
                                         << QStringList{QStringLiteral("1:ab<abc"), QStringLiteral("2:a<ab"),
                                                        QStringLiteral("1:b<abc")};
    QTest::newRow("equal answers") << QByteArray("栈#stack@栈") << QStringList{QStringLiteral("1:栈<栈")};
    // Grading compares bytes, so letter case keeps the answers apart.
    QTest::newRow("letter case differs") << QByteArray("While#当型@do-WHILE@直到型") << QStringList{};
    QTest::newRow("one-blank key") << QByteArray("while#do-while") << QStringList{};
    QTest::newRow("empty alternatives never count") << QByteArray("#X@Y#") << QStringList{};
}

void TestBlankOverlap::overlaps() {
    QFETCH(QByteArray, key);
    QFETCH(QStringList, found);
    QStringList actual;
    for (const BlankOverlap &overlap : findBlankOverlaps(key))
        actual.append(QStringLiteral("%1:%2<%3")
                          .arg(overlap.innerBlank)
                          .arg(QString::fromUtf8(overlap.inner), QString::fromUtf8(overlap.outer)));
    QCOMPARE(actual, found);
}

QTEST_GUILESS_MAIN(TestBlankOverlap)
#include "test_blankoverlap.moc"
