// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include "rules/ExamState.h"
#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Choose.h"
#include "screens/TFrm_Ks_Fill.h"
#include "ui/ButtonFontColor.h"

// The choice screen over a paper filled in by hand: selection, answering, sheets, the tick, knowledge points, the
// countdown and the keyboard. The drawing itself is exercised by test_choice_drawing.
class TestChoiceScreen : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void selectionFromOutsideWhateverSheetIsShown_data();
    void selectionFromOutsideWhateverSheetIsShown();
    void longOptionIsShownWhole();
    void answeringStoresAndAdvances_data();
    void answeringStoresAndAdvances();
    void pickingATabSelectsItsFirstQuestion_data();
    void pickingATabSelectsItsFirstQuestion();
    void tickFollowsTheKey_data();
    void tickFollowsTheKey();
    void knowledgePointsCycle_data();
    void knowledgePointsCycle();
    void countdownStopsAtZeroAndTellsOnce();
    void keyboard();
    void fillAndCloseButtons();

private:
    QPushButton *button(int n) const { return m_screen->findChild<QPushButton *>(QStringLiteral("BitBtn%1").arg(n)); }
    QLineEdit *answerBox(int n) const { return m_screen->findChild<QLineEdit *>(QStringLiteral("Edit%1").arg(n)); }
    QList<int> redButtons() const;
    void select(int n);

    TFrm_Ks_Choose *m_screen = nullptr;
};

void TestChoiceScreen::init() {
    resetExamState();
    for (int n = 1; n <= Exam::kChoiceCount; ++n) {
        _Tk &q = ChoiceQuestions[n];
        const QByteArray tag = QByteArray::number(n);
        q.QuestionText = "题目" + tag;
        q.OptionA = "甲" + tag;
        q.OptionB = "乙" + tag;
        q.OptionC = "丙" + tag;
        q.OptionD = "丁" + tag;
        q.Key = QByteArray(1, char('A' + n % 4));
        q.Analysis = "解析" + tag + "\r\n第二行";
        q.KnowledgeIndex = 1;
    }
    Frm_Ks_Fill = new TFrm_Ks_Fill;
    Frm_Ks_Choose = m_screen = new TFrm_Ks_Choose;
    // A paper is in place: the show draws nothing; the exam starts on question 1 as after a drawing.
    m_screen->Tag = 1;
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_screen));
    select(1);
}

void TestChoiceScreen::cleanup() {
    delete m_screen;
    delete Frm_Ks_Fill;
    Frm_Ks_Choose = m_screen = nullptr;
    Frm_Ks_Fill = nullptr;
    QCOMPARE(CurrentChoiceButton, nullptr);
}

QList<int> TestChoiceScreen::redButtons() const {
    QList<int> red;
    for (int n = 1; n <= Exam::kChoiceCount; ++n)
        if (buttonFontColor(button(n)) == Colors::clRed)
            red.append(n);
        else if (buttonFontColor(button(n)) != Colors::clBlack)
            red.append(-n); // neither marker colour: shows up as a mismatch
    return red;
}

void TestChoiceScreen::select(int n) {
    m_screen->BitBtn1Click(button(n));
}

void TestChoiceScreen::selectionFromOutsideWhateverSheetIsShown_data() {
    QTest::addColumn<int>("n");
    for (int n : {1, 20, 21, 37, 40, 41, 55})
        QTest::addRow("question %d", n) << n;
}

