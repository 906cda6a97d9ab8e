// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <mutex>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A name that is not UTF-8 is reached through a descriptor of its folder: the kernel resolves /proc/self/fd/N to
// the very folder, so every open under that path, a rename inside it and the database engine's own files all land
// there. A name that names nothing yet holds its number with a socket, which is neither a folder nor a file that
// opens, until makePath makes the folder and puts it under that number.
struct OpenedName {
    QString shown;             // the bytes as Qt decodes them, U+FFFD for those that are not UTF-8
    int nearestFolder = -1;    // while the folder is still to be made: the nearest one that exists
    QList<QByteArray> missing; // and the names to make below it, in order
};

const QString kOpenedRoot = QStringLiteral("/proc/self/fd/");

std::mutex g_namesMutex;
QHash<int, OpenedName> g_names;

bool escaped(const QString &text, qsizetype i) {
    const char16_t c = text.at(i).unicode();
    return c >= 0xDC80 && c <= 0xDCFF && (i == 0 || !text.at(i - 1).isHighSurrogate());
}

bool hasEscapes(const QString &text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (escaped(text, i))
            return true;
    return false;
}

// The length of the UTF-8 sequence at S, 0 when the byte there starts none.
int sequenceLength(const uchar *s, qsizetype left) {
    const uchar lead = s[0];
    if (lead < 0x80)
        return 1;
    int length = 0;
    uint code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (left < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((s[i] & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (s[i] & 0x3F);
    }
    if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
        (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

bool isUtf8(const QByteArray &bytes) {
    const auto *s = reinterpret_cast<const uchar *>(bytes.constData());
    for (qsizetype i = 0; i < bytes.size();) {
        const int length = sequenceLength(s + i, bytes.size() - i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

QString decodeKeeping(const QByteArray &bytes) {
    if (isUtf8(bytes))
        return QFile::decodeName(bytes);
    QString text;
    const auto *s = reinterpret_cast<const uchar *>(bytes.constData());
    qsizetype run = 0;
    for (qsizetype i = 0; i < bytes.size();) {
        const int length = sequenceLength(s + i, bytes.size() - i);
        if (length > 0) {
            i += length;
            continue;
        }
        text += QString::fromUtf8(bytes.constData() + run, i - run);
        text += QChar(char16_t(0xDC00 + s[i]));
        run = ++i;
    }
    text += QString::fromUtf8(bytes.constData() + run, bytes.size() - run);
    return text;
}

QByteArray encodeKept(const QString &text) {
    QByteArray bytes;
    qsizetype run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!escaped(text, i))
            continue;
        bytes += text.mid(run, i - run).toUtf8();
        bytes += char(text.at(i).unicode() - 0xDC00);
        run = i + 1;
    }
    bytes += text.mid(run).toUtf8();
    return bytes;
}

QString withReplacements(QString text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (escaped(text, i))
            text[i] = QChar::ReplacementCharacter;
    return text;
}

QByteArray joined(const QList<QByteArray> &parts, qsizetype from, qsizetype to) {
    QByteArray path;
    for (qsizetype i = from; i < to; ++i)
        path += (i > from ? "/" : "") + parts[i];
    return path;
}

// The folder a path's first COUNT parts name; the current folder for none, the root for the empty first part of
// an absolute path.
int openFolder(const QList<QByteArray> &parts, qsizetype count) {
    QByteArray folder = joined(parts, 0, count);
    if (count == 0)
        folder = ".";
    else if (folder.isEmpty())
        folder = "/";
    return ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

QString registered(int fd, OpenedName name, const QByteArray &rest) {
    {
        const std::lock_guard<std::mutex> lock(g_namesMutex);
        g_names.insert(fd, std::move(name));
    }
    QString path = kOpenedRoot + QString::number(fd);
    if (!rest.isEmpty())
        path += QLatin1Char('/') + QFile::decodeName(rest);
    return path;
}

// Makes the missing folders of NAME and puts the last under FD; errno tells why not.
bool makeMissing(int fd, OpenedName &name) {
    int folder = name.nearestFolder;
    for (const QByteArray &part : std::as_const(name.missing)) {
        if (part.isEmpty())
            continue;
        if (::mkdirat(folder, part.constData(), 0777) != 0 && errno != EEXIST)
            return false;
        const int next = ::openat(folder, part.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        const int error = errno;
        if (folder != name.nearestFolder)
            ::close(folder);
        errno = error;
        if (next < 0)
            return false;
        folder = next;
    }
    const bool moved = ::dup3(folder, fd, O_CLOEXEC) >= 0;
    const int error = errno;
    if (folder != name.nearestFolder)
        ::close(folder);
    errno = error;
    if (!moved)
        return false;
    ::close(name.nearestFolder);
    name.nearestFolder = -1;
    name.missing.clear();
    return true;
}

} // namespace

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

QStringList arguments(int argc, char **argv) {
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list.append(decodeKeeping(QByteArray(argv[i])));
    return list;
}

QString pathFromArgument(const QString &argument) {
    if (!hasEscapes(argument))
        return argument;
    const QList<QByteArray> parts = encodeKept(argument).split('/');
    qsizetype last = parts.size() - 1;
    while (last > 0 && isUtf8(parts[last]))
        --last;
    const QByteArray named = joined(parts, 0, last + 1);
    const QByteArray rest = joined(parts, last + 1, parts.size());
    OpenedName name;
    name.shown = QFile::decodeName(named);
    // A file of such a name is opened itself: /proc/self/fd/N then opens it afresh.
    const int fd = ::open(named.constData(), O_PATH | O_CLOEXEC);
    if (fd >= 0)
        return registered(fd, std::move(name), rest);
    const int error = errno;
    const int placeholder = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (placeholder < 0)
        return withReplacements(argument);
    if (error == ENOENT) {
        for (qsizetype count = last; count >= 0 && name.nearestFolder < 0; --count) {
            name.nearestFolder = openFolder(parts, count);
            if (name.nearestFolder >= 0)
                name.missing = parts.mid(count, last + 1 - count);
        }
    }
    return registered(placeholder, std::move(name), rest);
}

QString executableDir() {
    // Asked once: the folder stays open for the rest of the run, under the one number.
    static const QString dir = [] {
        QByteArray target(PATH_MAX, '\0');
        const ssize_t length = ::readlink("/proc/self/exe", target.data(), size_t(target.size()));
        if (length <= 0 || length >= target.size())
            return QFileInfo(executablePath()).absolutePath();
        target.truncate(qsizetype(length));
        const qsizetype slash = target.lastIndexOf('/');
        return pathFromArgument(decodeKeeping(slash > 0 ? target.left(slash) : QByteArray("/")));
    }();
    return dir;
}

bool makePath(const QString &path) {
    if (path.startsWith(kOpenedRoot)) {
        bool ok = false;
        const int fd = path.mid(kOpenedRoot.size()).section(QLatin1Char('/'), 0, 0).toInt(&ok);
        const std::lock_guard<std::mutex> lock(g_namesMutex);
        const auto name = g_names.find(fd);
        if (ok && name != g_names.end() && name->nearestFolder >= 0 && !makeMissing(fd, *name))
            return false;
    }
    return QDir().mkpath(path);
}

QString shown(const QString &path) {
    return shownText(QDir::toNativeSeparators(path));
}

QString shownText(const QString &text) {
    static const QRegularExpression opened(QStringLiteral("/proc/self/fd/([0-9]+)"));
    // A message of the reading child names the folder as pathForChild gave it.
    QString result = withReplacements(text).replace(QStringLiteral("/proc/%1/fd/").arg(::getpid()), kOpenedRoot);
    if (!result.contains(kOpenedRoot))
        return result;
    const std::lock_guard<std::mutex> lock(g_namesMutex);
    for (qsizetype from = 0;;) {
        const QRegularExpressionMatch match = opened.match(result, from);
        if (!match.hasMatch())
            return result;
        const auto name = g_names.constFind(match.captured(1).toInt());
        if (name == g_names.constEnd()) {
            from = match.capturedEnd();
            continue;
        }
        result.replace(match.capturedStart(), match.capturedLength(), name->shown);
        from = match.capturedStart() + name->shown.size();
    }
}

QString pathForChild(const QString &path) {
    if (!path.startsWith(kOpenedRoot))
        return path;
    return QStringLiteral("/proc/%1/fd/").arg(::getpid()) + path.mid(kOpenedRoot.size());
}

} // namespace FileSystem
