// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "rules/ExamState.h"
#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Choose.h"
#include "screens/TFrm_Ks_Fill.h"

// The fill-in screen against a paper filled in by hand: navigation, answer capture, the countdown display, the way
// to and from the choice screen, and the hints of both modes.
class TestFillScreen : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void enterSelectsNextQuestion_data();
    void enterSelectsNextQuestion();
    void answerIsTheBoxTextUnchanged();
    void answerOfAnyLengthIsKeptWhole();
    void switchFromChoiceStartsAtQuestionOne_data();
    void switchFromChoiceStartsAtQuestionOne();
    void quitHidesBothScreens_data();
    void quitHidesBothScreens();
    void countdownIsShownNeverCounted();
    void hintsFollowMode_data();
    void hintsFollowMode();
    void reopenedInReviewKeepsTheQuestion();
    void selectionTakesTheNumberFromTheCaption_data();
    void selectionTakesTheNumberFromTheCaption();

private:
    static QString questionText(int n) { return QStringLiteral("第%1题：____ 是什么？").arg(n); }
    QPushButton *numberButton(int n) const;
    QLineEdit *box(int n) const;
    QPushButton *choiceButton(const char *name) const;
    void showAndActivate(QWidget *window);
    void enterReviewModeByHand();
    void expectQuestionShown(int n);

    TFrm_Ks_Fill *m_fill = nullptr;
};

void TestFillScreen::init() {
    resetExamState();
    CurrentFillNumber = 0;
    for (int n = 1; n <= Exam::kFillCount; ++n) {
        FillQuestions[n].QuestionText = questionText(n).toUtf8();
        FillQuestions[n].Key = QStringLiteral("答案%1#另解%1").arg(n).toUtf8();
        FillQuestions[n].KnowledgeText = QStringLiteral("知识点%1").arg(n).toUtf8();
    }
    Frm_Ks_Choose = new TFrm_Ks_Choose;
    // A paper counts as drawn, so showing the choice screen never reaches for a bank.
    Frm_Ks_Choose->Tag = 1;
    Frm_Ks_Fill = m_fill = new TFrm_Ks_Fill;
}

void TestFillScreen::cleanup() {
    delete Frm_Ks_Fill;
    delete Frm_Ks_Choose;
    Frm_Ks_Fill = m_fill = nullptr;
    Frm_Ks_Choose = nullptr;
}

QPushButton *TestFillScreen::numberButton(int n) const {
    return m_fill->findChild<QPushButton *>(QStringLiteral("BitBtn%1").arg(n));
}

QLineEdit *TestFillScreen::box(int n) const {
    return m_fill->findChild<QLineEdit *>(QStringLiteral("Edt_Fill_Da%1").arg(n));
}

QPushButton *TestFillScreen::choiceButton(const char *name) const {
    return Frm_Ks_Choose->findChild<QPushButton *>(QLatin1String(name));
}

void TestFillScreen::showAndActivate(QWidget *window) {
    window->show();
    window->raise();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// What the exam/review switch does to this screen, without the score sheet that the real switch opens.
void TestFillScreen::enterReviewModeByHand() {
    m_fill->Fill_Timer->stop();
    m_fill->btn_ping->setEnabled(false);
    m_fill->Panel3->hide();
    m_fill->Mem_Xs->hide();
    m_fill->btn_answer->show();
    m_fill->btn_anisys->show();
    m_fill->Memo1->show();
    for (int n = 1; n <= Exam::kFillCount; ++n)
        box(n)->setEnabled(false);
}

void TestFillScreen::expectQuestionShown(int n) {
    QCOMPARE(CurrentFillNumber, n);
    QCOMPARE(m_fill->Mem_Tm->toPlainText(), questionText(n));
    const QRect arrow = m_fill->Img_Arrow->geometry();
    QCOMPARE(arrow.size(), QSize(17, 17));
    QCOMPARE(arrow.top(), numberButton(n)->y());
    QCOMPARE(arrow.right() + 1 + 5, numberButton(n)->x());
}

void TestFillScreen::enterSelectsNextQuestion_data() {
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("typedIn");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("expected");
    QTest::newRow("4 goes on to 5") << 4 << 4 << "Ax#Bx" << 5;
    QTest::newRow("10 wraps to 1") << 10 << 10 << "" << 1;
    QTest::newRow("box 3 while 1 is shown, spaces kept") << 1 << 3 << "  two  words  " << 2;
    QTest::newRow("box 9 while 6 is shown") << 6 << 9 << "x" << 7;
}

void TestFillScreen::enterSelectsNextQuestion() {
    QFETCH(int, current);
    QFETCH(int, typedIn);
    QFETCH(QString, typed);
    QFETCH(int, expected);
    showAndActivate(m_fill);

    QTest::mouseClick(numberButton(current), Qt::LeftButton);
    QTest::mouseClick(box(typedIn), Qt::LeftButton);
    QTRY_COMPARE(QApplication::focusWidget(), box(typedIn));
    QTest::keyClicks(box(typedIn), typed);
    QCOMPARE(FillQuestions[typedIn].CandidateAnswer, typed.toUtf8());
    expectQuestionShown(current);

    QTest::keyClick(box(typedIn), Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), box(expected));
    expectQuestionShown(expected);
    QCOMPARE(box(typedIn)->text(), typed);
}

