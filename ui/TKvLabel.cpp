#include "TKvLabel.h"

TKvLabel::TKvLabel(QWidget *parent) : QLabel(parent) {
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TKvLabel::setFontColor(TColor color) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, toQColor(color));
    setPalette(palette);
}
