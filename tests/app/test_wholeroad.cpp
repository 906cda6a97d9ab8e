// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/AppShell.h"
#include "app/Application.h"
#include "app/ExecutableDir.h"
#include "app/TFrm_Ks_Sta.h"
#include "app/Tfrm_logo.h"
#include "engine/TDm.h"
#include "rules/ExamState.h"
#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Choose.h"
#include "screens/TFrm_Ks_Fill.h"
#include "screens/TFrm_Ping.h"
#include "tests/support/SheetDriver.h"
#include "tests/support/TestBank.h"
#include "ui/ButtonFontColor.h"
#include "ui/MessageBoxSeam.h"
#include "ui/ModalLayer.h"
#include "ui/TdxButton.h"

namespace {

// What the candidate means to do with a question.
enum class Intent { Right, Wrong, Half, Empty };

// Fill-in answers by drawn number. "Half" answers one blank of a two-blank question; given a one-blank question it
// is the right answer with a trailing space, which is wrong.
const Intent FillIntents[Exam::kFillCount] = {Intent::Right, Intent::Wrong, Intent::Half,  Intent::Right,
                                              Intent::Empty, Intent::Half,  Intent::Right, Intent::Wrong,
                                              Intent::Right, Intent::Empty};

// Fill-in keys by bank id: one accepted answer, two, or two blanks of two accepted answers each.
QByteArray fillKey(int fid) {
    const QByteArray t = QByteArray::number(fid);
    switch (fid % 3) {
    case 1:
        return "答案" + t;
    case 2:
        return "答案" + t + "#另解" + t;
    default:
        return "甲" + t + "#乙" + t + "@丙" + t + "@丁" + t;
    }
}

QString fillAnswer(int fid, Intent intent) {
    const QString t = QString::number(fid);
    const bool twoBlanks = fid % 3 == 0;
    switch (intent) {
    case Intent::Right:
        if (twoBlanks)
            return QStringLiteral("丁%1##乙%1").arg(t);
        return fid % 3 == 2 ? QStringLiteral("另解%1").arg(t) : QStringLiteral("答案%1").arg(t);
    case Intent::Half:
        return twoBlanks ? QStringLiteral("甲%1##").arg(t) : QStringLiteral("答案%1 ").arg(t);
    case Intent::Wrong:
        return QStringLiteral("不知道");
    case Intent::Empty:
        break;
    }
    return QString();
}

struct Expected {
    int points;
    TColor color;
};

Expected expectedFill(int fid, Intent intent) {
    if (intent == Intent::Right)
        return {2, Colors::clGreen};
    if (intent == Intent::Half && fid % 3 == 0)
        return {1, Colors::clOlive};
    return {0, Colors::clRed};
}

// The bank row a drawn choice question came from, told by the id in its text.
int choiceId(int n) {
    static const QRegularExpression id(QStringLiteral("^第(\\d+)题"));
    return id.match(QString::fromUtf8(ChoiceQuestions[n].QuestionText)).captured(1).toInt();
}

// Types text as a candidate would: Latin letters on the keyboard, Chinese through the input method.
void typeText(QWidget *box, const QString &text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(box, c.toLatin1());
            continue;
        }
        QInputMethodEvent commit;
        commit.setCommitString(QString(c));
        QApplication::sendEvent(box, &commit);
    }
}

struct Sheet {
    QString choose, fill, sum;
    QList<TColor> colors; // BitBtn1..65
    QString reopenedSheet, reopenedText, reopenedKey;
};

} // namespace

// The whole road through the real screens over a bank built for the test: start, answer on both screens, leave and
// resume, hand in, the score sheet against the bank's keys, review, quit, and a new paper on the next start.
class TestWholeRoad : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void examFromStartToSecondPaper();
    void gradedPaperNeverComesBackAsAnExam();

private:
    QWidget *start() const { return Frm_Ks_Sta->findChild<QWidget *>(QStringLiteral("Button1")); }
    QPushButton *choiceButton(const QString &name) const { return Frm_Ks_Choose->findChild<QPushButton *>(name); }
    QLineEdit *fillBox(int i) const {
        return Frm_Ks_Fill->findChild<QLineEdit *>(QStringLiteral("Edt_Fill_Da%1").arg(i));
    }
    QByteArray bankKey(int tid) const;
    int bankScore(int tid) const;
    void clickStart();
    void pickTab(int index);
    void answerChoice(const QByteArray &letter);
    void verifyNothingAnswered();
    Sheet handInAndReadSheet(QPushButton *handIn);

    QTemporaryDir m_dir;
    BankTables m_tables;
    QStringList m_messages;
    int m_statements = 0;
};

