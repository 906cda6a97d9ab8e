// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>

#include "rules/ExamState.h"
#include "rules/FillKey.h"
#include "rules/Grading.h"

Q_DECLARE_METATYPE(Verdict)

class TestFillKey : public QObject {
    Q_OBJECT
private slots:
    void judge_data();
    void judge();
    void checkerFlags_data();
    void checkerFlags();
    void choiceAnswers();
    void wholePaper();
};

void TestFillKey::judge_data() {
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("points");
    QTest::addColumn<Verdict>("verdict");

    // One blank, one accepted answer: equality, byte for byte.
    QTest::newRow("single equal") << QByteArray("栈") << QByteArray("栈") << 2 << Verdict::Right;
    QTest::newRow("single trailing space") << QByteArray("栈") << QByteArray("栈 ") << 0 << Verdict::Wrong;
    QTest::newRow("single case differs") << QByteArray("SQL") << QByteArray("sql") << 0 << Verdict::Wrong;
    QTest::newRow("single contained is not enough")
        << QByteArray("栈") << QByteArray("栈和队列") << 0 << Verdict::Wrong;
    // One blank, two accepted answers around the first "#"; the rest of the key belongs to the second.
    QTest::newRow("either first") << QByteArray("线性结构#线性") << QByteArray("线性结构") << 2 << Verdict::Right;
    QTest::newRow("either second") << QByteArray("线性结构#线性") << QByteArray("线性") << 2 << Verdict::Right;
    QTest::newRow("split at first hash") << QByteArray("a#b#c") << QByteArray("b#c") << 2 << Verdict::Right;
    QTest::newRow("not a later piece") << QByteArray("a#b#c") << QByteArray("c") << 0 << Verdict::Wrong;
    // Empty answers never earn, empty accepted answers never count.
    QTest::newRow("empty key, no answer") << QByteArray() << QByteArray() << 0 << Verdict::Wrong;
    QTest::newRow("leading hash, no answer") << QByteArray("#栈") << QByteArray() << 0 << Verdict::Wrong;
    QTest::newRow("trailing hash, no answer") << QByteArray("栈#") << QByteArray() << 0 << Verdict::Wrong;
    QTest::newRow("trailing hash, answered") << QByteArray("栈#") << QByteArray("栈") << 2 << Verdict::Right;
    // Two blanks: the answer text is searched for each blank's accepted answers, in any order.
    QTest::newRow("both in order") << QByteArray("X#Y@Z") << QByteArray("X##Z") << 2 << Verdict::Right;
    QTest::newRow("both reversed") << QByteArray("X#Y@Z") << QByteArray("Z##X") << 2 << Verdict::Right;
    QTest::newRow("together, no separator") << QByteArray("X#Y@Z") << QByteArray("XZ") << 2 << Verdict::Right;
    QTest::newRow("surrounded") << QByteArray("X#Y@Z") << QByteArray("答：Y，然后Z。") << 2 << Verdict::Right;
    QTest::newRow("only blank 1") << QByteArray("X#Y@Z") << QByteArray("X") << 1 << Verdict::Partial;
    QTest::newRow("only blank 2") << QByteArray("X#Y@Z") << QByteArray("Z") << 1 << Verdict::Partial;
    QTest::newRow("neither") << QByteArray("X#Y@Z") << QByteArray("Q") << 0 << Verdict::Wrong;
    QTest::newRow("second accepted of blank 2") << QByteArray("X#Y@Z@W") << QByteArray("Y W") << 2 << Verdict::Right;
    QTest::newRow("blank 1 inside blank 2's text")
        << QByteArray("序#顺序@二分") << QByteArray("随便##顺序二分") << 2 << Verdict::Right;
    QTest::newRow("part 1 starts with hash") << QByteArray("#Y@Z") << QByteArray("Z") << 1 << Verdict::Partial;
    QTest::newRow("part 1 starts with hash, Y") << QByteArray("#Y@Z") << QByteArray("YZ") << 2 << Verdict::Right;
    // Our readings of keys outside the documented shapes.
    QTest::newRow("no hash in part 1") << QByteArray("X@Z") << QByteArray("X Z") << 2 << Verdict::Right;
    QTest::newRow("no hash in part 1, blank 2 only") << QByteArray("X@Z@W") << QByteArray("W") << 1 << Verdict::Partial;
    QTest::newRow("hash in part 2 divides") << QByteArray("X#Y@Z#W") << QByteArray("X W") << 2 << Verdict::Right;
    QTest::newRow("hash in part 2, first") << QByteArray("X#Y@Z#W") << QByteArray("Z") << 1 << Verdict::Partial;
    QTest::newRow("two blanks, empty answer") << QByteArray("X#Y@Z") << QByteArray() << 0 << Verdict::Wrong;
    // UTF-8 keeps the split on character boundaries: "@" never hides inside a Chinese character.
    QTest::newRow("chinese two blanks") << QByteArray("队列#先进先出@栈") << QByteArray("栈，队列") << 2
                                        << Verdict::Right;
}

