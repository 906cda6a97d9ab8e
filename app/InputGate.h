// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

#include <QList>
#include <QObject>
#include <QPointer>

#include "jet/JetChildReader.h"

class QWidget;

// Keeps the program's windows alive but its work undisturbed while the user-interface thread waits in a local event
// loop in the middle of a piece of work (the paper drawing waiting for the legacy bank's reading child). Windows
// paint and the busy window animates, since those events pass; user input reaches only the controls that end the
// program, and the window system may close only the main window, so no second start or other half-way action can
// begin; and the timers of the screens held still here (the answering screens' countdowns) do not tick into the
// half-drawn paper. Works while it exists, as an event filter of the application.
class InputGate : public QObject, public JetChildReader::ReentryGuard {
    Q_OBJECT
public:
    // OPEN: the controls whose input passes (with everything inside them). CLOSABLE: the window that may be closed.
    // STILL: the windows whose timers (every QTimer they own at the gate's making) get no timer event meanwhile.
    InputGate(const QList<QWidget *> &open, QWidget *closable, const QList<QWidget *> &still);
    ~InputGate() override;

    // The trainer's gate: the start screen's "&Q退出" and its close button pass, the start screen may be closed, the
    // answering screens hold still.
    static std::unique_ptr<InputGate> forTrainer();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isOpen(const QObject *receiver) const;

    QList<QPointer<QWidget>> m_open;
    QPointer<QWidget> m_closable;
    QList<QPointer<QObject>> m_held;
};
