// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include "engine/TDm.h"
#include "rules/ExamState.h"
#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Choose.h"
#include "screens/TFrm_Ks_Fill.h"
#include "tests/support/TestBank.h"
#include "ui/ButtonFontColor.h"
#include "ui/HandlerGuard.h"

// The choice screen's first show against a real bank: drawing and starting the exam, resuming a paper left with
// "退出", a new paper once the marker is back at 0, and a drawing that fails.
class TestChoiceDrawing : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void leavingAndResumingKeepsTheExam();
    void newPaperAfterTheMarkerIsReset();
    void failedDrawingLeavesNoPaperAndTheNextStartTriesAgain();

private:
    QPushButton *button(int n) const { return m_screen->findChild<QPushButton *>(QStringLiteral("BitBtn%1").arg(n)); }
    QLineEdit *answerBox(int n) const { return m_screen->findChild<QLineEdit *>(QStringLiteral("Edit%1").arg(n)); }
    QLineEdit *fillBox(int n) const {
        return Frm_Ks_Fill->findChild<QLineEdit *>(QStringLiteral("Edt_Fill_Da%1").arg(n));
    }
    // Shows the screen the way the start of an exam does.
    void start();
    void checkFreshPaper();

    QTemporaryDir m_dir;
    QString m_connectionString;
    TFrm_Ks_Choose *m_screen = nullptr;
    int m_statements = 0;
};

void TestChoiceDrawing::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_connectionString = testConnectionString(writeTestBank(m_dir.path(), makeTables(16, 3)));
    Dm = new TDm;
    Dm->ADOQuery1->setStatementObserver([this](const QString &) { ++m_statements; });
}

void TestChoiceDrawing::cleanupTestCase() {
    delete Dm;
    Dm = nullptr;
}

void TestChoiceDrawing::init() {
    resetExamState();
    Dm->ADOConnection1->Close();
    Dm->ADOConnection1->setConnectionString(m_connectionString);
    Frm_Ks_Fill = new TFrm_Ks_Fill;
    Frm_Ks_Choose = m_screen = new TFrm_Ks_Choose;
}

void TestChoiceDrawing::cleanup() {
    delete m_screen;
    delete Frm_Ks_Fill;
    Frm_Ks_Choose = m_screen = nullptr;
    Frm_Ks_Fill = nullptr;
}

void TestChoiceDrawing::start() {
    m_statements = 0;
    m_screen->Timer1->start();
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_screen));
}

void TestChoiceDrawing::checkFreshPaper() {
    QCOMPARE(m_statements, 65);
    QCOMPARE(m_screen->Tag, 1);
    for (int n = 1; n <= Exam::kChoiceCount; ++n) {
        // Each record holds the row whose id the drawing reports.
        QVERIFY(ChoiceQuestions[n].QuestionText.startsWith("第" + m_screen->drawnPaper().choiceIds[n - 1] + "题"));
        QVERIFY(ChoiceQuestions[n].CandidateAnswer.isEmpty());
        QVERIFY(answerBox(n)->text().isEmpty());
    }
    for (int n = 1; n <= Exam::kFillCount; ++n) {
        QVERIFY(FillQuestions[n].CandidateAnswer.isEmpty());
        QVERIFY(fillBox(n)->text().isEmpty());
    }
    QCOMPARE(CurrentChoiceNumber, 1);
    QCOMPARE(CurrentChoiceButton, button(1));
    QCOMPARE(CurrentChoiceEdit, answerBox(1));
    QCOMPARE(buttonFontColor(button(1)), Colors::clRed);
    QCOMPARE(m_screen->Edt_Tm->toPlainText(), QString::fromUtf8(ChoiceQuestions[1].QuestionText));
    QCOMPARE(RemainingMinutes, 90);
    QCOMPARE(RemainingSeconds, 0);
    QCOMPARE(m_screen->Lbl_Minute->text() + m_screen->Lbl_Second->text(), QStringLiteral("9000"));
    QVERIFY(m_screen->Timer1->isActive());
}

