// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/SheetDriver.h"

#include <QTest>

#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ping.h"

SheetDriver::SheetDriver(QObject *parent) : QObject(parent) {
    m_poll.setInterval(5);
    connect(&m_poll, &QTimer::timeout, this, &SheetDriver::poll);
}

void SheetDriver::whileSheetUp(std::function<void()> step) {
    m_step = std::move(step);
    m_ran = false;
    m_sheet = nullptr;
    m_poll.start();
}

void SheetDriver::poll() {
    if (!Frm_Ping || !Frm_Ping->isVisible())
        return;
    m_poll.stop();
    m_sheet = Frm_Ping;
    m_ran = true;
    if (m_step)
        m_step();
    if (QTest::currentTestFailed() && m_sheet && m_sheet->isVisible())
        m_sheet->close();
}
