// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/TColor.h"

class QKeyEvent;

// Base of the owner-drawn gradient controls. It keeps the pointer, focus and press states that the painting follows
// (Hot, HasFocus, Pressed), knows whether its window's active control is one of its kind
// (ActiveIsGradientControl, refreshed on every focus change in the application), and carries ModalResult.
//
// A click stores ModalResult on the control's window as the dynamic property "ModalResult" (an int; 0 means none)
// and then emits clicked(); a window shown modally can watch that property to end its showing.
//
// The window's dialog keys (Enter, Escape) reach the control through an event filter on its window: a key that the
// focused widget leaves unhandled propagates up to the window, where windowKeyPress() gets to act on it.
class TdxCustomControl : public QWidget {
    Q_OBJECT
public:
    explicit TdxCustomControl(QWidget *parent = nullptr);
    ~TdxCustomControl() override;

    bool Hot() const { return m_hot; }
    bool HasFocus() const { return m_hasFocus; }
    bool Pressed() const { return m_pressed; }
    bool ActiveIsGradientControl() const { return m_activeIsGradientControl; }

    int ModalResult() const { return m_modalResult; }
    void setModalResult(int result) { m_modalResult = result; }

    // The control's own colour, which fills the client area behind the drawing. Unless set, it follows the parent.
    TColor Color() const;
    void setColor(TColor color);

    // Visible and enabled, so that it could take the keyboard focus now.
    bool CanFocus() const;

    // Whether the window's active control (its focus widget) is a gradient control; repaints when that changes.
    void refreshActiveIsGradientControl();

    // Runs the click: ModalResult to the window, then clicked().
    virtual void click();

signals:
    void clicked();
    void mouseEnter();
    void mouseLeave();

protected:
    void setHot(bool hot);
    void setPressed(bool pressed);

    // A key press that reached the window unhandled; return true when the control acted on it.
    virtual bool windowKeyPress(QKeyEvent *event);

    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void watchWindow();
    void focusChanged();

    bool m_hot = false;
    bool m_hasFocus = false;
    bool m_pressed = false;
    bool m_activeIsGradientControl = false;
    int m_modalResult = 0;
    QPointer<QWidget> m_watchedWindow;
};
