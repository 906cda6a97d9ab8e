#include "TFrm_Ks_Choose.h"

TFrm_Ks_Choose::TFrm_Ks_Choose(QWidget *parent) : Tfrm_qelNeoForm(QSize(581, 429), TFormBorderStyle::bsSizeable, biSystemMenu, parent) {
    setObjectName(QStringLiteral("Frm_Ks_Choose"));
    setCaption(QStringLiteral("选择题"));
}
