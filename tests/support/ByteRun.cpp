// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/ByteRun.h"

#include <QFile>

#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

QByteArray readAll(const QByteArray &path) {
    QFile file(QFile::decodeName(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<char *> pointers(QList<QByteArray> &list) {
    std::vector<char *> result;
    for (QByteArray &entry : list)
        result.push_back(entry.data());
    result.push_back(nullptr);
    return result;
}

} // namespace

QString ByteRun::report() const {
    return QStringLiteral("status %1\n%2\n%3").arg(status).arg(out, err);
}

ByteRun runBytes(const QByteArray &program, const QList<QByteArray> &args, const QByteArray &scratch,
                 const QList<QByteArray> &extraEnvironment) {
    QList<QByteArray> all{program};
    all += args;
    std::vector<char *> argv = pointers(all);
    QList<QByteArray> environment = extraEnvironment;
    for (char **entry = environ; *entry; ++entry)
        environment.append(QByteArray(*entry));
    std::vector<char *> envp = pointers(environment);

    const QByteArray outPath = scratch + "/stdout";
    const QByteArray errPath = scratch + "/stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ByteRun run;
    pid_t pid = 0;
    if (posix_spawn(&pid, program.constData(), &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        if (::waitpid(pid, &status, 0) == pid && WIFEXITED(status))
            run.status = WEXITSTATUS(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = QString::fromUtf8(readAll(outPath));
    run.err = QString::fromUtf8(readAll(errPath));
    return run;
}
