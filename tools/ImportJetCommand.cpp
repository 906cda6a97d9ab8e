// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/ImportJetCommand.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include "engine/BankError.h"
#include "engine/FileSystem.h"
#include "jet/JetBank.h"
#include "tools/BankCommands.h"
#include "tools/BankIo.h"
#include "tools/ToolArguments.h"

namespace {

const char kBankName[] = "Bs.mdb";

// The check that follows runs in this process: the options it is given appear in no process list.
QStringList accountOptions(const BankCredentials &credentials) {
    return {QStringLiteral("--user"),        QString::fromUtf8(credentials.user),
            QStringLiteral("--password"),    QString::fromUtf8(credentials.password),
            QStringLiteral("--db-password"), QString::fromUtf8(credentials.databasePassword)};
}

} // namespace

int runImportJetCommand(const QStringList &args, QTextStream &out) {
    const ToolArguments arguments(args, bankCredentialOptions() + bankCredentialOptions(QStringLiteral("from-")));
    const QStringList paths = arguments.paths({QStringLiteral("LEGACY_DIR"), QStringLiteral("OUT")});
    const QString legacyDir = paths[0];
    const QString outDir = paths[1];

    const QString legacyBank = QDir(legacyDir).filePath(QLatin1String(kBankName));
    if (!QFileInfo::exists(legacyBank))
        throw BankError(QStringLiteral("题库文件不存在：%1").arg(FileSystem::shown(legacyBank)));
    if (!JetBank::recognises(legacyBank))
        throw BankError(QStringLiteral("不是 Access/Jet 格式的题库，无须转换：%1").arg(FileSystem::shown(legacyBank)));
    // Writing into the legacy folder would put the new files in place of the bank being converted.
    // Compared as files, not as names: two names that are not UTF-8 can read alike once decoded.
    const FileSystem::Status outFolder = FileSystem::status(outDir);
    const FileSystem::Status legacyFolder = FileSystem::status(legacyDir);
    if (outFolder.exists && legacyFolder.exists && outFolder.device == legacyFolder.device &&
        outFolder.fileNumber == legacyFolder.fileNumber)
        throw BankError(
            QStringLiteral("输出文件夹不能是原题库所在的文件夹，否则会覆盖原题库：%1").arg(FileSystem::shown(outDir)));

    const BankCredentials legacyCredentials = bankCredentialsFrom(arguments, QStringLiteral("from-"));
    const BankCredentials credentials = bankCredentialsFrom(arguments);
    const BankTables tables = readBank(legacyDir, legacyCredentials);
    writeBank(tables, outDir, credentials);
    out << "已把 Access/Jet 题库 " << FileSystem::shown(legacyBank) << " 转换到 " << FileSystem::shown(outDir)
        << "：选择题 " << tables.choose.rows.size() << " 道，填空题 " << tables.fill.rows.size() << " 道，知识点 "
        << tables.knowledge.rows.size() << " 条\n";
    out << "检查转换结果：\n";
    return runCheckCommand(QStringList{outDir} + accountOptions(credentials), out);
}
