// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>

#include "rules/OneBased.h"
#include "ui/Tfrm_qelNeoForm.h"

class QChar;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class TKvLabel;

// Number (1..10) of the fill-in question shown on the fill-in screen; 0 until the screen is first shown.
extern int CurrentFillNumber;

// The fill-in screen: the candidate types the answers to the ten fill-in questions of the paper, one box per
// question, each change going straight into the exam state. Ten numbered buttons select the question whose text is
// shown; an arrow marks the current one. The screen only displays the shared countdown, hands the paper in, leads
// to the choice screen and leaves the exam. After hand-in the same screen serves for review: the boxes are
// disabled and the key or the knowledge-point text of the current question can be shown. The screen keeps no mode
// flag: whether the exam is in review is ExamPhase's to say, from the review look (btn_answer shown).
class TFrm_Ks_Fill : public Tfrm_qelNeoForm {
    Q_OBJECT
public:
    explicit TFrm_Ks_Fill(QWidget *parent = nullptr);

    void FormShow(QObject *Sender) override;
    // Showing the screen while it is already open counts as a show too, and brings it to the front: it is how the
    // candidate returns from the choice screen, which leaves this one open behind it, and every such return starts
    // again at question 1.
    void setVisible(bool visible) override;

    // Selects the question whose number is the sender's caption. The sender may come from outside the screen
    // (the score sheet passes this screen's own button); a sender without a caption 1..10 is ignored.
    void BitBtn1Click(QObject *Sender);
    // Stores the whole text of the sending answer box as the answer to its question.
    void Edt_Fill_Da1Change(QObject *Sender);
    // A character typed into an answer box. Enter selects the question after the current one and is used up
    // (Key becomes null); every other character is left to the box.
    void Edt_Fill_Da1KeyPress(QObject *Sender, QChar &Key);
    void btn_answerClick(QObject *Sender = nullptr);
    void btn_anisysClick(QObject *Sender = nullptr);
    void btn_pingClick(QObject *Sender = nullptr);
    void btn_chooseClick(QObject *Sender = nullptr);
    void Btn_quitClick(QObject *Sender = nullptr);
    void Fill_TimerTimer(QObject *Sender = nullptr);

    // The exam look (false: answer boxes and "交卷" usable, the format note and the hint box shown, the countdown
    // displayed) or the review look (true: boxes and "交卷" out of use, the key and analysis buttons and their box
    // shown, the display stopped).
    void setReviewLook(bool review);

    QFrame *Panel1;
    TKvLabel *KvLabel1;
    QGroupBox *GroupBox1;
    QFrame *Panel2;
    QLabel *Lbl_fill_minute;
    QLabel *Label2;
    QLabel *Lbl_fill_Second;
    QPushButton *btn_ping;
    QPushButton *btn_choose;
    QPushButton *Btn_quit;
    QPlainTextEdit *Mem_Tm;
    QGroupBox *GroupBox2;
    QLabel *Img_Arrow;
    QFrame *Panel3;
    TKvLabel *KvLabel2;
    QPlainTextEdit *Memo1;
    QPushButton *btn_answer;
    QPushButton *btn_anisys;
    QPlainTextEdit *Mem_Xs;
    QTimer *Fill_Timer;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Hint { QuestionText, AnswerBox, AnswerButton, AnalysisButton, Arrow, NumberButton, FormatNote };

    void buildCountdown();
    void buildAnswerSheet();
    void buildReviewArea();
    void watchForHint(QWidget *control, Hint hint);
    QString hintText(Hint hint) const;
    int boxNumber(const QObject *object) const;

    OneBased<QPushButton *, 10> m_numberButtons;
    OneBased<QLineEdit *, 10> m_answerBoxes;
    QHash<const QObject *, Hint> m_hints;
};
