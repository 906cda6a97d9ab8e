// SPDX-License-Identifier: GPL-3.0-or-later

#include "screens/ExamPhase.h"

#include <QPushButton>

#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Choose.h"
#include "screens/TFrm_Ks_Fill.h"

namespace ExamPhase {

bool paperDrawn() {
    return Frm_Ks_Choose && Frm_Ks_Choose->Tag == 1;
}

bool inReview() {
    return (Frm_Ks_Choose && !Frm_Ks_Choose->Btn_ping->isEnabled()) ||
           (Frm_Ks_Fill && !Frm_Ks_Fill->btn_answer->isHidden());
}

bool sheetShowing() {
    return Frm_Ping != nullptr;
}

bool examRunning() {
    return paperDrawn() && !inReview() && !sheetShowing();
}

} // namespace ExamPhase
