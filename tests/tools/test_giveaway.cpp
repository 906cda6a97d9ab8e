// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>

#include "tools/GiveAway.h"

namespace {

QString describe(const QList<GiveAwayPair> &pairs) {
    QStringList out;
    for (const GiveAwayPair &pair : pairs)
        out.append(QStringLiteral("fill %1/choice %2: blank %3 \"%4\" %5")
                       .arg(pair.fill)
                       .arg(pair.choice)
                       .arg(pair.blank)
                       .arg(pair.answer)
                       .arg(pair.overlap, 0, 'f', 2));
    return out.join(QLatin1Char('\n'));
}

// A module of program questions alike in everything but their numbers, as module 5 of a real bank is.
QList<ChoiceText> programModule(int count) {
    QList<ChoiceText> choices;
    for (int i = 1; i <= count; ++i) {
        const int a = i + 2;
        const int b = i % 5 + 2;
        choices.append(
            {QStringLiteral("有以下程序：\n#include <stdio.h>\nint main(void)\n{\n    int a = %1, b = %2;\n"
                            "    printf(\"%d\\n\", a * b);\n    return 0;\n}\n程序运行后的输出结果是（  ）。")
                 .arg(a)
                 .arg(b),
             {QString::number(a + b), QString::number(a * b), QString::number(a * 10 + b), QStringLiteral("不确定")}});
    }
    return choices;
}

const QString kProgramFill = QStringLiteral("有以下程序：\n#include <stdio.h>\nint main(void)\n{\n    int total = 5;\n"
                                            "    total += 7;\n    printf(\"%d\\n\", total);\n    return 0;\n}\n"
                                            "程序运行后的输出结果是 【1】 。");

} // namespace

Q_DECLARE_METATYPE(FillText)
Q_DECLARE_METATYPE(KeyedChoice)

class TestGiveAway : public QObject {
    Q_OBJECT
private slots:
    void pairs_data();
    void pairs();
    void stockPhrasesDoNotCount();
    void printsWholeWords_data();
    void printsWholeWords();
    void blankText_data();
    void blankText();
    void acrossModules_data();
    void acrossModules();
};