void TestChoiceScreen::selectionFromOutsideWhateverSheetIsShown() {
    QFETCH(int, n);
    select(13);
    QCOMPARE(m_screen->PageControl1->currentIndex(), 0);

    m_screen->BitBtn1Click(button(n));
    const QByteArray tag = QByteArray::number(n);
    QCOMPARE(m_screen->Edt_Tm->toPlainText(), QString::fromUtf8("题目" + tag));
    QCOMPARE(m_screen->Edt_Ans_A->text(), QString::fromUtf8("甲" + tag));
    QCOMPARE(m_screen->Edt_Ans_D->text(), QString::fromUtf8("丁" + tag));
    // Options are shown from their beginning, however long they are.
    QCOMPARE(m_screen->Edt_Ans_D->cursorPosition(), 0);
    QCOMPARE(m_screen->Mem_Analysis->toPlainText(), QString::fromUtf8("解析" + tag + "\n第二行"));
    QCOMPARE(CurrentChoiceNumber, n);
    QCOMPARE(CurrentChoiceButton, button(n));
    QCOMPARE(CurrentChoiceEdit, answerBox(n));
    QCOMPARE(redButtons(), QList<int>{n});
    // Selection leaves the sheet to the caller.
    QCOMPARE(m_screen->PageControl1->currentIndex(), 0);
    QCOMPARE(m_screen->Timer1, m_screen->findChild<QTimer *>(QStringLiteral("Timer1")));
}

void TestChoiceScreen::longOptionIsShownWhole() {
    // Longer than the 32,767 characters at which a one-line box cuts the text it is given by default.
    ChoiceQuestions[7].OptionC = QByteArray(40000, 'x') + "尾";
    select(7);
    QCOMPARE(m_screen->Edt_Ans_C->text(), QString::fromUtf8(ChoiceQuestions[7].OptionC));
}

void TestChoiceScreen::answeringStoresAndAdvances_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("letter");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("sheet");
    QTest::newRow("within the first sheet") << 7 << "C" << 8 << 0;
    QTest::newRow("20 leads to the second sheet") << 20 << "A" << 21 << 1;
    QTest::newRow("40 leads to the third sheet") << 40 << "B" << 41 << 2;
    QTest::newRow("55 wraps to the first sheet") << 55 << "D" << 1 << 0;
}

void TestChoiceScreen::answeringStoresAndAdvances() {
    QFETCH(int, from);
    QFETCH(QString, letter);
    QFETCH(int, to);
    QFETCH(int, sheet);
    m_screen->PageControl1->setCurrentIndex(from <= 20 ? 0 : from <= 40 ? 1 : 2);
    // Answered twice: only the last letter counts.
    select(from);
    QTest::mouseClick(m_screen->Btn_Ans_A, Qt::LeftButton);
    m_screen->PageControl1->setCurrentIndex(from <= 20 ? 0 : from <= 40 ? 1 : 2);
    select(from);
    QTest::mouseClick(m_screen->findChild<QPushButton *>(QStringLiteral("Btn_Ans_") + letter), Qt::LeftButton);
    QCOMPARE(answerBox(from)->text(), letter);
    QCOMPARE(ChoiceQuestions[from].CandidateAnswer, letter.toUtf8());
    QCOMPARE(CurrentChoiceNumber, to);
    QCOMPARE(m_screen->PageControl1->currentIndex(), sheet);
    QCOMPARE(m_screen->Edt_Tm->toPlainText(), QStringLiteral("题目%1").arg(to));
    QCOMPARE(redButtons(), QList<int>{to});
    QVERIFY(answerBox(to)->text().isEmpty());
}

void TestChoiceScreen::pickingATabSelectsItsFirstQuestion_data() {
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("selected");
    QTest::newRow("third tab while 7 is shown") << 7 << 2 << 41;
    QTest::newRow("second tab") << 7 << 1 << 21;
    QTest::newRow("first tab while 45 is shown") << 45 << 0 << 1;
    QTest::newRow("the tab already shown changes nothing") << 7 << 0 << 7;
}

void TestChoiceScreen::pickingATabSelectsItsFirstQuestion() {
    QFETCH(int, shown);
    QFETCH(int, tab);
    QFETCH(int, selected);
    m_screen->BitBtn1Click(button(shown));
    if (shown > 40) {
        QTest::mouseClick(m_screen->PageControl1->tabBar(), Qt::LeftButton, {},
                          m_screen->PageControl1->tabBar()->tabRect(2).center());
        select(shown);
    }
    QTabBar *bar = m_screen->PageControl1->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    QTRY_COMPARE(m_screen->PageControl1->currentIndex(), tab);
    QCOMPARE(CurrentChoiceNumber, selected);
    QCOMPARE(m_screen->Edt_Tm->toPlainText(), QStringLiteral("题目%1").arg(selected));
    QCOMPARE(redButtons(), QList<int>{selected});
}

