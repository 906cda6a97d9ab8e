// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/Tfrm_qelNeoForm.h"

class QCloseEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class TKvLabel;
class TdxButton;

// The score sheet that a hand-in opens. Each time it is shown it grades the paper held in the exam state, shows the
// choice score, the fill-in points and the total, and colours every numbered button by its verdict: green right,
// red wrong, olive for a two-blank fill-in question with one blank right. The numbered buttons reopen their question
// on the answering screen, which the hand-in has put into review mode. The sheet reads the exam state and writes
// nothing back to it; leaving it ends the exam, so that the next start draws a new paper.
//
// Leaving it through its window frame ends the exam as "&Q退出" does. Otherwise a candidate who has seen the keys in
// review could go back to the same paper, now in exam mode again, and change the answers.
class TFrm_Ping : public Tfrm_qelNeoForm {
    Q_OBJECT
public:
    explicit TFrm_Ping(QWidget *parent = nullptr);

    void FormShow(QObject *Sender) override;
    // Reopens the choice question whose number is the sender's caption.
    void BitBtn1Click(QObject *Sender);
    // Reopens the fill-in question whose number (1..10) is the sender's caption.
    void BitBtn56Click(QObject *Sender);
    void Button2Click(QObject *Sender = nullptr);

    // The scores of the last grading.
    qint32 ChoiceScore = 0;
    qint32 TotalScore = 0;

    QFrame *Panel1;
    TKvLabel *KvLabel1;
    QLabel *Label5;
    QGroupBox *GrpBx_Choose;
    QGroupBox *GrpBx_fill;
    QLabel *Label2;
    QLineEdit *Edit_choose;
    QLabel *Label3;
    QLineEdit *Edit_fill;
    QLabel *Label4;
    QLineEdit *Edit_sum;
    TdxButton *Button2;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildPanel();
    void buildChoiceButtons();
    void buildFillButtons();
    void buildScores();
    void buildQuitButton();
    void grade(QObject *Sender);
    void endExam();

    bool m_examEnded = false;
};
