// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <deque>

#include "drawing/PaperDrawing.h"
#include "engine/BankError.h"
#include "engine/TDm.h"
#include "rules/ExamState.h"
#include "tests/support/TestBank.h"

namespace {

// Records the order in which the drawing empties the answer boxes: "C7" for choice box 7, "F2" for fill-in box 2.
class RecordingSink : public DrawingSink {
public:
    void clearChoiceAnswerBox(int n) override { calls.append(QStringLiteral("C%1").arg(n)); }
    void clearFillAnswerBox(int n) override { calls.append(QStringLiteral("F%1").arg(n)); }
    QStringList calls;
};

// Picks the rows a test scripts, then the rows in turn.
RowPick scriptedPick(std::deque<int> script) {
    return [script = std::move(script), next = 0](int rowCount) mutable {
        if (script.empty())
            return next++ % rowCount;
        const int r = script.front();
        script.pop_front();
        return r;
    };
}

QStringList everyBox() {
    QStringList calls;
    for (int n = 1; n <= 55; ++n)
        calls << QStringLiteral("C%1").arg(n);
    for (int n = 1; n <= 10; ++n)
        calls << QStringLiteral("F%1").arg(n);
    return calls;
}

} // namespace

// The paper drawing against small banks built for each case.
class TestDrawing : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void wholePaper();
    void discardedPicksAreRetriedAndNumberedInDrawingOrder();
    void moduleOfExactlyElevenYieldsAllOfThem();
    void knowledgeLookup_data();
    void knowledgeLookup();
    void shortModuleRefusedBeforeAnyPick_data();
    void shortModuleRefusedBeforeAnyPick();
    void clockSeededPickVariesEvenOnAStoppedClock();
    void knowledgePiecesUpToTheEnginesLimit_data();
    void knowledgePiecesUpToTheEnginesLimit();

private:
    void useBank(const BankTables &tables);
    DrawnPaper draw(DrawingSink *sink = nullptr, const RowPick &pick = clockSeededPick());

    QTemporaryDir *m_dir = nullptr;
    TDm *m_dm = nullptr;
    QStringList m_statements;
};

void TestDrawing::init() {
    resetExamState();
    m_dir = new QTemporaryDir;
    m_dm = new TDm;
    m_dm->ADOQuery1->setStatementObserver([this](const QString &statement) { m_statements.append(statement); });
}

void TestDrawing::cleanup() {
    delete m_dm;
    delete m_dir;
}

void TestDrawing::useBank(const BankTables &tables) {
    m_dm->ADOConnection1->setConnectionString(testConnectionString(writeTestBank(m_dir->path(), tables)));
}

DrawnPaper TestDrawing::draw(DrawingSink *sink, const RowPick &pick) {
    m_statements.clear();
    return drawPaper(*m_dm->ADOQuery1, sink, pick);
}

