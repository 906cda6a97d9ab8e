// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/FrameEdgeZone.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWindow>

FrameEdgeZone::FrameEdgeZone(Qt::Edge edge, QWidget *window) : QWidget(window), m_edge(edge) {
    setMouseTracking(true);
    window->installEventFilter(this);
    place();
}

bool FrameEdgeZone::eventFilter(QObject *watched, QEvent *event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        place();
    return QWidget::eventFilter(watched, event);
}

void FrameEdgeZone::place() {
    // The bands are 5 pixels on the left and top, 4 on the right and bottom, like the hit test's.
    const int w = parentWidget()->width();
    const int h = parentWidget()->height();
    switch (m_edge) {
    case Qt::LeftEdge:
        setGeometry(0, 0, 5, h);
        break;
    case Qt::TopEdge:
        setGeometry(0, 0, w, 5);
        break;
    case Qt::RightEdge:
        setGeometry(w - 4, 0, 4, h);
        break;
    case Qt::BottomEdge:
        setGeometry(0, h - 4, w, 4);
        break;
    }
}

HitZone FrameEdgeZone::zoneAt(const QPoint &pos) const {
    const QWidget *top = window();
    return hitTest(mapTo(top, pos), top->size(), true, top->windowState());
}

void FrameEdgeZone::mousePressEvent(QMouseEvent *event) {
    const HitZone zone = zoneAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || zone == HitZone::Client) {
        event->ignore();
        return;
    }
    m_edges = edgesOf(zone);
    QWidget *top = window();
    if (QWindow *handle = top->windowHandle(); handle && handle->startSystemResize(m_edges))
        return;
    m_resizing = true;
    m_pressGlobal = event->globalPosition().toPoint();
    m_startGeometry = top->geometry();
}

void FrameEdgeZone::mouseMoveEvent(QMouseEvent *event) {
    if (!m_resizing) {
        setCursor(cursorOf(zoneAt(event->position().toPoint())));
        return;
    }
    QWidget *top = window();
    const QPoint delta = event->globalPosition().toPoint() - m_pressGlobal;
    top->setGeometry(resizedGeometry(m_startGeometry, m_edges, delta, top->minimumSize()));
}

void FrameEdgeZone::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        m_resizing = false;
}
