#include "BankCommands.h"

#include <climits>

#include <QDir>
#include <QTextStream>

#include "BankCheck.h"
#include "BankCsv.h"
#include "BankIo.h"
#include "SyntheticBank.h"
#include "ToolArguments.h"
#include "ToolCommand.h"

namespace {

const QStringList CredentialOptions = {QStringLiteral("user"), QStringLiteral("password"),
                                       QStringLiteral("db-password")};

BankCredentials credentialsFrom(const ToolArguments &arguments) {
    BankCredentials credentials;
    if (arguments.has(QStringLiteral("user")))
        credentials.user = arguments.value(QStringLiteral("user")).toUtf8();
    if (arguments.has(QStringLiteral("password")))
        credentials.password = arguments.value(QStringLiteral("password")).toUtf8();
    if (arguments.has(QStringLiteral("db-password")))
        credentials.databasePassword = arguments.value(QStringLiteral("db-password")).toUtf8();
    return credentials;
}

QString native(const QString &path) {
    return QDir::toNativeSeparators(path);
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

// Building does not refuse a bank the drawing cannot use, but says so, so that a broken source is not shipped unseen.
void hintAtFindings(const BankTables &tables, QTextStream &out) {
    const QList<BankFinding> findings = checkBank(tables);
    int errors = 0;
    for (const BankFinding &finding : findings)
        errors += finding.severity == BankFinding::Error ? 1 : 0;
    if (!findings.isEmpty())
        out << "提示：题库有 " << errors << " 个错误、" << findings.size() - errors << " 个警告，请用 check 命令查看\n";
}

} // namespace

int runBuildCommand(const QStringList &args, QTextStream &out) {
    const ToolArguments arguments(args, CredentialOptions);
    const QStringList paths = arguments.positional({QStringLiteral("SRC"), QStringLiteral("OUT")});
    const BankTables tables = readCsvSources(paths[0]);
    writeBank(tables, paths[1], credentialsFrom(arguments));
    out << "已生成 " << bankFiles(paths[1]) << "：" << sizes(tables) << '\n';
    hintAtFindings(tables, out);
    return ExitOk;
}

int runCheckCommand(const QStringList &args, QTextStream &out) {
    const ToolArguments arguments(args, CredentialOptions);
    const QStringList paths = arguments.positional({QStringLiteral("DIR")});
    const BankCredentials credentials = credentialsFrom(arguments);
    QList<BankFinding> findings = checkBank(readBank(paths[0], credentials));
    // The drawing reads pages that the rows alone never touch (the indexes), so every page is read as well.
    for (const FileDamage &damage : checkBankPages(paths[0], credentials))
        findings.append({BankFinding::Error, damage.file, QString(), damage.message});
    int errors = 0;
    for (const BankFinding &finding : findings) {
        out << formatFinding(finding) << '\n';
        errors += finding.severity == BankFinding::Error ? 1 : 0;
    }
    out << "检查完毕：" << errors << " 个错误，" << findings.size() - errors << " 个警告\n";
    return errors > 0 ? ExitFailure : ExitOk;
}

int runExportCommand(const QStringList &args, QTextStream &out) {
    const ToolArguments arguments(args, CredentialOptions);
    const QStringList paths = arguments.positional({QStringLiteral("DIR"), QStringLiteral("OUT")});
    const BankTables tables = readBank(paths[0], credentialsFrom(arguments));
    writeCsvSources(tables, paths[1]);
    out << "已导出到 " << native(paths[1]) << "：" << sizes(tables) << '\n';
    return ExitOk;
}

int runGenerateCommand(const QStringList &args, QTextStream &out) {
    const ToolArguments arguments(
        args,
        CredentialOptions + QStringList{QStringLiteral("choice"), QStringLiteral("fill"), QStringLiteral("seed")});
    const QStringList paths = arguments.positional({QStringLiteral("OUT")});
    // Bounds keep a mistyped size from filling the disk; a million questions per module is far past any benchmark.
    const int choice = arguments.intValue(QStringLiteral("choice"), 11, 0, 1000000);
    const int fill = arguments.intValue(QStringLiteral("fill"), 2, 0, 1000000);
    const int seed = arguments.intValue(QStringLiteral("seed"), int(kSyntheticBankSeed), 0, INT_MAX);
    const BankTables tables = generateBank(choice, fill, quint32(seed));
    writeBank(tables, paths[0], credentialsFrom(arguments));
    out << "已生成 " << bankFiles(paths[0]) << "：" << sizes(tables) << '\n';
    return ExitOk;
}
