// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/JetDumpCommand.h"

#include <cerrno>
#include <clocale>
#include <new>

#include <unistd.h>

#include "engine/BankError.h"
#include "engine/FileSystem.h"
#include "jet/JetDump.h"
#include "tools/JetMdbReader.h"

namespace {

bool writeAll(int fd, const QByteArray &bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

int runJetDumpCommand(const QStringList &args) {
    // libmdb prints some of its diagnostics on standard output. The stream keeps the real standard output to itself,
    // and the library's output goes to standard error.
    const int stream = ::dup(STDOUT_FILENO);
    if (stream < 0 || ::dup2(STDERR_FILENO, STDOUT_FILENO) < 0)
        return 1;
    // Numbers are printed by the library with the C runtime: keep the decimal point a point whatever the locale.
    std::setlocale(LC_NUMERIC, "C");

    QByteArray document;
    int status = 0;
    if (args.isEmpty()) {
        document = encodeJetFailure(QStringLiteral("没有指定要读取的文件"));
        status = 2;
    } else {
        try {
            document = encodeJetTables(JetMdbReader::readFile(FileSystem::pathFromArgument(args.first()), args.mid(1)));
        } catch (const BankError &e) {
            document = encodeJetFailure(e.message());
            status = 1;
        } catch (const std::bad_alloc &) {
            document = encodeJetFailure(QStringLiteral("内存不足"));
            status = 1;
        }
    }
    const bool written = writeAll(stream, document);
    ::close(stream);
    return written ? status : 1;
}
