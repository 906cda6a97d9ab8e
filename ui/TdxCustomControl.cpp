// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/TdxCustomControl.h"

#include <QApplication>
#include <QKeyEvent>

TdxCustomControl::TdxCustomControl(QWidget *parent) : QWidget(parent) {
    if (auto *app = qobject_cast<QApplication *>(QCoreApplication::instance()))
        connect(app, &QApplication::focusChanged, this, &TdxCustomControl::focusChanged);
    watchWindow();
}

TdxCustomControl::~TdxCustomControl() {
    // Deleting a focused control moves the focus while its QWidget part is torn down; by then this part is gone
    // and must hear nothing more.
    if (QCoreApplication *app = QCoreApplication::instance())
        disconnect(app, nullptr, this, nullptr);
    if (m_watchedWindow)
        m_watchedWindow->removeEventFilter(this);
}

TColor TdxCustomControl::Color() const {
    return fromQColor(palette().color(QPalette::Window));
}

void TdxCustomControl::setColor(TColor color) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(color));
    setPalette(palette);
}

bool TdxCustomControl::CanFocus() const {
    return isVisible() && isEnabled();
}

void TdxCustomControl::refreshActiveIsGradientControl() {
    const bool active = qobject_cast<TdxCustomControl *>(window()->focusWidget()) != nullptr;
    if (active == m_activeIsGradientControl)
        return;
    m_activeIsGradientControl = active;
    update();
}

void TdxCustomControl::click() {
    window()->setProperty("ModalResult", m_modalResult);
    emit clicked();
}

void TdxCustomControl::setHot(bool hot) {
    if (hot == m_hot)
        return;
    m_hot = hot;
    update();
    if (hot)
        emit mouseEnter();
    else
        emit mouseLeave();
}

void TdxCustomControl::setPressed(bool pressed) {
    if (pressed == m_pressed)
        return;
    m_pressed = pressed;
    update();
}

bool TdxCustomControl::windowKeyPress(QKeyEvent *) {
    return false;
}

bool TdxCustomControl::event(QEvent *event) {
    // The window may change when the control or one of its ancestors is reparented; showing settles it.
    if (event->type() == QEvent::ParentChange || event->type() == QEvent::Show)
        watchWindow();
    return QWidget::event(event);
}

bool TdxCustomControl::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_watchedWindow && event->type() == QEvent::KeyPress)
        return windowKeyPress(static_cast<QKeyEvent *>(event));
    return QWidget::eventFilter(watched, event);
}

void TdxCustomControl::enterEvent(QEnterEvent *event) {
    setHot(true);
    QWidget::enterEvent(event);
}

void TdxCustomControl::leaveEvent(QEvent *event) {
    setHot(false);
    QWidget::leaveEvent(event);
}

void TdxCustomControl::focusInEvent(QFocusEvent *event) {
    m_hasFocus = true;
    refreshActiveIsGradientControl();
    update();
    QWidget::focusInEvent(event);
}

void TdxCustomControl::focusOutEvent(QFocusEvent *event) {
    m_hasFocus = false;
    m_pressed = false;
    refreshActiveIsGradientControl();
    update();
    QWidget::focusOutEvent(event);
}

void TdxCustomControl::changeEvent(QEvent *event) {
    switch (event->type()) {
    case QEvent::EnabledChange:
    case QEvent::PaletteChange:
    case QEvent::FontChange:
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void TdxCustomControl::watchWindow() {
    QWidget *target = window();
    if (target == m_watchedWindow)
        return;
    if (m_watchedWindow)
        m_watchedWindow->removeEventFilter(this);
    m_watchedWindow = target;
    target->installEventFilter(this);
}

void TdxCustomControl::focusChanged() {
    refreshActiveIsGradientControl();
}
