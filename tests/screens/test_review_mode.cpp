// SPDX-License-Identifier: GPL-3.0-or-later

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include "rules/ExamState.h"
#include "screens/ReviewMode.h"
#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Choose.h"
#include "screens/TFrm_Ks_Fill.h"
#include "screens/TFrm_Ping.h"
#include "tests/screens/HandMadeExam.h"
#include "tests/support/SheetDriver.h"
#include "ui/ButtonFontColor.h"
#include "ui/ModalLayer.h"
#include "ui/TdxButton.h"

using namespace HandMadeExam;

// The exam/review switch over a hand-made paper: the properties it sets on both answering screens, the hand-in
// from either screen and at the end of the countdown, a paper handed in only once, and the reopened screens working
// beside the modal score sheet.
class TestReviewMode : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void switchSetsBothScreens_data();
    void switchSetsBothScreens();
    void examModeShowsNothing();
    void examModeKeepsARunningCountdownsSecond();
    void handInFromEitherScreen_data();
    void handInFromEitherScreen();
    void secondHandInBuildsANewSheet();
    void handInWhileTheSheetIsUpDoesNothing();
    void countdownEndHandsIn_data();
    void countdownEndHandsIn();
    void countdownEndAfterHandInDoesNothing();
    void reopenedScreensWorkBesideTheSheet();
    void fillScreenLeftOpenAfterQuitDrawsNoPaper();

private:
    static QWidget *screen(const QString &name);
    bool propertyOf(const QString &screenName, const QString &component, const QString &property) const;
    void startExam();

    SheetDriver *m_driver = nullptr;
};

void TestReviewMode::init() {
    writePaper();
    createScreens();
    m_driver = new SheetDriver(this);
}

void TestReviewMode::cleanup() {
    delete m_driver;
    m_driver = nullptr;
    destroyScreens();
}

QWidget *TestReviewMode::screen(const QString &name) {
    return name == QLatin1String("choice") ? static_cast<QWidget *>(Frm_Ks_Choose) : Frm_Ks_Fill;
}

bool TestReviewMode::propertyOf(const QString &screenName, const QString &component, const QString &property) const {
    QWidget *owner = screen(screenName);
    if (auto *timer = owner->findChild<QTimer *>(component))
        return timer->isActive();
    auto *widget = owner->findChild<QWidget *>(component);
    if (!widget) {
        qWarning("no component %s", qPrintable(component));
        return false;
    }
    // A hidden screen hides every component; the switch sets the component's own flag.
    return property == QLatin1String("Enabled") ? widget->isEnabled() : !widget->isHidden();
}

// As the start button does it, with the paper already drawn: exam mode, then the choice screen.
void TestReviewMode::startExam() {
    SetReviewMode(false);
    Frm_Ks_Choose->show();
    QVERIFY(QTest::qWaitForWindowExposed(Frm_Ks_Choose));
}

void TestReviewMode::switchSetsBothScreens_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("property");
    QTest::addColumn<bool>("inExam");
    const struct {
        const char *screen;
        const char *component;
        const char *property;
        bool inExam;
    } rows[] = {
        {"choice", "Timer1", "Enabled", true},        {"fill", "Fill_Timer", "Enabled", true},
        {"fill", "btn_ping", "Enabled", true},        {"fill", "Mem_Xs", "Visible", true},
        {"fill", "Panel3", "Visible", true},          {"fill", "btn_answer", "Visible", false},
        {"fill", "btn_anisys", "Visible", false},     {"fill", "Memo1", "Visible", false},
        {"fill", "Edt_Fill_Da1", "Enabled", true},    {"fill", "Edt_Fill_Da10", "Enabled", true},
        {"choice", "Btn_ping", "Enabled", true},      {"choice", "Btn_ZhiShiDian", "Visible", false},
        {"choice", "Lbl_count", "Visible", false},    {"choice", "Lbl_Ip", "Visible", false},
        {"choice", "Btn_Analysis", "Visible", false}, {"choice", "Mem_Analysis", "Visible", false},
        {"choice", "Btn_Ans_A", "Enabled", true},     {"choice", "Btn_Ans_D", "Enabled", true},
        {"choice", "Img_DuiHao", "Visible", false},
    };
    for (const auto &row : rows)
        QTest::addRow("%s %s", row.screen, row.component) << row.screen << row.component << row.property << row.inExam;
}

