// SPDX-License-Identifier: GPL-3.0-or-later

#include "screens/ScreenGlobals.h"

Tfrm_qelNeoForm *Frm_Ks_Sta = nullptr;
TFrm_Ks_Choose *Frm_Ks_Choose = nullptr;
TFrm_Ks_Fill *Frm_Ks_Fill = nullptr;
TFrm_Ping *Frm_Ping = nullptr;