void TestGiveAway::pairs_data() {
    QTest::addColumn<QString>("fillStem");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QString>("choiceStem");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("given"); // the answer reported, "" for no warning
    QTest::addColumn<int>("blank");

    QTest::newRow("same question, answer among the options")
        << QStringLiteral("在数据库系统中，用户所见的局部数据的逻辑结构称为 【1】 。") << QByteArray("外模式#子模式")
        << QStringLiteral("数据库系统中，用户所见的局部数据的逻辑结构和特征的描述是（  ）。")
        << QStringList{QStringLiteral("内模式"), QStringLiteral("外模式"), QStringLiteral("概念模式"),
                       QStringLiteral("存储模式")}
        << QStringLiteral("外模式") << 1;
    QTest::newRow("choice stem states the answer")
        << QStringLiteral("对长度为n的线性表进行冒泡排序，最坏情况下需要比较的次数为 【1】 。")
        << QByteArray("n(n-1)/2")
        << QStringLiteral("对长度为n的线性表进行冒泡排序，最坏情况下需要比较n(n-1)/2次。最坏情况下比较次数与之相同的是"
                          "（  ）。")
        << QStringList{QStringLiteral("快速排序"), QStringLiteral("堆排序"), QStringLiteral("归并排序"),
                       QStringLiteral("二分法插入排序")}
        << QStringLiteral("n(n-1)/2") << 1;
    QTest::newRow("same program, output among the options")
        << QStringLiteral("有以下程序段：\nint i, s = 0;\nfor (i = 1; i <= 4; i++)\n    s += i * i;\n"
                          "printf(\"%d\\n\", s);\n执行后的输出结果是 【1】 。")
        << QByteArray("30")
        << QStringLiteral("有以下程序段：\nint i, s = 0;\nfor (i = 1; i <= 4; i++)\n    s += i * i;\n"
                          "printf(\"%d\\n\", s);\n程序段执行后的输出结果是（  ）。")
        << QStringList{QStringLiteral("10"), QStringLiteral("16"), QStringLiteral("30"), QStringLiteral("100")}
        << QStringLiteral("30") << 1;
    QTest::newRow("second blank restated by its own sentence")
        << QStringLiteral("在面向对象方法中，对象是类的 【1】 ；同一消息被不同的对象接收时产生不同的行为，这种特性称为"
                          " 【2】 。")
        << QByteArray("实例#实例化@多态性@多态")
        << QStringLiteral("同一消息被不同的对象接收时可以产生完全不同的行为，面向对象方法的这一特性称为（  ）。")
        << QStringList{QStringLiteral("封装性"), QStringLiteral("继承性"), QStringLiteral("多态性"),
                       QStringLiteral("抽象性")}
        << QStringLiteral("多态性") << 2;
    QTest::newRow("full-width capitals print the answer")
        << QStringLiteral("关系数据库的标准语言是 【1】 。") << QByteArray("SQL#SQL语言")
        << QStringLiteral("关系数据库的标准语言是（  ）。")
        << QStringList{QStringLiteral("ＳＱＬ"), QStringLiteral("C"), QStringLiteral("Java"), QStringLiteral("Pascal")}
        << QStringLiteral("SQL") << 1;
    QTest::newRow("one character, nearly identical stems")
        << QStringLiteral("在C语言中，表达式 7 / 2 的值是 【1】 。") << QByteArray("3")
        << QStringLiteral("在C语言中，表达式 7 / 2 的值是（  ）。")
        << QStringList{QStringLiteral("3"), QStringLiteral("3.5"), QStringLiteral("4"), QStringLiteral("0")}
        << QStringLiteral("3") << 1;

    QTest::newRow("one character, stems merely alike")
        << QStringLiteral("在C语言中，表达式 7 / 2 的值是 【1】 。") << QByteArray("3")
        << QStringLiteral("在C语言中，若有定义 int a[3];，则数组a的元素个数是（  ）。")
        << QStringList{QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("不确定")}
        << QString() << 0;
    QTest::newRow("answer only inside a longer number")
        << QStringLiteral("若有定义 int a[3][4];，则数组a的元素个数是 【1】 。") << QByteArray("12")
        << QStringLiteral("若有定义 int a[3][4];，则数组a的元素个数是（  ）。")
        << QStringList{QStringLiteral("7"), QStringLiteral("120"), QStringLiteral("34"), QStringLiteral("不确定")}
        << QString() << 0;
    QTest::newRow("same question, answer not printed")
        << QStringLiteral("在数据库系统中，用户所见的局部数据的逻辑结构称为 【1】 。") << QByteArray("外模式#子模式")
        << QStringLiteral("数据库系统中，用户所见的局部数据的逻辑结构和特征的描述是（  ）。")
        << QStringList{QStringLiteral("内模式"), QStringLiteral("概念模式"), QStringLiteral("存储模式"),
                       QStringLiteral("物理模式")}
        << QString() << 0;
    QTest::newRow("same topic, another question")
        << QStringLiteral("在面向对象方法中，一个对象请求另一个对象为其服务的方式是发送 【1】 。") << QByteArray("消息")
        << QStringLiteral("下列关于类的叙述中，正确的是（  ）。")
        << QStringList{QStringLiteral("类是具有共同属性、共同方法的对象的集合"),
                       QStringLiteral("类之间不能互相发送消息"), QStringLiteral("类是对象的实例"),
                       QStringLiteral("一个类只能有一个对象")}
        << QString() << 0;
    QTest::newRow("a common word") << QStringLiteral("在关系模型中，二维表的一行称为一个 【1】 。")
                                   << QByteArray("元组#记录")
                                   << QStringLiteral("关系运算中，从关系中找出满足给定条件的元组的操作称为（  ）。")
                                   << QStringList{QStringLiteral("选择"), QStringLiteral("投影"),
                                                  QStringLiteral("连接"), QStringLiteral("除")}
                                   << QString() << 0;
    QTest::newRow("first blank printed, nothing restated")
        << QStringLiteral("在线性表的 【1】 存储结构中，各结点的存储空间可以不连续，元素之间的逻辑关系由指针确定；"
                          "二分法查找只适用于 【2】 存储的有序线性表。")
        << QByteArray("链式#链接@顺序") << QStringLiteral("对有序线性表进行二分法查找，下列叙述中正确的是（  ）。")
        << QStringList{QStringLiteral("只适用于用数组存放的有序表"), QStringLiteral("也适用于链式存储的有序表"),
                       QStringLiteral("查找前不必排序"), QStringLiteral("比较次数总是n/2")}
        << QString() << 0;
}

