#include <QtTest>

#include <deque>

#include "BankError.h"
#include "ExamState.h"
#include "PaperDrawing.h"
#include "TDm.h"
#include "TestBank.h"

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
        if (!script.empty()) {
            const int r = script.front();
            script.pop_front();
            return r;
        }
        return next++ % rowCount;
    };
}

QList<QByteArray> &rowOf(BankTable &table, const QByteArray &id) {
    const int idColumn = table.column(table.name == QLatin1String("Fill") ? "TID" : "tid");
    for (QList<QByteArray> &row : table.rows)
        if (row[idColumn] == id)
            return row;
    qFatal("no such row");
}

void setCell(BankTable &table, const QByteArray &id, const QString &column, const QByteArray &value) {
    rowOf(table, id)[table.column(column)] = value;
}

void removeRows(BankTable &table, int module, int keep) {
    const int moduleColumn = table.column("mkid");
    int kept = 0;
    for (int i = 0; i < table.rows.size();) {
        if (table.rows[i][moduleColumn].toInt() == module && ++kept > keep)
            table.rows.removeAt(i);
        else
            ++i;
    }
}

QSet<QByteArray> idsOfModule(const BankTable &table, int module) {
    QSet<QByteArray> ids;
    for (const QList<QByteArray> &row : table.rows)
        if (row[table.column("mkid")].toInt() == module)
            ids.insert(row[table.column(table.name == QLatin1String("Fill") ? "TID" : "tid")]);
    return ids;
}

} // namespace

// The paper drawing against small banks built for each case.
class TestDrawing : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void statementsAsExecuted();
    void fillsEveryRecordFromItsRow();
    void secondPaperReplacesTheFirst();
    void discardedPicksAreRetriedAndNumberedInDrawingOrder();
    void moduleOfExactlyElevenYieldsAllOfThem();
    void knowledgeLookup_data();
    void knowledgeLookup();
    void knowledgeStatementText_data();
    void knowledgeStatementText();
    void shortModuleRefusedBeforeAnyPick_data();
    void shortModuleRefusedBeforeAnyPick();
    void clockSeededPickStaysInRangeEvenOnAStoppedClock();

private:
    // Builds the bank and points the data module at it.
    void useBank(const BankTables &tables);
    DrawnPaper draw(DrawingSink *sink = nullptr, const RowPick &pick = clockSeededPick());

    QTemporaryDir *m_dir = nullptr;
    TDm *m_dm = nullptr;
    QStringList m_statements;
};

void TestDrawing::init() {
    resetExamState();
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    m_dm = new TDm;
    m_statements.clear();
    m_dm->ADOQuery1->setStatementObserver([this](const QString &statement) { m_statements.append(statement); });
}

void TestDrawing::cleanup() {
    delete m_dm;
    m_dm = nullptr;
    delete m_dir;
    m_dir = nullptr;
}

void TestDrawing::useBank(const BankTables &tables) {
    static int banks = 0;
    const QString dat = writeTestBank(m_dir->filePath(QString::number(++banks)), tables);
    m_dm->ADOConnection1->Close();
    m_dm->ADOConnection1->setConnectionString(testConnectionString(dat));
}

DrawnPaper TestDrawing::draw(DrawingSink *sink, const RowPick &pick) {
    m_statements.clear();
    return drawPaper(*m_dm->ADOQuery1, sink, pick);
}

void TestDrawing::statementsAsExecuted() {
    useBank(makeTables(13, 3));
    const int opensBefore = m_dm->ADOConnection1->openCount();
    draw();

    QStringList expected;
    for (int m = 1; m <= 5; ++m)
        expected << QStringLiteral("select * from choose where mkid=%1").arg(m);
    for (int n = 1; n <= 55; ++n)
        expected << knowledgeStatement(ChoiceQuestions[n].KnowledgeCodes);
    for (int m = 1; m <= 5; ++m)
        expected << QStringLiteral("select * from Fill where mkid=%1").arg(m);
    QCOMPARE(m_statements, expected);
    // Every statement on a connection of its own, and nothing left open afterwards.
    QCOMPARE(m_dm->ADOConnection1->openCount() - opensBefore, expected.size());
    QVERIFY(!m_dm->ADOConnection1->Connected());
}

