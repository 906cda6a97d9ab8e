// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/BankCommands.h"

#include <cerrno>
#include <climits>
#include <cstdio>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include "engine/BankError.h"
#include "engine/FileSystem.h"
#include "engine/SystemCondition.h"
#include "tools/BankCheck.h"
#include "tools/BankCommit.h"
#include "tools/BankCsv.h"
#include "tools/BankIo.h"
#include "tools/BankXlsx.h"
#include "tools/SyntheticBank.h"
#include "tools/ToolArguments.h"
#include "tools/ToolCommand.h"
#include "tools/UsageError.h"
#include "tools/XlsxWriter.h"

namespace {

QString native(const QString &path) {
    return FileSystem::shown(path);
}

const QString StandardInput = QStringLiteral("-");

// The first line of FILE ("-": standard input), without its line end. A password in a file, or piped in, stays out
// of the process list, where every local user reads a command line.
QByteArray passwordFromFile(const QString &option, const QString &name) {
    QFile file;
    bool opened = false;
    // Qt on Windows reports through the system's own error codes and leaves errno as it was.
    errno = 0;
    if (name == StandardInput) {
        opened = file.open(stdin, QIODevice::ReadOnly);
    } else {
        file.setFileName(name);
        if (QFileInfo(name).isDir())
            throw BankError(QStringLiteral("选项 --%1 的密码文件是一个文件夹：%2").arg(option, native(name)));
        opened = file.open(QIODevice::ReadOnly);
    }
    const int error = errno;
    const QString shownName = name == StandardInput ? QStringLiteral("标准输入") : native(name);
    if (!opened)
        throw BankError(QStringLiteral("无法读取选项 --%1 的密码文件：%2（%3）")
                            .arg(option, shownName, error != 0 ? SystemCondition::text(error) : file.errorString()));
    QByteArray line = file.readLine();
    // Not even a line end: an empty file or nothing piped in, far likelier a mistake than an empty password.
    if (line.isEmpty())
        throw BankError(QStringLiteral("选项 --%1 的密码文件是空的：%2").arg(option, shownName));
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return line;
}

QByteArray passwordFrom(const ToolArguments &arguments, const QString &option, const QByteArray &fallback) {
    const QString fileOption = option + QStringLiteral("-file");
    if (arguments.has(option) && arguments.has(fileOption))
        throw UsageError(QStringLiteral("选项 --%1 和 --%2 只能给一个").arg(option, fileOption));
    if (arguments.has(fileOption))
        return passwordFromFile(fileOption, FileSystem::pathFromArgument(arguments.value(fileOption)));
    if (arguments.has(option))
        return arguments.value(option).toUtf8();
    return fallback;
}

BankCredentials credentialsFrom(const ToolArguments &arguments, const QString &prefix = QString()) {
    BankCredentials credentials;
    if (arguments.has(prefix + QStringLiteral("user")))
        credentials.user = arguments.value(prefix + QStringLiteral("user")).toUtf8();
    const QString passwordFile = prefix + QStringLiteral("password-file");
    const QString databasePasswordFile = prefix + QStringLiteral("db-password-file");
    // Standard input holds one password: which line would be which is too easily mistaken.
    if (arguments.value(passwordFile) == StandardInput && arguments.value(databasePasswordFile) == StandardInput)
        throw UsageError(
            QStringLiteral("--%1 和 --%2 不能都从标准输入（-）读取").arg(passwordFile, databasePasswordFile));
    credentials.password = passwordFrom(arguments, prefix + QStringLiteral("password"), credentials.password);
    credentials.databasePassword =
        passwordFrom(arguments, prefix + QStringLiteral("db-password"), credentials.databasePassword);
    return credentials;
}

QString bankFiles(const QString &dir) {
    const QDir folder(dir);
    return QStringLiteral("%1 和 %2")
        .arg(native(folder.filePath(QStringLiteral("Bs.mdb"))), native(folder.filePath(QStringLiteral("Mq4100.mdw"))));
}

QString sizes(const BankTables &tables) {
    return QStringLiteral("选择题 %1 道，填空题 %2 道，知识点 %3 条")
        .arg(tables.choose.rows.size())
        .arg(tables.fill.rows.size())
        .arg(tables.knowledge.rows.size());
}

// One line a finding, as check prints them; returns the number of errors.
int printFindings(const QList<BankFinding> &findings, QTextStream &out) {
    int errors = 0;
    for (const BankFinding &finding : findings) {
        out << formatFinding(finding) << '\n';
        errors += finding.severity == BankFinding::Error ? 1 : 0;
    }
    return errors;
}

// A commit that a killed build left halfway is put right before anything reads the folder, and said so.
void recoverFolder(const QString &dir, QTextStream &out) {
    const QString repaired = BankCommit::recover(dir);
    if (!repaired.isEmpty())
        out << repaired << '\n';
}

} // namespace

