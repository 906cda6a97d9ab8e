// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>

#include <functional>
#include <stdexcept>

#include "ui/HandlerGuard.h"

// What reaches the error handler when a handler's body fails, and that nothing is thrown past the guard.
class TestHandlerGuard : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { HandlerGuard::setErrorHandler({}); }
    void failureIsReportedNotThrown_data();
    void failureIsReportedNotThrown();
    void withoutAHandlerTheFailureIsLogged();
};

void TestHandlerGuard::failureIsReportedNotThrown_data() {
    QTest::addColumn<int>("failure");
    QTest::addColumn<QStringList>("reported");
    QTest::newRow("none") << 0 << QStringList();
    // As the bank's failures carry their message: a standard exception made from the Chinese text.
    QTest::newRow("bank failure") << 1 << QStringList{QStringLiteral("题库文件不存在：/考试/Dat/Bs.mdb")};
    QTest::newRow("other standard exception") << 2 << QStringList{QStringLiteral("std::bad_alloc")};
    QTest::newRow("anything else") << 3 << QStringList{QStringLiteral("程序发生了未知的错误。")};
}

void TestHandlerGuard::failureIsReportedNotThrown() {
    QFETCH(int, failure);
    QFETCH(QStringList, reported);
    QStringList seen;
    HandlerGuard::setErrorHandler([&seen](const QString &message) { seen << message; });
    bool finished = false;
    bool ran = false;
    try {
        ran = HandlerGuard::run([&] {
            if (failure == 1)
                throw std::runtime_error(QStringLiteral("题库文件不存在：/考试/Dat/Bs.mdb").toStdString());
            if (failure == 2)
                throw std::bad_alloc();
            if (failure == 3)
                throw 42;
            finished = true;
        });
    } catch (...) {
        QFAIL("a failure got past the guard");
    }
    QCOMPARE(ran, failure == 0);
    QCOMPARE(finished, failure == 0);
    QCOMPARE(seen, reported);
}

void TestHandlerGuard::withoutAHandlerTheFailureIsLogged() {
    QTest::ignoreMessage(QtCriticalMsg, "抽题失败");
    QVERIFY(!HandlerGuard::run([] { throw std::runtime_error(QStringLiteral("抽题失败").toStdString()); }));
}

QTEST_GUILESS_MAIN(TestHandlerGuard)
#include "test_handlerguard.moc"
