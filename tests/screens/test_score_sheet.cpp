// SPDX-License-Identifier: GPL-3.0-or-later

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
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
#include "ui/FrameImage.h"
#include "ui/ModalLayer.h"
#include "ui/TdxButton.h"

using namespace HandMadeExam;

// The score sheet over a hand-made paper: what it shows, the questions it reopens on the answering screens, and
// every way of leaving it.
class TestScoreSheet : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void layout_data();
    void layout();
    void grading_data();
    void grading();
    void reopensChoiceQuestion_data();
    void reopensChoiceQuestion();
    void reopensFillQuestion();
    void leavingEndsTheExam_data();
    void leavingEndsTheExam();

private:
    QPushButton *sheetButton(int n) const;
    void handInAndQuit(std::function<void()> step);

    SheetDriver *m_driver = nullptr;
};

void TestScoreSheet::init() {
    writePaper();
    createScreens();
    m_driver = new SheetDriver(this);
}

void TestScoreSheet::cleanup() {
    delete m_driver;
    m_driver = nullptr;
    destroyScreens();
}

QPushButton *TestScoreSheet::sheetButton(int n) const {
    return Frm_Ping ? Frm_Ping->findChild<QPushButton *>(QStringLiteral("BitBtn%1").arg(n)) : nullptr;
}

// Hands the paper in, runs `step` on the sheet and leaves it with "&Q退出".
void TestScoreSheet::handInAndQuit(std::function<void()> step) {
    m_driver->whileSheetUp([step] {
        step();
        if (Frm_Ping)
            Frm_Ping->Button2->click();
    });
    SetReviewMode(true);
    QVERIFY(m_driver->ran());
    QVERIFY(!m_driver->sheet());
    QVERIFY(!Frm_Ping);
}

void TestScoreSheet::layout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    const struct {
        const char *row, *name, *parent;
        QRect geometry;
        const char *text;
    } rows[] = {
        {"choice box", "GrpBx_Choose", "Panel1", {15, 53, 393, 207}, "选择题答案"},
        {"fill box", "GrpBx_fill", "Panel1", {416, 53, 89, 206}, "填空题答案"},
        {"choice 10, end of row", "BitBtn10", "GrpBx_Choose", {353, 24, 28, 25}, "10"},
        {"choice 55, last row", "BitBtn55", "GrpBx_Choose", {163, 174, 28, 25}, "55"},
        {"fill 1, narrow", "BitBtn56", "GrpBx_fill", {16, 26, 25, 25}, "1"},
        {"fill 2, right column", "BitBtn57", "GrpBx_fill", {50, 26, 28, 25}, "2"},
        {"fill 3, left column", "BitBtn58", "GrpBx_fill", {13, 56, 28, 25}, "3"},
        {"fill 10", "BitBtn65", "GrpBx_fill", {50, 146, 28, 25}, "10"},
        {"choice score", "Edit_choose", "Panel1", {95, 266, 53, 20}, ""},
    };
    for (const auto &row : rows)
        QTest::newRow(row.row) << QString::fromLatin1(row.name) << QString::fromLatin1(row.parent) << row.geometry
                               << QString::fromUtf8(row.text);
}

void TestScoreSheet::layout() {
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    TFrm_Ping sheet;
    QCOMPARE(sheet.objectName(), QStringLiteral("Frm_Ping"));
    QCOMPARE(sheet.size(), QSize(564, 412));
    QCOMPARE(sheet.Caption(), QStringLiteral("评分评分"));
    // Icon and close button, nothing else.
    QVERIFY(!sheet.ImageClose->isHidden());
    QVERIFY(!sheet.ImageIcon->isHidden());
    QVERIFY(sheet.ImageMin->isHidden());
    QVERIFY(sheet.ImageMax->isHidden());

    auto *widget = sheet.findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), parent);
    QCOMPARE(widget->geometry(), geometry);
    if (auto *button = qobject_cast<QPushButton *>(widget))
        QCOMPARE(button->text(), text);
    if (auto *box = qobject_cast<QGroupBox *>(widget))
        QCOMPARE(box->title(), text);
    if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
        QVERIFY(edit->isReadOnly());
        QCOMPARE(edit->palette().color(QPalette::Base), toQColor(Colors::clScrollBar));
    }
}

