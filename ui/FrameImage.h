// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPixmap>
#include <QWidget>

// A picture-only control of the window frame: it shows one picture and reports the mouse. Without Stretch the
// picture sits at its own size in the top-left corner (or in the middle with Center) and is clipped to the
// control; with Stretch it fills the control. AutoSize makes the control take the picture's size whenever a
// picture is given. Transparent leaves out the picture's background: pictures without an alpha channel lose every
// pixel of their bottom-left pixel's colour. Without a picture the control paints nothing, so whatever lies
// beneath shows through.
class FrameImage : public QWidget {
    Q_OBJECT
public:
    explicit FrameImage(QWidget *parent = nullptr);

    QPixmap picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);

    bool stretch() const { return m_stretch; }
    void setStretch(bool on);
    bool center() const { return m_center; }
    void setCenter(bool on);
    bool isTransparent() const { return m_transparent; }
    void setTransparent(bool on);
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);

    // Whether the picture does something when clicked or double-clicked (the window buttons, the icon), that is, is
    // a control rather than a piece of the frame's artwork.
    bool isControl() const;
    // Does what the mouse would: a click, or for a picture that answers only double clicks, a double click.
    void activate();

signals:
    void clicked();
    void doubleClicked();
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint &pos);
    void mouseMoved(Qt::KeyboardModifiers modifiers, const QPoint &pos);
    void mouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint &pos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void updateShown();

    QPixmap m_picture;
    QPixmap m_shown; // m_picture with the transparent colour masked out, when Transparent is on
    bool m_stretch = false;
    bool m_center = false;
    bool m_transparent = false;
    bool m_autoSize = false;
    bool m_leftPressed = false;
};
