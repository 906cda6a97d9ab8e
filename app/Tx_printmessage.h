// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class QLabel;
class TAnimate;

// The busy-message window: a one-line hint beside a looping animation, up while the program does a long piece of
// work on the user-interface thread. One instance for the whole run, hidden and shown again; the rest of the
// program reaches it only through ShowBusyMessage and CloseBusyMessage. Showing it sets the animation playing,
// closing it (which only hides it) stops the animation.
class Tx_printmessage : public QWidget {
    Q_OBJECT
public:
    explicit Tx_printmessage(QWidget *parent = nullptr);

    void FormShow(QObject *Sender);
    void FormClose(QObject *Sender);

    QLabel *LabHint;
    TAnimate *Animate1;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
};

extern Tx_printmessage *x_printmessage;
