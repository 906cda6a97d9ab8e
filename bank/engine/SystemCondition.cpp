// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/SystemCondition.h"

#include <cerrno>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifndef _WIN32
#include <unistd.h>
#endif

#include <sqlite3.h>

#include "engine/FileSystem.h"

namespace SystemCondition {

QString text(int errnoValue) {
    switch (errnoValue) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("磁盘已满");
    case EFBIG:
        return QStringLiteral("文件超出了文件系统允许的大小");
    case EROFS:
        return QStringLiteral("文件系统是只读的");
    case EACCES:
    case EPERM:
        return QStringLiteral("没有权限");
    case EISDIR:
        return QStringLiteral("这是一个文件夹，不是文件");
    case ENOTDIR:
        return QStringLiteral("路径中有一项不是文件夹");
    case ENOENT:
        return QStringLiteral("文件或文件夹不存在");
    case ENAMETOOLONG:
        return QStringLiteral("路径太长");
    case EEXIST:
        return QStringLiteral("文件已存在");
    case EXDEV:
        return QStringLiteral("不在同一个文件系统上");
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
        return QStringLiteral("文件正被其他程序使用");
    case EIO:
        return QStringLiteral("读写磁盘时出错");
#ifdef ELOOP
    case ELOOP:
#endif
        return QStringLiteral("符号链接太多或成环");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("打开的文件太多");
    case ENOMEM:
        return QStringLiteral("内存不足");
    default:
        return QString::fromLocal8Bit(std::strerror(errnoValue));
    }
}

QString engineText(int resultCode, int systemErrno, const QString &engineMessage) {
    switch (resultCode & 0xff) {
    case SQLITE_FULL:
        return QStringLiteral("磁盘已满");
    case SQLITE_READONLY:
        return QStringLiteral("文件或所在的文件夹是只读的");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("文件被其他程序锁定");
    case SQLITE_NOTADB:
        return QStringLiteral("不是数据库文件");
    case SQLITE_PERM:
        return QStringLiteral("没有权限");
    case SQLITE_NOMEM:
        return QStringLiteral("内存不足");
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
        // The system's own reason is the more telling: a folder, a missing path, no permission, a full disk.
        if (systemErrno != 0 && systemErrno != ENOENT)
            return (resultCode & 0xff) == SQLITE_CANTOPEN ? QStringLiteral("无法打开文件：%1").arg(text(systemErrno))
                                                          : QStringLiteral("读写文件时出错：%1").arg(text(systemErrno));
        return (resultCode & 0xff) == SQLITE_CANTOPEN ? QStringLiteral("无法打开文件")
                                                      : QStringLiteral("读写文件时出错");
    default:
        return engineMessage;
    }
}

QString unreachable(const QString &path, int errnoValue) {
    if (errnoValue == ENAMETOOLONG)
        return QStringLiteral("路径太长，系统无法打开：%1").arg(FileSystem::shown(path));
    if (errnoValue != EACCES)
        return QString();
#ifndef _WIN32
    // The first folder on the way down that may not be entered, or read, is the one to name. (Windows grants by
    // access lists, not by a folder's search bit: there the file itself is named.)
    const QString absolute = QFileInfo(path).absolutePath();
    QString folder = QStringLiteral("/");
    for (const QString &part : absolute.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        folder = QDir(folder).filePath(part);
        if (::access(QFile::encodeName(folder).constData(), X_OK) != 0)
            return QStringLiteral("无法读取文件夹（没有权限）：%1").arg(FileSystem::shown(folder));
    }
#endif
    return QStringLiteral("没有权限读取：%1").arg(FileSystem::shown(path));
}

QString fileText(const QString &path, int errnoValue, const QString &qtText) {
    if (QFileInfo(path).isDir())
        return text(EISDIR);
    return errnoValue != 0 ? text(errnoValue) : qtText;
}

} // namespace SystemCondition
