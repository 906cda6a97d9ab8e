#include "TFrm_Ks_Fill.h"

TFrm_Ks_Fill::TFrm_Ks_Fill(QWidget *parent) : Tfrm_qelNeoForm(QSize(576, 448), TFormBorderStyle::bsSizeable, biSystemMenu, parent) {
    setObjectName(QStringLiteral("Frm_Ks_Fill"));
    setCaption(QStringLiteral("填空题"));
}