void TestWholeRoad::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_tables = makeTables();
    const int key = m_tables.fill.column(QStringLiteral("KEY"));
    for (int row = 0; row < m_tables.fill.rows.size(); ++row)
        m_tables.fill.rows[row][key] = fillKey(row + 1);
    writeTestBank(m_dir.path(), m_tables);

    Tfrm_logo::setDisplayTime(10);
    MessageBoxSeam::setHandler([this](QWidget *, const QString &, const QString &text) { m_messages << text; });
    setExecutableDirOverride(m_dir.path());
    resetExamState();
    createInstances();
    Dm->ADOQuery1->setStatementObserver([this](const QString &) { ++m_statements; });
    showMainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(Frm_Ks_Sta));
    QTRY_VERIFY(!isBlockedByModal(Frm_Ks_Sta));
}

void TestWholeRoad::cleanupTestCase() {
    destroyInstances();
    setExecutableDirOverride(QString());
    MessageBoxSeam::setHandler({});
}

QByteArray TestWholeRoad::bankKey(int tid) const {
    return m_tables.choose.rows[tid - 1][m_tables.choose.column(QStringLiteral("Key"))];
}

int TestWholeRoad::bankScore(int tid) const {
    return m_tables.choose.rows[tid - 1][m_tables.choose.column(QStringLiteral("Score"))].toInt();
}

void TestWholeRoad::clickStart() {
    QTest::mouseClick(start(), Qt::LeftButton, {}, start()->rect().center());
    QTRY_VERIFY(Frm_Ks_Choose->isVisible());
}

void TestWholeRoad::pickTab(int index) {
    QTabBar *tabs = Frm_Ks_Choose->PageControl1->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    QCOMPARE(Frm_Ks_Choose->PageControl1->currentIndex(), index);
}

// A fresh paper: no answer in the exam state, none in the boxes of either screen.
void TestWholeRoad::verifyNothingAnswered() {
    for (int n = 1; n <= Exam::kChoiceCount; ++n) {
        QVERIFY(ChoiceQuestions[n].CandidateAnswer.isEmpty());
        QVERIFY(Frm_Ks_Choose->findChild<QLineEdit *>(QStringLiteral("Edit%1").arg(n))->text().isEmpty());
    }
    for (int i = 1; i <= Exam::kFillCount; ++i) {
        QVERIFY(FillQuestions[i].CandidateAnswer.isEmpty());
        QVERIFY(fillBox(i)->text().isEmpty());
    }
}

