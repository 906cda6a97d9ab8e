// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/BevelPanel.h"

#include <QPainter>

#include "ui/TColor.h"

namespace {
// A one-pixel bevel on the rectangle's edge: light on top and left, dark below and right when raised.
void drawBevel(QPainter &p, const QRect &r, BevelPanel::Bevel bevel) {
    if (bevel == BevelPanel::Bevel::None)
        return;
    const QColor light = toQColor(Colors::clBtnHighlight);
    const QColor dark = toQColor(Colors::clBtnShadow);
    const bool raised = bevel == BevelPanel::Bevel::Raised;
    p.setPen(raised ? light : dark);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(raised ? dark : light);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}
} // namespace

BevelPanel::BevelPanel(QWidget *parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette face = palette();
    face.setColor(QPalette::Window, toQColor(Colors::clBtnFace));
    setPalette(face);
}

void BevelPanel::setBevelOuter(Bevel bevel) {
    m_outer = bevel;
    update();
}

void BevelPanel::setBevelInner(Bevel bevel) {
    m_inner = bevel;
    update();
}

void BevelPanel::setBorderWidth(int width) {
    m_borderWidth = width;
    update();
}

void BevelPanel::paintEvent(QPaintEvent *event) {
    Q_UNUSED(event);
    QPainter p(this);
    QRect r = rect().adjusted(0, 0, -1, -1);
    drawBevel(p, r, m_outer);
    if (m_outer != Bevel::None)
        r.adjust(1, 1, -1, -1);
    r.adjust(m_borderWidth, m_borderWidth, -m_borderWidth, -m_borderWidth);
    drawBevel(p, r, m_inner);
}
