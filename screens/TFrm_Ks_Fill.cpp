// SPDX-License-Identifier: GPL-3.0-or-later

#include "screens/TFrm_Ks_Fill.h"

#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "rules/Countdown.h"
#include "rules/ExamState.h"
#include "screens/AccessibleNames.h"
#include "screens/CountdownColor.h"
#include "screens/ExamPhase.h"
#include "screens/FillArrow.h"
#include "screens/ReviewMode.h"
#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Choose.h"
#include "ui/DisabledBoxScrollBar.h"
#include "ui/Fonts.h"
#include "ui/HandlerGuard.h"
#include "ui/ScreenParts.h"
#include "ui/TColor.h"
#include "ui/TKvLabel.h"

using namespace ScreenParts;

int CurrentFillNumber = 0;

namespace {

constexpr int kQuestionsPerColumn = 5;
constexpr int kArrowGap = 5;

// Where the numbered buttons and the answer boxes stand inside the answer sheet. The columns are not perfectly
// regular: button 1 stands one pixel to the right of the others, and button 9 is lower and shorter.
constexpr int kRowTops[kQuestionsPerColumn] = {35, 65, 95, 125, 155};
constexpr int kButtonLeft[2] = {35, 292};
constexpr int kBoxLeft[2] = {66, 325};
const QSize kButtonSize(28, 25);
const QSize kBoxSize(192, 24);

QRect numberButtonGeometry(int n) {
    const int column = (n - 1) / kQuestionsPerColumn;
    const int row = (n - 1) % kQuestionsPerColumn;
    QRect geometry(QPoint(kButtonLeft[column], kRowTops[row]), kButtonSize);
    if (n == 1)
        geometry.moveLeft(36);
    if (n == 9)
        geometry = QRect(292, 128, 28, 22);
    return geometry;
}

QRect answerBoxGeometry(int n) {
    const int column = (n - 1) / kQuestionsPerColumn;
    const int row = (n - 1) % kQuestionsPerColumn;
    return QRect(QPoint(kBoxLeft[column], kRowTops[row] + 1), kBoxSize);
}

QPlainTextEdit *memo(QWidget *parent, const QString &name, const QRect &geometry, int pixelSize, TColor color) {
    auto *result = place<QPlainTextEdit>(parent, name, geometry);
    result->setFont(songFont(pixelSize));
    result->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setColorRole(result, QPalette::Base, color);
    return result;
}

TKvLabel *effectLabel(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry,
                      int pixelSize) {
    auto *result = place<TKvLabel>(parent, name, geometry);
    result->setCaption(caption);
    result->setFont(songFont(pixelSize));
    result->setFontColor(Colors::clBlue);
    return result;
}

} // namespace

TFrm_Ks_Fill::TFrm_Ks_Fill(QWidget *parent)
    : Tfrm_qelNeoForm(QSize(576, 448), TFormBorderStyle::bsSizeable, biSystemMenu, parent) {
    setObjectName(QStringLiteral("Frm_Ks_Fill"));
    setCaption(QStringLiteral("填空题"));

    Panel1 = place<QFrame>(PanelBkGnd, QStringLiteral("Panel1"), QRect(0, -2, 553, 433));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    setBackgroundColor(Panel1, Colors::clActiveBorder);
    // The lowered inner bevel sits inside a four-pixel border of the panel's own colour.
    auto *innerBevel = place<QFrame>(Panel1, QStringLiteral("Panel1Bevel"), Panel1->rect().adjusted(5, 5, -5, -5));
    innerBevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    innerBevel->setAttribute(Qt::WA_TransparentForMouseEvents);

    KvLabel1 = effectLabel(Panel1, QStringLiteral("KvLabel1"), QStringLiteral("填 空 题"), QRect(214, 9, 113, 28), 24);

    Mem_Tm = memo(Panel1, QStringLiteral("Mem_Tm"), QRect(15, 36, 394, 79), 14, Colors::clScrollBar);
    Mem_Tm->setReadOnly(true);
    watchForHint(Mem_Tm, Hint::QuestionText);

    buildCountdown();
    buildAnswerSheet();
    buildReviewArea();

    Mem_Xs = memo(Panel1, QStringLiteral("Mem_Xs"), QRect(15, 387, 518, 39), 14, Colors::clScrollBar);
    Mem_Xs->setReadOnly(true);

    Fill_Timer = new QTimer(this);
    Fill_Timer->setObjectName(QStringLiteral("Fill_Timer"));
    Fill_Timer->setInterval(1000);
    connect(Fill_Timer, &QTimer::timeout, this, [this] { Fill_TimerTimer(Fill_Timer); });
    Fill_Timer->start();
    Fill_TimerTimer(Fill_Timer);

    // The key or knowledge text in the disabled Memo1 may run longer than the box.
    new DisabledBoxScrollBar(Memo1);
    nameControls(this);
}

