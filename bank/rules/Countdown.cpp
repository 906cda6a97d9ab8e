// SPDX-License-Identifier: GPL-3.0-or-later

#include "rules/Countdown.h"

namespace Countdown {

bool tick(qint32 &minutes, qint32 &seconds) {
    if (expired(minutes, seconds))
        return false;
    if (seconds <= 0) {
        --minutes;
        seconds = 60;
    }
    --seconds;
    return true;
}

bool expired(qint32 minutes, qint32 seconds) {
    return minutes < 0 || (minutes == 0 && seconds <= 0);
}

bool warns(qint32 minutes, qint32 seconds) {
    return qint64(minutes) * 60 + seconds <= qint64(kWarningMinutes) * 60;
}

QString display(qint32 value) {
    const QString text = QString::number(value);
    return text.size() == 1 ? QLatin1Char('0') + text : text;
}

} // namespace Countdown
