// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// One run of the bank tool's commands in-process, with what it printed, for the tool's tests.
struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

ToolRun runToolCapturing(const QStringList &args);

// The bytes of a file, or an empty array when it cannot be read.
QByteArray fileBytes(const QString &path);
