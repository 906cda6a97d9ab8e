// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/HitTest.h"

HitZone hitTest(const QPoint &pos, const QSize &size, bool canResize, Qt::WindowStates state) {
    if (!canResize || (state & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return HitZone::Client;
    const int x = pos.x();
    const int y = pos.y();
    const int w = size.width();
    const int h = size.height();
    // Row order matters: the corners are tested before the edges that form them.
    const bool left = x < 5;
    const bool top = y < 5;
    const bool right = x > w - 5;
    const bool bottom = y > h - 5;
    if (left && top)
        return HitZone::TopLeft;
    if (right && top)
        return HitZone::TopRight;
    if (right && bottom)
        return HitZone::BottomRight;
    if (left && bottom)
        return HitZone::BottomLeft;
    if (left)
        return HitZone::Left;
    if (top)
        return HitZone::Top;
    if (right)
        return HitZone::Right;
    if (bottom)
        return HitZone::Bottom;
    return HitZone::Client;
}

Qt::Edges edgesOf(HitZone zone) {
    switch (zone) {
    case HitZone::Left:
        return Qt::LeftEdge;
    case HitZone::Right:
        return Qt::RightEdge;
    case HitZone::Top:
        return Qt::TopEdge;
    case HitZone::Bottom:
        return Qt::BottomEdge;
    case HitZone::TopLeft:
        return Qt::TopEdge | Qt::LeftEdge;
    case HitZone::TopRight:
        return Qt::TopEdge | Qt::RightEdge;
    case HitZone::BottomLeft:
        return Qt::BottomEdge | Qt::LeftEdge;
    case HitZone::BottomRight:
        return Qt::BottomEdge | Qt::RightEdge;
    case HitZone::Client:
        break;
    }
    return {};
}

Qt::CursorShape cursorOf(HitZone zone) {
    switch (zone) {
    case HitZone::Left:
    case HitZone::Right:
        return Qt::SizeHorCursor;
    case HitZone::Top:
    case HitZone::Bottom:
        return Qt::SizeVerCursor;
    case HitZone::TopLeft:
    case HitZone::BottomRight:
        return Qt::SizeFDiagCursor;
    case HitZone::TopRight:
    case HitZone::BottomLeft:
        return Qt::SizeBDiagCursor;
    case HitZone::Client:
        break;
    }
    return Qt::ArrowCursor;
}

QRect resizedGeometry(const QRect &start, Qt::Edges edges, const QPoint &delta, const QSize &minimum) {
    int left = start.left();
    int top = start.top();
    int right = start.left() + start.width();
    int bottom = start.top() + start.height();
    if (edges & Qt::LeftEdge)
        left = qMin(left + delta.x(), right - minimum.width());
    if (edges & Qt::RightEdge)
        right = qMax(right + delta.x(), left + minimum.width());
    if (edges & Qt::TopEdge)
        top = qMin(top + delta.y(), bottom - minimum.height());
    if (edges & Qt::BottomEdge)
        bottom = qMax(bottom + delta.y(), top + minimum.height());
    return QRect(left, top, right - left, bottom - top);
}
