#pragma once

#include "Tfrm_qelNeoForm.h"

// The fill-in screen (shell until the fill-in screen lands).
class TFrm_Ks_Fill : public Tfrm_qelNeoForm {
    Q_OBJECT
public:
    explicit TFrm_Ks_Fill(QWidget *parent = nullptr);
};
