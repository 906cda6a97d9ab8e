#include "ReviewMode.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <memory>

#include "ExamState.h"
#include "MessageBoxSeam.h"
#include "ModalLayer.h"
#include "ScreenGlobals.h"
#include "TFrm_Ks_Choose.h"
#include "TFrm_Ks_Fill.h"
#include "TFrm_Ping.h"

namespace {

// Turning a running timer on again would restart its second and lose the part already counted.
void setTimerEnabled(QTimer *timer, bool enabled) {
    if (!enabled)
        timer->stop();
    else if (!timer->isActive())
        timer->start();
}

void setFillScreenMode(TFrm_Ks_Fill *fill, bool review) {
    fill->btn_ping->setEnabled(!review);
    fill->Mem_Xs->setVisible(!review);
    fill->Panel3->setVisible(!review);
    fill->btn_answer->setVisible(review);
    fill->btn_anisys->setVisible(review);
    fill->Memo1->setVisible(review);
    for (int n = 1; n <= Exam::kFillCount; ++n)
        if (auto *box = fill->findChild<QLineEdit *>(QStringLiteral("Edt_Fill_Da%1").arg(n)))
            box->setEnabled(!review);
}

void setChoiceScreenMode(TFrm_Ks_Choose *choice, bool review) {
    choice->Btn_ping->setEnabled(!review);
    choice->Btn_ZhiShiDian->setVisible(review);
    choice->Lbl_count->setVisible(review);
    choice->Lbl_Ip->setVisible(review);
    choice->Btn_Analysis->setVisible(review);
    choice->Mem_Analysis->setVisible(review);
    for (QPushButton *answer : {choice->Btn_Ans_A, choice->Btn_Ans_B, choice->Btn_Ans_C, choice->Btn_Ans_D})
        answer->setEnabled(!review);
    choice->Img_DuiHao->setVisible(review);
}

// Time is up: the paper is handed in as "交卷" would, whichever screen is showing, or none. A paper that has been
// handed in already (the sheet is up, or the screens are in review mode) or that no longer exists is left alone.
void handInWhenTimeIsUp() {
    if (Frm_Ping || !Frm_Ks_Choose || Frm_Ks_Choose->Tag != 1 || !Frm_Ks_Choose->Btn_ping->isEnabled())
        return;
    // The candidate is told why the paper is gone, once the score sheet is up (its modal run has begun).
    QTimer::singleShot(0, Frm_Ks_Choose, [] {
        if (Frm_Ping)
            MessageBoxSeam::showNotice(Frm_Ping, QStringLiteral("考试时间到，试卷已自动交卷。"));
    });
    SetReviewMode(true);
}

// The hand-in runs from the event loop rather than inside the countdown's tick, so the tick has finished its work
// before the sheet's modal run begins.
void watchCountdown() {
    static QPointer<TFrm_Ks_Choose> watched;
    if (!Frm_Ks_Choose || watched == Frm_Ks_Choose)
        return;
    watched = Frm_Ks_Choose;
    QObject::connect(Frm_Ks_Choose, &TFrm_Ks_Choose::countdownExpired, Frm_Ks_Choose, &handInWhenTimeIsUp,
                     Qt::QueuedConnection);
}

// Clears the global reference before the sheet it names is destroyed, however the modal run ends.
struct SheetReference {
    explicit SheetReference(TFrm_Ping *sheet) { Frm_Ping = sheet; }
    ~SheetReference() { Frm_Ping = nullptr; }
    SheetReference(const SheetReference &) = delete;
    SheetReference &operator=(const SheetReference &) = delete;
};

void showScoreSheet() {
    const auto sheet = std::make_unique<TFrm_Ping>();
    const SheetReference reference(sheet.get());
    showModal(sheet.get());
}

} // namespace

void SetReviewMode(bool review) {
    if (review && Frm_Ping)
        return;
    watchCountdown();

    if (Frm_Ks_Choose)
        setTimerEnabled(Frm_Ks_Choose->Timer1, !review);
    if (Frm_Ks_Fill)
        setTimerEnabled(Frm_Ks_Fill->Fill_Timer, !review);
    if (Frm_Ks_Fill)
        setFillScreenMode(Frm_Ks_Fill, review);
    if (Frm_Ks_Choose)
        setChoiceScreenMode(Frm_Ks_Choose, review);
    if (!review)
        return;

    if (Frm_Ks_Fill)
        Frm_Ks_Fill->close();
    if (Frm_Ks_Choose)
        Frm_Ks_Choose->close();
    showScoreSheet();
}
