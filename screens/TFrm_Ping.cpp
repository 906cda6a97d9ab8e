// SPDX-License-Identifier: GPL-3.0-or-later

#include "screens/TFrm_Ping.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "rules/ExamState.h"
#include "rules/Grading.h"
#include "rules/VerdictWords.h"
#include "screens/AccessibleNames.h"
#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Choose.h"
#include "screens/TFrm_Ks_Fill.h"
#include "ui/ButtonFontColor.h"
#include "ui/Fonts.h"
#include "ui/HandlerGuard.h"
#include "ui/RoadLog.h"
#include "ui/ScreenButton.h"
#include "ui/ScreenParts.h"
#include "ui/TKvLabel.h"
#include "ui/TdxButton.h"

using namespace ScreenParts;

namespace {

constexpr int kChoiceButtonsPerRow = 10;

QLineEdit *makeScoreBox(QWidget *parent, const char *name, const QRect &geometry) {
    auto *box = place<QLineEdit>(parent, QLatin1String(name), geometry);
    box->setReadOnly(true);
    setColorRole(box, QPalette::Base, Colors::clScrollBar);
    return box;
}

// A numbered button of a group box, looked up as the sheet's design does: among the box's own children, by a name
// compared without regard to case.
QAbstractButton *numberedButton(const QGroupBox *box, int number) {
    const QString name = QStringLiteral("BitBtn%1").arg(number);
    for (QObject *child : box->children())
        if (child->objectName().compare(name, Qt::CaseInsensitive) == 0)
            if (auto *button = qobject_cast<QAbstractButton *>(child))
                return button;
    return nullptr;
}

TColor verdictColor(Verdict verdict) {
    switch (verdict) {
    case Verdict::Right:
        return Colors::clGreen;
    case Verdict::Partial:
        return Colors::clOlive;
    case Verdict::Wrong:
        break;
    }
    return Colors::clRed;
}

// The verdict in colour, as the sheet has always shown it, and in words for those who cannot tell the colours apart
// or do not see them: as the button's tooltip and as what a screen reader says of it.
void markVerdict(QAbstractButton *button, Verdict verdict, const QString &words) {
    if (!button)
        return;
    setButtonFontColor(button, verdictColor(verdict));
    button->setToolTip(words);
    button->setAccessibleDescription(words);
}

// The caption of a numbered button read as a question number, 0 when it is none.
int captionNumber(const QObject *sender, int last) {
    const auto *button = qobject_cast<const QAbstractButton *>(sender);
    if (!button)
        return 0;
    bool isNumber = false;
    const int n = button->text().toInt(&isNumber);
    return isNumber && n >= 1 && n <= last ? n : 0;
}

void bringToFront(QWidget *window) {
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

TFrm_Ping::TFrm_Ping(QWidget *parent)
    : Tfrm_qelNeoForm(QSize(544, 352), TFormBorderStyle::bsSizeable, biSystemMenu, parent) {
    setObjectName(QStringLiteral("Frm_Ping"));
    setCaption(QStringLiteral("评分评分"));
    buildPanel();
    buildChoiceButtons();
    buildFillButtons();
    buildScores();
    buildQuitButton();
    nameControls(this);
}

void TFrm_Ping::buildPanel() {
    Panel1 = new QFrame(PanelBkGnd);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 521, 329);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    // The lowered inner bevel, directly inside the raised outer one.
    auto *innerBevel = new QFrame(Panel1);
    innerBevel->setObjectName(QStringLiteral("Panel1Bevel"));
    innerBevel->setGeometry(Panel1->rect().adjusted(1, 1, -1, -1));
    innerBevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    innerBevel->setAttribute(Qt::WA_TransparentForMouseEvents);

    KvLabel1 = new TKvLabel(Panel1);
    KvLabel1->setObjectName(QStringLiteral("KvLabel1"));
    KvLabel1->setGeometry(183, 9, 141, 28);
    KvLabel1->setFont(songFont(24));
    KvLabel1->setFontColor(Colors::clBlue);
    KvLabel1->setCaption(QStringLiteral("笔试题答案"));

    Label5 = makeLabel(Panel1, QStringLiteral("Label5"), QStringLiteral("请点击相应按钮进入评析"), QPoint(178, 39));
    setColorRole(Label5, QPalette::WindowText, Colors::clNavy);
}

void TFrm_Ping::buildChoiceButtons() {
    GrpBx_Choose = new QGroupBox(QStringLiteral("选择题答案"), Panel1);
    GrpBx_Choose->setObjectName(QStringLiteral("GrpBx_Choose"));
    GrpBx_Choose->setGeometry(15, 53, 393, 207);
    for (int n = 1; n <= Exam::kChoiceCount; ++n) {
        auto *button = new QPushButton(QString::number(n), GrpBx_Choose);
        button->setObjectName(QStringLiteral("BitBtn%1").arg(n));
        const int row = (n - 1) / kChoiceButtonsPerRow;
        const int column = (n - 1) % kChoiceButtonsPerRow;
        button->setGeometry(11 + 38 * column, 24 + 30 * row, 28, 25);
        connect(button, &QPushButton::clicked, this, [this, button] { BitBtn1Click(button); });
    }
}

void TFrm_Ping::buildFillButtons() {
    GrpBx_fill = new QGroupBox(QStringLiteral("填空题答案"), Panel1);
    GrpBx_fill->setObjectName(QStringLiteral("GrpBx_fill"));
    GrpBx_fill->setGeometry(416, 53, 89, 206);
    // Odd numbers in the left column, even ones in the right; the first button stands apart, a little narrower.
    for (int i = 1; i <= Exam::kFillCount; ++i) {
        auto *button = new QPushButton(QString::number(i), GrpBx_fill);
        button->setObjectName(QStringLiteral("BitBtn%1").arg(Exam::kChoiceCount + i));
        const bool odd = i % 2 == 1;
        const int top = 26 + 30 * ((i - 1) / 2);
        if (i == 1)
            button->setGeometry(16, top, 25, 25);
        else
            button->setGeometry(odd ? 13 : 50, top, 28, 25);
        connect(button, &QPushButton::clicked, this, [this, button] { BitBtn56Click(button); });
    }
}

void TFrm_Ping::buildScores() {
    Label2 = makeLabel(Panel1, QStringLiteral("Label2"), QStringLiteral("选择题得分"), QPoint(20, 271));
    Edit_choose = makeScoreBox(Panel1, "Edit_choose", QRect(95, 266, 53, 20));
    Label3 = makeLabel(Panel1, QStringLiteral("Label3"), QStringLiteral("填空题得分"), QPoint(216, 271));
    Edit_fill = makeScoreBox(Panel1, "Edit_fill", QRect(290, 265, 51, 20));
    Label4 = makeLabel(Panel1, QStringLiteral("Label4"), QStringLiteral("总分"), QPoint(128, 305));
    Edit_sum = makeScoreBox(Panel1, "Edit_sum", QRect(163, 300, 67, 20));
}

void TFrm_Ping::buildQuitButton() {
    Button2 = makeScreenButton(Panel1, "Button2", QStringLiteral("&Q退出"), QPoint(422, 296), 84, quitButtonColors());
    connect(Button2, &TdxButton::clicked, this, [this] { Button2Click(Button2); });
}

void TFrm_Ping::FormShow(QObject *Sender) {
    HandlerGuard::run([this, Sender] { grade(Sender); });
}

void TFrm_Ping::grade(QObject *Sender) {
    Tfrm_qelNeoForm::FormShow(Sender);
    ChoiceScore = 0;
    TotalScore = 0;
    const GradedPaper paper = gradePaper();

    for (int n = 1; n <= Exam::kChoiceCount; ++n) {
        const _Tk &question = ChoiceQuestions[n];
        markVerdict(numberedButton(GrpBx_Choose, n), paper.ChoiceVerdicts[n],
                    VerdictWords::forChoice(paper.ChoiceVerdicts[n], question.CandidateAnswer, question.Key));
    }
    ChoiceScore = paper.ChoiceScore;
    Edit_choose->setText(QString::number(ChoiceScore));

    for (int i = 1; i <= Exam::kFillCount; ++i)
        markVerdict(numberedButton(GrpBx_fill, Exam::kChoiceCount + i), paper.FillVerdicts[i],
                    VerdictWords::forFill(paper.FillVerdicts[i], FillQuestions[i].CandidateAnswer));
    Edit_fill->setText(QString::number(paper.FillPoints));

    TotalScore = ChoiceScore + paper.FillPoints;
    Edit_sum->setText(QString::number(TotalScore));
    qCInfo(lcRoad).nospace() << "graded: choice " << ChoiceScore << ", fill " << paper.FillPoints << ", total "
                             << TotalScore;
}

void TFrm_Ping::BitBtn1Click(QObject *Sender) {
    const int n = captionNumber(Sender, Exam::kChoiceCount);
    if (n == 0 || !Frm_Ks_Choose)
        return;
    HandlerGuard::run([n] {
        Frm_Ks_Choose->selectQuestion(n);
        bringToFront(Frm_Ks_Choose);
    });
}

void TFrm_Ping::BitBtn56Click(QObject *Sender) {
    const int i = captionNumber(Sender, Exam::kFillCount);
    if (i == 0 || !Frm_Ks_Fill)
        return;
    HandlerGuard::run([i] {
        TFrm_Ks_Fill *fill = Frm_Ks_Fill;
        if (auto *button = fill->findChild<QPushButton *>(QStringLiteral("BitBtn%1").arg(i)))
            fill->BitBtn1Click(button);
        bringToFront(fill);
    });
}

void TFrm_Ping::Button2Click(QObject *Sender) {
    Q_UNUSED(Sender);
    HandlerGuard::run([this] {
        endExam();
        close();
    });
}

void TFrm_Ping::closeEvent(QCloseEvent *event) {
    Tfrm_qelNeoForm::closeEvent(event);
    if (event->isAccepted())
        endExam();
}

// The start screen comes forward and the choice screen goes with its paper, so that the next start draws a new one.
// The fill-in screen, if it was reopened, stays where it is. Runs once per sheet, however the sheet is left.
void TFrm_Ping::endExam() {
    if (m_examEnded)
        return;
    m_examEnded = true;
    if (Frm_Ks_Sta)
        bringToFront(Frm_Ks_Sta);
    if (Frm_Ks_Choose) {
        Frm_Ks_Choose->Tag = 0;
        Frm_Ks_Choose->close();
    }
}
