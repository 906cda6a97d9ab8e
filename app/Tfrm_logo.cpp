// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Tfrm_logo.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include "app/SplashPicture.h"
#include "ui/TColor.h"

namespace {
int g_displayTime = 3000;
}

int Tfrm_logo::displayTime() {
    return g_displayTime;
}

void Tfrm_logo::setDisplayTime(int milliseconds) {
    g_displayTime = milliseconds;
}

Tfrm_logo::Tfrm_logo(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frm_logo"));
    setAutoFillBackground(true);
    QPalette face = palette();
    face.setColor(QPalette::Window, toQColor(Colors::clBtnFace));
    setPalette(face);
    setFixedSize(399, 300);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(width() / 2, height() / 2));

    // The picture is a pixel wider than the window; it is shown from its top-left corner and clipped.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(QPixmap::fromImage(splashPicture()));
    Image1->setGeometry(rect());

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(g_displayTime);
    // A coarse timer may fire a few percent early; the splash stays its full time.
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &Tfrm_logo::Timer1Timer);
    Timer1->start();
}

void Tfrm_logo::Timer1Timer() {
    Timer1->stop();
    m_timeUp = true;
    close();
}

void Tfrm_logo::closeEvent(QCloseEvent *event) {
    if (m_timeUp)
        event->accept();
    else
        event->ignore();
}
