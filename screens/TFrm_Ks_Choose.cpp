// SPDX-License-Identifier: GPL-3.0-or-later

#include "screens/TFrm_Ks_Choose.h"

#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>

#include "engine/BankError.h"
#include "engine/TDm.h"
#include "rules/Countdown.h"
#include "screens/AccessibleNames.h"
#include "screens/ChoiceTickPicture.h"
#include "screens/CountdownColor.h"
#include "screens/ExamPhase.h"
#include "screens/ReviewMode.h"
#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Fill.h"
#include "ui/ButtonFontColor.h"
#include "ui/Fonts.h"
#include "ui/HandlerGuard.h"
#include "ui/RoadLog.h"
#include "ui/ScreenParts.h"
#include "ui/TKvLabel.h"

QPushButton *CurrentChoiceButton = nullptr;
QLineEdit *CurrentChoiceEdit = nullptr;
int CurrentChoiceNumber = 0;

using namespace ScreenParts;

namespace {

constexpr int kQuestionsOnFirstSheet = 20;
constexpr int kQuestionsOnFirstTwoSheets = 40;
// First question of each sheet, by sheet index.
constexpr int kFirstOfSheet[] = {1, 21, 41};

QLineEdit *makeReadOnlyLine(QWidget *parent, const QString &name, const QRect &geometry) {
    auto *edit = place<QLineEdit>(parent, name, geometry);
    edit->setReadOnly(true);
    return edit;
}

QPlainTextEdit *makeReadOnlyMemo(QWidget *parent, const QString &name, const QRect &geometry, TColor color,
                                 int fontPx) {
    auto *memo = place<QPlainTextEdit>(parent, name, geometry);
    memo->setReadOnly(true);
    memo->setFont(songFont(fontPx));
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setColorRole(memo, QPalette::Base, color);
    return memo;
}

// Text of the exam state for a box. Line breaks are stored as CR LF; a text box would take the CR for a line break
// of its own and show an empty line between the two.
QString boxText(const QByteArray &bytes) {
    QString text = QString::fromUtf8(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

TFrm_Ks_Choose::TFrm_Ks_Choose(QWidget *parent)
    : Tfrm_qelNeoForm(QSize(581, 429), TFormBorderStyle::bsSizeable, biSystemMenu, parent) {
    setObjectName(QStringLiteral("Frm_Ks_Choose"));
    setCaption(QStringLiteral("选择题"));

    Panel2 = new QFrame(PanelBkGnd);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(6, 5, 570, 426);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setLineWidth(2);

    KvLabel1 = new TKvLabel(Panel2);
    KvLabel1->setObjectName(QStringLiteral("KvLabel1"));
    KvLabel1->setGeometry(206, 7, 139, 26);
    KvLabel1->setFont(songFont(24));
    KvLabel1->setCaption(QStringLiteral("选  择  题"));
    KvLabel1->setFontColor(Colors::clBlue);

    buildSheets();
    buildAnswerSheet();
    buildCountdown();
    buildReviewPart();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TFrm_Ks_Choose::Timer1Timer);

    wireKeyboard();
    nameControls(this);
}

TFrm_Ks_Choose::~TFrm_Ks_Choose() {
    // The cursors are plain globals; they must not outlive the buttons they point at.
    if (CurrentChoiceButton && isAncestorOf(CurrentChoiceButton)) {
        CurrentChoiceButton = nullptr;
        CurrentChoiceEdit = nullptr;
        CurrentChoiceNumber = 0;
    }
}

void TFrm_Ks_Choose::buildSheets() {
    PageControl1 = new QTabWidget(Panel2);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(9, 35, 412, 139);
    const QString names[] = {QStringLiteral("TabSheet1"), QStringLiteral("TabSheet2"), QStringLiteral("TabSheet3")};
    const QString captions[] = {QStringLiteral("选择题序号（1-20）"), QStringLiteral("选择题（21-40）"),
                                QStringLiteral("选择题（41-55）")};
    QWidget *sheets[3];
    for (int i = 0; i < 3; ++i) {
        sheets[i] = new QWidget;
        sheets[i]->setObjectName(names[i]);
        PageControl1->addTab(sheets[i], captions[i]);
    }
    TabSheet1 = sheets[0];
    TabSheet2 = sheets[1];
    TabSheet3 = sheets[2];

    // Two rows of up to ten on each sheet, each answer box 27 px below its button.
    constexpr int kRowTops[] = {2, 56};
    for (int n = 1; n <= Exam::kChoiceCount; ++n) {
        const int sheet = n <= kQuestionsOnFirstSheet ? 0 : n <= kQuestionsOnFirstTwoSheets ? 1 : 2;
        const int onSheet = n - kFirstOfSheet[sheet];
        const int left = 3 + 40 * (onSheet % 10);
        const int top = kRowTops[onSheet / 10];
        const bool lastSheet = sheet == 2;

        QPushButton *button =
            makeButton(sheets[sheet], QStringLiteral("BitBtn%1").arg(n), QString::number(n), QRect(left, top, 35, 25));
        button->setFont(songFont(lastSheet ? 12 : 14));
        setButtonFontColor(button, Colors::clBlack);
        connect(button, &QPushButton::clicked, this, [this, button] { BitBtn1Click(button); });
        m_numberButtons[n] = button;

        auto *box = new QLineEdit(sheets[sheet]);
        box->setObjectName(QStringLiteral("Edit%1").arg(n));
        box->setGeometry(left, top + 27, 36, lastSheet ? 20 : 22);
        box->setReadOnly(true);
        box->setEnabled(false);
        m_answerBoxes[n] = box;
    }

    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { PageControl1Change(); });
}

void TFrm_Ks_Choose::buildAnswerSheet() {
    GroupBox1 = new QGroupBox(QStringLiteral("选择题答题纸"), Panel2);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 181, 413, 233);