void TestScoreSheet::grading_data() {
    QTest::addColumn<bool>("answered");
    QTest::newRow("mixed answers") << true;
    // Even the keys for which an empty answer would equal an accepted answer ("#空", "") earn nothing.
    QTest::newRow("nothing answered") << false;
}

void TestScoreSheet::grading() {
    QFETCH(bool, answered);
    if (answered)
        answerMixed();
    const int choiceScore = answered ? kMixedChoiceScore : 0;
    const int fillPoints = answered ? kMixedFillPoints : 0;

    // The road log's line for the grade, which scripts driving the real windows from outside read.
    static QStringList roadLines;
    roadLines.clear();
    QLoggingCategory::setFilterRules(QStringLiteral("mockexam.road.info=true"));
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &context, const QString &message) {
            if (qstrcmp(context.category, "mockexam.road") == 0)
                roadLines.append(message);
        });
    QString choose, fill, sum;
    QList<TColor> choiceColors, fillColors;
    handInAndQuit([&] {
        choose = Frm_Ping->Edit_choose->text();
        fill = Frm_Ping->Edit_fill->text();
        sum = Frm_Ping->Edit_sum->text();
        for (int n = 1; n <= 65; ++n) {
            QPushButton *button = sheetButton(n);
            QVERIFY2(button, qPrintable(QStringLiteral("BitBtn%1").arg(n)));
            (n <= Exam::kChoiceCount ? choiceColors : fillColors).append(buttonFontColor(button));
        }
    });

    QCOMPARE(choose, QString::number(choiceScore));
    QCOMPARE(fill, QString::number(fillPoints));
    QCOMPARE(sum, QString::number(choiceScore + fillPoints));
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());
    QVERIFY2(roadLines.contains(QStringLiteral("graded: choice %1, fill %2, total %3")
                                    .arg(choiceScore)
                                    .arg(fillPoints)
                                    .arg(choiceScore + fillPoints)),
             qPrintable(roadLines.join(QLatin1Char('|'))));
    QCOMPARE(choiceColors.size(), Exam::kChoiceCount);
    QCOMPARE(fillColors.size(), Exam::kFillCount);
    for (int n = 1; n <= Exam::kChoiceCount; ++n)
        QCOMPARE(choiceColors[n - 1], answered ? expectedChoiceColor(n) : Colors::clRed);
    for (int i = 1; i <= Exam::kFillCount; ++i)
        QCOMPARE(fillColors[i - 1], answered ? expectedFillColor(i) : Colors::clRed);
    // The sheet reads the exam state; it never writes an answer back.
    if (answered)
        QCOMPARE(FillQuestions[6].CandidateAnswer, QByteArray(" 答案6"));
}

void TestScoreSheet::reopensChoiceQuestion_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("sheet");
    QTest::newRow("20") << 20 << "TabSheet1";
    QTest::newRow("21") << 21 << "TabSheet2";
    QTest::newRow("40") << 40 << "TabSheet2";
    QTest::newRow("41") << 41 << "TabSheet3";
    QTest::newRow("55") << 55 << "TabSheet3";
}

void TestScoreSheet::reopensChoiceQuestion() {
    QFETCH(int, n);
    QFETCH(QString, sheet);
    TFrm_Ks_Choose *choice = Frm_Ks_Choose;
    // Start on another sheet than the one the question is on, and on another question.
    choice->PageControl1->setCurrentIndex(n <= 20 ? 2 : 0);

    QString shownSheet, questionText;
    int current = 0;
    bool choiceUsable = false, startUsable = true, answersEnabled = true, tickShown = false;
    TColor marker = Colors::clBlack;
    int tickTop = -1;
    handInAndQuit([&] {
        QTest::mouseClick(sheetButton(n), Qt::LeftButton);
        QTRY_VERIFY(choice->isVisible());
        shownSheet = choice->PageControl1->currentWidget()->objectName();
        current = CurrentChoiceNumber;
        questionText = choice->Edt_Tm->toPlainText();
        marker = buttonFontColor(choice->findChild<QPushButton *>(QStringLiteral("BitBtn%1").arg(n)));
        choiceUsable = choice->isEnabled() && !isBlockedByModal(choice) && Frm_Ping->isVisible();
        startUsable = !isBlockedByModal(Frm_Ks_Sta);
        answersEnabled = choice->Btn_Ans_A->isEnabled();
        tickShown = choice->Img_DuiHao->isVisible();
        tickTop = choice->Img_DuiHao->y();
    });

    QCOMPARE(shownSheet, sheet);
    QCOMPARE(current, n);
    QCOMPARE(questionText, choiceText(n));
    QCOMPARE(marker, Colors::clRed);
    QVERIFY(choiceUsable);
    QVERIFY(!startUsable);
    QVERIFY(!answersEnabled);
    QVERIFY(tickShown);
    const QLineEdit *keyBox =
        choice->findChild<QLineEdit *>(QStringLiteral("Edt_Ans_") + QString::fromUtf8(ChoiceQuestions[n].Key));
    QVERIFY(keyBox);
    QCOMPARE(tickTop, keyBox->y());
}

