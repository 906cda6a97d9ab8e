// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <Qt>

// Where a point of a frameless window lies with respect to its resize zones. The values are the classic
// non-client hit codes, so the Windows hook can hand them to the system as they are.
enum class HitZone : int {
    Client = 1,
    Left = 10,
    Right = 11,
    Top = 12,
    TopLeft = 13,
    TopRight = 14,
    Bottom = 15,
    BottomLeft = 16,
    BottomRight = 17,
};

// The resize zones of a window of the given size: 5 pixels along the left and top edges, 4 along the right and
// bottom ones, corners first. Only a resizable window in the normal state has zones; otherwise every point is
// client area. pos is in window coordinates.
HitZone hitTest(const QPoint &pos, const QSize &size, bool canResize, Qt::WindowStates state);

// The window edges a zone moves when the window system runs the resize (none for Client).
Qt::Edges edgesOf(HitZone zone);

// The pointer shape shown over a zone.
Qt::CursorShape cursorOf(HitZone zone);

// The geometry after the pointer has moved by delta while the given edges are dragged. The edges opposite the
// dragged ones stay where they are; the size never goes below minimum.
QRect resizedGeometry(const QRect &start, Qt::Edges edges, const QPoint &delta, const QSize &minimum);
