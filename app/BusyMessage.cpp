// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/BusyMessage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <QWindow>

#include "app/ClipArt.h"
#include "app/TAnimate.h"
#include "app/Tx_printmessage.h"

namespace {

// How long to wait at most for the window system to map the window before the caller's work begins.
constexpr int kExposeWaitMs = 500;

bool exposed(const QWidget *window) {
    return window->windowHandle() && window->windowHandle()->isExposed();
}

// One pass of pending events paints the window where the window system maps it at once. Where mapping is
// asynchronous (X11), that pass can come before the server has mapped the window, and the caller's work would then
// run in front of an empty frame; so wait, briefly and without taking user input, for the window to be exposed.
void waitUntilPainted(QWidget *window) {
    QCoreApplication::processEvents();
    if (!exposed(window)) {
        QElapsedTimer clock;
        clock.start();
        QTimer wake;
        wake.start(20);
        while (!exposed(window) && window->isVisible() && clock.elapsed() < kExposeWaitMs)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    }
    if (exposed(window))
        window->repaint();
}

} // namespace

void ShowBusyMessage(const QString &text, int clip) {
    Tx_printmessage *window = x_printmessage;
    if (!window)
        return;
    window->show();
    window->raise();
    window->LabHint->setText(text);
    window->LabHint->adjustSize();
    window->Animate1->setCommonAVI(ClipArt::isClip(clip) ? TCommonAVI(clip) : TCommonAVI::aviNone);
    window->Animate1->setActive(true);
    waitUntilPainted(window);
}

void CloseBusyMessage() {
    if (x_printmessage)
        x_printmessage->close();
}