void TFrm_Ks_Fill::buildCountdown() {
    GroupBox1 = place<QGroupBox>(Panel1, QStringLiteral("GroupBox1"), QRect(416, 19, 119, 96));
    GroupBox1->setTitle(QStringLiteral("剩余时间"));
    setColorRole(GroupBox1, QPalette::WindowText, Colors::clFuchsia);

    Panel2 = place<QFrame>(GroupBox1, QStringLiteral("Panel2"), QRect(6, 27, 59, 25));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    setBackgroundColor(Panel2, Colors::clBlack);

    const struct {
        QLabel *TFrm_Ks_Fill::*member;
        const char *name;
        QPoint position;
        const char *text;
    } labels[] = {{&TFrm_Ks_Fill::Lbl_fill_minute, "Lbl_fill_minute", {10, 4}, "00"},
                  {&TFrm_Ks_Fill::Label2, "Label2", {30, 3}, "："},
                  {&TFrm_Ks_Fill::Lbl_fill_Second, "Lbl_fill_Second", {40, 4}, "00"}};
    for (const auto &entry : labels) {
        auto *label = place<QLabel>(Panel2, QLatin1String(entry.name), QRect(entry.position, QSize(1, 1)));
        label->setFont(songFont(16, true));
        setColorRole(label, QPalette::WindowText, Colors::clLime);
        label->setText(QString::fromUtf8(entry.text));
        label->adjustSize();
        this->*entry.member = label;
    }

    btn_ping = makeButton(GroupBox1, QStringLiteral("btn_ping"), QStringLiteral("交卷"), QRect(72, 27, 41, 25));
    btn_choose = makeButton(GroupBox1, QStringLiteral("btn_choose"), QStringLiteral("选择题"), QRect(9, 63, 55, 25));
    Btn_quit = makeButton(GroupBox1, QStringLiteral("Btn_quit"), QStringLiteral("退出"), QRect(72, 63, 41, 25));
    connect(btn_ping, &QPushButton::clicked, this, [this] { btn_pingClick(btn_ping); });
    connect(btn_choose, &QPushButton::clicked, this, [this] { btn_chooseClick(btn_choose); });
    connect(Btn_quit, &QPushButton::clicked, this, [this] { Btn_quitClick(Btn_quit); });
}

void TFrm_Ks_Fill::buildAnswerSheet() {
    GroupBox2 = place<QGroupBox>(Panel1, QStringLiteral("GroupBox2"), QRect(13, 122, 520, 194));
    GroupBox2->setTitle(QStringLiteral("填空题答题纸"));

    Img_Arrow = place<QLabel>(GroupBox2, QStringLiteral("Img_Arrow"), QRect(13, 40, 17, 17));
    Img_Arrow->setPixmap(fillArrowPicture());
    watchForHint(Img_Arrow, Hint::Arrow);

    for (int n = 1; n <= Exam::kFillCount; ++n) {
        QPushButton *numberButton =
            makeButton(GroupBox2, QStringLiteral("BitBtn%1").arg(n), QString::number(n), numberButtonGeometry(n));
        connect(numberButton, &QPushButton::clicked, this, [this, numberButton] { BitBtn1Click(numberButton); });
        watchForHint(numberButton, Hint::NumberButton);
        m_numberButtons[n] = numberButton;
    }
    // The boxes are made after all the buttons so that Tab goes from box to box.
    for (int n = 1; n <= Exam::kFillCount; ++n) {
        auto *box = place<QLineEdit>(GroupBox2, QStringLiteral("Edt_Fill_Da%1").arg(n), answerBoxGeometry(n));
        box->setFont(songFont(16));
        keepWholeText(box);
        // textChanged rather than textEdited: a box emptied by the drawing of a new paper stores its empty text
        // as well, so no answer of an earlier paper lingers in the exam state.
        connect(box, &QLineEdit::textChanged, this, [this, box] { Edt_Fill_Da1Change(box); });
        box->installEventFilter(this);
        watchForHint(box, Hint::AnswerBox);
        m_answerBoxes[n] = box;
    }
}