void TestChoiceScreen::tickFollowsTheKey_data() {
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<int>("top");
    QTest::newRow("A") << QByteArray("A") << 85;
    QTest::newRow("B") << QByteArray("B") << 122;
    QTest::newRow("C") << QByteArray("C") << 159;
    QTest::newRow("D") << QByteArray("D") << 196;
    // Anything but one capital letter leaves the tick where the question before put it (at C).
    QTest::newRow("lower case") << QByteArray("a") << 159;
    QTest::newRow("E") << QByteArray("E") << 159;
    QTest::newRow("empty") << QByteArray() << 159;
    QTest::newRow("trailing space") << QByteArray("A ") << 159;
    QTest::newRow("two letters") << QByteArray("AB") << 159;
}

void TestChoiceScreen::tickFollowsTheKey() {
    QFETCH(QByteArray, key);
    QFETCH(int, top);
    ChoiceQuestions[10].Key = "C";
    ChoiceQuestions[11].Key = key;
    select(10);
    select(11);
    QCOMPARE(m_screen->Img_DuiHao->pos(), QPoint(373, top));
    QCOMPARE(m_screen->Img_DuiHao->size(), QSize(33, 25));
}

void TestChoiceScreen::knowledgePointsCycle_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("shown");
    QTest::newRow("none") << 0 << QList<int>{0, 0, 0};
    QTest::newRow("one") << 1 << QList<int>{1, 1, 1};
    QTest::newRow("two") << 2 << QList<int>{2, 1, 2, 1};
    QTest::newRow("three") << 3 << QList<int>{2, 3, 1, 2};
}

void TestChoiceScreen::knowledgePointsCycle() {
    QFETCH(int, count);
    QFETCH(QList<int>, shown);
    _Tk &q = ChoiceQuestions[9];
    q.KnowledgeCount = count;
    for (int k = 1; k <= count; ++k)
        q.KnowledgeTexts[k] = "关键词" + QByteArray::number(k) + "\r\n说明" + QByteArray::number(k);
    select(9);

    for (int k : shown) {
        m_screen->Btn_ZhiShiDian->click();
        if (k == 0) {
            QCOMPARE(m_screen->Mem_Analysis->toPlainText(), QStringLiteral("本题没有相应的知识点解释"));
            QVERIFY(m_screen->Lbl_count->isHidden());
            QVERIFY(m_screen->Lbl_Ip->isHidden());
            continue;
        }
        QCOMPARE(m_screen->Lbl_count->text(), QStringLiteral("共有'%1'个知识点").arg(count));
        QCOMPARE(m_screen->Lbl_Ip->text(), QString::number(k));
        QVERIFY(!m_screen->Lbl_Ip->isHidden());
        QCOMPARE(m_screen->Mem_Analysis->toPlainText(), QStringLiteral("关键词%1\n说明%1").arg(k));
        QCOMPARE(q.KnowledgeIndex, k);
    }
    m_screen->Btn_Analysis->click();
    QCOMPARE(m_screen->Mem_Analysis->toPlainText(), QStringLiteral("解析9\n第二行"));

    // The index is kept in the record: leaving the question and coming back continues the cycle.
    select(10);
    select(9);
    m_screen->Btn_ZhiShiDian->click();
    QCOMPARE(q.KnowledgeIndex, count == 0 ? 1 : shown.last() % count + 1);
}