void TestFillScreen::answerIsTheBoxTextUnchanged() {
    showAndActivate(m_fill);
    QLineEdit *answer = box(6);
    const QString pasted = QStringLiteral(" Mixed Case##第二空 ");
    answer->setText(pasted);
    QCOMPARE(FillQuestions[6].CandidateAnswer, pasted.toUtf8());

    // Text still being composed in the input method is not the candidate's answer yet; the committed text is.
    QInputMethodEvent composing(QStringLiteral("zhongwen"), {});
    QApplication::sendEvent(answer, &composing);
    QCOMPARE(FillQuestions[6].CandidateAnswer, pasted.toUtf8());
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("中文"));
    QApplication::sendEvent(answer, &commit);
    QCOMPARE(FillQuestions[6].CandidateAnswer, (pasted + QStringLiteral("中文")).toUtf8());

    // Emptying the box, as drawing a new paper does, leaves no answer of the old paper behind.
    answer->clear();
    QCOMPARE(FillQuestions[6].CandidateAnswer, QByteArray());
    QCOMPARE(CurrentFillNumber, 1);
}

void TestFillScreen::answerOfAnyLengthIsKeptWhole() {
    showAndActivate(m_fill);
    // Longer than the 32,767 characters at which a one-line box stops taking text by default.
    const QString pasted(40000, QChar(u'长'));
    QApplication::clipboard()->setText(pasted);
    QTest::mouseClick(box(4), Qt::LeftButton);
    QTRY_COMPARE(QApplication::focusWidget(), box(4));
    QTest::keyClick(box(4), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box(4)->text().size(), pasted.size());
    QTest::keyClick(box(4), Qt::Key_End);
    QTest::keyClicks(box(4), QStringLiteral("##x"));
    QCOMPARE(FillQuestions[4].CandidateAnswer, (pasted + QStringLiteral("##x")).toUtf8());
}

void TestFillScreen::switchFromChoiceStartsAtQuestionOne_data() {
    QTest::addColumn<bool>("leftOpen");
    QTest::newRow("back from 选择题, this screen open behind") << true;
    QTest::newRow("after 退出, this screen hidden") << false;
}

void TestFillScreen::switchFromChoiceStartsAtQuestionOne() {
    QFETCH(bool, leftOpen);
    showAndActivate(m_fill);
    QTest::mouseClick(numberButton(4), Qt::LeftButton);
    QTRY_COMPARE(QApplication::focusWidget(), box(4));

    if (leftOpen) {
        QTest::mouseClick(m_fill->btn_choose, Qt::LeftButton);
        QTRY_VERIFY(Frm_Ks_Choose->isActiveWindow());
        QVERIFY(m_fill->isVisible());
    } else {
        QTest::mouseClick(m_fill->Btn_quit, Qt::LeftButton);
        QVERIFY(!m_fill->isVisible());
        showAndActivate(Frm_Ks_Choose);
    }
    QPushButton *toFill = choiceButton("Btn_Fill");
    QVERIFY(toFill);
    QTest::mouseClick(toFill, Qt::LeftButton);

    QTRY_VERIFY(m_fill->isActiveWindow());
    QTRY_COMPARE(QApplication::focusWidget(), box(1));
    expectQuestionShown(1);
}

void TestFillScreen::quitHidesBothScreens_data() {
    QTest::addColumn<bool>("onFillScreen");
    QTest::newRow("退出 on the fill-in screen") << true;
    QTest::newRow("退出 on the choice screen") << false;
}

void TestFillScreen::quitHidesBothScreens() {
    QFETCH(bool, onFillScreen);
    showAndActivate(m_fill);
    QTest::keyClicks(box(1), QStringLiteral("kept"));
    QTest::mouseClick(m_fill->btn_choose, Qt::LeftButton);
    QTRY_VERIFY(Frm_Ks_Choose->isActiveWindow());

    QPushButton *quit = onFillScreen ? m_fill->Btn_quit : choiceButton("Btn_Close");
    QVERIFY(quit);
    QTest::mouseClick(quit, Qt::LeftButton);
    QTRY_VERIFY(!m_fill->isVisible());
    QVERIFY(!Frm_Ks_Choose->isVisible());
    QCOMPARE(FillQuestions[1].CandidateAnswer, QByteArray("kept"));
    QVERIFY(m_fill->Fill_Timer->isActive());
}