void TestDrawing::wholePaper() {
    useBank(makeTables(13, 3));
    // What an earlier paper left behind must all be replaced.
    for (int n = 1; n <= 55; ++n) {
        ChoiceQuestions[n].CandidateAnswer = "B";
        ChoiceQuestions[n].KnowledgeTexts[7] = "stale";
    }
    FillQuestions[10].CandidateAnswer = "old";
    RemainingMinutes = 12;
    RecordingSink sink;
    const DrawnPaper paper = draw(&sink);

    QStringList statements;
    for (int m = 1; m <= 5; ++m)
        statements << QStringLiteral("select * from choose where mkid=%1").arg(m);
    for (int n = 1; n <= 55; ++n)
        statements << knowledgeStatement(ChoiceQuestions[n].KnowledgeCodes);
    for (int m = 1; m <= 5; ++m)
        statements << QStringLiteral("select * from Fill where mkid=%1").arg(m);
    QCOMPARE(m_statements, statements);
    QCOMPARE(m_dm->ADOConnection1->openCount(), statements.size());
    QVERIFY(!m_dm->ADOConnection1->Connected());
    QCOMPARE(sink.calls, everyBox());

    QCOMPARE(QSet<QByteArray>(paper.choiceIds.begin(), paper.choiceIds.end()).size(), 55);
    for (int n = 1; n <= 55; ++n) {
        const _Tk &q = ChoiceQuestions[n];
        const int tid = paper.choiceIds[n - 1].toInt();
        QCOMPARE((tid - 1) / 13, (n - 1) / 11); // module 1 gives questions 1..11, and so on
        QCOMPARE(q.QuestionText, QStringLiteral("第%1题：模块%2的题目").arg(tid).arg((n - 1) / 11 + 1).toUtf8());
        QCOMPARE(q.OptionD, "选项D-" + QByteArray::number(tid));
        QCOMPARE(q.Key, QByteArray(1, char('A' + (tid - 1) % 4)));
        QCOMPARE(q.Score, tid % 2 ? 1 : 2);
        QVERIFY(q.CandidateAnswer.isEmpty());
        QVERIFY(q.KnowledgeTexts[7].isEmpty());
        QCOMPARE(q.KnowledgeIndex, 1);
        // One code on odd rows, two on even ones; the slots come in the engine's row order.
        QCOMPARE(q.KnowledgeCount, q.KnowledgeCodes.size() / 5);
        QSet<QByteArray> texts, expected;
        for (int k = 1; k <= q.KnowledgeCount; ++k) {
            const QByteArray code = q.KnowledgeCodes.mid(5 * (k - 1), 5);
            expected.insert("关键词" + code + "\r\n知识点说明" + code);
            texts.insert(q.KnowledgeTexts[k]);
        }
        QCOMPARE(texts, expected);
    }
    QVERIFY(FillQuestions[1].Id != FillQuestions[2].Id);
    for (int n = 1; n <= 10; ++n) {
        const _Fill &f = FillQuestions[n];
        QCOMPARE(f.ModuleId, (n - 1) / 2 + 1);
        QCOMPARE((f.Id - 1) / 3 + 1, f.ModuleId);
        QCOMPARE(QByteArray::number(f.Id), paper.fillIds[n - 1]);
        QCOMPARE(f.Key, QStringLiteral("答案%1").arg(f.Id).toUtf8());
        QVERIFY(f.CandidateAnswer.isEmpty());
    }
    QCOMPARE(RemainingMinutes, 90);
    QCOMPARE(RemainingSeconds, 0);
}

void TestDrawing::discardedPicksAreRetriedAndNumberedInDrawingOrder() {
    useBank(makeTables());
    // Module 1 holds tids 1..11 in row order. After row 10 (tid 11) the list reads ",11,", which must not count tid
    // 1 as drawn; the repeated picks of rows 10 and 0 are thrown away.
    draw(nullptr, scriptedPick({10, 0, 10, 0, 0, 5}));
    QCOMPARE(ChoiceQuestions[1].QuestionText, QStringLiteral("第11题：模块1的题目").toUtf8());
    QCOMPARE(ChoiceQuestions[2].QuestionText, QStringLiteral("第1题：模块1的题目").toUtf8());
    QCOMPARE(ChoiceQuestions[3].QuestionText, QStringLiteral("第6题：模块1的题目").toUtf8());
}

void TestDrawing::moduleOfExactlyElevenYieldsAllOfThem() {
    useBank(makeTables(11, 2));
    for (int round = 0; round < 3; ++round) {
        const DrawnPaper paper = draw();
        QCOMPARE(paper.choiceIds.size(), 55);
        for (int n = 1; n <= 55; ++n) // all 11 of every module, whatever the order
            QCOMPARE((paper.choiceIds[n - 1].toInt() - 1) / 11, (n - 1) / 11);
        QCOMPARE(QSet<QByteArray>(paper.choiceIds.begin(), paper.choiceIds.end()).size(), 55);
        QCOMPARE(QSet<QByteArray>(paper.fillIds.begin(), paper.fillIds.end()).size(), 10);
    }
}