void TestReviewMode::switchSetsBothScreens() {
    QFETCH(QString, screen);
    QFETCH(QString, component);
    QFETCH(QString, property);
    QFETCH(bool, inExam);

    // From review into exam mode and back, so that each value is set by the switch, not left from construction.
    bool inReview = inExam;
    m_driver->whileSheetUp([&] {
        inReview = propertyOf(screen, component, property);
        Frm_Ping->close();
    });
    SetReviewMode(true);
    QVERIFY(m_driver->ran());
    QCOMPARE(inReview, !inExam);

    Frm_Ks_Choose->Tag = 1;
    SetReviewMode(false);
    QCOMPARE(propertyOf(screen, component, property), inExam);
}

void TestReviewMode::examModeShowsNothing() {
    SetReviewMode(false);
    QVERIFY(!Frm_Ks_Choose->isVisible());
    QVERIFY(!Frm_Ks_Fill->isVisible());
    QVERIFY(!Frm_Ping);
    QVERIFY(Frm_Ks_Sta->isEnabled());
}

void TestReviewMode::examModeKeepsARunningCountdownsSecond() {
    // A resumed exam goes on with the second already under way; the switch must not start it afresh.
    Frm_Ks_Choose->Timer1->start();
    QTest::qWait(20);
    const int left = Frm_Ks_Choose->Timer1->remainingTime();
    SetReviewMode(false);
    QVERIFY(Frm_Ks_Choose->Timer1->isActive());
    QVERIFY2(Frm_Ks_Choose->Timer1->remainingTime() <= left, "the countdown's second was restarted");
}

void TestReviewMode::handInFromEitherScreen_data() {
    QTest::addColumn<bool>("fromFill");
    QTest::newRow("交卷 on the choice screen") << false;
    QTest::newRow("交卷 on the fill-in screen") << true;
}

void TestReviewMode::handInFromEitherScreen() {
    QFETCH(bool, fromFill);
    startExam();
    if (fromFill) {
        QTest::mouseClick(Frm_Ks_Choose->Btn_Fill, Qt::LeftButton);
        QTRY_VERIFY(Frm_Ks_Fill->isVisible());
    }
    bool screensClosed = false, startBlocked = false, countdownsStopped = false;
    m_driver->whileSheetUp([&] {
        screensClosed = !Frm_Ks_Choose->isVisible() && !Frm_Ks_Fill->isVisible();
        // Blocked for input, not disabled: its controls keep their look.
        startBlocked = isBlockedByModal(Frm_Ks_Sta) && Frm_Ks_Sta->isEnabled();
        countdownsStopped = !Frm_Ks_Choose->Timer1->isActive() && !Frm_Ks_Fill->Fill_Timer->isActive();
        Frm_Ping->Button2->click();
    });
    QTest::mouseClick(fromFill ? Frm_Ks_Fill->btn_ping : Frm_Ks_Choose->Btn_ping, Qt::LeftButton);

    QVERIFY(m_driver->ran());
    QVERIFY(screensClosed);
    QVERIFY(startBlocked);
    QVERIFY(countdownsStopped);
    QVERIFY(!Frm_Ping);
    QVERIFY(!isBlockedByModal(Frm_Ks_Sta));
}

void TestReviewMode::secondHandInBuildsANewSheet() {
    answerMixed();
    QPointer<TFrm_Ping> first;
    QString firstTotal;
    m_driver->whileSheetUp([&] {
        first = Frm_Ping;
        firstTotal = Frm_Ping->Edit_sum->text();
        Frm_Ping->Button2->click();
    });
    SetReviewMode(true);
    QVERIFY(m_driver->ran());
    QVERIFY(!first);
    QCOMPARE(firstTotal, QString::number(kMixedChoiceScore + kMixedFillPoints));

    // A new exam on a paper with one more right answer.
    Frm_Ks_Choose->Tag = 1;
    startExam();
    ChoiceQuestions[4].CandidateAnswer = ChoiceQuestions[4].Key;
    QString secondTotal;
    QString secondColor;
    bool freshSheet = false;
    m_driver->whileSheetUp([&] {
        freshSheet = Frm_Ping->findChildren<QPushButton *>().size() == 65;
        secondTotal = Frm_Ping->Edit_sum->text();
        secondColor = toQColor(buttonFontColor(Frm_Ping->findChild<QPushButton *>(QStringLiteral("BitBtn4")))).name();
        Frm_Ping->Button2->click();
    });
    QTest::mouseClick(Frm_Ks_Choose->Btn_ping, Qt::LeftButton);
    QVERIFY(m_driver->ran());
    QVERIFY(freshSheet);
    QCOMPARE(secondTotal, QString::number(kMixedChoiceScore + kMixedFillPoints + ChoiceQuestions[4].Score));
    QCOMPARE(secondColor, toQColor(Colors::clGreen).name());
    QVERIFY(!Frm_Ping);
}