    Label2 = makeLabel(GroupBox1, QStringLiteral("Label2"), QStringLiteral("题目"), QPoint(24, 24));
    setColorRole(Label2, QPalette::WindowText, Colors::clNavy);

    Edt_Tm = makeReadOnlyMemo(GroupBox1, QStringLiteral("Edt_Tm"), QRect(59, 16, 314, 61), Colors::clActiveBorder, 16);

    const int buttonTops[] = {84, 121, 159, 196};
    const int boxTops[] = {85, 122, 159, 196};
    QPushButton **buttons[] = {&Btn_Ans_A, &Btn_Ans_B, &Btn_Ans_C, &Btn_Ans_D};
    QLineEdit **boxes[] = {&Edt_Ans_A, &Edt_Ans_B, &Edt_Ans_C, &Edt_Ans_D};
    for (int i = 0; i < 4; ++i) {
        const QChar letter(char16_t(u'A' + i));
        QPushButton *button = makeButton(GroupBox1, QStringLiteral("Btn_Ans_") + letter, QStringLiteral("&") + letter,
                                         QRect(16, buttonTops[i], 41, 25));
        button->setFont(songFont(19));
        connect(button, &QPushButton::clicked, this, [this, button] { Btn_Ans_AClick(button); });
        *buttons[i] = button;

        QLineEdit *box =
            makeReadOnlyLine(GroupBox1, QStringLiteral("Edt_Ans_") + letter, QRect(60, boxTops[i], 313, 24));
        box->setFont(songFont(16));
        keepWholeText(box);
        setColorRole(box, QPalette::Base, Colors::clScrollBar);
        *boxes[i] = box;
    }

    Img_DuiHao = new QLabel(GroupBox1);
    Img_DuiHao->setObjectName(QStringLiteral("Img_DuiHao"));
    Img_DuiHao->setGeometry(376, 88, 33, 25);
    Img_DuiHao->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Img_DuiHao->setPixmap(choiceTickPicture());
    Img_DuiHao->hide();
}

