// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Tx_printmessage.h"

#include <QCloseEvent>
#include <QLabel>
#include <QShowEvent>

#include "app/TAnimate.h"
#include "ui/Fonts.h"
#include "ui/TColor.h"

Tx_printmessage *x_printmessage = nullptr;

Tx_printmessage::Tx_printmessage(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("x_printmessage"));
    setWindowTitle(QStringLiteral("计算机等级考试(笔试)"));
    setFont(songFont(12));
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, toQColor(16771022));
    setPalette(background);
    setFixedSize(334, 96);
    move(256, 217);

    LabHint = new QLabel(QStringLiteral("LabHint"), this);
    LabHint->setObjectName(QStringLiteral("LabHint"));
    LabHint->setFont(songFont(16));
    QPalette hint = LabHint->palette();
    hint.setColor(QPalette::WindowText, toQColor(Colors::clBlue));
    LabHint->setPalette(hint);
    LabHint->move(97, 38);
    LabHint->adjustSize();

    Animate1 = new TAnimate(this);
    Animate1->setObjectName(QStringLiteral("Animate1"));
    Animate1->move(15, 27);
    Animate1->setCommonAVI(TCommonAVI::aviFindFolder);
    Animate1->setStopFrame(29);
}

void Tx_printmessage::FormShow(QObject *Sender) {
    Q_UNUSED(Sender);
    Animate1->setActive(true);
}

void Tx_printmessage::FormClose(QObject *Sender) {
    Q_UNUSED(Sender);
    Animate1->setActive(false);
}

void Tx_printmessage::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow(this);
}

void Tx_printmessage::closeEvent(QCloseEvent *event) {
    FormClose(this);
    event->accept();
}