void TestDrawing::fillsEveryRecordFromItsRow() {
    useBank(makeTables(13, 3));
    RecordingSink sink;
    const DrawnPaper paper = draw(&sink);

    QStringList expectedCalls;
    for (int n = 1; n <= 55; ++n)
        expectedCalls << QStringLiteral("C%1").arg(n);
    for (int n = 1; n <= 10; ++n)
        expectedCalls << QStringLiteral("F%1").arg(n);
    QCOMPARE(sink.calls, expectedCalls);

    QCOMPARE(paper.choiceIds.size(), 55);
    QCOMPARE(QSet<QByteArray>(paper.choiceIds.begin(), paper.choiceIds.end()).size(), 55);
    for (int n = 1; n <= 55; ++n) {
        const _Tk &q = ChoiceQuestions[n];
        const int tid = paper.choiceIds[n - 1].toInt();
        const int module = (n - 1) / 11 + 1;
        QCOMPARE((tid - 1) / 13 + 1, module);
        QCOMPARE(q.QuestionText, QStringLiteral("第%1题：模块%2的题目").arg(tid).arg(module).toUtf8());
        QCOMPARE(q.OptionA, "选项A-" + QByteArray::number(tid));
        QCOMPARE(q.OptionD, "选项D-" + QByteArray::number(tid));
        QCOMPARE(q.Key, QByteArray(1, char('A' + (tid - 1) % 4)));
        QCOMPARE(q.Score, tid % 2 ? 1 : 2);
        QCOMPARE(q.Analysis, QStringLiteral("解析%1").arg(tid).toUtf8());
        QVERIFY(q.CandidateAnswer.isEmpty());
        QCOMPARE(q.KnowledgeIndex, 1);
        // Odd rows of a module carry one code, even rows two, each matching one knowledge row; the slots come in
        // the order the engine returns the rows, which the statement leaves open.
        QCOMPARE(q.KnowledgeCount, q.KnowledgeCodes.size() / 5);
        QSet<QByteArray> texts, expectedTexts;
        for (int k = 1; k <= q.KnowledgeCount; ++k) {
            const QByteArray code = q.KnowledgeCodes.mid(5 * (k - 1), 5);
            expectedTexts.insert("关键词" + code + "\r\n知识点说明" + code);
            texts.insert(q.KnowledgeTexts[k]);
        }
        QCOMPARE(texts, expectedTexts);
    }
    for (int n = 1; n <= 10; ++n) {
        const _Fill &f = FillQuestions[n];
        QCOMPARE(f.ModuleId, (n - 1) / 2 + 1);
        QCOMPARE(QByteArray::number(f.Id), paper.fillIds[n - 1]);
        QCOMPARE((f.Id - 1) / 3 + 1, f.ModuleId);
        QCOMPARE(f.Key, QStringLiteral("答案%1").arg(f.Id).toUtf8());
        QCOMPARE(f.KnowledgeText, QStringLiteral("填空知识点%1").arg(f.Id).toUtf8());
    }
    QVERIFY(FillQuestions[1].Id != FillQuestions[2].Id);
    QCOMPARE(RemainingMinutes, 90);
    QCOMPARE(RemainingSeconds, 0);
}

void TestDrawing::secondPaperReplacesTheFirst() {
    useBank(makeTables());
    draw();
    for (int n = 1; n <= 55; ++n) {
        ChoiceQuestions[n].CandidateAnswer = "B";
        ChoiceQuestions[n].KnowledgeIndex = 3;
        ChoiceQuestions[n].KnowledgeTexts[7] = "stale";
    }
    for (int n = 1; n <= 10; ++n)
        FillQuestions[n].CandidateAnswer = "old";
    RemainingMinutes = 12;
    RemainingSeconds = 34;

    draw();
    for (int n = 1; n <= 55; ++n) {
        QVERIFY(ChoiceQuestions[n].CandidateAnswer.isEmpty());
        QCOMPARE(ChoiceQuestions[n].KnowledgeIndex, 1);
        QVERIFY(ChoiceQuestions[n].KnowledgeTexts[7].isEmpty());
    }
    for (int n = 1; n <= 10; ++n)
        QVERIFY(FillQuestions[n].CandidateAnswer.isEmpty());
    QCOMPARE(RemainingMinutes, 90);
    QCOMPARE(RemainingSeconds, 0);
}

void TestDrawing::discardedPicksAreRetriedAndNumberedInDrawingOrder() {
    useBank(makeTables());
    // Module 1 holds tids 1..11 in row order. Row 10 is tid 11, row 0 tid 1: the list ",11," must not count 1 as
    // drawn, and the repeated picks of rows 10 and 0 must be thrown away.
    draw(nullptr, scriptedPick({10, 0, 10, 0, 0, 5}));
    QCOMPARE(ChoiceQuestions[1].QuestionText, QStringLiteral("第11题：模块1的题目").toUtf8());
    QCOMPARE(ChoiceQuestions[2].QuestionText, QStringLiteral("第1题：模块1的题目").toUtf8());
    QCOMPARE(ChoiceQuestions[3].QuestionText, QStringLiteral("第6题：模块1的题目").toUtf8());
}