void TFrm_Ks_Choose::buildCountdown() {
    GroupBox2 = new QGroupBox(QStringLiteral("剩余时间"), Panel2);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(427, 37, 126, 105);
    setColorRole(GroupBox2, QPalette::WindowText, Colors::clFuchsia);
    setColorRole(GroupBox2, QPalette::Text, Colors::clFuchsia);

    Panel1 = new QFrame(GroupBox2);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(7, 24, 62, 26);
    Panel1->setAutoFillBackground(true);
    setColorRole(Panel1, QPalette::Window, Colors::clBlack);

    Lbl_Minute = makeLabel(Panel1, QStringLiteral("Lbl_Minute"), QStringLiteral("90"), QPoint(10, 5));
    Label7 = makeLabel(Panel1, QStringLiteral("Label7"), QStringLiteral(":"), QPoint(29, 4));
    Lbl_Second = makeLabel(Panel1, QStringLiteral("Lbl_Second"), QStringLiteral("00"), QPoint(39, 5));
    for (QLabel *label : {Lbl_Minute, Label7, Lbl_Second}) {
        label->setFont(songFont(16, true));
        setColorRole(label, QPalette::WindowText, Colors::clLime);
        label->adjustSize();
    }

    Btn_ping = makeButton(GroupBox2, QStringLiteral("Btn_ping"), QStringLiteral("交卷"), QRect(73, 24, 48, 25));
    Btn_Fill = makeButton(GroupBox2, QStringLiteral("Btn_Fill"), QStringLiteral("填空题"), QRect(7, 64, 48, 25));
    Btn_Close = makeButton(GroupBox2, QStringLiteral("Btn_Close"), QStringLiteral("退出"), QRect(73, 64, 48, 25));
    connect(Btn_ping, &QPushButton::clicked, this, &TFrm_Ks_Choose::Btn_pingClick);
    connect(Btn_Fill, &QPushButton::clicked, this, &TFrm_Ks_Choose::Btn_FillClick);
    connect(Btn_Close, &QPushButton::clicked, this, &TFrm_Ks_Choose::Btn_CloseClick);
}

void TFrm_Ks_Choose::buildReviewPart() {
    Btn_ZhiShiDian =
        makeButton(Panel2, QStringLiteral("Btn_ZhiShiDian"), QStringLiteral("知识点"), QRect(435, 147, 48, 25));
    Btn_Analysis = makeButton(Panel2, QStringLiteral("Btn_Analysis"), QStringLiteral("评析"), QRect(500, 147, 48, 25));
    connect(Btn_ZhiShiDian, &QPushButton::clicked, this, &TFrm_Ks_Choose::Btn_ZhiShiDianClick);
    connect(Btn_Analysis, &QPushButton::clicked, this, &TFrm_Ks_Choose::Btn_AnalysisClick);

    Lbl_count = makeLabel(Panel2, QStringLiteral("Lbl_count"), QString(), QPoint(442, 181));
    Lbl_Ip = makeLabel(Panel2, QStringLiteral("Lbl_Ip"), QString(), QPoint(486, 205));

    Mem_Analysis =
        makeReadOnlyMemo(Panel2, QStringLiteral("Mem_Analysis"), QRect(428, 230, 129, 182), Colors::clScrollBar, 14);
    Mem_Analysis->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    // The screen starts in exam mode.
    for (QWidget *widget :
         {static_cast<QWidget *>(Btn_ZhiShiDian), static_cast<QWidget *>(Btn_Analysis),
          static_cast<QWidget *>(Mem_Analysis), static_cast<QWidget *>(Lbl_count), static_cast<QWidget *>(Lbl_Ip)})
        widget->hide();
}

void TFrm_Ks_Choose::wireKeyboard() {
    // Escape anywhere in the window acts as "填空题".
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, Btn_Fill, &QPushButton::click);
    // Enter presses the button that has the focus, and a bare letter A to D answers while a button has it; the
    // captions "&A".."&D" give Alt+letter anywhere in the window.
    for (QPushButton *button : PanelBkGnd->findChildren<QPushButton *>())
        button->installEventFilter(this);
}

bool TFrm_Ks_Choose::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress)
        return Tfrm_qelNeoForm::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier)
        return Tfrm_qelNeoForm::eventFilter(watched, event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto *button = qobject_cast<QPushButton *>(watched))
            button->click();
        return true;
    case Qt::Key_A:
        Btn_Ans_A->click();
        return true;
    case Qt::Key_B:
        Btn_Ans_B->click();
        return true;
    case Qt::Key_C:
        Btn_Ans_C->click();
        return true;
    case Qt::Key_D:
        Btn_Ans_D->click();
        return true;
    default:
        return Tfrm_qelNeoForm::eventFilter(watched, event);
    }
}

QWidget *TFrm_Ks_Choose::sheetOf(int n) const {
    return n <= kQuestionsOnFirstSheet ? TabSheet1 : n <= kQuestionsOnFirstTwoSheets ? TabSheet2 : TabSheet3;
}

void TFrm_Ks_Choose::FormShow(QObject *Sender) {
    HandlerGuard::run([this, Sender] { startExamWhenNoPaper(Sender); });
}

