// SPDX-License-Identifier: GPL-3.0-or-later

#include <functional>

#include <QTest>

#include "tests/support/TestBank.h"
#include "tests/support/TestPaths.h"
#include "tools/BankCheck.h"
#include "tools/BankCsv.h"

using Mutation = std::function<void(BankTables &)>;
Q_DECLARE_METATYPE(Mutation)

namespace {

QList<QByteArray> &rowWith(BankTable &table, const QString &column, const QByteArray &value) {
    const int index = table.column(column);
    for (QList<QByteArray> &row : table.rows)
        if (row[index] == value)
            return row;
    qFatal("no row with %s=%s", qPrintable(column), value.constData());
}

void set(BankTable &table, const QByteArray &tid, const QString &column, const QByteArray &value) {
    const QString idColumn = table.column(QStringLiteral("tid")) >= 0 ? QStringLiteral("tid") : QStringLiteral("TID");
    rowWith(table, idColumn, tid)[table.column(column)] = value;
}

// A fill-in key, with a stem that shows as many blanks as the key grades.
void setKey(BankTable &fill, const QByteArray &tid, const QByteArray &key) {
    set(fill, tid, QStringLiteral("KEY"), key);
    if (key.contains('@'))
        set(fill, tid, QStringLiteral("TiMu"), "第一空【1】，第二空【2】。");
}

void removeRow(BankTable &table, const QString &column, const QByteArray &value) {
    const QList<QByteArray> &row = rowWith(table, column, value);
    table.rows.removeIf([&row](const QList<QByteArray> &r) { return &r == &row; });
}

// "E|choose|tid=3|fragment": severity, table, id and a piece of the text, as the table of cases writes them.
bool matches(const BankFinding &finding, const QString &expected) {
    const QStringList parts = expected.split(QLatin1Char('|'));
    const QString severity = finding.severity == BankFinding::Error ? QStringLiteral("E") : QStringLiteral("W");
    return parts.size() == 4 && parts[0] == severity && parts[1] == finding.table && parts[2] == finding.id &&
           finding.text.contains(parts[3]);
}

QString describe(const QList<BankFinding> &findings) {
    QStringList lines;
    for (const BankFinding &finding : findings)
        lines.append(formatFinding(finding));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

class TestBankCheck : public QObject {
    Q_OBJECT
private slots:
    void cleanBankPasses();
    void sampleBankIsClean();
    void findings_data();
    void findings();
    void formatsOneLine();
    void keyBalance();
};

void TestBankCheck::cleanBankPasses() {
    QCOMPARE(describe(checkBank(makeTables())), QString());
    QCOMPARE(describe(checkBank(makeTables(30, 6, 5, 12))), QString());
}

// The bank the trainer ships with: no errors, and no warnings either (a give-away, an empty option, a key that
// never grades as meant), since it is what a candidate first practises on and what authors copy.
void TestBankCheck::sampleBankIsClean() {
    const BankTables sample = readCsvSources(sourceDir() + QStringLiteral("/data/sample"));
    QVERIFY(!sample.choose.rows.isEmpty());
    QCOMPARE(describe(checkBank(sample)), QString());
}

void TestBankCheck::findings_data() {
    QTest::addColumn<Mutation>("mutation");
    QTest::addColumn<QStringList>("expected");

    // makeTables(): tids 1–11 are module 1, 12–22 module 2 …; Fill TIDs 1–2 module 1 …; recnos 01001–01003 …
    QTest::newRow("module short of choice questions")
        << Mutation([](BankTables &t) { removeRow(t.choose, QStringLiteral("tid"), "25"); })
        << QStringList{QStringLiteral("E|choose|mkid=3|模块 3 只有 10 道不同 tid 的选择题")};
    QTest::newRow("module short of fill-in questions")
        << Mutation([](BankTables &t) { removeRow(t.fill, QStringLiteral("TID"), "10"); })
        << QStringList{QStringLiteral("E|Fill|MKID=5|模块 5 只有 1 道不同 TID 的填空题")};
    QTest::newRow("a repeated tid counts once")
        << Mutation([](BankTables &t) { set(t.choose, "13", QStringLiteral("tid"), "12"); })
        << QStringList{QStringLiteral("W|choose|tid=12|与第 12 条记录相同"),
                       QStringLiteral("E|choose|mkid=2|只有 10 道")};
    // The no-repeat list is shared by the modules: module 2's tid 5 may have been taken by module 1.
    QTest::newRow("tid shared with an earlier module")
        << Mutation([](BankTables &t) {
               QList<QByteArray> extra = rowWith(t.choose, QStringLiteral("tid"), "11");
               extra[t.choose.column(QStringLiteral("tid"))] = "99";
               t.choose.rows.append(extra);
               set(t.choose, "12", QStringLiteral("tid"), "5");
           })
        << QStringList{QStringLiteral("W|choose|tid=5|与第 5 条记录相同"),
                       QStringLiteral("E|choose|mkid=2|有 1 个与前面的模块相同")};
    QTest::newRow("module outside 1 to 5")
        << Mutation([](BankTables &t) {
               set(t.choose, "1", QStringLiteral("mkid"), "6");
               set(t.fill, "1", QStringLiteral("MKID"), "");
           })
        << QStringList{QStringLiteral("W|choose|tid=1|mkid 为 \"6\""), QStringLiteral("E|choose|mkid=1|只有 10 道"),
                       QStringLiteral("W|Fill|TID=1|MKID 为 \"\""), QStringLiteral("E|Fill|MKID=1|只有 1 道")};
    QTest::newRow("tid with a comma")
        << Mutation([](BankTables &t) { set(t.choose, "3", QStringLiteral("tid"), "3,4"); })
        << QStringList{QStringLiteral("W|choose|tid=3,4|tid 为 \"3,4\"，不是 1 到 2147483647 的整数"),
                       QStringLiteral("W|choose|tid=3,4|含逗号")};
    QTest::newRow("duplicate recno") << Mutation([](BankTables &t) {
        t.knowledge.rows.append({"02002", "again", "again"});
    }) << QStringList{QStringLiteral("E|tzhishidian|recno=02002|出现了 2 次")};
    QTest::newRow("recno not five bytes") << Mutation([](BankTables &t) {
        t.knowledge.rows.append({"0600", "short", "short"});
    }) << QStringList{QStringLiteral("W|tzhishidian|recno=0600|长 4 字节")};
    QTest::newRow("more than ten knowledge rows") << Mutation([](BankTables &t) {
        QByteArray codes;
        for (int k = 1; k <= 11; ++k) {
            if (k > 3)
                t.knowledge.rows.append({knowledgeCode(1, k), "k", "k"});
            codes += knowledgeCode(1, k);
        }
        set(t.choose, "2", QStringLiteral("ZHISHIDIAN"), codes);
    }) << QStringList{QStringLiteral("E|choose|tid=2|对应 11 条知识点记录")};
    QTest::newRow("ten knowledge rows are allowed") << Mutation([](BankTables &t) {
        QByteArray codes;
        for (int k = 1; k <= 10; ++k) {
            if (k > 3)
                t.knowledge.rows.append({knowledgeCode(1, k), "k", "k"});
            codes += knowledgeCode(1, k);
        }
        set(t.choose, "2", QStringLiteral("ZHISHIDIAN"), codes + knowledgeCode(1, 1));
    }) << QStringList{};
    // Duplicated recnos are rows too: three codes matching 7, 2 and 2 rows need eleven slots.
    QTest::newRow("duplicated recno rows count against the slots")
        << Mutation([](BankTables &t) {
               for (int i = 0; i < 6; ++i)
                   t.knowledge.rows.append({knowledgeCode(1, 1), "k", "k"});
               set(t.choose, "2", QStringLiteral("ZHISHIDIAN"),
                   knowledgeCode(1, 1) + knowledgeCode(1, 2) + knowledgeCode(1, 3));
               set(t.choose, "4", QStringLiteral("ZHISHIDIAN"),
                   knowledgeCode(1, 1) + knowledgeCode(1, 2) + knowledgeCode(1, 3));
               t.knowledge.rows.append({knowledgeCode(1, 2), "k", "k"});
               t.knowledge.rows.append({knowledgeCode(1, 3), "k", "k"});
           })
        << QStringList{QStringLiteral("E|choose|tid=2|对应 11 条"), QStringLiteral("E|choose|tid=4|对应 11 条"),
                       QStringLiteral("E|tzhishidian|recno=01001|出现了 7 次"),
                       QStringLiteral("E|tzhishidian|recno=01002|出现了 2 次"),
                       QStringLiteral("E|tzhishidian|recno=01003|出现了 2 次")};
    QTest::newRow("codes not a multiple of five")
        << Mutation([](BankTables &t) { set(t.choose, "1", QStringLiteral("ZHISHIDIAN"), "0100101"); })
        << QStringList{QStringLiteral("W|choose|tid=1|长 7 字节，不是 5 的倍数"),
                       QStringLiteral("W|choose|tid=1|\"01\" 在 tzhishidian 中没有对应记录")};
    QTest::newRow("codes with a leading blank")
        << Mutation([](BankTables &t) { set(t.choose, "1", QStringLiteral("ZHISHIDIAN"), " 01001"); })
        << QStringList{QStringLiteral("W|choose|tid=1|以空白开头"), QStringLiteral("W|choose|tid=1|长 6 字节"),
                       QStringLiteral("W|choose|tid=1|\" 0100\"、\"1\" 在 tzhishidian 中没有对应记录")};
    QTest::newRow("code without knowledge row")
        << Mutation([](BankTables &t) { set(t.choose, "1", QStringLiteral("ZHISHIDIAN"), "0100109009"); })
        << QStringList{QStringLiteral("W|choose|tid=1|\"09009\" 在 tzhishidian 中没有对应记录")};
    QTest::newRow("blank codes mean no knowledge point")
        << Mutation([](BankTables &t) { set(t.choose, "1", QStringLiteral("ZHISHIDIAN"), " \t "); }) << QStringList{};
    // The statement doubles a quote, so such a code merely looks up itself.
    QTest::newRow("code with a quote") << Mutation([](BankTables &t) {
        set(t.choose, "1", QStringLiteral("ZHISHIDIAN"), "01'01");
    }) << QStringList{QStringLiteral("W|choose|tid=1|\"01'01\" 在 tzhishidian 中没有对应记录")};
    // The engine's limit on the knowledge statement (test_drawing pins it on the engine itself).
    QTest::newRow("as many code pieces as the statement holds") << Mutation([](BankTables &t) {
        set(t.choose, "1", QStringLiteral("ZHISHIDIAN"), QByteArray("01001").repeated(999));
    }) << QStringList{};
    QTest::newRow("a code piece more than the statement holds")
        << Mutation([](BankTables &t) {
               set(t.choose, "1", QStringLiteral("ZHISHIDIAN"), QByteArray("01001").repeated(999) + "0");
           })
        << QStringList{QStringLiteral("W|choose|tid=1|不是 5 的倍数"),
                       QStringLiteral("E|choose|tid=1|知识点编码有 1000 段，查询知识点的语句最多容纳 999 段"),
                       QStringLiteral("W|choose|tid=1|\"0\" 在 tzhishidian 中没有对应记录")};
    QTest::newRow("choice keys the grading never matches")
        << Mutation([](BankTables &t) {
               set(t.choose, "1", QStringLiteral("Key"), "a");
               set(t.choose, "2", QStringLiteral("Key"), "B ");
               set(t.choose, "3", QStringLiteral("Key"), "");
               set(t.choose, "4", QStringLiteral("Key"), "E");
               set(t.choose, "5", QStringLiteral("Key"), "AB");
           })
        << QStringList{QStringLiteral("W|choose|tid=1|Key 为 \"a\""), QStringLiteral("W|choose|tid=2|Key 为 \"B \""),
                       QStringLiteral("W|choose|tid=3|Key 为空"), QStringLiteral("W|choose|tid=4|Key 为 \"E\""),
                       QStringLiteral("W|choose|tid=5|Key 为 \"AB\"")};
    QTest::newRow("scores that are not whole numbers")
        << Mutation([](BankTables &t) {
               set(t.choose, "1", QStringLiteral("Score"), "2.5");
               set(t.choose, "2", QStringLiteral("Score"), QByteArray());
               set(t.choose, "3", QStringLiteral("Score"), "两分");
               set(t.choose, "4", QStringLiteral("Score"), "0");
               set(t.choose, "5", QStringLiteral("Score"), "99999999999");
           })
        << QStringList{QStringLiteral("E|choose|tid=1|Score 为 \"2.5\"，不是整数：抽到这道题时抽题会失败"),
                       QStringLiteral("W|choose|tid=2|Score 为空"), QStringLiteral("E|choose|tid=3|Score 为 \"两分\""),
                       QStringLiteral("E|choose|tid=5|Score 为 \"99999999999\"")};
    // Past a million either way, a paper's sum could overflow; past 0..100 the score is most likely mistyped.
    QTest::newRow("scores outside the usual range")
        << Mutation([](BankTables &t) {
               set(t.choose, "1", QStringLiteral("Score"), "-1");
               set(t.choose, "2", QStringLiteral("Score"), "101");
               set(t.choose, "3", QStringLiteral("Score"), "100");
               set(t.choose, "4", QStringLiteral("Score"), "1000000000");
               set(t.choose, "5", QStringLiteral("Score"), "+007");
           })
        << QStringList{QStringLiteral("W|choose|tid=1|Score 为 -1，不在 0 到 100 之间"),
                       QStringLiteral("W|choose|tid=2|Score 为 101，不在 0 到 100 之间"),
                       QStringLiteral("E|choose|tid=4|Score 为 1000000000，超出 -1000000 到 1000000")};
    QTest::newRow("ids that cannot be looked up by number")
        << Mutation([](BankTables &t) {
               set(t.choose, "1", QStringLiteral("tid"), "abc");
               set(t.choose, "2", QStringLiteral("tid"), "9223372036854775808");
               set(t.choose, "3", QStringLiteral("tid"), "0");
               set(t.fill, "1", QStringLiteral("TID"), "x1");
               set(t.fill, "2", QStringLiteral("TID"), "-2");
           })
        << QStringList{QStringLiteral("W|choose|tid=abc|tid 为 \"abc\"，不是 1 到 2147483647 的整数"),
                       QStringLiteral("W|choose|tid=9223372036854775808|不是 1 到 2147483647 的整数"),
                       QStringLiteral("W|choose|tid=0|不是 1 到 2147483647 的整数"),
                       QStringLiteral("E|Fill|TID=x1|TID 为 \"x1\"，不是整数：抽到这道题时抽题会失败"),
                       QStringLiteral("W|Fill|TID=-2|不是 1 到 2147483647 的整数")};
    // Build names an id as check reads it back from the bank.
    QTest::newRow("an id is named as the bank keeps it") << Mutation([](BankTables &t) {
        set(t.choose, "1", QStringLiteral("Key"), "");
        set(t.choose, "1", QStringLiteral("tid"), "+001");
    }) << QStringList{QStringLiteral("W|choose|tid=1|Key 为空")};
    QTest::newRow("empty option texts") << Mutation([](BankTables &t) {
        set(t.choose, "1", QStringLiteral("ANSWER_B"), "");
        set(t.choose, "1", QStringLiteral("ANSWER_D"), " \u3000");
        set(t.choose, "2", QStringLiteral("ANSWER_A"), QByteArray());
    })
                                        << QStringList{QStringLiteral("W|choose|tid=1|选项 B、D 的文字为空"),
                                                       QStringLiteral("W|choose|tid=2|选项 A 的文字为空")};
    // tids 1–11 and Fill TIDs 1–2 are module 1, tid 12 module 2.
    const auto giveAway = [](const QByteArray &tid) {
        return Mutation([tid](BankTables &t) {
            set(t.fill, "2", QStringLiteral("TiMu"), "在数据库系统中，用户所见的局部数据的逻辑结构称为 【1】 。");
            setKey(t.fill, "2", "外模式#子模式");
            set(t.choose, tid, QStringLiteral("Timu"),
                "数据库系统中，用户所见的局部数据的逻辑结构和特征的描述是（  ）。");
            set(t.choose, tid, QStringLiteral("ANSWER_C"), "外模式");
        });
    };
    QTest::newRow("fill-in answer given away by a choice question")
        << giveAway("3") << QStringList{QStringLiteral("W|Fill|TID=2|同模块的选择题 tid=3 印出了答案“外模式”")};
    QTest::newRow("fill-in answer given away by another module's choice question")
        << giveAway("12") << QStringList{QStringLiteral("W|Fill|TID=2|模块 2 的选择题 tid=12 印出了答案“外模式”")};
    QTest::newRow("choice question given away by another")
        << Mutation([](BankTables &t) {
               set(t.choose, "3", QStringLiteral("Timu"), "使子类能够直接获得父类的属性和操作的机制称为（  ）。");
               set(t.choose, "3", QStringLiteral("ANSWER_C"), "继承");
               set(t.choose, "5", QStringLiteral("Timu"), "下列关于继承的叙述中，正确的是（  ）。");
               set(t.choose, "5", QStringLiteral("ANSWER_A"), "继承使子类可以重用父类已定义的属性和操作");
           })
        << QStringList{QStringLiteral("W|choose|tid=3|同模块的选择题 tid=5 把本题的答案“继承”当作正确的内容印了出来"),
                       QStringLiteral("W|choose|tid=5|正确选项 A 有 20 个字")};
    QTest::newRow("keyed option marked out by its length") << Mutation([](BankTables &t) {
        set(t.choose, "2", QStringLiteral("ANSWER_B"), "不需要事先确定栈的容量，只要有可用的存储空间就能入栈");
    }) << QStringList{QStringLiteral("W|choose|tid=2|正确选项 B 有 26 个字，最长的干扰项只有 5 个字")};
    QTest::newRow("two blanks that grade each other")
        << Mutation([](BankTables &t) { setKey(t.fill, "3", "当型#while@直到型@do-while"); })
        << QStringList{QStringLiteral("W|Fill|TID=3|第 1 空的候选答案“while”包含在第 2 空的候选答案“do-while”中")};
    QTest::newRow("fill-in keys in every documented shape") << Mutation([](BankTables &t) {
        setKey(t.fill, "1", "栈");
        setKey(t.fill, "2", "线性结构#线性");
        setKey(t.fill, "3", "X#Y@Z");
        setKey(t.fill, "4", "X#Y@Z@W");
        setKey(t.fill, "5", "#Y@Z");
    }) << QStringList{};
    QTest::newRow("fill-in keys outside the format")
        << Mutation([](BankTables &t) {
               setKey(t.fill, "1", "X@Z");
               setKey(t.fill, "2", "X#Y@Z#W");
               setKey(t.fill, "3", "X@Z#W");
           })
        << QStringList{QStringLiteral("W|Fill|TID=1|第一个 @ 之前）没有 #"),
                       QStringLiteral("W|Fill|TID=2|第一个 @ 之后）含 #"), QStringLiteral("W|Fill|TID=3|没有 #"),
                       QStringLiteral("W|Fill|TID=3|含 #")};
    QTest::newRow("fill-in keys with a blank that is never right")
        << Mutation([](BankTables &t) {
               setKey(t.fill, "1", QByteArray());
               setKey(t.fill, "2", "#");
               setKey(t.fill, "3", "X#Y@");
               setKey(t.fill, "4", "#@Z");
               setKey(t.fill, "5", "X#Y@@");
           })
        << QStringList{QStringLiteral("W|Fill|TID=1|KEY 没有非空的答案"),
                       QStringLiteral("W|Fill|TID=2|KEY 没有非空的答案"),
                       QStringLiteral("W|Fill|TID=3|第 2 空没有非空"), QStringLiteral("W|Fill|TID=4|第 1 空没有非空"),
                       QStringLiteral("W|Fill|TID=5|第 2 空没有非空")};
    QTest::newRow("fill-in keys with a separator too many")
        << Mutation([](BankTables &t) {
               setKey(t.fill, "1", "X#Y#Z");
               setKey(t.fill, "2", "X#Y#V@Z");
               setKey(t.fill, "3", "X#Y@Z@W@V");
           })
        << QStringList{QStringLiteral("W|Fill|TID=1|候选答案之一是 \"Y#Z\""),
                       QStringLiteral("W|Fill|TID=2|第 1 空的候选答案之一是 \"Y#V\""),
                       QStringLiteral("W|Fill|TID=3|第 2 空的候选答案之一是 \"W@V\"")};
    QTest::newRow("fill-in answers a candidate cannot type")
        << Mutation([](BankTables &t) {
               setKey(t.fill, "1", "栈\n");
               setKey(t.fill, "2", "队列# 队列");
               setKey(t.fill, "3", QByteArray("树\0", 4));
               setKey(t.fill, "4", "图\t");
               setKey(t.fill, "5", "线性表\u3000");
           })
        << QStringList{QStringLiteral("W|Fill|TID=1|KEY 的候选答案 \"栈\\n\" 含换行符"),
                       QStringLiteral("W|Fill|TID=2|KEY 的候选答案 \" 队列\" 首尾有空格"),
                       QStringLiteral("W|Fill|TID=3|KEY 的候选答案 \"树\\0\" 含 NUL 字节"),
                       QStringLiteral("W|Fill|TID=4|含控制字符"),
                       QStringLiteral("W|Fill|TID=5|首尾有空格"),
                       QStringLiteral("W|Fill|TID=3|字段 KEY 含 NUL 字节")};
    QTest::newRow("stem blanks against key blanks")
        << Mutation([](BankTables &t) {
               set(t.fill, "1", QStringLiteral("KEY"), "X#Y@Z");
               set(t.fill, "2", QStringLiteral("TiMu"), "先填【1】，再填【 ２ 】。");
               set(t.fill, "2", QStringLiteral("KEY"), "X#Y@Z");
               set(t.fill, "3", QStringLiteral("TiMu"), "没有空位的题干");
               set(t.fill, "4", QStringLiteral("TiMu"), "【1】与【1】是同一空，【2】是另一空");
           })
        << QStringList{QStringLiteral("W|Fill|TID=1|题干有 1 个空位标记（【1】、【2】），KEY 却按 2 个空评分"),
                       QStringLiteral("W|Fill|TID=3|题干有 0 个空位标记"),
                       QStringLiteral("W|Fill|TID=4|题干有 2 个空位标记（【1】、【2】），KEY 却按 1 个空评分")};
    QTest::newRow("answers that differ only in composition")
        << Mutation([](BankTables &t) {
               setKey(t.fill, "1", "caf\u00e9#cafe\u0301");
               setKey(t.fill, "2", "X#Y@\u00c5@A\u030a");
               setKey(t.fill, "3", "\uff21#A"); // full-width and plain: both can be typed
           })
        << QStringList{
               QStringLiteral("W|Fill|TID=1|KEY 的候选答案 \"caf\u00e9\" 与 \"cafe\u0301\" 只是字符的组合方式不同"),
               QStringLiteral("W|Fill|TID=2|第 2 空的候选答案")};
    QTest::newRow("NUL bytes in any field")
        << Mutation([](BankTables &t) {
               set(t.choose, "1", QStringLiteral("Timu"), QByteArray("题\0目", 7));
               set(t.choose, "1", QStringLiteral("ANALYSIS"), QByteArray("\0", 1));
               set(t.choose, "2", QStringLiteral("ZHISHIDIAN"), QByteArray("01001\0", 6));
               t.knowledge.rows[0][t.knowledge.column(QStringLiteral("knowladge"))] = QByteArray("说\0明", 7);
           })
        << QStringList{QStringLiteral("E|choose|tid=2|知识点编码含 NUL 字节（\\0）：查询知识点的语句在这里断开"),
                       QStringLiteral("W|choose|tid=2|长 6 字节"),
                       QStringLiteral("W|choose|tid=2|\"\\0\" 在 tzhishidian 中没有对应记录"),
                       QStringLiteral("W|choose|tid=1|字段 Timu、ANALYSIS 含 NUL 字节"),
                       QStringLiteral("W|choose|tid=2|字段 ZHISHIDIAN 含 NUL 字节"),
                       QStringLiteral("W|tzhishidian|recno=01001|字段 knowladge 含 NUL 字节")};
    QTest::newRow("missing column stops that table's checks") << Mutation([](BankTables &t) {
        t.choose.columns.removeAt(t.choose.column(QStringLiteral("Score")));
        t.fill.columns[t.fill.column(QStringLiteral("KEY"))] = QStringLiteral("ANSWER");
        set(t.choose, "1", QStringLiteral("Key"), "x");
    }) << QStringList{QStringLiteral("E|choose||缺少列 Score"), QStringLiteral("E|Fill||缺少列 KEY")};
    QTest::newRow("row without id named by its place")
        << Mutation([](BankTables &t) {
               setKey(t.fill, "4", "");
               set(t.fill, "4", QStringLiteral("TID"), "");
           })
        << QStringList{QStringLiteral("W|Fill|第 4 条记录|TID 为 \"\"，不是 1 到"),
                       QStringLiteral("W|Fill|第 4 条记录|KEY 没有非空的答案")};
}

// Each fault produces exactly the findings listed, in order, and nothing else.
void TestBankCheck::findings() {
    QFETCH(Mutation, mutation);
    QFETCH(QStringList, expected);
    BankTables tables = makeTables();
    mutation(tables);

    const QList<BankFinding> findings = checkBank(tables);

    QVERIFY2(findings.size() == expected.size(), qPrintable(describe(findings)));
    for (int i = 0; i < findings.size(); ++i)
        QVERIFY2(matches(findings[i], expected[i]),
                 qPrintable(formatFinding(findings[i]) + QStringLiteral("\n≠ ") + expected[i]));
}

void TestBankCheck::formatsOneLine() {
    QCOMPARE(
        formatFinding({BankFinding::Error, QStringLiteral("choose"), QStringLiteral("mkid=3"), QStringLiteral("少题")}),
        QStringLiteral("错误 choose mkid=3：少题"));
    QCOMPARE(formatFinding({BankFinding::Warning, QStringLiteral("Fill"), QString(), QStringLiteral("缺列")}),
             QStringLiteral("警告 Fill：缺列"));
}

// A module of 20 questions whose keys shun A and favour B gets one warning; check's summary shows every module.
void TestBankCheck::keyBalance() {
    BankTables tables = makeTables(20, 2);
    for (const QByteArray tid : {"1", "5", "9", "13", "17"})
        set(tables.choose, tid, QStringLiteral("Key"), "B");
    const QList<BankFinding> findings = checkBank(tables);
    QVERIFY2(findings.size() == 1, qPrintable(describe(findings)));
    QVERIFY2(
        matches(findings[0], QStringLiteral("W|choose|mkid=1|模块 1 的 20 道选择题中，答案 A 占 0%、B 占 50%，不在 "
                                            "15% 到 35% 之间")),
        qPrintable(describe(findings)));

    const QStringList lines = keyBalanceLines(tables);
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines[0], QStringLiteral("模块 1 选择题 20 道，答案分布：A 0（0%） B 10（50%） C 5（25%） D 5（25%）"));
    QCOMPARE(lines[4], QStringLiteral("模块 5 选择题 20 道，答案分布：A 5（25%） B 5（25%） C 5（25%） D 5（25%）"));
    tables.choose.columns.removeAt(tables.choose.column(QStringLiteral("Key")));
    QCOMPARE(keyBalanceLines(tables), QStringList());
}

QTEST_GUILESS_MAIN(TestBankCheck)
#include "test_bankcheck.moc"
