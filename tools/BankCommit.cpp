// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/BankCommit.h"

#include <cerrno>
#include <climits>
#include <cstdio>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "engine/BankError.h"
#include "engine/BankFile.h"
#include "engine/FileSystem.h"
#include "engine/SystemCondition.h"
#include "engine/WorkgroupFile.h"

namespace {

const char kBankName[] = "Bs.mdb";
const char kWorkgroupName[] = "Mq4100.mdw";

#ifndef _WIN32
QByteArray encoded(const QString &path) {
    return QFile::encodeName(path);
}
#endif

QString shown(const QString &path) {
    return FileSystem::shown(path);
}

bool renamed(const QString &from, const QString &to) {
    return FileSystem::renameReplacing(from, to);
}

void renameInto(const QString &from, const QString &to) {
    // The rename replaces an existing bank in one step; a reader sees either the old file or the new one.
    if (!renamed(from, to))
        throw BankError(QStringLiteral("无法把新文件放到位：%1（%2）").arg(shown(to), SystemCondition::text(errno)));
}

// Keeps the file at PATH under the name KEPT as well, so that it can be put back; false when there is none.
bool keepOld(const QString &path, const QString &kept) {
    if (!FileSystem::existsNoFollow(path))
        return false;
    // A second name for the same file costs nothing; where the file system has no hard links, a copy serves.
    if (!FileSystem::hardLink(path, kept) && !QFile::copy(path, kept))
        throw BankError(QStringLiteral("无法保留原来的文件以便出错时恢复：%1（%2）")
                            .arg(shown(path), SystemCondition::text(errno)));
    return true;
}

// An administrator may have narrowed who reads the bank (mode 600, a group of teachers): a rebuild keeps that.
// The owner passes on only for the superuser, the one who may give files away; a group the builder is no member
// of cannot pass, and the new file keeps the builder's.
// On Windows the new file takes the folder's inherited permissions, as the replaced one did.
void takeOverAccess(const QString &replaced, const QString &aside) {
#ifdef _WIN32
    Q_UNUSED(replaced)
    Q_UNUSED(aside)
#else
    struct stat st {};
    if (::stat(encoded(replaced).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return;
    const QByteArray path = encoded(aside);
    if (::chown(path.constData(), ::geteuid() == 0 ? st.st_uid : uid_t(-1), st.st_gid) != 0 && ::geteuid() == 0)
        throw BankError(QStringLiteral("无法让新文件保留原来文件的所有者和组：%1（%2）")
                            .arg(shown(replaced), SystemCondition::text(errno)));
    if (::chmod(path.constData(), st.st_mode & 07777) != 0)
        throw BankError(QStringLiteral("无法让新文件保留原来文件的权限：%1（%2）")
                            .arg(shown(replaced), SystemCondition::text(errno)));
#endif
}

const QRegularExpression &asidePattern() {
    // Names of older builds carried no process id: ".Bs.mdb.<12 hex digits>.tmp".
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\.(Bs\.mdb|Mq4100\.mdw)\.(?:([0-9]+)\.[0-9a-f]+\.(tmp|tmp-journal|old)|[0-9a-f]{12}\.tmp(?:-journal)?)$)"));
    return pattern;
}

bool processIsRunning(qint64 pid) {
    return FileSystem::processIsRunning(pid);
}

// What killed builds left aside in one folder.
struct Leftovers {
    QStringList all;
    QStringList banks;      // complete new banks: a ".tmp" without its journal
    QStringList workgroups; // old workgroup files kept for putting back
};

Leftovers findLeftovers(const QDir &dir) {
    Leftovers found;
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &name : names) {
        const QRegularExpressionMatch match = asidePattern().match(name);
        if (!match.hasMatch())
            continue;
        if (match.hasCaptured(2) && processIsRunning(match.captured(2).toLongLong()))
            continue;
        found.all.append(dir.filePath(name));
        const bool bank = match.captured(1) == QLatin1String(kBankName);
        if (bank && match.captured(3) == QLatin1String("tmp") && !names.contains(name + QStringLiteral("-journal")))
            found.banks.append(dir.filePath(name));
        else if (!bank && match.captured(3) == QLatin1String("old"))
            found.workgroups.append(dir.filePath(name));
    }
    return found;
}

QByteArray recordedIdentity(const QString &workgroup, bool *readable) {
    try {
        *readable = true;
        return WorkgroupFile::bankIdentity(workgroup);
    } catch (const BankError &) {
        *readable = false;
        return QByteArray();
    }
}

// Puts the pair of DIR right from the leftovers when its workgroup file names another bank; returns what it did.
QString repairPair(const QDir &dir, Leftovers &leftovers) {
    const QString bank = dir.filePath(QLatin1String(kBankName));
    const QString workgroup = dir.filePath(QLatin1String(kWorkgroupName));
    bool readable = false;
    const QByteArray wanted = recordedIdentity(workgroup, &readable);
    const QByteArray present = BankFile::identityAt(bank);
    if (!readable || wanted.isEmpty() || wanted == present)
        return QString();
    // The new workgroup file is in place: the bank it names, written in full before either rename, waits aside.
    for (const QString &aside : std::as_const(leftovers.banks)) {
        if (BankFile::identityAt(aside) == wanted && renamed(aside, bank)) {
            leftovers.all.removeAll(aside);
            return QStringLiteral("%1 中上次生成题库时被中断：已把新题库放到位，完成了那次生成").arg(shown(dir.path()));
        }
    }
    // No new bank to finish with: the old workgroup file that belongs with the bank in place goes back.
    for (const QString &kept : std::as_const(leftovers.workgroups)) {
        bool keptReadable = false;
        const QByteArray keptFor = recordedIdentity(kept, &keptReadable);
        if (keptReadable && (keptFor.isEmpty() || keptFor == present) && renamed(kept, workgroup)) {
            leftovers.all.removeAll(kept);
            return QStringLiteral("%1 中上次生成题库时被中断：已恢复原来的工作组文件，撤销了那次生成")
                .arg(shown(dir.path()));
        }
    }
    return QString();
}

} // namespace

