// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>

#include "rules/VerdictWords.h"

Q_DECLARE_METATYPE(Verdict)

// The score sheet's verdicts in words: what a screen reader says and the tooltip shows for each numbered button.
class TestVerdictWords : public QObject {
    Q_OBJECT
private slots:
    void choice_data();
    void choice();
    void fill_data();
    void fill();
};

void TestVerdictWords::choice_data() {
    QTest::addColumn<Verdict>("verdict");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QString>("words");
    QTest::newRow("right") << Verdict::Right << QByteArray("C") << QByteArray("C")
                           << QStringLiteral("正确　你的答案：C　正确答案：C");
    QTest::newRow("wrong") << Verdict::Wrong << QByteArray("B") << QByteArray("C")
                           << QStringLiteral("错误　你的答案：B　正确答案：C");
    QTest::newRow("unanswered") << Verdict::Wrong << QByteArray() << QByteArray("A")
                                << QStringLiteral("未答　正确答案：A");
    // A key the screen can never match is shown as the bank holds it, so the candidate sees why.
    QTest::newRow("lower-case key") << Verdict::Wrong << QByteArray("B") << QByteArray("b")
                                    << QStringLiteral("错误　你的答案：B　正确答案：b");
}

void TestVerdictWords::choice() {
    QFETCH(Verdict, verdict);
    QFETCH(QByteArray, answer);
    QFETCH(QByteArray, key);
    QFETCH(QString, words);
    QCOMPARE(VerdictWords::forChoice(verdict, answer, key), words);
}

void TestVerdictWords::fill_data() {
    QTest::addColumn<Verdict>("verdict");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("words");
    QTest::newRow("right") << Verdict::Right << QByteArray("栈") << QStringLiteral("正确");
    QTest::newRow("one blank of two") << Verdict::Partial << QByteArray("X4") << QStringLiteral("部分正确");
    QTest::newRow("wrong") << Verdict::Wrong << QByteArray("队列") << QStringLiteral("错误");
    QTest::newRow("unanswered") << Verdict::Wrong << QByteArray() << QStringLiteral("未答");
    // Blanks typed are an answer, if a wrong one.
    QTest::newRow("only a space") << Verdict::Wrong << QByteArray(" ") << QStringLiteral("错误");
}

void TestVerdictWords::fill() {
    QFETCH(Verdict, verdict);
    QFETCH(QByteArray, answer);
    QFETCH(QString, words);
    QCOMPARE(VerdictWords::forFill(verdict, answer), words);
}

QTEST_GUILESS_MAIN(TestVerdictWords)
#include "test_verdictwords.moc"
