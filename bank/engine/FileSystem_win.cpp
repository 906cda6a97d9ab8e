// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/FileSystem.h"

#include <cerrno>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <windows.h>

namespace FileSystem {

namespace {

// The path as the wide-character calls take it: UTF-16, native separators.
std::wstring wide(const QString &path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

// FILETIME counts 100-nanosecond steps since 1601; only equality matters, so the epoch is kept.
void splitTime(const FILETIME &time, qint64 *seconds, qint64 *nanoseconds) {
    const quint64 ticks = (quint64(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    *seconds = qint64(ticks / 10000000);
    *nanoseconds = qint64(ticks % 10000000) * 100;
}

} // namespace

Status status(const QString &path) {
    Status result;
    result.error = ENOENT;
    if (path.isEmpty())
        return result;
    // Opened for no access at all: asks for the attributes even of a file another program holds open for writing.
    // Backup semantics lets the call open a folder as well.
    const HANDLE handle = CreateFileW(wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        if (code == ERROR_ACCESS_DENIED)
            result.error = EACCES;
        else if (code == ERROR_FILENAME_EXCED_RANGE)
            result.error = ENAMETOOLONG;
        return result;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(handle, &info) != 0;
    const DWORD type = GetFileType(handle);
    CloseHandle(handle);
    if (!known)
        return result;
    result.exists = true;
    result.error = 0;
    result.directory = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    result.regular = !result.directory && type == FILE_TYPE_DISK;
    result.device = info.dwVolumeSerialNumber;
    result.fileNumber = (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    result.size = qint64((quint64(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    splitTime(info.ftLastWriteTime, &result.modifiedSeconds, &result.modifiedNanoseconds);
    return result;
}

bool existsNoFollow(const QString &path) {
    return !path.isEmpty() && GetFileAttributesW(wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool renameReplacing(const QString &from, const QString &to) {
    return MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool hardLink(const QString &from, const QString &to) {
    return CreateHardLinkW(wide(to).c_str(), wide(from).c_str(), nullptr) != 0;
}

bool processIsRunning(qint64 pid) {
    if (pid <= 0 || pid > qint64(MAXDWORD))
        return false;
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

QString executablePath() {
    // Long paths: grown until the name fits.
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
        if (length == 0)
            return QString();
        if (length < name.size())
            return QDir::fromNativeSeparators(QString::fromWCharArray(name.data(), int(length)));
        name.resize(name.size() * 2);
    }
}

QString lastError() {
    const DWORD code = GetLastError();
    wchar_t *text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    QString message =
        length ? QString::fromWCharArray(text, int(length)).trimmed() : QStringLiteral("错误 %1").arg(code);
    LocalFree(text);
    return message;
}

// Names arrive as UTF-16 and are opened as such: nothing is lost that the calls below would have to keep.

QStringList arguments(int, char **) {
    return QCoreApplication::arguments();
}

QString pathFromArgument(const QString &argument) {
    return argument;
}

QString executableDir() {
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                        : QFileInfo(executablePath()).absolutePath();
}

bool makePath(const QString &path) {
    return QDir().mkpath(path);
}

QString shown(const QString &path) {
    return QDir::toNativeSeparators(path);
}

QString shownText(const QString &text) {
    return text;
}

QString pathForChild(const QString &path) {
    return path;
}

} // namespace FileSystem
