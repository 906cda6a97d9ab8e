// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/FrameWindowSystem.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

#include "ui/HitTest.h"

#ifdef Q_OS_WIN
#include <windows.h>
#include <windowsx.h>
#endif

namespace FrameWindowSystem {

void minimiseApplication() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        const Qt::WindowType type = window->windowType();
        if (window->isVisible() && (type == Qt::Window || type == Qt::Dialog))
            minimise(window);
    }
}

void minimise(QWidget *window) {
    window->setWindowState((window->windowState() & ~Qt::WindowActive) | Qt::WindowMinimized);
}

bool movesWindowsItself() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

QPoint centredPosition(const QSize &windowSize) {
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QPoint(0, 0);
    const QRect area = screen->geometry();
    return QPoint(area.x() + (area.width() - windowSize.width()) / 2,
                  area.y() + (area.height() - windowSize.height()) / 2);
}

#ifdef Q_OS_WIN
bool answerHitTest(const QWidget *window, bool canResize, const void *message, qintptr *result) {
    const MSG *msg = static_cast<const MSG *>(message);
    if (msg->message != WM_NCHITTEST)
        return false;
    // The message carries the screen point as two signed 16-bit values, in device pixels; the frame is laid out
    // in device-independent ones.
    POINT point{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
    ::ScreenToClient(msg->hwnd, &point);
    const qreal ratio = window->devicePixelRatioF();
    const QPoint pos(qRound(point.x / ratio), qRound(point.y / ratio));
    const HitZone zone = hitTest(pos, window->size(), canResize, window->windowState());
    if (zone == HitZone::Client)
        return false;
    *result = static_cast<qintptr>(zone);
    return true;
}
#endif

} // namespace FrameWindowSystem