void TestDrawing::moduleOfExactlyElevenYieldsAllOfThem() {
    useBank(makeTables(11, 2));
    for (int round = 0; round < 3; ++round) {
        const DrawnPaper paper = draw();
        for (int m = 1; m <= 5; ++m) {
            const QList<QByteArray> drawn = paper.choiceIds.mid((m - 1) * 11, 11);
            QSet<QByteArray> expected;
            for (int tid = (m - 1) * 11 + 1; tid <= m * 11; ++tid)
                expected.insert(QByteArray::number(tid));
            QCOMPARE(QSet<QByteArray>(drawn.begin(), drawn.end()), expected);
            QCOMPARE(QSet<QByteArray>(paper.fillIds.begin() + (m - 1) * 2, paper.fillIds.begin() + m * 2),
                     (QSet<QByteArray>{QByteArray::number(2 * m - 1), QByteArray::number(2 * m)}));
        }
    }
}

void TestDrawing::knowledgeLookup_data() {
    QTest::addColumn<QByteArray>("codes");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("statementRun");
    QTest::addColumn<QByteArray>("firstText");
    QTest::newRow("empty") << QByteArray() << 0 << false << QByteArray();
    QTest::newRow("only spaces") << QByteArray("     ") << 0 << false << QByteArray();
    QTest::newRow("control characters") << QByteArray("\t\r\n \x01") << 0 << false << QByteArray();
    QTest::newRow("no matching row") << QByteArray("99999") << 0 << true << QByteArray();
    QTest::newRow("shorter last piece") << QByteArray("01001010") << 1 << true
                                        << QByteArray("关键词01001\r\n知识点说明01001");
    QTest::newRow("quote inside a code") << QByteArray("ab'cd") << 1 << true
                                         << QByteArray("关键词ab'cd\r\n知识点说明ab'cd");
    QTest::newRow("quote does not end the text early") << QByteArray("x' or") << 0 << true << QByteArray();
    QTest::newRow("more than ten rows: first ten kept") << QByteArray("k0001k0002k0003k0004k0005k0006k0007k0008k0009"
                                                                      "k0010k0011k0012")
                                                        << 10 << true << QByteArray();
}

void TestDrawing::knowledgeLookup() {
    QFETCH(QByteArray, codes);
    QFETCH(int, count);
    QFETCH(bool, statementRun);
    QFETCH(QByteArray, firstText);

    BankTables tables = makeTables();
    tables.knowledge.rows.append({"ab'cd", "关键词ab'cd", "知识点说明ab'cd"});
    tables.knowledge.rows.append({"01001010", "not a 5-byte code", ""});
    for (int k = 1; k <= 12; ++k) {
        const QByteArray code = "k" + QByteArray::number(k).rightJustified(4, '0');
        tables.knowledge.rows.append({code, "关键词" + code, "知识点说明" + code});
    }
    // Every question of module 1 carries the codes under test.
    for (int tid = 1; tid <= 11; ++tid)
        setCell(tables.choose, QByteArray::number(tid), "ZHISHIDIAN", codes);
    useBank(tables);
    draw();

    const QString statement = knowledgeStatement(codes);
    QCOMPARE(m_statements.count(statement), statementRun ? 11 : 0);
    for (int n = 1; n <= 11; ++n) {
        QCOMPARE(ChoiceQuestions[n].KnowledgeCount, count);
        QCOMPARE(ChoiceQuestions[n].KnowledgeIndex, 1);
        if (!firstText.isEmpty())
            QCOMPARE(ChoiceQuestions[n].KnowledgeTexts[1], firstText);
        for (int k = 1; k <= count; ++k)
            QVERIFY(!ChoiceQuestions[n].KnowledgeTexts[k].isEmpty());
    }
}

void TestDrawing::knowledgeStatementText_data() {
    QTest::addColumn<QByteArray>("codes");
    QTest::addColumn<QString>("statement");
    const QString head = QStringLiteral("SELECT Keyword,knowladge FROM tzhishidian  WHERE  recno ='");
    QTest::newRow("one code") << QByteArray("01001") << head + "01001'";
    QTest::newRow("two codes") << QByteArray("0100101002") << head + "01001' or recno ='01002'";
    QTest::newRow("short last piece") << QByteArray("01001010") << head + "01001' or recno ='010'";
    QTest::newRow("leading blank shifts every piece")
        << QByteArray(" 0100101002") << head + " 0100' or recno ='10100' or recno ='2'";
    QTest::newRow("quote doubled") << QByteArray("ab'cd") << head + "ab''cd'";
    QTest::newRow("quote at a piece's end") << QByteArray("abcd'x") << head + "abcd''' or recno ='x'";
}

