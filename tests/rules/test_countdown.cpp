// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include "rules/Countdown.h"

// The countdown's tick rule and its two-digit display, shared by both answering screens.
class TestCountdown : public QObject {
    Q_OBJECT
private slots:
    void tick_data();
    void tick();
    void warns_data();
    void warns();
};

void TestCountdown::tick_data() {
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<bool>("moves");
    QTest::addColumn<QString>("shown");
    QTest::newRow("start of the exam") << 90 << 0 << true << "89:59";
    QTest::newRow("single digits padded") << 9 << 6 << true << "09:05";
    QTest::newRow("minute borrowed at ten") << 10 << 0 << true << "09:59";
    QTest::newRow("last second") << 0 << 1 << true << "00:00";
    QTest::newRow("stands still at zero") << 0 << 0 << false << "00:00";
}

void TestCountdown::tick() {
    QFETCH(int, minutes);
    QFETCH(int, seconds);
    QFETCH(bool, moves);
    QFETCH(QString, shown);
    qint32 m = minutes, s = seconds;
    QCOMPARE(Countdown::tick(m, s), moves);
    QCOMPARE(Countdown::display(m) + QLatin1Char(':') + Countdown::display(s), shown);
    QCOMPARE(Countdown::expired(m, s), shown == QLatin1String("00:00"));
}

void TestCountdown::warns_data() {
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<bool>("warns");
    QTest::newRow("start of the exam") << 90 << 0 << false;
    QTest::newRow("one second before the last five minutes") << 5 << 1 << false;
    QTest::newRow("five minutes left") << 5 << 0 << true;
    QTest::newRow("borrowed minute inside") << 4 << 59 << true;
    QTest::newRow("last second") << 0 << 1 << true;
    QTest::newRow("time is up") << 0 << 0 << true;
    QTest::newRow("seconds not yet borrowed at six") << 6 << 0 << false;
}

void TestCountdown::warns() {
    QFETCH(int, minutes);
    QFETCH(int, seconds);
    QFETCH(bool, warns);
    QCOMPARE(Countdown::warns(minutes, seconds), warns);
}

QTEST_GUILESS_MAIN(TestCountdown)
#include "test_countdown.moc"