void TestReviewMode::handInWhileTheSheetIsUpDoesNothing() {
    startExam();
    QPointer<TFrm_Ping> during;
    bool stillTheSame = false;
    m_driver->whileSheetUp([&] {
        during = Frm_Ping;
        // Should a second sheet come up after all, it is closed so that the run can end and report it.
        QTimer::singleShot(100, m_driver, [during] {
            if (Frm_Ping && Frm_Ping != during)
                Frm_Ping->close();
        });
        SetReviewMode(true);
        stillTheSame = during && Frm_Ping == during && during->isVisible();
        if (during)
            during->Button2->click();
    });
    QTest::mouseClick(Frm_Ks_Choose->Btn_ping, Qt::LeftButton);
    QVERIFY(m_driver->ran());
    QVERIFY(stillTheSame);
    QVERIFY(!Frm_Ping);
}

void TestReviewMode::countdownEndHandsIn_data() {
    QTest::addColumn<QString>("showing");
    QTest::newRow("choice screen showing") << "choice";
    QTest::newRow("fill-in screen showing") << "fill";
    QTest::newRow("exam left, no screen showing") << "none";
}

void TestReviewMode::countdownEndHandsIn() {
    QFETCH(QString, showing);
    answerMixed();
    startExam();
    if (showing == QLatin1String("fill")) {
        QTest::mouseClick(Frm_Ks_Choose->Btn_Fill, Qt::LeftButton);
        QTRY_VERIFY(Frm_Ks_Fill->isVisible());
    } else if (showing == QLatin1String("none")) {
        QTest::mouseClick(Frm_Ks_Choose->Btn_Close, Qt::LeftButton);
        QTRY_VERIFY(!Frm_Ks_Choose->isVisible());
    }
    // Driven by hand: the real timer must not add ticks of its own.
    Frm_Ks_Choose->Timer1->stop();
    RemainingMinutes = 0;
    RemainingSeconds = 1;

    QString total, minutes, seconds;
    bool screensClosed = false;
    m_driver->whileSheetUp([&] {
        total = Frm_Ping->Edit_sum->text();
        screensClosed = !Frm_Ks_Choose->isVisible() && !Frm_Ks_Fill->isVisible();
        Frm_Ping->Button2->click();
    });
    Frm_Ks_Choose->Timer1Timer();
    minutes = Frm_Ks_Choose->Lbl_Minute->text();
    seconds = Frm_Ks_Choose->Lbl_Second->text();
    QTRY_VERIFY(m_driver->ran());

    QCOMPARE(minutes + seconds, QStringLiteral("0000"));
    QCOMPARE(total, QString::number(kMixedChoiceScore + kMixedFillPoints));
    QVERIFY(screensClosed);
    QVERIFY(!Frm_Ping);
    QCOMPARE(Frm_Ks_Choose->Tag, 0);
}

void TestReviewMode::countdownEndAfterHandInDoesNothing() {
    startExam();
    bool stillTheSame = false;
    m_driver->whileSheetUp([&] {
        QPointer<TFrm_Ping> during = Frm_Ping;
        QTimer::singleShot(100, m_driver, [during] {
            if (Frm_Ping && Frm_Ping != during)
                Frm_Ping->close();
        });
        // The countdown's end while the sheet is up: the paper has been handed in already.
        emit Frm_Ks_Choose->countdownExpired();
        QTest::qWait(20);
        stillTheSame = during && Frm_Ping == during;
        if (during)
            during->Button2->click();
    });
    QTest::mouseClick(Frm_Ks_Choose->Btn_ping, Qt::LeftButton);
    QVERIFY(m_driver->ran());
    QVERIFY(stillTheSame);

    // After the sheet, with no paper left, neither.
    SheetDriver late;
    late.whileSheetUp([] { Frm_Ping->close(); });
    emit Frm_Ks_Choose->countdownExpired();
    QTest::qWait(50);
    QVERIFY(!late.ran());
    QVERIFY(!Frm_Ping);
}