void TestChoiceDrawing::leavingAndResumingKeepsTheExam() {
    start();
    checkFreshPaper();
    for (const char *letter : {"Btn_Ans_A", "Btn_Ans_B", "Btn_Ans_C"})
        QTest::mouseClick(m_screen->findChild<QPushButton *>(QLatin1String(letter)), Qt::LeftButton);
    m_screen->PageControl1->setCurrentIndex(1);
    m_screen->BitBtn1Click(button(30));
    QList<QByteArray> texts;
    for (int n = 1; n <= Exam::kChoiceCount; ++n)
        texts.append(ChoiceQuestions[n].QuestionText);
    // Time passes while the exam screens are away.
    RemainingMinutes = 50;
    RemainingSeconds = 7;

    QTest::mouseClick(m_screen->findChild<QPushButton *>(QStringLiteral("Btn_Close")), Qt::LeftButton);
    QTRY_VERIFY(!m_screen->isVisible());
    QCOMPARE(buttonFontColor(button(30)), Colors::clBlack);

    start();
    QCOMPARE(m_statements, 0);
    for (int n = 1; n <= Exam::kChoiceCount; ++n)
        QCOMPARE(ChoiceQuestions[n].QuestionText, texts[n - 1]);
    QCOMPARE(answerBox(1)->text() + answerBox(2)->text() + answerBox(3)->text(), QStringLiteral("ABC"));
    QCOMPARE(ChoiceQuestions[2].CandidateAnswer, QByteArray("B"));
    QCOMPARE(CurrentChoiceNumber, 30);
    QCOMPARE(m_screen->PageControl1->currentIndex(), 1);
    QCOMPARE(RemainingMinutes, 50);
    QCOMPARE(RemainingSeconds, 7);
}

void TestChoiceDrawing::newPaperAfterTheMarkerIsReset() {
    start();
    QTest::mouseClick(m_screen->Btn_Ans_D, Qt::LeftButton);
    m_screen->PageControl1->setCurrentIndex(2);
    m_screen->BitBtn1Click(button(44));
    fillBox(7)->setText(QStringLiteral("填过的"));
    QCOMPARE(FillQuestions[7].CandidateAnswer, QByteArray("填过的"));
    RemainingMinutes = 3;

    // The score sheet's quit: marker back to 0, screen closed.
    m_screen->Tag = 0;
    m_screen->close();
    start();
    checkFreshPaper();
    QCOMPARE(buttonFontColor(button(44)), Colors::clBlack);
}

void TestChoiceDrawing::failedDrawingLeavesNoPaperAndTheNextStartTriesAgain() {
    start();
    QTest::mouseClick(m_screen->Btn_Ans_B, Qt::LeftButton);
    Frm_Ks_Fill->show();

    // The bank is gone by the next start.
    Dm->ADOConnection1->Close();
    Dm->ADOConnection1->setConnectionString(testConnectionString(m_dir.filePath(QStringLiteral("missing"))));
    m_screen->Tag = 0;
    // The show handling stops the failure itself and hands it on; nothing is thrown past it.
    QStringList reported;
    HandlerGuard::setErrorHandler([&reported](const QString &message) { reported << message; });
    m_screen->FormShow(m_screen);
    HandlerGuard::setErrorHandler({});
    QCOMPARE(reported.size(), 1);
    QVERIFY2(reported.first().contains(QStringLiteral("missing")), qPrintable(reported.first()));

    QCOMPARE(m_screen->Tag, 0);
    QVERIFY(!m_screen->Timer1->isActive());
    QTRY_VERIFY(!m_screen->isVisible());
    QTRY_VERIFY(!Frm_Ks_Fill->isVisible());
    QVERIFY(m_screen->Edt_Tm->toPlainText().isEmpty());
    for (int n = 1; n <= Exam::kChoiceCount; ++n) {
        QVERIFY(ChoiceQuestions[n].QuestionText.isEmpty());
        QVERIFY(answerBox(n)->text().isEmpty());
        QCOMPARE(buttonFontColor(button(n)), Colors::clBlack);
    }

    Dm->ADOConnection1->setConnectionString(m_connectionString);
    start();
    checkFreshPaper();
}

QTEST_MAIN(TestChoiceDrawing)
#include "test_choice_drawing.moc"
