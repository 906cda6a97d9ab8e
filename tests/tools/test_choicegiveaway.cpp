// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>

#include "tools/ChoiceGiveAway.h"

namespace {

QString describe(const QList<ChoiceGiveAwayPair> &pairs) {
    QStringList out;
    for (const ChoiceGiveAwayPair &pair : pairs)
        out.append(QStringLiteral("%1 <- %2: \"%3\" %4")
                       .arg(pair.asked)
                       .arg(pair.giver)
                       .arg(pair.answer)
                       .arg(pair.overlap, 0, 'f', 2));
    return out.join(QLatin1Char('\n'));
}

KeyedChoice question(const QString &stem, const QStringList &options, char key) {
    return {stem, options, key - 'A'};
}

// Questions that begin alike, as the questions of one module do, so that the frame is a stock phrase.
QList<KeyedChoice> framedModule(int count) {
    QList<KeyedChoice> module;
    for (int i = 0; i < count; ++i)
        module.append(question(QStringLiteral("在面向对象方法中，第%1种说法指的是（  ）。").arg(i),
                               {QStringLiteral("甲%1").arg(i), QStringLiteral("乙%1").arg(i),
                                QStringLiteral("丙%1").arg(i), QStringLiteral("丁%1").arg(i)},
                               'A'));
    return module;
}

const KeyedChoice kAttribute =
    question(QStringLiteral("描述对象静态特征的数据项称为（  ）。"),
             {QStringLiteral("消息"), QStringLiteral("接口"), QStringLiteral("属性"), QStringLiteral("方法")}, 'C');

} // namespace

Q_DECLARE_METATYPE(KeyedChoice)

class TestChoiceGiveAway : public QObject {
    Q_OBJECT
private slots:
    void pairs_data();
    void pairs();
    void frameIsNoLikeness();
    void answer_data();
    void answer();
};

