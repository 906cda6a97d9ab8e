// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAccessible>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "rules/ExamState.h"
#include "screens/ReviewMode.h"
#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Choose.h"
#include "screens/TFrm_Ks_Fill.h"
#include "screens/TFrm_Ping.h"
#include "tests/screens/HandMadeExam.h"
#include "tests/support/SheetDriver.h"
#include "ui/MessageBoxSeam.h"
#include "ui/TColor.h"
#include "ui/TdxButton.h"

using namespace HandMadeExam;

// What the candidate is told in words, not by colour alone: the verdict of each numbered button of the score sheet,
// the paper handed in when the time is up, and the countdown's warning colour in the last minutes.
class TestVerdictsInWords : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sheetButtonsSayTheirVerdict_data();
    void sheetButtonsSayTheirVerdict();
    void timeUpIsToldOverTheSheet();
    void timeUpNoticeLeavesTheSheetUsable();
    void countdownTurnsRedInTheLastMinutes_data();
    void countdownTurnsRedInTheLastMinutes();

private:
    void startExam();

    SheetDriver *m_driver = nullptr;
};

void TestVerdictsInWords::init() {
    writePaper();
    createScreens();
    m_driver = new SheetDriver(this);
}

void TestVerdictsInWords::cleanup() {
    MessageBoxSeam::setHandler({});
    delete m_driver;
    m_driver = nullptr;
    destroyScreens();
}

void TestVerdictsInWords::startExam() {
    SetReviewMode(false);
    Frm_Ks_Choose->show();
    QVERIFY(QTest::qWaitForWindowExposed(Frm_Ks_Choose));
}

void TestVerdictsInWords::sheetButtonsSayTheirVerdict_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("words");
    QTest::newRow("choice right") << 2 << QStringLiteral("正确　你的答案：B　正确答案：B");
    QTest::newRow("choice wrong") << 4 << QStringLiteral("错误　你的答案：A　正确答案：D");
    QTest::newRow("choice key never matched") << 6 << QStringLiteral("错误　你的答案：C　正确答案：C ");
    QTest::newRow("choice unanswered") << 8 << QStringLiteral("未答　正确答案：D");
    QTest::newRow("fill right") << Exam::kChoiceCount + 3 << QStringLiteral("正确");
    QTest::newRow("fill one blank of two") << Exam::kChoiceCount + 4 << QStringLiteral("部分正确");
    QTest::newRow("fill wrong") << Exam::kChoiceCount + 6 << QStringLiteral("错误");
    QTest::newRow("fill unanswered") << Exam::kChoiceCount + 7 << QStringLiteral("未答");
}

void TestVerdictsInWords::sheetButtonsSayTheirVerdict() {
    QFETCH(int, button);
    QFETCH(QString, words);
    answerMixed();
    QString toolTip, description;
    m_driver->whileSheetUp([&] {
        auto *numbered = Frm_Ping->findChild<QPushButton *>(QStringLiteral("BitBtn%1").arg(button));
        toolTip = numbered->toolTip();
        description = QAccessible::queryAccessibleInterface(numbered)->text(QAccessible::Description);
        Frm_Ping->Button2->click();
    });
    SetReviewMode(true);
    QVERIFY(m_driver->ran());
    QCOMPARE(toolTip, words);
    QCOMPARE(description, words);
}

void TestVerdictsInWords::timeUpIsToldOverTheSheet() {
    struct Shown {
        QWidget *parent;
        QString text;
        bool sheetUp;
    };
    QList<Shown> shown;
    MessageBoxSeam::setHandler([&shown](QWidget *parent, const QString &, const QString &text) {
        shown.append({parent, text, Frm_Ping && Frm_Ping->isVisible()});
    });
    startExam();
    Frm_Ks_Choose->Timer1->stop();
    RemainingMinutes = 0;
    RemainingSeconds = 1;

    QWidget *sheet = nullptr;
    m_driver->whileSheetUp([&] {
        sheet = Frm_Ping;
        QTRY_COMPARE(shown.size(), 1);
        Frm_Ping->Button2->click();
    });
    Frm_Ks_Choose->Timer1Timer();
    QTRY_VERIFY(m_driver->ran());
    QTRY_VERIFY(!Frm_Ping);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().text, QStringLiteral("考试时间到，试卷已自动交卷。"));
    QCOMPARE(shown.first().parent, sheet);
    QVERIFY(shown.first().sheetUp);

    // A hand-in by the candidate is not announced.
    Frm_Ks_Choose->Tag = 1;
    startExam();
    m_driver->whileSheetUp([] { Frm_Ping->Button2->click(); });
    QTest::mouseClick(Frm_Ks_Choose->Btn_ping, Qt::LeftButton);
    QVERIFY(m_driver->ran());
    QCOMPARE(shown.size(), 1);
}