void TestChoiceScreen::countdownStopsAtZeroAndTellsOnce() {
    QSignalSpy expired(m_screen, &TFrm_Ks_Choose::countdownExpired);
    RemainingMinutes = 0;
    RemainingSeconds = 2;
    m_screen->Timer1Timer();
    QCOMPARE(expired.count(), 0);
    m_screen->Timer1Timer();
    QCOMPARE(expired.count(), 1);
    for (int i = 0; i < 3; ++i)
        m_screen->Timer1Timer();
    QCOMPARE(expired.count(), 1);
    QCOMPARE(RemainingMinutes, 0);
    QCOMPARE(RemainingSeconds, 0);
    QCOMPARE(m_screen->Lbl_Minute->text() + m_screen->Lbl_Second->text(), QStringLiteral("0000"));
    RemainingMinutes = 9;
    RemainingSeconds = 6;
    m_screen->Timer1->setSingleShot(true);
    m_screen->Timer1->start(1);
    QTRY_COMPARE(m_screen->Lbl_Minute->text() + m_screen->Lbl_Second->text(), QStringLiteral("0905"));
}

void TestChoiceScreen::keyboard() {
    // A bare letter while an answer button has the focus answers with that letter.
    select(3);
    QTest::keyClick(m_screen->Btn_Ans_A, Qt::Key_B);
    QCOMPARE(ChoiceQuestions[3].CandidateAnswer, QByteArray("B"));
    QCOMPARE(CurrentChoiceNumber, 4);

    // Enter presses the focused button: the same answer button again answers the next question alike.
    QTest::keyClick(m_screen->Btn_Ans_C, Qt::Key_Return);
    QTest::keyClick(m_screen->Btn_Ans_C, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(ChoiceQuestions[4].CandidateAnswer, QByteArray("C"));
    QCOMPARE(ChoiceQuestions[5].CandidateAnswer, QByteArray("C"));
    QTest::keyClick(button(12), Qt::Key_Return);
    QCOMPARE(CurrentChoiceNumber, 12);

    // Alt+letter anywhere in the window.
    m_screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_screen));
    m_screen->Edt_Tm->setFocus();
    QTest::keyClick(m_screen->Edt_Tm, Qt::Key_D, Qt::AltModifier);
    QTRY_COMPARE(ChoiceQuestions[12].CandidateAnswer, QByteArray("D"));
    QCOMPARE(CurrentChoiceNumber, 13);

    // With answering off (review mode) no key answers.
    m_screen->Btn_Ans_A->setEnabled(false);
    QTest::keyClick(button(13), Qt::Key_A);
    QVERIFY(ChoiceQuestions[13].CandidateAnswer.isEmpty());

    // Escape acts as "填空题".
    QTest::keyClick(m_screen->Edt_Tm, Qt::Key_Escape);
    QTRY_VERIFY(!m_screen->isVisible());
    QTRY_VERIFY(Frm_Ks_Fill->isVisible());
}

void TestChoiceScreen::fillAndCloseButtons() {
    RemainingMinutes = 42;
    m_screen->Timer1->start();
    select(33);
    QTest::mouseClick(m_screen->findChild<QPushButton *>(QStringLiteral("Btn_Fill")), Qt::LeftButton);
    QTRY_VERIFY(!m_screen->isVisible());
    QVERIFY(Frm_Ks_Fill->isVisible());

    m_screen->show();
    QTest::mouseClick(m_screen->findChild<QPushButton *>(QStringLiteral("Btn_Close")), Qt::LeftButton);
    QTRY_VERIFY(!m_screen->isVisible());
    QTRY_VERIFY(!Frm_Ks_Fill->isVisible());
    // Leaving stops and clears nothing; only the red marker goes.
    QCOMPARE(redButtons(), QList<int>{});
    QCOMPARE(CurrentChoiceNumber, 33);
    QCOMPARE(m_screen->Tag, 1);
    QVERIFY(m_screen->Timer1->isActive());
    QCOMPARE(RemainingMinutes, 42);
}

QTEST_MAIN(TestChoiceScreen)
#include "test_choice_screen.moc"
