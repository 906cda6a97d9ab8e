// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/AppInfo.h"

QString productTitle() {
    return QStringLiteral("计算机等级考试(笔试)模拟训练");
}