void TestChoiceGiveAway::pairs_data() {
    QTest::addColumn<KeyedChoice>("asked");
    QTest::addColumn<KeyedChoice>("giver");
    QTest::addColumn<QString>("given"); // the answer reported, "" for no warning

    QTest::newRow("keyed statement holds the answer")
        << kAttribute
        << question(QStringLiteral("下列关于对象的叙述中，正确的是（  ）。"),
                    {QStringLiteral("对象的属性和操作是相互分离、互不相关的"),
                     QStringLiteral("对象由一组表示静态特征的属性和它可执行的一组操作组成"),
                     QStringLiteral("任何对象都必须有父类"), QStringLiteral("对象只能表示具体的物理实体")},
                    'B')
        << QStringLiteral("属性");
    QTest::newRow("stem names the answer and the keyed option defines it")
        << question(QStringLiteral("在面向对象方法中，使子类能够直接获得父类的属性和操作的机制称为（  ）。"),
                    {QStringLiteral("消息"), QStringLiteral("封装"), QStringLiteral("多态"), QStringLiteral("继承")},
                    'D')
        << question(QStringLiteral("下列关于继承的叙述中，正确的是（  ）。"),
                    {QStringLiteral("子类只能继承父类的属性，不能继承父类的操作"),
                     QStringLiteral("继承使子类可以重用父类已定义的属性和操作"),
                     QStringLiteral("子类必须重新定义从父类得到的全部操作"),
                     QStringLiteral("父类可以自动获得其子类新增加的属性和操作")},
                    'B')
        << QStringLiteral("继承");
    // In a question asking for the false statement, the other three options are the true ones.
    QTest::newRow("true options of a question asking for the false one")
        << question(QStringLiteral("下列原则中，属于结构化程序设计基本原则的是（  ）。"),
                    {QStringLiteral("逐步求精法"), QStringLiteral("归纳法"), QStringLiteral("筛选法"),
                     QStringLiteral("递归法")},
                    'A')
        << question(QStringLiteral("结构化程序设计的基本原则不包括（  ）。"),
                    {QStringLiteral("多态性"), QStringLiteral("模块化方法"), QStringLiteral("逐步求精的做法"),
                     QStringLiteral("自顶向下")},
                    'A')
        << QStringLiteral("逐步求精");
    QTest::newRow("the false option of such a question states nothing")
        << question(QStringLiteral("下列原则中，属于结构化程序设计基本原则的是（  ）。"),
                    {QStringLiteral("多态性原则"), QStringLiteral("归纳原则"), QStringLiteral("筛选原则"),
                     QStringLiteral("递归原则")},
                    'A')
        << question(QStringLiteral("结构化程序设计的基本原则不包括（  ）。"),
                    {QStringLiteral("多态性原则的应用"), QStringLiteral("模块化"), QStringLiteral("逐步求精"),
                     QStringLiteral("自顶向下")},
                    'A')
        << QString();
    QTest::newRow("a distractor holds the answer")
        << kAttribute
        << question(QStringLiteral("下列关于对象的叙述中，正确的是（  ）。"),
                    {QStringLiteral("对象的静态特征不能用属性描述"), QStringLiteral("对象由一组数据和一组操作组成"),
                     QStringLiteral("任何对象都必须有父类"), QStringLiteral("对象只能表示具体的物理实体")},
                    'B')
        << QString();
    QTest::newRow("an option that is only the answer")
        << question(
               QStringLiteral("实体A与实体B之间是一对多联系，实体B与实体C之间是一对一联系，则实体A与实体C之间的"
                              "联系是（  ）。"),
               {QStringLiteral("多对一"), QStringLiteral("一对多"), QStringLiteral("多对多"), QStringLiteral("一对一")},
               'B')
        << question(
               QStringLiteral("一个班级有多名学生，而每名学生只属于一个班级，则实体班级与实体学生之间的联系是（  ）"
                              "。"),
               {QStringLiteral("一对多"), QStringLiteral("多对多"), QStringLiteral("一对一"),
                QStringLiteral("无法确定")},
               'A')
        << QString();
    QTest::newRow("the giver states a distractor too")
        << question(QStringLiteral("结构化程序设计中，最基本、最常用的控制结构是（  ）。"),
                    {QStringLiteral("选择结构"), QStringLiteral("重复结构"), QStringLiteral("嵌套结构"),
                     QStringLiteral("顺序结构")},
                    'D')
        << question(QStringLiteral("某算法先执行处理S1，再按条件P执行S2或S3。该流程中用到的基本控制结构是（  ）。"),
                    {QStringLiteral("只有顺序结构"), QStringLiteral("选择结构和重复结构"),
                     QStringLiteral("顺序结构和重复结构"), QStringLiteral("顺序结构和选择结构")},
                    'D')
        << QString();
    QTest::newRow("answer only where the asking stem shows it too")
        << question(QStringLiteral("在面向对象方法中，类的一个具体实例称为（  ）。"),
                    {QStringLiteral("方法"), QStringLiteral("对象"), QStringLiteral("消息"), QStringLiteral("继承")},
                    'B')
        << question(QStringLiteral("在面向对象方法中，类的实例之间相互通信所用的机制称为（  ）。"),
                    {QStringLiteral("消息"), QStringLiteral("接口"), QStringLiteral("属性"), QStringLiteral("方法")},
                    'A')
        << QString();
    QTest::newRow("same answer, another fact")
        << kAttribute
        << question(QStringLiteral("在关系数据库中，二维表的一列称为（  ）。"),
                    {QStringLiteral("元组"), QStringLiteral("记录"), QStringLiteral("属性"), QStringLiteral("关系")},
                    'C')
        << QString();
}

