// SPDX-License-Identifier: GPL-3.0-or-later

#include "jet/JetChildReader.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include "engine/BankError.h"
#include "engine/FileSystem.h"
#include "jet/ChildLimits.h"

namespace {

constexpr int kDefaultTimeout = 30000;
// A bank of some thousands of questions comes to a few megabytes; this is far past any real one.
constexpr qint64 kMaxStream = qint64(512) * 1024 * 1024;

QString g_toolPath;
int g_timeout = kDefaultTimeout;
int g_runs = 0;
JetChildReader::ReentryGuardFactory g_reentryGuardFactory;

// How a wait for the child ended.
enum class WaitEnd { Finished, TimedOut, TooLarge, Quit };

WaitEnd waitBlocking(QProcess &child, const QDeadlineTimer &deadline, QByteArray &stream) {
    while (child.state() != QProcess::NotRunning) {
        if (deadline.hasExpired())
            return WaitEnd::TimedOut;
        // False once the child has closed its output (then nothing is left but to wait for its end) or when the
        // time is up; the waits share one deadline.
        if (!child.waitForReadyRead(int(qMax<qint64>(deadline.remainingTime(), 1))) &&
            child.state() != QProcess::NotRunning && !deadline.hasExpired())
            child.waitForFinished(int(qMax<qint64>(deadline.remainingTime(), 1)));
        stream += child.readAllStandardOutput();
        if (stream.size() > kMaxStream)
            return WaitEnd::TooLarge;
    }
    return WaitEnd::Finished;
}

// The same wait in a local event loop, so that the program's windows paint and animate meanwhile. The guard,
// held for the loop's run, keeps out whatever must not happen in the middle of the caller's work.
WaitEnd waitInEventLoop(QProcess &child, const QDeadlineTimer &deadline, QByteArray &stream) {
    const std::unique_ptr<JetChildReader::ReentryGuard> guard = g_reentryGuardFactory();
    QEventLoop loop;
    bool ended = false;
    WaitEnd end = WaitEnd::Finished;
    const auto finish = [&](WaitEnd how) {
        if (ended)
            return;
        ended = true;
        end = how;
        loop.quit();
    };
    QObject::connect(&child, &QProcess::readyReadStandardOutput, &loop, [&] {
        stream += child.readAllStandardOutput();
        if (stream.size() > kMaxStream)
            finish(WaitEnd::TooLarge);
    });
    QObject::connect(&child, &QProcess::finished, &loop, [&] { finish(WaitEnd::Finished); });
    QTimer timeUp;
    timeUp.setSingleShot(true);
    QObject::connect(&timeUp, &QTimer::timeout, &loop, [&] { finish(WaitEnd::TimedOut); });
    timeUp.start(int(qMax<qint64>(deadline.remainingTime(), 1)));
    if (child.state() == QProcess::NotRunning)
        return WaitEnd::Finished;
    loop.exec();
    // Left without any of the above: the program is ending, which ends every running event loop.
    return ended ? end : WaitEnd::Quit;
}

bool onApplicationThread() {
    const QCoreApplication *application = QCoreApplication::instance();
    return application && QThread::currentThread() == application->thread();
}

QString besideExecutable() {
    const QString dir = FileSystem::executableDir();
#ifdef Q_OS_WIN
    return QDir(dir).filePath(QStringLiteral("mockexam-bank.exe"));
#else
    return QDir(dir).filePath(QStringLiteral("mockexam-bank"));
#endif
}

QString unreadable(const QString &role, const QString &path, const QString &why) {
    return QStringLiteral("无法读取%1：%2（%3）").arg(role, path, why);
}

} // namespace

namespace JetChildReader {

QList<JetTable> read(const QString &path, const QStringList &tables, const QString &role) {
#if !MOCKEXAM_JET_READER
    // This build carries no reader for the legacy format (its library is not available for this system).
    Q_UNUSED(tables)
    throw BankError(QStringLiteral("本版本不能读取 Access/Jet 格式的%1：%2（请在 Linux 版中用“mockexam-bank import-jet”"
                                   "把它转换为本程序的题库格式）")
                        .arg(role, FileSystem::shown(path)));
#endif
    const QString tool = toolPath();
    if (!QFileInfo(tool).isExecutable())
        throw BankError(QStringLiteral("找不到读取 Access/Jet 格式%1所需的程序：%2（它应与练习程序放在同一文件夹中）")
                            .arg(role, FileSystem::shown(tool)));

    QProcess child;
    child.setProgram(tool);
    child.setArguments(QStringList{QStringLiteral("jet-dump"), FileSystem::pathForChild(path)} + tables);
    // libmdb reports problems on its standard error in English; the parent words its own message instead.
    child.setStandardErrorFile(QProcess::nullDevice());
    child.setStandardInputFile(QProcess::nullDevice());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("MDBOPTS")); // debugging switches of libmdb, which print to standard output
    environment.insert(QStringLiteral("MDB_ICONV"), QStringLiteral("UTF-8"));
    child.setProcessEnvironment(environment);
    ChildLimits limits(child);

    ++g_runs;
    const QDeadlineTimer deadline(g_timeout);
    child.start(QIODevice::ReadOnly);
    if (!child.waitForStarted(int(qMax<qint64>(deadline.remainingTime(), 1))))
        throw BankError(unreadable(
            role, path, QStringLiteral("无法启动读取程序 %1：%2").arg(FileSystem::shown(tool), child.errorString())));
    if (!limits.started()) {
        child.kill();
        child.waitForFinished(5000);
        throw BankError(unreadable(role, path, QStringLiteral("无法限制读取程序的内存")));
    }

    QByteArray stream;
    const WaitEnd end = g_reentryGuardFactory && onApplicationThread() ? waitInEventLoop(child, deadline, stream)
                                                                       : waitBlocking(child, deadline, stream);
    if (end != WaitEnd::Finished) {
        child.kill();
        child.waitForFinished(5000);
        throw BankError(unreadable(role, path,
                                   end == WaitEnd::TimedOut ? QStringLiteral("读取超时，文件可能已损坏")
                                   : end == WaitEnd::TooLarge ? QStringLiteral("读取程序返回的数据过多，文件可能已损坏")
                                                              : QStringLiteral("程序正在退出，读取已中止")));
    }
    stream += child.readAllStandardOutput();

    if (child.exitStatus() == QProcess::CrashExit)
        throw BankError(unreadable(role, path, QStringLiteral("读取程序异常退出，文件可能已损坏")));
    const JetDump dump = decodeJetDump(stream);
    if (dump.status == JetDump::Failure)
        throw BankError(unreadable(role, path, dump.message));
    if (dump.status == JetDump::Garbage || child.exitCode() != 0)
        throw BankError(unreadable(role, path,
                                   dump.status == JetDump::Garbage
                                       ? dump.message
                                       : QStringLiteral("读取程序以状态 %1 结束").arg(child.exitCode())));
    return dump.tables;
}

void setToolPath(const QString &path) {
    g_toolPath = path;
}

QString toolPath() {
    return g_toolPath.isEmpty() ? besideExecutable() : g_toolPath;
}

void setTimeout(int milliseconds) {
    g_timeout = milliseconds > 0 ? milliseconds : kDefaultTimeout;
}

ReentryGuard::~ReentryGuard() = default;

void setReentryGuardFactory(ReentryGuardFactory factory) {
    g_reentryGuardFactory = std::move(factory);
}

int runCount() {
    return g_runs;
}

} // namespace JetChildReader
