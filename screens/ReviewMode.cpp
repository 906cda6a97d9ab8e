// SPDX-License-Identifier: GPL-3.0-or-later

#include "screens/ReviewMode.h"

#include <QPushButton>
#include <QTimer>

#include <memory>

#include "screens/ExamPhase.h"
#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Choose.h"
#include "screens/TFrm_Ks_Fill.h"
#include "screens/TFrm_Ping.h"
#include "ui/HandlerGuard.h"
#include "ui/MessageBoxSeam.h"
#include "ui/ModalLayer.h"

namespace {

// Time is up: the paper is handed in as "交卷" would, whichever screen is showing, or none. A paper that has been
// handed in already (the sheet is up, or the screens are in review mode) or that no longer exists is left alone.
void timeIsUp() {
    if (!ExamPhase::examRunning())
        return;
    // The candidate is told why the paper is gone, once the score sheet is up (its modal run has begun).
    QTimer::singleShot(0, Frm_Ks_Choose, [] {
        if (Frm_Ping)
            MessageBoxSeam::showNotice(Frm_Ping, QStringLiteral("考试时间到，试卷已自动交卷。"));
    });
    HandlerGuard::run([] { SetReviewMode(true); });
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

void setTimerRunning(QTimer *timer, bool running) {
    // Turning a running timer on again would restart its second and lose the part already counted.
    if (!running)
        timer->stop();
    else if (!timer->isActive())
        timer->start();
}

void handInWhenTimeIsUp(TFrm_Ks_Choose *choice) {
    // The hand-in runs from the event loop rather than inside the countdown's tick, so the tick has finished its
    // work before the sheet's modal run begins.
    QObject::connect(choice, &TFrm_Ks_Choose::countdownExpired, choice, &timeIsUp, Qt::QueuedConnection);
}

void SetReviewMode(bool review) {
    if (review && ExamPhase::sheetShowing())
        return;

    if (Frm_Ks_Fill)
        Frm_Ks_Fill->setReviewLook(review);
    if (Frm_Ks_Choose)
        Frm_Ks_Choose->setReviewLook(review);
    if (!review)
        return;

    if (Frm_Ks_Fill)
        Frm_Ks_Fill->close();
    if (Frm_Ks_Choose)
        Frm_Ks_Choose->close();
    showScoreSheet();
}