void TestGiveAway::pairs() {
    QFETCH(QString, fillStem);
    QFETCH(QByteArray, key);
    QFETCH(QString, choiceStem);
    QFETCH(QStringList, options);
    QFETCH(QString, given);
    QFETCH(int, blank);

    const QList<GiveAwayPair> found = findGiveAways({{fillStem, key}}, {{choiceStem, options}});

    if (given.isEmpty()) {
        QVERIFY2(found.isEmpty(), qPrintable(describe(found)));
        return;
    }
    QVERIFY2(found.size() == 1, qPrintable(describe(found)));
    QCOMPARE(found[0].answer, given);
    QCOMPARE(found[0].blank, blank);
    QVERIFY(found[0].overlap >= GiveAway::kOverlapThreshold);
}

// What every program of a module shares (#include, int main, printf, the closing question) is no likeness; what a
// program shares with its own copy still is.
void TestGiveAway::stockPhrasesDoNotCount() {
    const ChoiceText printsTwelve{
        programModule(3)[0].stem,
        {QStringLiteral("7"), QStringLiteral("12"), QStringLiteral("34"), QStringLiteral("1")}};
    QCOMPARE(findGiveAways({{kProgramFill, "12"}}, {printsTwelve}).size(), 1);

    QList<ChoiceText> module = programModule(GiveAway::kStockMinQuestions);
    module[4].options[1] = QStringLiteral("12");
    QVERIFY2(findGiveAways({{kProgramFill, "12"}}, module).isEmpty(),
             qPrintable(describe(findGiveAways({{kProgramFill, "12"}}, module))));

    QString copy = kProgramFill;
    copy.replace(QStringLiteral("【1】"), QStringLiteral("（  ）"));
    module.append({copy, {QStringLiteral("5"), QStringLiteral("7"), QStringLiteral("12"), QStringLiteral("57")}});
    const QList<GiveAwayPair> found = findGiveAways({{kProgramFill, "12"}}, module);
    QVERIFY2(found.size() == 1 && found[0].choice == module.size() - 1, qPrintable(describe(found)));
}

void TestGiveAway::printsWholeWords_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("printed");
    QTest::newRow("chinese inside a phrase") << QStringLiteral("物理独立性") << QStringLiteral("物理") << true;
    QTest::newRow("number inside a longer number") << QStringLiteral("a[120]") << QStringLiteral("12") << false;
    QTest::newRow("number between brackets") << QStringLiteral("a[12]") << QStringLiteral("12") << true;
    QTest::newRow("second occurrence stands alone") << QStringLiteral("120 或 12") << QStringLiteral("12") << true;
    QTest::newRow("keyword before chinese") << QStringLiteral("默认为auto类别") << QStringLiteral("auto") << true;
    QTest::newRow("keyword inside an identifier") << QStringLiteral("automatic") << QStringLiteral("auto") << false;
    QTest::newRow("answer with punctuation") << QStringLiteral("以'\\0'结束") << QStringLiteral("'\\0'") << true;
}

void TestGiveAway::printsWholeWords() {
    QFETCH(QString, text);
    QFETCH(QString, answer);
    QFETCH(bool, printed);
    QCOMPARE(GiveAway::prints(GiveAway::normalized(text), GiveAway::normalized(answer)), printed);
}

void TestGiveAway::blankText_data() {
    QTest::addColumn<QString>("stem");
    QTest::addColumn<int>("blank");
    QTest::addColumn<QString>("text");
    const QString twoSentences = QStringLiteral("在线性表的链式存储结构中，各结点的存储空间可以不连续 【1】 ；"
                                                "二分法查找只适用于顺序存储的有序线性表 【2】 。");
    QTest::newRow("first sentence") << twoSentences << 1
                                    << QStringLiteral("在线性表的链式存储结构中，各结点的存储空间可以不连续 【1】 ");
    QTest::newRow("second sentence") << twoSentences << 2
                                     << QStringLiteral("二分法查找只适用于顺序存储的有序线性表 【2】 ");
    QTest::newRow("full-width digits")
        << QStringLiteral("栈按后进先出的原则组织数据，称为【１】。队列按先进先出的原则组织数据，称为【２】。") << 2
        << QStringLiteral("队列按先进先出的原则组织数据，称为【２】");
    const QString shortSentence = QStringLiteral("队头称为 【1】 。允许插入的一端称为队尾，它的指针称为 【2】 。");
    QTest::newRow("short sentence gives the whole stem") << shortSentence << 1 << shortSentence;
    QTest::newRow("no such marker") << shortSentence << 3 << shortSentence;
}

void TestGiveAway::blankText() {
    QFETCH(QString, stem);
    QFETCH(int, blank);
    QFETCH(QString, text);
    QCOMPARE(GiveAway::blankText(stem, blank), text);
}

