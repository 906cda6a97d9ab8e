// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>

#include "tools/LengthCue.h"

class TestLengthCue : public QObject {
    Q_OBJECT
private slots:
    void stands_data();
    void stands();
    void visibleLength();
};

void TestLengthCue::stands_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("cue");

    QTest::newRow("qualified key among short options")
        << QStringList{QStringLiteral("可以随机存取栈中的任一元素"),
                       QStringLiteral("不需要事先确定栈的容量，只要有可用的存储空间就能入栈"),
                       QStringLiteral("不需要存放指针，节省存储空间"), QStringLiteral("可以在栈底进行插入和删除")}
        << 1 << true;
    QTest::newRow("same key shortened") << QStringList{QStringLiteral("可以随机存取栈中的任一元素"),
                                                       QStringLiteral("不需要事先确定栈的容量"),
                                                       QStringLiteral("不需要存放指针，节省存储空间"),
                                                       QStringLiteral("可以在栈底进行插入和删除")}
                                        << 1 << false;
    QTest::newRow("long distractor is no cue")
        << QStringList{QStringLiteral("不需要事先确定栈的容量，只要有可用的存储空间就能入栈"), QStringLiteral("顺序栈"),
                       QStringLiteral("链栈"), QStringLiteral("共享栈")}
        << 1 << false;
    // 16 against 10: 1.6 times, and 6 characters more.
    QTest::newRow("ratio without the margin")
        << QStringList{QStringLiteral("一二三四五六七八九十一二三四五六"), QStringLiteral("一二三四五六七八九十"),
                       QStringLiteral("一二三"), QStringLiteral("一二")}
        << 0 << false;
    // 28 against 20: 8 characters more, 1.4 times.
    QTest::newRow("margin without the ratio") << QStringList{QString(28, QChar(0x4E00)), QString(20, QChar(0x4E8C)),
                                                             QStringLiteral("甲"), QStringLiteral("乙")}
                                              << 0 << false;
    // 24 against 15: 1.6 times and 9 more.
    QTest::newRow("both bounds just met") << QStringList{QString(15, QChar(0x4E8C)), QString(24, QChar(0x4E00)),
                                                         QStringLiteral("甲"), QStringLiteral("乙")}
                                          << 1 << true;
    QTest::newRow("short numbers") << QStringList{QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"),
                                                  QStringLiteral("123456789")}
                                   << 3 << true;
    QTest::newRow("key outside the options")
        << QStringList{QString(30, QChar(0x4E00)), QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")}
        << 4 << false;
}

void TestLengthCue::stands() {
    QFETCH(QStringList, options);
    QFETCH(int, key);
    QFETCH(bool, cue);
    QCOMPARE(LengthCue::stands(options, key), cue);
}

// What the candidate sees: spaces and line breaks are not length, full-width letters are one character each.
void TestLengthCue::visibleLength() {
    QCOMPARE(LengthCue::visibleLength(QStringLiteral("int a = 1;\nint b;")), 12);
    QCOMPARE(LengthCue::visibleLength(QStringLiteral("ＳＱＬ　语言")), 5);
    QCOMPARE(LengthCue::visibleLength(QString()), 0);
}

QTEST_GUILESS_MAIN(TestLengthCue)
#include "test_lengthcue.moc"