void TFrm_Ks_Fill::buildReviewArea() {
    // Memo1 and the two review buttons come first so that the exam-mode note lies over them.
    Memo1 = memo(Panel1, QStringLiteral("Memo1"), QRect(86, 317, 447, 69), 16, Colors::clInactiveBorder);
    Memo1->setEnabled(false);
    Memo1->hide();

    btn_answer = makeButton(Panel1, QStringLiteral("btn_answer"), QStringLiteral("答案"), QRect(20, 323, 65, 25));
    btn_anisys = makeButton(Panel1, QStringLiteral("btn_anisys"), QStringLiteral("解析"), QRect(19, 352, 65, 25));
    btn_answer->hide();
    btn_anisys->hide();
    connect(btn_answer, &QPushButton::clicked, this, [this] { btn_answerClick(btn_answer); });
    connect(btn_anisys, &QPushButton::clicked, this, [this] { btn_anisysClick(btn_anisys); });
    watchForHint(btn_answer, Hint::AnswerButton);
    watchForHint(btn_anisys, Hint::AnalysisButton);

    Panel3 = place<QFrame>(Panel1, QStringLiteral("Panel3"), QRect(15, 316, 523, 69));
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Raised);
    setBackgroundColor(Panel3, Colors::clBtnFace);
    KvLabel2 = effectLabel(Panel3, QStringLiteral("KvLabel2"), QStringLiteral("多个空的题目，请以##号分开每个答案"),
                           QRect(16, 24, 500, 33), 29);
    watchForHint(Panel3, Hint::FormatNote);
    // The note's text covers most of the panel; the pointer over it is still over the panel.
    watchForHint(KvLabel2, Hint::FormatNote);
}

void TFrm_Ks_Fill::watchForHint(QWidget *control, Hint hint) {
    control->setMouseTracking(true);
    control->installEventFilter(this);
    m_hints.insert(control, hint);
    // A text box receives the pointer on its viewport, not on itself.
    if (auto *textBox = qobject_cast<QPlainTextEdit *>(control)) {
        textBox->viewport()->setMouseTracking(true);
        textBox->viewport()->installEventFilter(this);
        m_hints.insert(textBox->viewport(), hint);
    }
}

QString TFrm_Ks_Fill::hintText(Hint hint) const {
    switch (hint) {
    case Hint::QuestionText:
        return QStringLiteral("填空题题面，下划线代表应该填空的地方，如果一屏放不下，可用垂直滚动条使之显示出来");
    case Hint::AnswerBox:
        return ExamPhase::inReview() ? QStringLiteral("阅卷不能改变答案") : QStringLiteral("Enter键答下一题");
    case Hint::AnswerButton:
        return QStringLiteral("显示本题答案");
    case Hint::AnalysisButton:
        return QStringLiteral("显示本题知识点");
    case Hint::Arrow:
        return QStringLiteral("这是当前标识");
    case Hint::NumberButton:
        return QStringLiteral("到相应题目去");
    case Hint::FormatNote:
        return QStringLiteral("当前作填空题，单击“选择题”到选择题界面做选择题；可以随时在填空题和选择题之间切换");
    }
    return QString();
}

int TFrm_Ks_Fill::boxNumber(const QObject *object) const {
    for (int n = 1; n <= Exam::kFillCount; ++n)
        if (m_answerBoxes[n] == object)
            return n;
    return 0;
}

bool TFrm_Ks_Fill::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        if (boxNumber(watched) == 0)
            break;
        const auto *keyEvent = static_cast<QKeyEvent *>(event);
        QChar key;
        if (keyEvent->key() == Qt::Key_Return || keyEvent->key() == Qt::Key_Enter)
            key = QChar(13);
        else if (!keyEvent->text().isEmpty())
            key = keyEvent->text().at(0);
        if (key.isNull())
            break;
        Edt_Fill_Da1KeyPress(watched, key);
        if (key.isNull())
            return true;
        break;
    }
    case QEvent::Enter:
    case QEvent::MouseMove: {
        const auto hint = m_hints.constFind(watched);
        if (hint == m_hints.constEnd())
            break;
        // The mode is read now, not when the pointer first came in: the hint of a box differs between the modes.
        const QString text = hintText(*hint);
        if (Mem_Xs->toPlainText() != text)
            Mem_Xs->setPlainText(text);
        break;
    }
    default:
        break;
    }
    return Tfrm_qelNeoForm::eventFilter(watched, event);
}

void TFrm_Ks_Fill::FormShow(QObject *Sender) {
    Tfrm_qelNeoForm::FormShow(Sender);
    Mem_Xs->setVisible(true);
    if (!ExamPhase::inReview())
        BitBtn1Click(m_numberButtons[1]);
    if (m_answerBoxes[1]->isEnabled() && m_answerBoxes[1]->isVisibleTo(this))
        m_answerBoxes[1]->setFocus();
    // The timer redisplays only once a second; without this the first second after a show would show whatever
    // time stood there when the screen was last left.
    Fill_TimerTimer(this);
}

