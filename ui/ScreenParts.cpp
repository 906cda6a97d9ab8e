// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ScreenParts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace ScreenParts {

QPushButton *makeButton(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry) {
    auto *button = place<QPushButton>(parent, name, geometry);
    button->setText(caption);
    return button;
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &caption, const QPoint &position) {
    auto *label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->move(position);
    label->adjustSize();
    return label;
}

void setColorRole(QWidget *widget, QPalette::ColorRole role, TColor color) {
    QPalette palette = widget->palette();
    palette.setColor(role, toQColor(color));
    widget->setPalette(palette);
}

void setBackgroundColor(QWidget *widget, TColor color) {
    setColorRole(widget, QPalette::Window, color);
    widget->setAutoFillBackground(true);
}

void keepWholeText(QLineEdit *box) {
    box->setMaxLength(std::numeric_limits<int>::max());
}

} // namespace ScreenParts