void TestReviewMode::reopenedScreensWorkBesideTheSheet() {
    TFrm_Ks_Choose *choice = Frm_Ks_Choose;
    TFrm_Ks_Fill *fill = Frm_Ks_Fill;
    startExam();
    ChoiceQuestions[44].KnowledgeIndex = 1; // two knowledge points: the first press shows the second

    QStringList seen;
    m_driver->whileSheetUp([&] {
        auto sheetButton = [](int n) { return Frm_Ping->findChild<QPushButton *>(QStringLiteral("BitBtn%1").arg(n)); };
        QTest::mouseClick(sheetButton(45), Qt::LeftButton);
        QTRY_VERIFY(choice->isVisible());
        // Numbered buttons and tabs of the choice screen.
        QTest::mouseClick(choice->findChild<QPushButton *>(QStringLiteral("BitBtn44")), Qt::LeftButton);
        seen << QString::number(CurrentChoiceNumber) << choice->Mem_Analysis->toPlainText();
        QTest::mouseClick(choice->Btn_ZhiShiDian, Qt::LeftButton);
        seen << choice->Mem_Analysis->toPlainText() << choice->Lbl_Ip->text();
        QTest::mouseClick(choice->Btn_Analysis, Qt::LeftButton);
        seen << choice->Mem_Analysis->toPlainText();
        QTabBar *tabs = choice->PageControl1->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        seen << QString::number(CurrentChoiceNumber);
        // The answer buttons stay out of use.
        QTest::mouseClick(choice->Btn_Ans_B, Qt::LeftButton);
        seen << QString::fromUtf8(ChoiceQuestions[21].CandidateAnswer);

        QTest::mouseClick(sheetButton(Exam::kChoiceCount + 2), Qt::LeftButton);
        QTRY_VERIFY(fill->isVisible());
        QTest::mouseClick(fill->btn_anisys, Qt::LeftButton);
        seen << fill->Memo1->toPlainText();
        QTest::mouseClick(fill->btn_answer, Qt::LeftButton);
        seen << fill->Memo1->toPlainText();
        QTest::mouseClick(fill->findChild<QPushButton *>(QStringLiteral("BitBtn4")), Qt::LeftButton);
        seen << QString::number(CurrentFillNumber) << fill->Memo1->toPlainText();
        Frm_Ping->Button2->click();
    });
    QTest::mouseClick(choice->Btn_ping, Qt::LeftButton);
    QVERIFY(m_driver->ran());

    const QStringList expected = {QStringLiteral("44"), QStringLiteral("解析44"),      QStringLiteral("知识点44-2"),
                                  QStringLiteral("2"),  QStringLiteral("解析44"),      QStringLiteral("21"),
                                  QStringLiteral(""),   QStringLiteral("填空知识点2"), QStringLiteral("甲#乙"),
                                  QStringLiteral("4"),  QStringLiteral("X4#Y4@Z4")};
    QCOMPARE(seen, expected);
}

void TestReviewMode::fillScreenLeftOpenAfterQuitDrawsNoPaper() {
    // The fill-in screen reopened from the sheet stays open after the sheet's quit, still in review mode. Its way
    // to the choice screen must not draw a paper there: the new paper's keys would show in review and the next
    // start would resume that very paper in exam mode.
    startExam();
    m_driver->whileSheetUp([&] {
        Frm_Ping->BitBtn56Click(Frm_Ping->findChild<QPushButton *>(QStringLiteral("BitBtn62")));
        Frm_Ping->Button2->click();
    });
    QTest::mouseClick(Frm_Ks_Choose->Btn_ping, Qt::LeftButton);
    QVERIFY(m_driver->ran());
    QVERIFY(Frm_Ks_Fill->isVisible());
    QCOMPARE(Frm_Ks_Choose->Tag, 0);

    const QByteArray before = ChoiceQuestions[1].QuestionText;
    QTest::mouseClick(Frm_Ks_Fill->btn_choose, Qt::LeftButton);
    QTRY_VERIFY(Frm_Ks_Choose->isVisible());
    QCOMPARE(Frm_Ks_Choose->Tag, 0);
    QCOMPARE(ChoiceQuestions[1].QuestionText, before);
    QVERIFY(!Frm_Ks_Choose->Btn_ping->isEnabled());
}

QTEST_MAIN(TestReviewMode)
#include "test_review_mode.moc"