void TestDrawing::knowledgeStatementText() {
    QFETCH(QByteArray, codes);
    QFETCH(QString, statement);
    QCOMPARE(knowledgeStatement(codes), statement);
}

void TestDrawing::shortModuleRefusedBeforeAnyPick_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("module");
    QTest::addColumn<int>("rowsKept");
    QTest::addColumn<bool>("duplicateId");
    QTest::addColumn<bool>("idsOfModuleOne");
    QTest::addColumn<QString>("message");
    QTest::newRow("choose module 3 with 7 rows")
        << "choose" << 3 << 7 << false << false
        << QStringLiteral("题库表 choose 中模块 3 的不同题目只有 7 道，至少需要 11 道");
    QTest::newRow("choose module 1 empty")
        << "choose" << 1 << 0 << false << false
        << QStringLiteral("题库表 choose 中模块 1 的不同题目只有 0 道，至少需要 11 道");
    QTest::newRow("11 rows but two share an id")
        << "choose" << 2 << 11 << true << false
        << QStringLiteral("题库表 choose 中模块 2 的不同题目只有 10 道，至少需要 11 道");
    QTest::newRow("ids already drawn from module 1")
        << "choose" << 2 << 11 << false << true
        << QStringLiteral("题库表 choose 中模块 2 的不同题目只有 0 道（另有 11 "
                          "道与前面模块已抽出的题目编号相同），至少需要 11 道");
    QTest::newRow("Fill module 5 with one row")
        << "Fill" << 5 << 1 << false << false
        << QStringLiteral("题库表 Fill 中模块 5 的不同题目只有 1 道，至少需要 2 道");
}

void TestDrawing::shortModuleRefusedBeforeAnyPick() {
    QFETCH(QString, table);
    QFETCH(int, module);
    QFETCH(int, rowsKept);
    QFETCH(bool, duplicateId);
    QFETCH(bool, idsOfModuleOne);
    QFETCH(QString, message);

    BankTables tables = makeTables();
    BankTable &target = table == QLatin1String("Fill") ? tables.fill : tables.choose;
    removeRows(target, module, rowsKept);
    const QList<QByteArray> ids = idsOfModule(target, module).values();
    if (duplicateId)
        setCell(target, ids[0], "tid", ids[1]);
    if (idsOfModuleOne) {
        for (int i = 0; i < 11; ++i)
            target.rows[11 * (module - 1) + i][target.column("tid")] = QByteArray::number(i + 1);
    }
    useBank(tables);

    // A paper from an earlier exam is in place: a failed drawing must not leave half of a new one over it.
    for (int n = 1; n <= 55; ++n)
        ChoiceQuestions[n].QuestionText = "earlier paper";
    FillQuestions[10].Key = "earlier key";
    RemainingMinutes = 3;
    RecordingSink sink;
    try {
        draw(&sink);
        QFAIL("the drawing went through");
    } catch (const BankError &error) {
        QCOMPARE(error.message(), message);
    }
    for (int n = 1; n <= 55; ++n)
        QVERIFY(ChoiceQuestions[n].QuestionText.isEmpty());
    QVERIFY(FillQuestions[10].Key.isEmpty());
    QCOMPARE(RemainingMinutes, 3);
    // Every answer box ends empty, whatever the drawing had reached.
    for (int n = 1; n <= 55; ++n)
        QVERIFY(sink.calls.contains(QStringLiteral("C%1").arg(n)));
    for (int n = 1; n <= 10; ++n)
        QVERIFY(sink.calls.contains(QStringLiteral("F%1").arg(n)));
    QVERIFY(!m_dm->ADOConnection1->Connected());
}

void TestDrawing::clockSeededPickStaysInRangeEvenOnAStoppedClock() {
    // A clock that never moves must still give varied rows, or a module's picks would repeat one row for ever.
    RowPick pick = clockSeededPick([] { return quint64(42); });
    QSet<int> seen;
    for (int i = 0; i < 500; ++i) {
        const int r = pick(11);
        QVERIFY(r >= 0 && r < 11);
        seen.insert(r);
    }
    QCOMPARE(seen.size(), 11);
    QCOMPARE(pick(0), 0);
    QCOMPARE(pick(1), 0);
}

QTEST_GUILESS_MAIN(TestDrawing)
#include "test_drawing.moc"
