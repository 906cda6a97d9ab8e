// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/ImportJetCommand.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include "engine/BankError.h"
#include "jet/JetBank.h"
#include "tools/BankCommands.h"
#include "tools/BankIo.h"
#include "tools/ToolArguments.h"

namespace {

const char kBankName[] = "Bs.mdb";

BankCredentials credentials(const ToolArguments &arguments, const QString &prefix) {
    BankCredentials result;
    const auto take = [&](const QString &option, QByteArray *into) {
        if (arguments.has(prefix + option))
            *into = arguments.value(prefix + option).toUtf8();
    };
    take(QStringLiteral("user"), &result.user);
    take(QStringLiteral("password"), &result.password);
    take(QStringLiteral("db-password"), &result.databasePassword);
    return result;
}

QStringList accountOptions(const ToolArguments &arguments) {
    QStringList options;
    for (const QString &name : {QStringLiteral("user"), QStringLiteral("password"), QStringLiteral("db-password")})
        if (arguments.has(name))
            options << QStringLiteral("--") + name << arguments.value(name);
    return options;
}

} // namespace

int runImportJetCommand(const QStringList &args, QTextStream &out) {
    const ToolArguments arguments(args, {QStringLiteral("user"), QStringLiteral("password"),
                                         QStringLiteral("db-password"), QStringLiteral("from-user"),
                                         QStringLiteral("from-password"), QStringLiteral("from-db-password")});
    const QStringList paths = arguments.positional({QStringLiteral("LEGACY_DIR"), QStringLiteral("OUT")});
    const QString legacyDir = paths[0];
    const QString outDir = paths[1];

    const QString legacyBank = QDir(legacyDir).filePath(QLatin1String(kBankName));
    if (!QFileInfo::exists(legacyBank))
        throw BankError(QStringLiteral("题库文件不存在：%1").arg(QDir::toNativeSeparators(legacyBank)));
    if (!JetBank::recognises(legacyBank))
        throw BankError(
            QStringLiteral("不是 Access/Jet 格式的题库，无须转换：%1").arg(QDir::toNativeSeparators(legacyBank)));
    // Writing into the legacy folder would put the new files in place of the bank being converted.
    const QString canonicalOut = QFileInfo(outDir).canonicalFilePath();
    if (!canonicalOut.isEmpty() && canonicalOut == QFileInfo(legacyDir).canonicalFilePath())
        throw BankError(QStringLiteral("输出文件夹不能是原题库所在的文件夹，否则会覆盖原题库：%1")
                            .arg(QDir::toNativeSeparators(outDir)));

    const BankTables tables = readBank(legacyDir, credentials(arguments, QStringLiteral("from-")));
    writeBank(tables, outDir, credentials(arguments, QString()));
    out << "已把 Access/Jet 题库 " << QDir::toNativeSeparators(legacyBank) << " 转换到 "
        << QDir::toNativeSeparators(outDir) << "：选择题 " << tables.choose.rows.size() << " 道，填空题 "
        << tables.fill.rows.size() << " 道，知识点 " << tables.knowledge.rows.size() << " 条\n";
    out << "检查转换结果：\n";
    return runCheckCommand(QStringList{outDir} + accountOptions(arguments), out);
}
