#include <QtTest>

#include "Countdown.h"

// The countdown's tick rule and its two-digit display, shared by both answering screens.
class TestCountdown : public QObject {
    Q_OBJECT
private slots:
    void tick_data();
    void tick();
    void stopsAtZero();
    void display_data();
    void display();
    void ninetyMinutesRunOutAfterExactlyFiveThousandFourHundredTicks();
};

void TestCountdown::tick_data() {
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("wantMinutes");
    QTest::addColumn<int>("wantSeconds");
    QTest::addColumn<QString>("shown");
    QTest::newRow("start of the exam") << 90 << 0 << 89 << 59 << "89:59";
    QTest::newRow("single digits on both sides") << 9 << 6 << 9 << 5 << "09:05";
    QTest::newRow("minute borrowed at ten") << 10 << 0 << 9 << 59 << "09:59";
    QTest::newRow("last second") << 0 << 1 << 0 << 0 << "00:00";
    QTest::newRow("last minute begins") << 1 << 0 << 0 << 59 << "00:59";
}

void TestCountdown::tick() {
    QFETCH(int, minutes);
    QFETCH(int, seconds);
    QFETCH(int, wantMinutes);
    QFETCH(int, wantSeconds);
    QFETCH(QString, shown);
    qint32 m = minutes, s = seconds;
    QVERIFY(Countdown::tick(m, s));
    QCOMPARE(m, wantMinutes);
    QCOMPARE(s, wantSeconds);
    QCOMPARE(Countdown::display(m) + QLatin1Char(':') + Countdown::display(s), shown);
}

void TestCountdown::stopsAtZero() {
    qint32 m = 0, s = 0;
    QVERIFY(Countdown::expired(m, s));
    QVERIFY(!Countdown::tick(m, s));
    QCOMPARE(m, 0);
    QCOMPARE(s, 0);
    QVERIFY(!Countdown::expired(0, 1));
    QVERIFY(!Countdown::expired(1, 0));
}

void TestCountdown::display_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("zero") << 0 << "00";
    QTest::newRow("one digit") << 5 << "05";
    QTest::newRow("two digits") << 59 << "59";
    QTest::newRow("ninety") << 90 << "90";
    QTest::newRow("three digits stay") << 120 << "120";
}

void TestCountdown::display() {
    QFETCH(int, value);
    QFETCH(QString, shown);
    QCOMPARE(Countdown::display(value), shown);
}

void TestCountdown::ninetyMinutesRunOutAfterExactlyFiveThousandFourHundredTicks() {
    qint32 m = 90, s = 0;
    int ticks = 0;
    while (Countdown::tick(m, s))
        ++ticks;
    QCOMPARE(ticks, 90 * 60);
    QCOMPARE(m, 0);
    QCOMPARE(s, 0);
}

QTEST_GUILESS_MAIN(TestCountdown)
#include "test_countdown.moc"
