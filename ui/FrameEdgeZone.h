// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>

#include "ui/HitTest.h"

// An invisible strip along one edge of a frameless window that offers the resize zones there. It lies above every
// other part of the frame, shows the sizing pointer of the zone under the mouse, and on a left press hands the
// resize to the window system. Where the window system cannot run it (no window manager, or one without the
// move-resize protocol) the strip resizes the window itself while the button is held. The strip follows the
// window's size by itself; the owning window shows the strips only while it offers zones.
class FrameEdgeZone : public QWidget {
    Q_OBJECT
public:
    FrameEdgeZone(Qt::Edge edge, QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    HitZone zoneAt(const QPoint &pos) const;
    void place();

    Qt::Edge m_edge;

    bool m_resizing = false;
    Qt::Edges m_edges;
    QPoint m_pressGlobal;
    QRect m_startGeometry;
};