void TestScoreSheet::reopensFillQuestion() {
    TFrm_Ks_Fill *fill = Frm_Ks_Fill;
    QString questionText, memo;
    bool fillShown = false, boxesDisabled = false, noteHidden = false;
    int arrowTop = -1, arrowRight = -1;
    handInAndQuit([&] {
        QTest::mouseClick(sheetButton(Exam::kChoiceCount + 7), Qt::LeftButton);
        QTRY_VERIFY(fill->isVisible());
        fillShown = fill->isEnabled();
        questionText = fill->Mem_Tm->toPlainText();
        memo = fill->Memo1->isVisible() ? fill->Memo1->toPlainText() : QString();
        arrowTop = fill->Img_Arrow->y();
        arrowRight = fill->Img_Arrow->geometry().right();
        boxesDisabled = true;
        for (int i = 1; i <= Exam::kFillCount; ++i)
            boxesDisabled &= !fill->findChild<QLineEdit *>(QStringLiteral("Edt_Fill_Da%1").arg(i))->isEnabled();
        noteHidden = !fill->Panel3->isVisible();
    });

    QVERIFY(fillShown);
    QCOMPARE(CurrentFillNumber, 7);
    QCOMPARE(questionText, fillText(7));
    QCOMPARE(memo, QString::fromUtf8(FillQuestions[7].Key));
    const QPushButton *seven = fill->findChild<QPushButton *>(QStringLiteral("BitBtn7"));
    QCOMPARE(arrowTop, seven->y());
    QCOMPARE(arrowRight + 1 + 5, seven->x());
    QVERIFY(boxesDisabled);
    QVERIFY(noteHidden);
}

void TestScoreSheet::leavingEndsTheExam_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("quit button") << "Button2";
    QTest::newRow("frame close button") << "ImageClose";
    QTest::newRow("frame icon double click") << "ImageIcon";
}

void TestScoreSheet::leavingEndsTheExam() {
    QFETCH(QString, way);
    bool reopened = false;
    m_driver->whileSheetUp([&] {
        QTest::mouseClick(sheetButton(Exam::kChoiceCount + 3), Qt::LeftButton);
        QTest::mouseClick(sheetButton(12), Qt::LeftButton);
        reopened = Frm_Ks_Fill->isVisible() && Frm_Ks_Choose->isVisible();
        if (way == QLatin1String("Button2"))
            QTest::mouseClick(Frm_Ping->Button2, Qt::LeftButton);
        else if (way == QLatin1String("ImageClose"))
            QTest::mouseClick(Frm_Ping->ImageClose, Qt::LeftButton);
        else
            QTest::mouseDClick(Frm_Ping->ImageIcon, Qt::LeftButton);
    });
    SetReviewMode(true);

    QVERIFY(m_driver->ran());
    QVERIFY(reopened);
    QVERIFY(!Frm_Ping);
    QVERIFY(!m_driver->sheet());
    QVERIFY(Frm_Ks_Sta->isVisible());
    QVERIFY(Frm_Ks_Sta->isEnabled());
    QCOMPARE(Frm_Ks_Choose->Tag, 0);
    QVERIFY(!Frm_Ks_Choose->isVisible());
    // The fill-in screen reopened from the sheet stays open beside the start screen.
    QVERIFY(Frm_Ks_Fill->isVisible());
}

QTEST_MAIN(TestScoreSheet)
#include "test_score_sheet.moc"
