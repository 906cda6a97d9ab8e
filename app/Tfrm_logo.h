// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class QLabel;
class QTimer;

// The splash: a borderless picture in the middle of the screen for three seconds at start-up. It is made for one
// modal showing and destroyed after it; only its own timer closes it, so no click, key or close request ends it
// earlier.
class Tfrm_logo : public QWidget {
    Q_OBJECT
public:
    explicit Tfrm_logo(QWidget *parent = nullptr);

    // How long a splash stays up, 3000 ms unless a test shortens it; read when a splash is made.
    static int displayTime();
    static void setDisplayTime(int milliseconds);

    void Timer1Timer();

    QLabel *Image1;
    QTimer *Timer1;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    bool m_timeUp = false;
};