void TestVerdictsInWords::timeUpNoticeLeavesTheSheetUsable() {
    // The real box this time: it stands over the sheet until acknowledged, without holding up the sheet's own run.
    startExam();
    Frm_Ks_Choose->Timer1->stop();
    RemainingMinutes = 0;
    RemainingSeconds = 1;
    QString text;
    bool blocksTheSheet = false;
    m_driver->whileSheetUp([&] {
        QMessageBox *notice = nullptr;
        QTRY_VERIFY((notice = Frm_Ping->findChild<QMessageBox *>()) && notice->isVisible());
        text = notice->text();
        blocksTheSheet = notice->windowModality() == Qt::WindowModal;
        notice->button(QMessageBox::Ok)->click();
        QTRY_VERIFY(!Frm_Ping->findChild<QMessageBox *>());
        Frm_Ping->Button2->click();
    });
    Frm_Ks_Choose->Timer1Timer();
    QTRY_VERIFY(m_driver->ran());
    QTRY_VERIFY(!Frm_Ping);
    QCOMPARE(text, QStringLiteral("考试时间到，试卷已自动交卷。"));
    QVERIFY(blocksTheSheet);
}

void TestVerdictsInWords::countdownTurnsRedInTheLastMinutes_data() {
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("red");
    QTest::newRow("start of the exam") << 90 << 0 << "89:59" << false;
    QTest::newRow("just before the last five minutes") << 5 << 2 << "05:01" << false;
    QTest::newRow("five minutes left") << 5 << 1 << "05:00" << true;
    QTest::newRow("last seconds") << 0 << 3 << "00:02" << true;
}

void TestVerdictsInWords::countdownTurnsRedInTheLastMinutes() {
    QFETCH(int, minutes);
    QFETCH(int, seconds);
    QFETCH(QString, shown);
    QFETCH(bool, red);
    startExam();
    QTest::mouseClick(Frm_Ks_Choose->Btn_Fill, Qt::LeftButton);
    QTRY_VERIFY(Frm_Ks_Fill->isVisible());
    // Driven by hand: the real timers must not add ticks of their own.
    Frm_Ks_Choose->Timer1->stop();
    Frm_Ks_Fill->Fill_Timer->stop();

    const auto digitsOf = [](QWidget *screen, const char *minutes, const char *colon, const char *seconds) {
        return QList<QLabel *>{screen->findChild<QLabel *>(QLatin1String(minutes)),
                               screen->findChild<QLabel *>(QLatin1String(colon)),
                               screen->findChild<QLabel *>(QLatin1String(seconds))};
    };
    const QList<QLabel *> choiceDigits = digitsOf(Frm_Ks_Choose, "Lbl_Minute", "Label7", "Lbl_Second");
    const QList<QLabel *> fillDigits = digitsOf(Frm_Ks_Fill, "Lbl_fill_minute", "Label2", "Lbl_fill_Second");
    const auto check = [&](const QString &time, bool warned) {
        QCOMPARE(choiceDigits[0]->text() + QLatin1Char(':') + choiceDigits[2]->text(), time);
        QCOMPARE(fillDigits[0]->text() + QLatin1Char(':') + fillDigits[2]->text(), time);
        const QColor expected = toQColor(warned ? Colors::clRed : Colors::clLime);
        for (const QLabel *label : choiceDigits + fillDigits)
            QCOMPARE(label->palette().color(QPalette::WindowText), expected);
    };

    RemainingMinutes = minutes;
    RemainingSeconds = seconds;
    Frm_Ks_Choose->Timer1Timer();
    Frm_Ks_Fill->Fill_TimerTimer();
    check(shown, red);

    // Back above five minutes, as with a new paper: green again, whatever the colour was before.
    RemainingMinutes = Exam::kExamMinutes;
    RemainingSeconds = 1;
    Frm_Ks_Choose->Timer1Timer();
    Frm_Ks_Fill->Fill_TimerTimer();
    check(QStringLiteral("90:00"), false);
}

QTEST_MAIN(TestVerdictsInWords)
#include "test_verdicts_in_words.moc"