namespace {

KeyedChoice keyed(const QString &stem, const QStringList &options, char key) {
    return {stem, options, key - 'A'};
}

// Module 3 asks for the data dictionary from analysis, module 4's fill-in from database design: no stem alike.
const FillText kDictionaryFill{
    QStringLiteral("在数据库设计的需求分析阶段，收集到的数据项、数据结构、数据流、数据存储和处理过程"
                   "等各类数据描述，通常集中整理成 【1】 。"),
    "数据字典#DD"};
const KeyedChoice kDictionaryChoice = keyed(
    QStringLiteral("对数据流图中出现的被命名的图形元素进行确切解释的是（  ）。"),
    {QStringLiteral("结构图"), QStringLiteral("判定树"), QStringLiteral("数据字典"), QStringLiteral("判定表")}, 'C');

} // namespace

void TestGiveAway::acrossModules_data() {
    QTest::addColumn<FillText>("fill");
    QTest::addColumn<KeyedChoice>("choice");
    QTest::addColumn<QString>("given"); // "" for no warning
    QTest::addColumn<bool>("sameAnswer");

    QTest::newRow("choice keyed with the fill-in answer")
        << kDictionaryFill << kDictionaryChoice << QStringLiteral("数据字典") << true;
    QTest::newRow("answer among the distractors only")
        << kDictionaryFill
        << keyed(QStringLiteral("对数据流图中出现的被命名的图形元素进行确切解释的是（  ）。"),
                 {QStringLiteral("结构图"), QStringLiteral("数据字典"), QStringLiteral("判定树"),
                  QStringLiteral("判定表")},
                 'C')
        << QString() << false;
    QTest::newRow("same question in another module")
        << FillText{QStringLiteral("在数据库系统中，用户所见的局部数据的逻辑结构称为 【1】 。"), "外模式#子模式"}
        << keyed(QStringLiteral("数据库系统中，用户所见的局部数据的逻辑结构和特征的描述是（  ）。"),
                 {QStringLiteral("内模式"), QStringLiteral("概念模式"), QStringLiteral("外模式"),
                  QStringLiteral("存储模式")},
                 'A')
        << QStringLiteral("外模式") << false;
    QTest::newRow("a number two programs print")
        << FillText{QStringLiteral("若查找失败，函数返回 【1】 。"), "-1"}
        << keyed(QStringLiteral("表达式 3 - 4 的值是（  ）。"),
                 {QStringLiteral("-1"), QStringLiteral("1"), QStringLiteral("7"), QStringLiteral("0")}, 'A')
        << QString() << false;
    QTest::newRow("a two-character word every module uses")
        << FillText{QStringLiteral("对象的操作描述了对象的动态行为，也称为对象的 【1】 。"), "操作#方法"}
        << keyed(QStringLiteral("软件由程序、数据和（  ）组成。"),
                 {QStringLiteral("操作"), QStringLiteral("文档"), QStringLiteral("硬件"), QStringLiteral("接口")}, 'A')
        << QString() << false;
}

// One fill-in question in module 1, the choice question in module 2 (module 3 empty).
void TestGiveAway::acrossModules() {
    QFETCH(FillText, fill);
    QFETCH(KeyedChoice, choice);
    QFETCH(QString, given);
    QFETCH(bool, sameAnswer);

    const QList<CrossGiveAwayPair> found = findCrossModuleGiveAways({{fill}, {}, {}}, {{}, {choice}, {}});
    QStringList described;
    for (const CrossGiveAwayPair &cross : found)
        described.append(
            QStringLiteral("%1/%2 %3").arg(cross.fillModule).arg(cross.choiceModule).arg(cross.pair.answer));
    if (given.isEmpty()) {
        QVERIFY2(found.isEmpty(), qPrintable(described.join(QLatin1Char('\n'))));
        return;
    }
    QVERIFY2(found.size() == 1, qPrintable(described.join(QLatin1Char('\n'))));
    QCOMPARE(found[0].fillModule, 0);
    QCOMPARE(found[0].choiceModule, 1);
    QCOMPARE(found[0].pair.choice, 0);
    QCOMPARE(found[0].pair.answer, given);
    QCOMPARE(found[0].sameAnswer, sameAnswer);

    // Within its own module the same choice question is the same-module rule's business, not this one's.
    QVERIFY(findCrossModuleGiveAways({{fill}}, {{choice}}).isEmpty());
}

QTEST_GUILESS_MAIN(TestGiveAway)
#include "test_giveaway.moc"