void TestChoiceGiveAway::pairs() {
    QFETCH(KeyedChoice, asked);
    QFETCH(KeyedChoice, giver);
    QFETCH(QString, given);

    const QList<ChoiceGiveAwayPair> found = findChoiceGiveAways({asked, giver});

    if (given.isEmpty()) {
        QVERIFY2(found.isEmpty(), qPrintable(describe(found)));
        return;
    }
    QVERIFY2(found.size() == 1, qPrintable(describe(found)));
    QCOMPARE(found[0].asked, 0);
    QCOMPARE(found[0].giver, 1);
    QCOMPARE(found[0].answer, given);
}

// The frame a module's stems share counts for nothing, however many questions the pair of stems shares it with; what
// the two say besides it still does.
void TestChoiceGiveAway::frameIsNoLikeness() {
    QList<KeyedChoice> module = framedModule(30);
    const KeyedChoice framedOnly =
        question(QStringLiteral("在面向对象方法中，类的实例称为（  ）。"),
                 {QStringLiteral("方法"), QStringLiteral("对象"), QStringLiteral("消息"), QStringLiteral("继承")}, 'B');
    module.append(framedOnly);
    module.append(question(QStringLiteral("在面向对象方法中，通常把对象的操作也称为（  ）。"),
                           {QStringLiteral("方法或服务"), QStringLiteral("属性或特征"), QStringLiteral("消息或事件"),
                            QStringLiteral("类或实例")},
                           'A'));
    QVERIFY2(findChoiceGiveAways(module).isEmpty(), qPrintable(describe(findChoiceGiveAways(module))));

    module.append(question(QStringLiteral("在面向对象方法中，由类创建的具体实例是（  ）。"),
                           {QStringLiteral("由类创建的具体实例是对象"), QStringLiteral("类的实例称为方法"),
                            QStringLiteral("类的实例称为消息"), QStringLiteral("类的实例称为继承")},
                           'A'));
    const QList<ChoiceGiveAwayPair> found = findChoiceGiveAways(module);
    QVERIFY2(found.size() == 1 && found[0].asked == 30 && found[0].giver == 32, qPrintable(describe(found)));
}

void TestChoiceGiveAway::answer_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("answer");
    QTest::newRow("shared ending cut") << QStringList{QStringLiteral("逐步求精法"), QStringLiteral("归纳法"),
                                                      QStringLiteral("筛选法"), QStringLiteral("递归法")}
                                       << 0 << QStringLiteral("逐步求精");
    QTest::newRow("shared start and ending cut")
        << QStringList{QStringLiteral("数据操纵语言"), QStringLiteral("数据定义语言的一种"),
                       QStringLiteral("数据管理语言"), QStringLiteral("数据控制语言")}
        << 1 << QStringLiteral("定义语言的一种");
    QTest::newRow("a two-character remainder keeps the whole")
        << QStringList{QStringLiteral("面向对象的方法"), QStringLiteral("面向数据的方法"),
                       QStringLiteral("面向过程的方法"), QStringLiteral("面向用户的方法")}
        << 1 << QStringLiteral("面向数据的方法");
    QTest::newRow("numbers are not cut") << QStringList{QStringLiteral("1024"), QStringLiteral("1000"),
                                                        QStringLiteral("1012"), QStringLiteral("1004")}
                                         << 0 << QStringLiteral("1024");
    QTest::newRow("full-width and spaces folded") << QStringList{QStringLiteral(" ＳＱＬ语言 "), QStringLiteral("C"),
                                                                 QStringLiteral("Java"), QStringLiteral("Pascal")}
                                                  << 0 << QStringLiteral("sql语言");
    QTest::newRow("no key") << QStringList{QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"),
                                           QStringLiteral("丁")}
                            << -1 << QString();
}

void TestChoiceGiveAway::answer() {
    QFETCH(QStringList, options);
    QFETCH(int, key);
    QFETCH(QString, answer);
    QCOMPARE(ChoiceGiveAway::answer({QStringLiteral("题干"), options, key}), answer);
}

QTEST_GUILESS_MAIN(TestChoiceGiveAway)
#include "test_choicegiveaway.moc"
