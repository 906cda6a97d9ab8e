// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "drawing/PaperDrawing.h"
#include "rules/ExamState.h"
#include "rules/OneBased.h"
#include "ui/Tfrm_qelNeoForm.h"

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimer;
class TKvLabel;

// The multiple-choice screen: 55 numbered buttons on three sheets with the answer sheet overview under them, the
// current question with its four options and answer buttons, and the countdown, which this screen alone counts
// down. Its first show of an exam draws the paper. After hand-in the same screen serves for review, where the tick,
// the analysis and the knowledge points are shown; the mode switch asks the screen to take on either look.
//
// The handlers are public and keep their design names. The score sheet and the mode switch use selectQuestion and
// setReviewLook rather than reaching for the components, which are public for the tests.
class TFrm_Ks_Choose : public Tfrm_qelNeoForm, public DrawingSink {
    Q_OBJECT
public:
    explicit TFrm_Ks_Choose(QWidget *parent = nullptr);
    ~TFrm_Ks_Choose() override;

    void FormShow(QObject *Sender) override;
    void BitBtn1Click(QObject *Sender);
    void Btn_Ans_AClick(QObject *Sender);
    void StoreAnswerAndAdvance();
    void PageControl1Change();
    void Btn_pingClick();
    void Btn_FillClick();
    void Btn_CloseClick();
    void Btn_ZhiShiDianClick();
    void Btn_AnalysisClick();
    void Timer1Timer();

    // Selects question n (1..55) whichever sheet is in front: its sheet comes forward, without the selection of the
    // sheet's first question that picking the tab would make, and the question is selected as its button does.
    void selectQuestion(int n);
    // The exam look (false: answer buttons and "交卷" usable, review parts hidden, countdown running) or the review
    // look (true: the reverse, countdown stopped).
    void setReviewLook(bool review);

    // The ids of the paper drawn last, in question order.
    const DrawnPaper &drawnPaper() const { return m_drawnPaper; }

    void clearChoiceAnswerBox(int n) override;
    void clearFillAnswerBox(int n) override;

    QFrame *Panel2;
    TKvLabel *KvLabel1;
    QTabWidget *PageControl1;
    QWidget *TabSheet1;
    QWidget *TabSheet2;
    QWidget *TabSheet3;
    QGroupBox *GroupBox1;
    QLabel *Label2;
    QPlainTextEdit *Edt_Tm;
    QPushButton *Btn_Ans_A;
    QPushButton *Btn_Ans_B;
    QPushButton *Btn_Ans_C;
    QPushButton *Btn_Ans_D;
    QLineEdit *Edt_Ans_A;
    QLineEdit *Edt_Ans_B;
    QLineEdit *Edt_Ans_C;
    QLineEdit *Edt_Ans_D;
    QLabel *Img_DuiHao;
    QGroupBox *GroupBox2;
    QFrame *Panel1;
    QLabel *Lbl_Minute;
    QLabel *Label7;
    QLabel *Lbl_Second;
    QPushButton *Btn_ping;
    QPushButton *Btn_Fill;
    QPushButton *Btn_Close;
    QPushButton *Btn_ZhiShiDian;
    QPushButton *Btn_Analysis;
    QLabel *Lbl_count;
    QLabel *Lbl_Ip;
    QPlainTextEdit *Mem_Analysis;
    QTimer *Timer1;

signals:
    // The countdown has just reached 00:00. Emitted once per exam; the countdown stays at 00:00 afterwards.
    void countdownExpired();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildSheets();
    void buildAnswerSheet();
    void buildCountdown();
    void buildReviewPart();
    void wireKeyboard();
    QWidget *sheetOf(int n) const;
    void startExamWhenNoPaper(QObject *Sender);
    void showCountdown();
    void giveUpFailedDrawing();

    OneBased<QPushButton *, Exam::kChoiceCount> m_numberButtons;
    OneBased<QLineEdit *, Exam::kChoiceCount> m_answerBoxes;
    DrawnPaper m_drawnPaper;
};

// The screen's cursors on the current question: its numbered button (the one with the red caption), its answer box
// and its number. Empty and 0 until the first paper is drawn.
extern QPushButton *CurrentChoiceButton;
extern QLineEdit *CurrentChoiceEdit;
extern int CurrentChoiceNumber;
