#pragma once

#include "Tfrm_qelNeoForm.h"

// The multiple-choice screen (shell until the choice screen lands).
class TFrm_Ks_Choose : public Tfrm_qelNeoForm {
    Q_OBJECT
public:
    explicit TFrm_Ks_Choose(QWidget *parent = nullptr);
};