void TFrm_Ks_Fill::setVisible(bool visible) {
    const bool alreadyShown = visible && isVisible();
    Tfrm_qelNeoForm::setVisible(visible);
    if (!alreadyShown)
        return;
    // Showing an open window brings it to the front, as a first show would.
    raise();
    activateWindow();
    FormShow(this);
}

void TFrm_Ks_Fill::BitBtn1Click(QObject *Sender) {
    const auto *sender = qobject_cast<const QPushButton *>(Sender);
    if (!sender)
        return;
    bool isNumber = false;
    const int n = sender->text().toInt(&isNumber);
    if (!isNumber || n < 1 || n > Exam::kFillCount)
        return;

    QLineEdit *box = m_answerBoxes[n];
    if (box->isEnabled() && box->isVisibleTo(this))
        box->setFocus();
    // The arrow goes beside this screen's own button of that number, wherever the sender itself stands.
    const QRect target = m_numberButtons[n]->geometry();
    Img_Arrow->move(target.left() - Img_Arrow->width() - kArrowGap, target.top());
    Mem_Tm->setPlainText(QString::fromUtf8(FillQuestions[n].QuestionText));
    CurrentFillNumber = n;
    btn_answerClick(Sender);
}

void TFrm_Ks_Fill::Edt_Fill_Da1Change(QObject *Sender) {
    const int n = boxNumber(Sender);
    if (n == 0)
        return;
    FillQuestions[n].CandidateAnswer = m_answerBoxes[n]->text().toUtf8();
}

void TFrm_Ks_Fill::Edt_Fill_Da1KeyPress(QObject *Sender, QChar &Key) {
    Q_UNUSED(Sender);
    if (Key != QChar(13))
        return;
    // Enter means "next question" wherever it was typed: the next one after the question shown, not after the
    // box that took the keystroke.
    const int next = CurrentFillNumber >= Exam::kFillCount ? 1 : CurrentFillNumber + 1;
    BitBtn1Click(m_numberButtons[next]);
    Key = QChar();
}

void TFrm_Ks_Fill::btn_answerClick(QObject *Sender) {
    Q_UNUSED(Sender);
    Memo1->clear();
    if (CurrentFillNumber >= 1 && CurrentFillNumber <= Exam::kFillCount)
        Memo1->setPlainText(QString::fromUtf8(FillQuestions[CurrentFillNumber].Key));
}

void TFrm_Ks_Fill::btn_anisysClick(QObject *Sender) {
    Q_UNUSED(Sender);
    Memo1->clear();
    if (CurrentFillNumber >= 1 && CurrentFillNumber <= Exam::kFillCount)
        Memo1->setPlainText(QString::fromUtf8(FillQuestions[CurrentFillNumber].KnowledgeText));
}

void TFrm_Ks_Fill::btn_pingClick(QObject *Sender) {
    Q_UNUSED(Sender);
    HandlerGuard::run([] { SetReviewMode(true); });
}

void TFrm_Ks_Fill::btn_chooseClick(QObject *Sender) {
    Q_UNUSED(Sender);
    // This screen stays open behind the choice screen; the choice screen's own way back hides itself instead.
    if (!Frm_Ks_Choose)
        return;
    // Showing the choice screen may draw a paper.
    HandlerGuard::run([] {
        Frm_Ks_Choose->show();
        Frm_Ks_Choose->raise();
        Frm_Ks_Choose->activateWindow();
    });
}

void TFrm_Ks_Fill::setReviewLook(bool review) {
    setTimerRunning(Fill_Timer, !review);
    btn_ping->setEnabled(!review);
    Mem_Xs->setVisible(!review);
    Panel3->setVisible(!review);
    btn_answer->setVisible(review);
    btn_anisys->setVisible(review);
    Memo1->setVisible(review);
    for (int n = 1; n <= Exam::kFillCount; ++n)
        m_answerBoxes[n]->setEnabled(!review);
}

void TFrm_Ks_Fill::Btn_quitClick(QObject *Sender) {
    Q_UNUSED(Sender);
    // Leaving stops and clears nothing: the paper, the answers and the running countdown wait for the next start.
    close();
    if (Frm_Ks_Choose)
        Frm_Ks_Choose->close();
}

void TFrm_Ks_Fill::Fill_TimerTimer(QObject *Sender) {
    Q_UNUSED(Sender);
    Lbl_fill_minute->setText(Countdown::display(RemainingMinutes));
    Lbl_fill_Second->setText(Countdown::display(RemainingSeconds));
    colorCountdown({Lbl_fill_minute, Label2, Lbl_fill_Second});
}
