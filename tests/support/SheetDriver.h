// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

#include "screens/TFrm_Ping.h"

// Acts on the score sheet from inside its modal run. The hand-in does not return until the sheet has closed, so a
// test arms the driver first and then hands in: once the sheet is up, the step runs within the sheet's nested
// loop. A step that fails leaves the sheet open; the driver then closes it, so a failure cannot keep the run going.
class SheetDriver : public QObject {
    Q_OBJECT
public:
    explicit SheetDriver(QObject *parent = nullptr);

    // Runs `step` once, as soon as a score sheet is visible.
    void whileSheetUp(std::function<void()> step);

    // Whether the step has run, and the sheet it ran on (null once that sheet has been destroyed).
    bool ran() const { return m_ran; }
    TFrm_Ping *sheet() const { return m_sheet; }

private:
    void poll();

    QTimer m_poll;
    std::function<void()> m_step;
    bool m_ran = false;
    QPointer<TFrm_Ping> m_sheet;
};
