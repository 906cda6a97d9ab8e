// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/FileSystem.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace FileSystem {

Status status(const QString &path) {
    Status result;
    struct stat st {};
    if (path.isEmpty()) {
        result.error = ENOENT;
        return result;
    }
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        result.error = errno;
        return result;
    }
    result.exists = true;
    result.directory = S_ISDIR(st.st_mode);
    result.regular = S_ISREG(st.st_mode);
    result.device = quint64(st.st_dev);
    result.fileNumber = quint64(st.st_ino);
    result.size = qint64(st.st_size);
    result.modifiedSeconds = qint64(st.st_mtim.tv_sec);
    result.modifiedNanoseconds = qint64(st.st_mtim.tv_nsec);
    return result;
}

bool existsNoFollow(const QString &path) {
    struct stat st {};
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

bool renameReplacing(const QString &from, const QString &to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

bool hardLink(const QString &from, const QString &to) {
    return ::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

bool processIsRunning(qint64 pid) {
    return pid > 0 && pid <= INT_MAX && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

QString executablePath() {
    return QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
}

QString lastError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace FileSystem
