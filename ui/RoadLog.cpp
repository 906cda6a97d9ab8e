// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/RoadLog.h"

// Warnings and worse only, unless the logging rules switch the information lines on.
Q_LOGGING_CATEGORY(lcRoad, "mockexam.road", QtWarningMsg)