void TestWholeRoad::answerChoice(const QByteArray &letter) {
    QPushButton *button = choiceButton(QStringLiteral("Btn_Ans_") + QLatin1String(letter));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

// Hands the paper in with `handIn`, reads the sheet, reopens choice question 20 and fill-in question 3 from it and
// leaves it with "&Q退出".
Sheet TestWholeRoad::handInAndReadSheet(QPushButton *handIn) {
    Sheet seen;
    SheetDriver driver;
    driver.whileSheetUp([&seen] {
        TFrm_Ping *sheet = Frm_Ping;
        seen.choose = sheet->Edit_choose->text();
        seen.fill = sheet->Edit_fill->text();
        seen.sum = sheet->Edit_sum->text();
        for (int n = 1; n <= Exam::kChoiceCount + Exam::kFillCount; ++n)
            seen.colors << buttonFontColor(sheet->findChild<QPushButton *>(QStringLiteral("BitBtn%1").arg(n)));

        QTest::mouseClick(sheet->findChild<QPushButton *>(QStringLiteral("BitBtn20")), Qt::LeftButton);
        QTRY_VERIFY(Frm_Ks_Choose->isVisible());
        seen.reopenedSheet = Frm_Ks_Choose->PageControl1->currentWidget()->objectName();
        seen.reopenedText = Frm_Ks_Choose->Edt_Tm->toPlainText();
        QTest::mouseClick(sheet->findChild<QPushButton *>(QStringLiteral("BitBtn58")), Qt::LeftButton);
        QTRY_VERIFY(Frm_Ks_Fill->isVisible());
        seen.reopenedKey = Frm_Ks_Fill->Memo1->toPlainText();

        QTest::mouseClick(sheet->Button2, Qt::LeftButton, {}, sheet->Button2->rect().center());
    });
    QTest::mouseClick(handIn, Qt::LeftButton);
    if (!driver.ran())
        qWarning("no score sheet came up");
    return seen;
}

void TestWholeRoad::examFromStartToSecondPaper() {
    clickStart();
    QCOMPARE(Frm_Ks_Choose->Tag, 1);
    QCOMPARE(CurrentChoiceNumber, 1);

    // Choice questions: 1-5 right, 6-8 wrong, then 20 and 55 right; the rest left unanswered.
    QSet<int> right;
    for (int n = 1; n <= 8; ++n) {
        const QByteArray key = bankKey(choiceId(n));
        const bool answerRight = n <= 5;
        answerChoice(answerRight ? key : QByteArray(1, key == "A" ? 'B' : 'A'));
        if (answerRight)
            right << n;
    }
    QTest::mouseClick(choiceButton(QStringLiteral("BitBtn20")), Qt::LeftButton);
    answerChoice(bankKey(choiceId(20)));
    QCOMPARE(Frm_Ks_Choose->PageControl1->currentWidget(), Frm_Ks_Choose->TabSheet2);
    pickTab(2);
    QTest::mouseClick(choiceButton(QStringLiteral("BitBtn55")), Qt::LeftButton);
    answerChoice(bankKey(choiceId(55)));
    right << 20 << 55;
    QCOMPARE(CurrentChoiceNumber, 1);
    QCOMPARE(Frm_Ks_Choose->PageControl1->currentWidget(), Frm_Ks_Choose->TabSheet1);

    // Fill-in questions, typed into their boxes.
    QTest::mouseClick(choiceButton(QStringLiteral("Btn_Fill")), Qt::LeftButton);
    QTRY_VERIFY(Frm_Ks_Fill->isVisible());
    QVERIFY(!Frm_Ks_Choose->isVisible());
    for (int i = 1; i <= Exam::kFillCount; ++i) {
        QCOMPARE(FillQuestions[i].Key, fillKey(FillQuestions[i].Id));
        QTest::mouseClick(fillBox(i), Qt::LeftButton);
        typeText(fillBox(i), fillAnswer(FillQuestions[i].Id, FillIntents[i - 1]));
    }

    // Leave and come back: the same paper, the answers and the countdown go on.
    const QByteArray firstQuestion = ChoiceQuestions[1].QuestionText;
    QTest::mouseClick(Frm_Ks_Fill->Btn_quit, Qt::LeftButton);
    QTRY_VERIFY(!Frm_Ks_Fill->isVisible());
    QVERIFY(!Frm_Ks_Choose->isVisible());
    QVERIFY(Frm_Ks_Choose->Timer1->isActive());
    clickStart();
    QCOMPARE(ChoiceQuestions[1].QuestionText, firstQuestion);
    QCOMPARE(choiceButton(QStringLiteral("BitBtn1"))->parentWidget(), Frm_Ks_Choose->TabSheet1);
    QCOMPARE(Frm_Ks_Choose->findChild<QLineEdit *>(QStringLiteral("Edit1"))->text(),
             QString::fromLatin1(bankKey(choiceId(1))));
    QTest::mouseClick(choiceButton(QStringLiteral("Btn_Fill")), Qt::LeftButton);
    QTRY_VERIFY(Frm_Ks_Fill->isVisible());
    QCOMPARE(fillBox(7)->text(), fillAnswer(FillQuestions[7].Id, FillIntents[6]));

    // What the sheet must show, from the bank's own keys and scores.
    int choiceScore = 0, fillPoints = 0;
    QList<TColor> colors;
    for (int n = 1; n <= Exam::kChoiceCount; ++n) {
        colors << (right.contains(n) ? Colors::clGreen : Colors::clRed);
        if (right.contains(n))
            choiceScore += bankScore(choiceId(n));
    }
    for (int i = 1; i <= Exam::kFillCount; ++i) {
        const Expected e = expectedFill(FillQuestions[i].Id, FillIntents[i - 1]);
        colors << e.color;
        fillPoints += e.points;
    }

    const Sheet first = handInAndReadSheet(Frm_Ks_Fill->btn_ping);
    QCOMPARE(first.choose, QString::number(choiceScore));
    QCOMPARE(first.fill, QString::number(fillPoints));
    QCOMPARE(first.sum, QString::number(choiceScore + fillPoints));
    QCOMPARE(first.colors, colors);
    QCOMPARE(first.reopenedSheet, QStringLiteral("TabSheet1"));
    QCOMPARE(first.reopenedText, QString::fromUtf8(ChoiceQuestions[20].QuestionText));
    QCOMPARE(first.reopenedKey, QString::fromUtf8(FillQuestions[3].Key));

    // After quit: the start screen in front and usable, no paper; the reopened fill-in screen is still up.
    QVERIFY(!Frm_Ping);
    QVERIFY(Frm_Ks_Sta->isVisible() && Frm_Ks_Sta->isEnabled() && !isBlockedByModal(Frm_Ks_Sta));
    QCOMPARE(Frm_Ks_Choose->Tag, 0);
    QVERIFY(!Frm_Ks_Choose->isVisible());

    // The next start draws a new paper with nothing answered, back in exam mode.
    clickStart();
    QCOMPARE(Frm_Ks_Choose->Tag, 1);
    QVERIFY(RemainingMinutes * 60 + RemainingSeconds >= 89 * 60 + 55);
    QVERIFY(Frm_Ks_Choose->Btn_Ans_A->isEnabled());
    verifyNothingAnswered();
    if (QTest::currentTestFailed())
        return;
    for (int i = 1; i <= Exam::kFillCount; ++i)
        QVERIFY(fillBox(i)->isEnabled());

    // Handed in at once from the choice screen: nothing earns anything.
    const Sheet second = handInAndReadSheet(Frm_Ks_Choose->Btn_ping);
    QCOMPARE(second.choose, QStringLiteral("0"));
    QCOMPARE(second.fill, QStringLiteral("0"));
    QCOMPARE(second.sum, QStringLiteral("0"));
    QCOMPARE(second.colors, QList<TColor>(Exam::kChoiceCount + Exam::kFillCount, Colors::clRed));
    QCOMPARE(Frm_Ks_Choose->Tag, 0);
    QVERIFY(m_messages.isEmpty());
}

// The road by which a graded paper used to come back: the fill-in screen reopened from the score sheet stays open
// after the sheet's quit, leads back to the choice screen, and the next start must still give a fresh paper, drawn
// once, whose answers survive every switch between the two screens.
void TestWholeRoad::gradedPaperNeverComesBackAsAnExam() {
    // A drawing is 65 statements: one per module and kind of question, and one per drawn choice question's
    // knowledge points.
    constexpr int kDrawing = 65;
    clickStart();
    answerChoice("A");
    QCOMPARE(ChoiceQuestions[1].CandidateAnswer, QByteArray("A"));
    // Behind the answering screen the start screen keeps its look, and keeps it while the sheet blocks it.
    const QImage startLook = start()->grab().toImage();

    bool startLookKept = false, startBlocked = false;
    SheetDriver driver;
    driver.whileSheetUp([&] {
        startLookKept = start()->grab().toImage() == startLook;
        startBlocked = isBlockedByModal(Frm_Ks_Sta);
        QTest::mouseClick(Frm_Ping->findChild<QPushButton *>(QStringLiteral("BitBtn56")), Qt::LeftButton);
        QTRY_VERIFY(Frm_Ks_Fill->isVisible());
        QTest::mouseClick(Frm_Ping->Button2, Qt::LeftButton, {}, Frm_Ping->Button2->rect().center());
    });
    QTest::mouseClick(Frm_Ks_Choose->Btn_ping, Qt::LeftButton);
    QVERIFY(driver.ran());
    QVERIFY(startLookKept);
    QVERIFY(startBlocked);
    QVERIFY(!Frm_Ping);

    // The fill-in screen is still open in review; its "选择题" shows the choice screen over the graded paper,
    // with nothing drawn.
    QVERIFY(Frm_Ks_Fill->isVisible());
    QVERIFY(Frm_Ks_Fill->btn_answer->isVisible());
    const int statementsAfterFirst = m_statements;
    QTest::mouseClick(Frm_Ks_Fill->btn_choose, Qt::LeftButton);
    QTRY_VERIFY(Frm_Ks_Choose->isVisible());
    QCOMPARE(Frm_Ks_Choose->Tag, 0);
    QCOMPARE(m_statements, statementsAfterFirst);
    QVERIFY(!Frm_Ks_Choose->Btn_ping->isEnabled());

    // "&S开始考试" from there: a fresh paper in exam mode, drawn once, the countdown from the start.
    RemainingMinutes = 42;
    clickStart();
    QCOMPARE(m_statements, statementsAfterFirst + kDrawing);
    QCOMPARE(Frm_Ks_Choose->Tag, 1);
    QVERIFY(Frm_Ks_Choose->Btn_ping->isEnabled());
    QVERIFY(Frm_Ks_Choose->Btn_Ans_A->isEnabled());
    QVERIFY(!Frm_Ks_Choose->Img_DuiHao->isVisible());
    QVERIFY(!Frm_Ks_Fill->isVisible());
    QVERIFY(RemainingMinutes * 60 + RemainingSeconds >= 89 * 60 + 55);
    QVERIFY(Frm_Ks_Choose->Timer1->isActive());
    QCOMPARE(CurrentChoiceNumber, 1);
    QCOMPARE(Frm_Ks_Choose->Edt_Tm->toPlainText(), QString::fromUtf8(ChoiceQuestions[1].QuestionText));
    verifyNothingAnswered();
    if (QTest::currentTestFailed())
        return;

    // Answers on both screens, then back and forth: by the buttons, then by Escape.
    answerChoice("B");
    const QByteArray paper = ChoiceQuestions[1].QuestionText + ChoiceQuestions[55].QuestionText;
    for (int round = 1; round <= 2; ++round) {
        if (round == 1)
            QTest::mouseClick(choiceButton(QStringLiteral("Btn_Fill")), Qt::LeftButton);
        else
            QTest::keyClick(Frm_Ks_Choose, Qt::Key_Escape);
        QTRY_VERIFY(Frm_Ks_Fill->isVisible());
        QVERIFY(fillBox(2)->isEnabled());
        QTest::mouseClick(fillBox(2), Qt::LeftButton);
        typeText(fillBox(2), QStringLiteral("答%1").arg(round));
        RemainingMinutes = 50 - round;
        RemainingSeconds = 0;
        QTest::mouseClick(Frm_Ks_Fill->btn_choose, Qt::LeftButton);
        QTRY_VERIFY(Frm_Ks_Choose->isActiveWindow());

        QCOMPARE(m_statements, statementsAfterFirst + kDrawing);
        QCOMPARE(ChoiceQuestions[1].QuestionText + ChoiceQuestions[55].QuestionText, paper);
        QCOMPARE(Frm_Ks_Choose->Tag, 1);
        QCOMPARE(ChoiceQuestions[1].CandidateAnswer, QByteArray("B"));
        QCOMPARE(Frm_Ks_Choose->findChild<QLineEdit *>(QStringLiteral("Edit1"))->text(), QStringLiteral("B"));
        QCOMPARE(FillQuestions[2].CandidateAnswer, round == 1 ? QByteArray("答1") : QByteArray("答1答2"));
        QVERIFY(RemainingMinutes * 60 + RemainingSeconds <= (50 - round) * 60);
        QVERIFY(Frm_Ks_Choose->Btn_Ans_A->isEnabled());
    }

    // This paper is handed in as any other.
    SheetDriver last;
    last.whileSheetUp([] { Frm_Ping->Button2->click(); });
    QTest::mouseClick(Frm_Ks_Choose->Btn_ping, Qt::LeftButton);
    QVERIFY(last.ran());
    QCOMPARE(Frm_Ks_Choose->Tag, 0);
    QVERIFY(m_messages.isEmpty());
}

int main(int argc, char *argv[]) {
    Application app(argc, argv);
    TestWholeRoad test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_wholeroad.moc"
