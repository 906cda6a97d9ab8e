// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QPoint>
#include <QtGlobal>

#include <memory>

// Puts animation frames straight into an X11 window through a display connection of its own, so they reach the
// screen from the player's thread while the user-interface thread is busy and Qt paints nothing. It draws into
// the window's own pixels at a fixed offset; Qt's next paint of that spot shows the same picture, so the two never
// disagree for long. Only for the xcb platform at 1:1 device pixels; elsewhere create() gives nothing and the
// widget's ordinary painting is all there is.
class X11FramePresenter {
public:
    // A presenter for the native window `window` (a WId), drawing at `offset`; nullptr when the platform, the
    // build, the window's depth or the server's image format do not allow it.
    static std::unique_ptr<X11FramePresenter> create(quintptr window, const QPoint &offset);

    ~X11FramePresenter();
    X11FramePresenter(const X11FramePresenter &) = delete;
    X11FramePresenter &operator=(const X11FramePresenter &) = delete;

    quintptr window() const { return m_window; }
    QPoint offset() const { return m_offset; }

    // Thread-safe: called from the player's thread only, one call at a time.
    void present(const QImage &frame);

private:
    X11FramePresenter(quintptr window, const QPoint &offset);

    struct Connection;
    std::unique_ptr<Connection> m_connection;
    quintptr m_window;
    QPoint m_offset;
};