void TestFillKey::judge() {
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, answer);
    QFETCH(int, points);
    QFETCH(Verdict, verdict);
    const FillJudgement judgement = judgeFill(key, answer);
    QCOMPARE(judgement.points, points);
    QCOMPARE(judgement.verdict, verdict);
}

void TestFillKey::checkerFlags_data() {
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<bool>("withoutHash");
    QTest::addColumn<bool>("hashInSecond");
    QTest::newRow("single") << QByteArray("a") << false << false;
    QTest::newRow("one blank with hash") << QByteArray("a#b") << false << false;
    QTest::newRow("documented two blanks") << QByteArray("a#b@c@d") << false << false;
    QTest::newRow("no hash in part 1") << QByteArray("a@c") << true << false;
    QTest::newRow("hash in part 2") << QByteArray("a#b@c#d") << false << true;
}

void TestFillKey::checkerFlags() {
    QFETCH(QByteArray, key);
    QFETCH(bool, withoutHash);
    QFETCH(bool, hashInSecond);
    QCOMPARE(FillKey::twoBlankWithoutHash(key), withoutHash);
    QCOMPARE(FillKey::hashInSecondBlank(key), hashInSecond);
}

void TestFillKey::choiceAnswers() {
    QVERIFY(choiceIsRight("A", "A"));
    QVERIFY(!choiceIsRight("a", "A"));
    QVERIFY(!choiceIsRight("A ", "A"));
    QVERIFY(!choiceIsRight("", ""));
}

void TestFillKey::wholePaper() {
    resetExamState();
    for (int n = 1; n <= Exam::kChoiceCount; ++n) {
        ChoiceQuestions[n].Key = "B";
        ChoiceQuestions[n].Score = n % 2 + 1;
    }
    ChoiceQuestions[1].CandidateAnswer = "B"; // 2 points
    ChoiceQuestions[2].CandidateAnswer = "B"; // 1 point
    ChoiceQuestions[3].CandidateAnswer = "C"; // wrong
    ChoiceQuestions[4].CandidateAnswer = "B"; // right with a score of 0
    ChoiceQuestions[4].Score = 0;
    for (int i = 1; i <= Exam::kFillCount; ++i)
        FillQuestions[i].Key = "#"; // an unanswered question must not earn anything here
    FillQuestions[5].Key = "X#Y@Z";
    FillQuestions[5].CandidateAnswer = "Y";
    FillQuestions[6].Key = "答案";
    FillQuestions[6].CandidateAnswer = "答案";

    const GradedPaper paper = gradePaper();
    QCOMPARE(paper.ChoiceScore, 3);
    QCOMPARE(paper.FillPoints, 3);
    QCOMPARE(paper.TotalScore, 6);
    QCOMPARE(paper.ChoiceVerdicts[1], Verdict::Right);
    QCOMPARE(paper.ChoiceVerdicts[3], Verdict::Wrong);
    QCOMPARE(paper.ChoiceVerdicts[4], Verdict::Right);
    QCOMPARE(paper.ChoiceVerdicts[55], Verdict::Wrong);
    QCOMPARE(paper.FillVerdicts[1], Verdict::Wrong);
    QCOMPARE(paper.FillVerdicts[5], Verdict::Partial);
    QCOMPARE(paper.FillVerdicts[6], Verdict::Right);
}

QTEST_GUILESS_MAIN(TestFillKey)
#include "test_fillkey.moc"