void TestFillScreen::countdownIsShownNeverCounted() {
    // Only the choice screen counts down; keep its tick out of the way.
    if (auto *choiceTick = Frm_Ks_Choose->findChild<QTimer *>(QStringLiteral("Timer1")))
        choiceTick->stop();
    RemainingMinutes = 9;
    RemainingSeconds = 5;
    m_fill->show();
    QCOMPARE(m_fill->Lbl_fill_minute->text(), QStringLiteral("09"));
    QCOMPARE(m_fill->Lbl_fill_Second->text(), QStringLiteral("05"));

    QCOMPARE(m_fill->Fill_Timer->interval(), 1000);
    m_fill->Fill_Timer->setInterval(10);
    RemainingMinutes = 10;
    RemainingSeconds = 0;
    QSignalSpy ticks(m_fill->Fill_Timer, &QTimer::timeout);
    QTRY_VERIFY(ticks.count() >= 3);
    QCOMPARE(m_fill->Lbl_fill_minute->text(), QStringLiteral("10"));
    QCOMPARE(m_fill->Lbl_fill_Second->text(), QStringLiteral("00"));
    QCOMPARE(RemainingMinutes, 10);
    QCOMPARE(RemainingSeconds, 0);
}

void TestFillScreen::hintsFollowMode_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("review");
    QTest::addColumn<QString>("hint");
    const QString questionHint =
        QStringLiteral("填空题题面，下划线代表应该填空的地方，如果一屏放不下，可用垂直滚动条使之显示出来");
    const QString noteHint =
        QStringLiteral("当前作填空题，单击“选择题”到选择题界面做选择题；可以随时在填空题和选择题之间切换");
    QTest::newRow("question text") << "Mem_Tm" << false << questionHint;
    QTest::newRow("question text, review") << "Mem_Tm" << true << questionHint;
    QTest::newRow("answer box") << "Edt_Fill_Da2" << false << "Enter键答下一题";
    QTest::newRow("answer box, review") << "Edt_Fill_Da7" << true << "阅卷不能改变答案";
    QTest::newRow("key button, review") << "btn_answer" << true << "显示本题答案";
    QTest::newRow("knowledge button, review") << "btn_anisys" << true << "显示本题知识点";
    QTest::newRow("arrow") << "Img_Arrow" << false << "这是当前标识";
    QTest::newRow("first numbered button") << "BitBtn1" << false << "到相应题目去";
    QTest::newRow("any numbered button, review") << "BitBtn8" << true << "到相应题目去";
    QTest::newRow("format note") << "Panel3" << false << noteHint;
    QTest::newRow("format note's text") << "KvLabel2" << false << noteHint;
}

void TestFillScreen::hintsFollowMode() {
    QFETCH(QString, control);
    QFETCH(bool, review);
    QFETCH(QString, hint);
    if (review)
        enterReviewModeByHand();
    showAndActivate(m_fill);
    QVERIFY(m_fill->Mem_Xs->isVisible());

    auto *target = m_fill->findChild<QWidget *>(control);
    QVERIFY(target);
    QTest::mouseMove(m_fill->Panel1, QPoint(2, 2));
    QTest::mouseMove(target, QPoint(4, 4));
    QTRY_COMPARE(m_fill->Mem_Xs->toPlainText(), hint);
}

void TestFillScreen::reopenedInReviewKeepsTheQuestion() {
    enterReviewModeByHand();
    // The score sheet's way: select with this screen's own button, then show the screen.
    m_fill->BitBtn1Click(numberButton(7));
    showAndActivate(m_fill);

    expectQuestionShown(7);
    QCOMPARE(m_fill->Memo1->toPlainText(), QStringLiteral("答案7#另解7"));
    QVERIFY(m_fill->Mem_Xs->isVisible());
    QVERIFY(!m_fill->Panel3->isVisible());
    QVERIFY(!box(7)->isEnabled());

    QTest::mouseClick(m_fill->btn_anisys, Qt::LeftButton);
    QCOMPARE(m_fill->Memo1->toPlainText(), QStringLiteral("知识点7"));
    QTest::mouseClick(numberButton(2), Qt::LeftButton);
    expectQuestionShown(2);
    QCOMPARE(m_fill->Memo1->toPlainText(), QStringLiteral("答案2#另解2"));
}

void TestFillScreen::selectionTakesTheNumberFromTheCaption_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("expected");
    QTest::newRow("a button of another screen captioned 5") << "5" << 5;
    QTest::newRow("empty caption") << "" << 3;
    QTest::newRow("zero") << "0" << 3;
    QTest::newRow("beyond the last question") << "11" << 3;
    QTest::newRow("not a number") << "选择题" << 3;
}

void TestFillScreen::selectionTakesTheNumberFromTheCaption() {
    QFETCH(QString, caption);
    QFETCH(int, expected);
    m_fill->BitBtn1Click(numberButton(3));
    QPushButton elsewhere(caption);
    elsewhere.move(400, 300);
    m_fill->BitBtn1Click(&elsewhere);
    expectQuestionShown(expected);
    m_fill->BitBtn1Click(nullptr);
    QCOMPARE(CurrentFillNumber, expected);
}

QTEST_MAIN(TestFillScreen)
#include "test_fill_screen.moc"
