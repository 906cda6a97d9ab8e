// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/ExecutableDir.h"

#include <QDir>

#include "engine/FileSystem.h"

namespace {
QString g_override;
}

QString executableDir() {
    QString dir = QDir::toNativeSeparators(g_override.isEmpty() ? FileSystem::executableDir() : g_override);
    if (!dir.endsWith(QDir::separator()))
        dir += QDir::separator();
    return dir;
}

void setExecutableDirOverride(const QString &directory) {
    g_override = directory;
}