void TFrm_Ks_Choose::startExamWhenNoPaper(QObject *Sender) {
    Tfrm_qelNeoForm::FormShow(Sender);
    // A paper is drawn only in exam mode. After the score sheet's quit the fill-in screen may still be open in review
    // mode and bring this screen back; drawing there would show the new paper's keys, and the next start would then
    // resume that very paper as an exam.
    if (ExamPhase::paperDrawn() || ExamPhase::inReview())
        return;
    setButtonFontColor(CurrentChoiceButton, Colors::clBlack);
    Tag = 1;
    try {
        if (!Dm)
            throw BankError(QStringLiteral("数据模块尚未创建，无法抽题"));
        m_drawnPaper = drawPaper(*Dm->ADOQuery1, this);
    } catch (...) {
        giveUpFailedDrawing();
        throw;
    }
    CurrentChoiceButton = m_numberButtons[1];
    CurrentChoiceEdit = m_answerBoxes[1];
    CurrentChoiceNumber = 1;
    Timer1->start();
    showCountdown();
    BitBtn1Click(m_numberButtons[1]);
    qCInfo(lcRoad) << "paper drawn";
}

void TFrm_Ks_Choose::giveUpFailedDrawing() {
    // The drawing has already emptied the exam state and the answer boxes. What is left is this screen's own view of
    // the earlier paper; the countdown must not run on (and expire) for a paper that does not exist. The failure
    // is reported once the show handling has given up.
    Tag = 0;
    Timer1->stop();
    m_drawnPaper = DrawnPaper{};
    CurrentChoiceButton = nullptr;
    CurrentChoiceEdit = nullptr;
    CurrentChoiceNumber = 0;
    Edt_Tm->clear();
    for (QLineEdit *box : {Edt_Ans_A, Edt_Ans_B, Edt_Ans_C, Edt_Ans_D})
        box->clear();
    Mem_Analysis->clear();
    // The show in progress is not over yet; the screens are taken down once it is.
    QTimer::singleShot(0, this, [this] {
        hide();
        if (Frm_Ks_Fill)
            Frm_Ks_Fill->hide();
    });
}

void TFrm_Ks_Choose::BitBtn1Click(QObject *Sender) {
    if (!Sender)
        return;
    const int n = Sender->objectName().mid(6).toInt();
    if (n < 1 || n > Exam::kChoiceCount)
        return;
    const _Tk &question = ChoiceQuestions[n];

    setButtonFontColor(CurrentChoiceButton, Colors::clBlack);
    Edt_Tm->setPlainText(boxText(question.QuestionText));
    const QByteArray *options[] = {&question.OptionA, &question.OptionB, &question.OptionC, &question.OptionD};
    QLineEdit *optionBoxes[] = {Edt_Ans_A, Edt_Ans_B, Edt_Ans_C, Edt_Ans_D};
    for (int i = 0; i < 4; ++i) {
        optionBoxes[i]->setText(QString::fromUtf8(*options[i]));
        // A long option is read from its beginning; a one-line box would otherwise scroll to the text's end.
        optionBoxes[i]->setCursorPosition(0);
    }

    // The marker goes on this screen's own button of that number, whoever asked for the selection.
    CurrentChoiceButton = m_numberButtons[n];
    CurrentChoiceEdit = findChild<QLineEdit *>(QStringLiteral("Edit%1").arg(n));
    CurrentChoiceNumber = n;
    setButtonFontColor(CurrentChoiceButton, Colors::clRed);

    Mem_Analysis->setPlainText(boxText(question.Analysis));

    const QByteArray letters[] = {"A", "B", "C", "D"};
    int top = Img_DuiHao->y();
    for (int i = 0; i < 4; ++i)
        if (question.Key == letters[i])
            top = optionBoxes[i]->y();
    Img_DuiHao->move(Edt_Ans_A->x() + Edt_Ans_A->width(), top);
}

void TFrm_Ks_Choose::Btn_Ans_AClick(QObject *Sender) {
    auto *button = qobject_cast<QPushButton *>(Sender);
    if (!button || button->text().size() < 2 || !CurrentChoiceEdit)
        return;
    CurrentChoiceEdit->setText(button->text().mid(1, 1));
    StoreAnswerAndAdvance();
}

void TFrm_Ks_Choose::StoreAnswerAndAdvance() {
    const int n = CurrentChoiceNumber;
    if (n < 1 || n > Exam::kChoiceCount || !CurrentChoiceEdit)
        return;
    ChoiceQuestions[n].CandidateAnswer = CurrentChoiceEdit->text().toUtf8();
    selectQuestion(n == Exam::kChoiceCount ? 1 : n + 1);
}

