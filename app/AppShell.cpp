// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/AppShell.h"

#include "app/TFrm_Ks_Sta.h"
#include "app/Tx_printmessage.h"
#include "engine/TDm.h"
#include "screens/ReviewMode.h"
#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Choose.h"
#include "screens/TFrm_Ks_Fill.h"

void createInstances(const std::function<void(QObject *)> &created) {
    const auto made = [&created](QObject *instance) {
        if (created)
            created(instance);
    };
    Frm_Ks_Sta = new TFrm_Ks_Sta;
    Tfrm_qelNeoForm::setMainWindow(Frm_Ks_Sta);
    made(Frm_Ks_Sta);
    Dm = new TDm;
    made(Dm);
    x_printmessage = new Tx_printmessage;
    made(x_printmessage);
    Frm_Ks_Choose = new TFrm_Ks_Choose;
    handInWhenTimeIsUp(Frm_Ks_Choose);
    made(Frm_Ks_Choose);
    Frm_Ks_Fill = new TFrm_Ks_Fill;
    made(Frm_Ks_Fill);
}

void showMainWindow() {
    if (Frm_Ks_Sta)
        Frm_Ks_Sta->show();
}

void destroyInstances() {
    delete Frm_Ks_Fill;
    Frm_Ks_Fill = nullptr;
    delete Frm_Ks_Choose;
    Frm_Ks_Choose = nullptr;
    delete x_printmessage;
    x_printmessage = nullptr;
    delete Dm;
    Dm = nullptr;
    delete Frm_Ks_Sta;
    Frm_Ks_Sta = nullptr;
}
