// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/InputGate.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Choose.h"
#include "screens/TFrm_Ks_Fill.h"
#include "ui/FrameImage.h"
#include "ui/Tfrm_qelNeoForm.h"
#include "ui/UserInput.h"

InputGate::InputGate(const QList<QWidget *> &open, QWidget *closable, const QList<QWidget *> &still)
    : m_closable(closable) {
    for (QWidget *widget : open)
        m_open.append(widget);
    for (QWidget *window : still)
        if (window)
            for (QTimer *timer : window->findChildren<QTimer *>())
                m_held.append(timer);
    QCoreApplication::instance()->installEventFilter(this);
}

InputGate::~InputGate() {
    QCoreApplication::instance()->removeEventFilter(this);
}

std::unique_ptr<InputGate> InputGate::forTrainer() {
    QList<QWidget *> open;
    if (Frm_Ks_Sta)
        open = {Frm_Ks_Sta->findChild<QWidget *>(QStringLiteral("Button2")), Frm_Ks_Sta->ImageClose};
    return std::make_unique<InputGate>(open, Frm_Ks_Sta, QList<QWidget *>{Frm_Ks_Choose, Frm_Ks_Fill});
}

bool InputGate::isOpen(const QObject *receiver) const {
    // A shortcut object belongs to the control that made it.
    for (const QObject *o = receiver; o; o = o->parent())
        for (const QPointer<QWidget> &widget : m_open)
            if (widget && o == widget)
                return true;
    return false;
}

bool InputGate::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Timer) {
        for (const QPointer<QObject> &object : std::as_const(m_held))
            if (object && watched == object)
                return true;
        return false;
    }
    // A key combination goes to the shortcut object of the control that holds it.
    if (type == QEvent::Shortcut)
        return !isOpen(watched);
    // Input reaches a window first and is handed on to the widget under it there, which is where it is judged.
    if (!watched->isWidgetType())
        return false;
    if (type == QEvent::Close && event->spontaneous() && watched != m_closable) {
        event->ignore();
        return true;
    }
    return isUserInputEvent(type) && !isOpen(watched);
}