QStringList bankCredentialOptions(const QString &prefix) {
    QStringList options;
    for (const char *name : {"user", "password", "db-password", "password-file", "db-password-file"})
        options.append(prefix + QLatin1String(name));
    return options;
}

BankCredentials bankCredentialsFrom(const ToolArguments &arguments, const QString &prefix) {
    return credentialsFrom(arguments, prefix);
}

int runBuildCommand(const QStringList &args, QTextStream &out) {
    const ToolArguments arguments(args, bankCredentialOptions());
    const QStringList paths = arguments.paths({QStringLiteral("SRC"), QStringLiteral("OUT")});
    const BankCredentials credentials = credentialsFrom(arguments);
    recoverFolder(paths[1], out);
    QStringList notices;
    const BankTables tables = BankSources::read(paths[0], &notices);
    for (const QString &notice : std::as_const(notices))
        out << notice << '\n';
    // Sources the drawing cannot use make no bank: a bank already in OUT goes on serving the trainer instead of
    // giving way to one that fails at the next exam.
    const QList<BankFinding> findings = checkBank(tables);
    const int errors = printFindings(findings, out);
    if (errors > 0)
        throw BankError(QStringLiteral("源文件有 %1 个错误（见上），未生成题库，%2 中原有的文件保持不变")
                            .arg(errors)
                            .arg(native(paths[1])));
    writeBank(tables, paths[1], credentials);
    out << "已生成 " << bankFiles(paths[1]) << "：" << sizes(tables) << '\n';
    if (!findings.isEmpty())
        out << "有 " << findings.size() << " 个警告（见上）\n";
    return ExitOk;
}

int runCheckCommand(const QStringList &args, QTextStream &out) {
    const ToolArguments arguments(args, bankCredentialOptions());
    const QStringList paths = arguments.paths({QStringLiteral("DIR")});
    const BankCredentials credentials = credentialsFrom(arguments);
    recoverFolder(paths[0], out);
    const BankTables tables = readBank(paths[0], credentials);
    QList<BankFinding> findings = checkBank(tables);
    // The drawing reads pages that the rows alone never touch (the indexes), so every page is read as well.
    for (const FileDamage &damage : checkBankPages(paths[0], credentials))
        findings.append({BankFinding::Error, damage.file, QString(), damage.message});
    int errors = 0;
    for (const BankFinding &finding : findings) {
        out << formatFinding(finding) << '\n';
        errors += finding.severity == BankFinding::Error ? 1 : 0;
    }
    for (const QString &line : keyBalanceLines(tables))
        out << line << '\n';
    out << "检查完毕：" << errors << " 个错误，" << findings.size() - errors << " 个警告\n";
    return errors > 0 ? ExitFailure : ExitOk;
}

int runExportCommand(const QStringList &args, QTextStream &out) {
    const ToolArguments arguments(args, bankCredentialOptions(), {QStringLiteral("excel"), QStringLiteral("xlsx")});
    const QStringList paths = arguments.paths({QStringLiteral("DIR"), QStringLiteral("OUT")});
    const BankTables tables = readBank(paths[0], credentialsFrom(arguments));
    if (arguments.has(QStringLiteral("xlsx"))) {
        const QString workbook = QDir(paths[1]).filePath(QStringLiteral("bank.xlsx"));
        writeXlsxWorkbook(tables, workbook);
        out << "已导出到 " << native(workbook) << "：" << sizes(tables) << '\n';
        return ExitOk;
    }
    const bool excel = arguments.has(QStringLiteral("excel"));
    writeCsvSources(tables, paths[1], excel ? CsvMark::ByteOrderMark : CsvMark::None);
    out << "已导出到 " << native(paths[1]) << "：" << sizes(tables) << '\n';
    if (excel)
        out << "文件带 UTF-8 字节顺序标记，可直接用 Excel 打开；在 Excel 中保存时请选“CSV UTF-8（逗号分隔）”\n";
    return ExitOk;
}

int runGenerateCommand(const QStringList &args, QTextStream &out) {
    const ToolArguments arguments(args, bankCredentialOptions() + QStringList{QStringLiteral("choice"),
                                                                              QStringLiteral("fill"),
                                                                              QStringLiteral("seed")});
    const QStringList paths = arguments.paths({QStringLiteral("OUT")});
    // Bounds keep a mistyped size from filling the disk; a million questions per module is far past any benchmark.
    const int choice = arguments.intValue(QStringLiteral("choice"), 11, 0, 1000000);
    const int fill = arguments.intValue(QStringLiteral("fill"), 2, 0, 1000000);
    const int seed = arguments.intValue(QStringLiteral("seed"), int(kSyntheticBankSeed), 0, INT_MAX);
    const BankTables tables = generateBank(choice, fill, quint32(seed));
    writeBank(tables, paths[0], credentialsFrom(arguments));
    out << "已生成 " << bankFiles(paths[0]) << "：" << sizes(tables) << '\n';
    return ExitOk;
}