void TestDrawing::knowledgeLookup_data() {
    QTest::addColumn<QByteArray>("codes");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("statement"); // empty: no statement runs
    const QString head = QStringLiteral("SELECT Keyword,knowladge FROM tzhishidian  WHERE  recno ='");
    QTest::newRow("empty") << QByteArray() << 0 << QString();
    QTest::newRow("only spaces") << QByteArray("     ") << 0 << QString();
    QTest::newRow("control characters") << QByteArray("\t\r\n \x01") << 0 << QString();
    QTest::newRow("no matching row") << QByteArray("99999") << 0 << head + QStringLiteral("99999'");
    QTest::newRow("two codes") << QByteArray("0100101002") << 2 << head + QStringLiteral("01001' or recno ='01002'");
    QTest::newRow("shorter last piece looked up alike")
        << QByteArray("01001010") << 1 << head + QStringLiteral("01001' or recno ='010'");
    QTest::newRow("leading blank shifts every piece")
        << QByteArray(" 0100101002") << 0 << head + QStringLiteral(" 0100' or recno ='10100' or recno ='2'");
    QTest::newRow("quote inside a code") << QByteArray("ab'cd") << 1 << head + QStringLiteral("ab''cd'");
    QTest::newRow("quote does not end the text early") << QByteArray("x' or") << 0 << head + QStringLiteral("x'' or'");
    QTest::newRow("more than ten rows: ten kept")
        << QByteArray("k0001k0002k0003k0004k0005k0006k0007k0008k0009k0010k0011k0012") << 10
        << head +
               QStringLiteral(
                   "k0001' or recno ='k0002' or recno ='k0003' or recno ='k0004' or recno ='k0005' or recno ='k0006' "
                   "or recno ='k0007' or recno ='k0008' or recno ='k0009' or recno ='k0010' or recno ='k0011' or "
                   "recno ='k0012'");
}

void TestDrawing::knowledgeLookup() {
    QFETCH(QByteArray, codes);
    QFETCH(int, count);
    QFETCH(QString, statement);
    BankTables tables = makeTables();
    tables.knowledge.rows.append({"ab'cd", "关键词ab'cd", "说明ab'cd"});
    tables.knowledge.rows.append({"01001010", "the whole text is not a code", ""});
    for (int k = 1; k <= 12; ++k)
        tables.knowledge.rows.append({"k" + QByteArray::number(k).rightJustified(4, '0'), "关键词", "说明"});
    for (int row = 0; row < 11; ++row) // every question of module 1
        tables.choose.rows[row][tables.choose.column(QStringLiteral("ZHISHIDIAN"))] = codes;
    useBank(tables);
    draw();

    QCOMPARE(m_statements.count(statement), statement.isEmpty() ? 0 : 11);
    QCOMPARE(m_statements.size(), statement.isEmpty() ? 54 : 65);
    for (int n = 1; n <= 11; ++n) {
        QCOMPARE(ChoiceQuestions[n].KnowledgeCount, count);
        QCOMPARE(ChoiceQuestions[n].KnowledgeIndex, 1);
        for (int k = 1; k <= count; ++k)
            QVERIFY(ChoiceQuestions[n].KnowledgeTexts[k].startsWith("关键词"));
    }
    if (codes == "ab'cd")
        QCOMPARE(ChoiceQuestions[1].KnowledgeTexts[1], QByteArray("关键词ab'cd\r\n说明ab'cd"));
}

void TestDrawing::shortModuleRefusedBeforeAnyPick_data() {
    QTest::addColumn<bool>("fill");
    QTest::addColumn<int>("module");
    QTest::addColumn<int>("rowsKept");
    QTest::addColumn<QByteArray>("idsFrom"); // "dup": two rows share an id; "m1": the ids of module 1 again
    QTest::addColumn<QString>("message");
    const QString needed = QStringLiteral("，至少需要 11 道");
    QTest::newRow("choose module 3 with 7 rows")
        << false << 3 << 7 << QByteArray() << QStringLiteral("题库表 choose 中模块 3 的不同题目只有 7 道") + needed;
    QTest::newRow("choose module 1 empty")
        << false << 1 << 0 << QByteArray() << QStringLiteral("题库表 choose 中模块 1 的不同题目只有 0 道") + needed;
    QTest::newRow("11 rows, two sharing an id")
        << false << 2 << 11 << QByteArray("dup")
        << QStringLiteral("题库表 choose 中模块 2 的不同题目只有 10 道") + needed;
    QTest::newRow("ids already drawn from module 1")
        << false << 2 << 11 << QByteArray("m1")
        << QStringLiteral("题库表 choose 中模块 2 的不同题目只有 0 道（另有 11 道与前面模块已抽出的题目编号相同）") +
               needed;
    QTest::newRow("Fill module 5 with one row")
        << true << 5 << 1 << QByteArray() << QStringLiteral("题库表 Fill 中模块 5 的不同题目只有 1 道，至少需要 2 道");
}

