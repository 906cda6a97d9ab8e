#include "TdxButton.h"

TdxButton::TdxButton(QWidget *parent) : QPushButton(parent) {
    resize(73, 25);
}

void TdxButton::setFontColor(TColor color) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::ButtonText, toQColor(color));
    setPalette(palette);
}