void TFrm_Ks_Choose::selectQuestion(int n) {
    if (n < 1 || n > Exam::kChoiceCount)
        return;
    {
        // Bringing the question's sheet forward is not the candidate picking a tab, which would select the sheet's
        // first question.
        const QSignalBlocker blocker(PageControl1);
        PageControl1->setCurrentWidget(sheetOf(n));
    }
    BitBtn1Click(m_numberButtons[n]);
}

void TFrm_Ks_Choose::setReviewLook(bool review) {
    setTimerRunning(Timer1, !review);
    Btn_ping->setEnabled(!review);
    Btn_ZhiShiDian->setVisible(review);
    Lbl_count->setVisible(review);
    Lbl_Ip->setVisible(review);
    Btn_Analysis->setVisible(review);
    Mem_Analysis->setVisible(review);
    for (QPushButton *answer : {Btn_Ans_A, Btn_Ans_B, Btn_Ans_C, Btn_Ans_D})
        answer->setEnabled(!review);
    Img_DuiHao->setVisible(review);
}

void TFrm_Ks_Choose::PageControl1Change() {
    const int sheet = PageControl1->currentIndex();
    if (sheet < 0 || sheet > 2)
        return;
    BitBtn1Click(m_numberButtons[kFirstOfSheet[sheet]]);
}

void TFrm_Ks_Choose::Btn_pingClick() {
    HandlerGuard::run([] { SetReviewMode(true); });
}

void TFrm_Ks_Choose::Btn_FillClick() {
    hide();
    if (Frm_Ks_Fill)
        Frm_Ks_Fill->show();
}

void TFrm_Ks_Choose::Btn_CloseClick() {
    setButtonFontColor(CurrentChoiceButton, Colors::clBlack);
    close();
    if (Frm_Ks_Fill)
        Frm_Ks_Fill->close();
}

void TFrm_Ks_Choose::Btn_ZhiShiDianClick() {
    Lbl_count->hide();
    Lbl_Ip->hide();
    Mem_Analysis->setPlainText(QStringLiteral("本题没有相应的知识点解释"));
    const int n = CurrentChoiceNumber;
    if (n < 1 || n > Exam::kChoiceCount)
        return;
    _Tk &question = ChoiceQuestions[n];
    const int count = qMin(question.KnowledgeCount, int(Exam::kKnowledgeSlots));
    if (count <= 0)
        return;
    Lbl_count->show();
    Lbl_Ip->show();
    question.KnowledgeIndex =
        question.KnowledgeIndex >= 1 && question.KnowledgeIndex < count ? question.KnowledgeIndex + 1 : 1;
    Lbl_count->setText(QStringLiteral("共有'") + QString::number(count) + QStringLiteral("'") +
                       QStringLiteral("个知识点"));
    Lbl_count->adjustSize();
    Lbl_Ip->setText(QString::number(question.KnowledgeIndex));
    Lbl_Ip->adjustSize();
    Mem_Analysis->setPlainText(boxText(question.KnowledgeTexts[question.KnowledgeIndex]));
}

void TFrm_Ks_Choose::Btn_AnalysisClick() {
    const int n = CurrentChoiceNumber;
    if (n < 1 || n > Exam::kChoiceCount)
        return;
    Mem_Analysis->setPlainText(boxText(ChoiceQuestions[n].Analysis));
}

void TFrm_Ks_Choose::Timer1Timer() {
    // At 00:00 the countdown stands still; the tick that gets there is the one that tells.
    if (!Countdown::tick(RemainingMinutes, RemainingSeconds))
        return;
    showCountdown();
    if (Countdown::expired(RemainingMinutes, RemainingSeconds))
        emit countdownExpired();
}

void TFrm_Ks_Choose::showCountdown() {
    Lbl_Minute->setText(Countdown::display(RemainingMinutes));
    Lbl_Second->setText(Countdown::display(RemainingSeconds));
    Lbl_Minute->adjustSize();
    Lbl_Second->adjustSize();
    colorCountdown({Lbl_Minute, Label7, Lbl_Second});
}

void TFrm_Ks_Choose::clearChoiceAnswerBox(int n) {
    m_answerBoxes[n]->clear();
}

void TFrm_Ks_Choose::clearFillAnswerBox(int n) {
    if (!Frm_Ks_Fill)
        return;
    if (auto *box = Frm_Ks_Fill->findChild<QLineEdit *>(QStringLiteral("Edt_Fill_Da%1").arg(n)))
        box->clear();
}