void TestDrawing::shortModuleRefusedBeforeAnyPick() {
    QFETCH(bool, fill);
    QFETCH(int, module);
    QFETCH(int, rowsKept);
    QFETCH(QByteArray, idsFrom);
    QFETCH(QString, message);
    BankTables tables = makeTables();
    BankTable &table = fill ? tables.fill : tables.choose;
    const int perModule = fill ? 2 : 11;
    const int id = table.column(fill ? QStringLiteral("TID") : QStringLiteral("tid"));
    const int first = perModule * (module - 1);
    if (idsFrom == "dup")
        table.rows[first + 1][id] = table.rows[first][id];
    for (int i = 0; idsFrom == "m1" && i < perModule; ++i)
        table.rows[first + i][id] = table.rows[i][id];
    table.rows.remove(first + rowsKept, perModule - rowsKept);
    useBank(tables);

    // An earlier paper is in place; a failed drawing must not leave half of a new one over it.
    for (int n = 1; n <= 55; ++n)
        ChoiceQuestions[n].QuestionText = "earlier paper";
    FillQuestions[10].Key = "earlier key";
    RemainingMinutes = 3;
    RecordingSink sink;
    QString failure;
    try {
        draw(&sink);
    } catch (const BankError &error) {
        failure = error.message();
    }
    QCOMPARE(failure, message);
    for (int n = 1; n <= 55; ++n)
        QVERIFY(ChoiceQuestions[n].QuestionText.isEmpty());
    QVERIFY(FillQuestions[10].Key.isEmpty());
    QCOMPARE(RemainingMinutes, 3);
    for (const QString &box : everyBox()) // every box ends empty, whatever the drawing had reached
        QVERIFY(sink.calls.contains(box));
    QVERIFY(!m_dm->ADOConnection1->Connected());
}

void TestDrawing::clockSeededPickVariesEvenOnAStoppedClock() {
    RowPick pick = clockSeededPick([] { return quint64(42); });
    QSet<int> seen;
    for (int i = 0; i < 500; ++i)
        seen.insert(pick(11));
    QCOMPARE(seen, (QSet<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    QCOMPARE(pick(0), 0);
}

// The limit that the bank check enforces is the engine's own: a knowledge statement of as many pieces runs, one of a
// piece more is refused, with a message of a few lines however long the statement.
void TestDrawing::knowledgePiecesUpToTheEnginesLimit_data() {
    QTest::addColumn<int>("pieces");
    QTest::addColumn<bool>("runs");
    QTest::newRow("at the limit") << kMaxKnowledgePieces << true;
    QTest::newRow("one piece more") << kMaxKnowledgePieces + 1 << false;
}

void TestDrawing::knowledgePiecesUpToTheEnginesLimit() {
    QFETCH(int, pieces);
    QFETCH(bool, runs);
    useBank(makeTables());
    const QString statement = knowledgeStatement(QByteArray("01001").repeated(pieces));
    try {
        runStatement(*m_dm->ADOQuery1, statement);
        QVERIFY(runs);
        QCOMPARE(m_dm->ADOQuery1->RecordCount(), 1);
    } catch (const BankError &e) {
        QVERIFY2(!runs, qPrintable(e.message()));
        QVERIFY2(e.message().contains(QStringLiteral("条件太多")), qPrintable(e.message()));
        QVERIFY2(e.message().size() < 400, qPrintable(e.message()));
        QVERIFY2(e.message().contains(QStringLiteral("…")), qPrintable(e.message()));
    }
    m_dm->ADOQuery1->Close();
}

QTEST_GUILESS_MAIN(TestDrawing)
#include "test_drawing.moc"