namespace BankCommit {

QString bankAside(const QString &dir, const QString &unique) {
    return QDir(dir).filePath(QStringLiteral(".Bs.mdb.%1.tmp").arg(unique));
}

QString workgroupAside(const QString &dir, const QString &unique) {
    return QDir(dir).filePath(QStringLiteral(".Mq4100.mdw.%1.tmp").arg(unique));
}

void commit(const QString &dirPath, const QString &bankAsidePath, const QString &workgroupAsidePath,
            const QString &unique) {
    const QDir dir(dirPath);
    const QString bank = dir.filePath(QLatin1String(kBankName));
    const QString workgroup = dir.filePath(QLatin1String(kWorkgroupName));
    const QString workgroupKept = dir.filePath(QStringLiteral(".Mq4100.mdw.%1.old").arg(unique));
    takeOverAccess(bank, bankAsidePath);
    takeOverAccess(workgroup, workgroupAsidePath);
    bool keptNeeded = false;
    try {
        // The two files only open as a pair: both are replaced or neither is. The workgroup file goes first and,
        // should the bank then fail to take its place, the old one is put back.
        const bool hadWorkgroup = keepOld(workgroup, workgroupKept);
        renameInto(workgroupAsidePath, workgroup);
        try {
            renameInto(bankAsidePath, bank);
        } catch (const BankError &error) {
            const bool restored = hadWorkgroup ? renamed(workgroupKept, workgroup) : QFile::remove(workgroup);
            if (!restored) {
                keptNeeded = true;
                throw BankError(error.message() +
                                QStringLiteral("；也无法恢复原来的工作组文件，它保存在 %1").arg(shown(workgroupKept)));
            }
            throw BankError(error.message() + QStringLiteral("；原来的题库和工作组文件保持不变"));
        }
        QFile::remove(workgroupKept);
    } catch (...) {
        if (!keptNeeded)
            QFile::remove(workgroupKept);
        throw;
    }
}

QString recover(const QString &dirPath) {
    const QDir dir(dirPath);
    if (!dir.exists())
        return QString();
    Leftovers leftovers = findLeftovers(dir);
    const QString repaired = repairPair(dir, leftovers);
    for (const QString &path : std::as_const(leftovers.all))
        QFile::remove(path);
    return repaired;
}

} // namespace BankCommit
