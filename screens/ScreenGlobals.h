// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The single instances of the screens, created by the entry point in a fixed order and reached by every screen
// through these references. The start screen is known here by its window base only: the screens need nothing of
// it but to show it.
class Tfrm_qelNeoForm;
class TFrm_Ks_Choose;
class TFrm_Ks_Fill;
class TFrm_Ping;

extern Tfrm_qelNeoForm *Frm_Ks_Sta;
extern TFrm_Ks_Choose *Frm_Ks_Choose;
extern TFrm_Ks_Fill *Frm_Ks_Fill;
extern TFrm_Ping *Frm_Ping;
