// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/FrameCoolBar.h"

#include <QPainter>

FrameCoolBar::FrameCoolBar(QWidget *parent) : QWidget(parent) {}

void FrameCoolBar::setBackground(const QPixmap &background) {
    m_background = background;
    update();
}

void FrameCoolBar::paintEvent(QPaintEvent *) {
    if (m_background.isNull())
        return;
    QPainter painter(this);
    painter.drawTiledPixmap(rect(), m_background);
}
