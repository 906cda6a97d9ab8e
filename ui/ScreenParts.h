// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPalette>
#include <QPoint>
#include <QRect>
#include <QString>

#include "ui/TColor.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// How the screens place their components and colour them. Every component is a named child at the place its
// screen's design gives it, since other screens and the tests find components by name; a colour of the design goes
// into the palette role that Qt paints that part of the widget with.
namespace ScreenParts {

template <typename T> T *place(QWidget *parent, const QString &name, const QRect &geometry) {
    auto *widget = new T(parent);
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QPushButton *makeButton(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry);

// A label at `position`, sized to its caption.
QLabel *makeLabel(QWidget *parent, const QString &name, const QString &caption, const QPoint &position);

void setColorRole(QWidget *widget, QPalette::ColorRole role, TColor color);

// A background in `color`: a child widget paints none of its own unless told to.
void setBackgroundColor(QWidget *widget, TColor color);

// A one-line box cuts its text at 32,767 characters unless told otherwise, whether typed, pasted or set; an answer
// is kept as typed and a text from the bank as written, whatever their length.
void keepWholeText(QLineEdit *box);

} // namespace ScreenParts
