// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/ToolRunner.h"

#include <QTextStream>

#include "engine/BankError.h"
#include "formats/BankFormats.h"
#include "tools/BankCommands.h"
#include "tools/DrawCommand.h"
#include "tools/ImportJetCommand.h"
#include "tools/ShowCommand.h"
#include "tools/UsageError.h"

namespace {

const QString Program = QStringLiteral("mockexam-bank");

const ToolCommand *findCommand(const QString &name) {
    for (const ToolCommand &command : toolCommands())
        if (command.name == name)
            return &command;
    return nullptr;
}

} // namespace

const QList<ToolCommand> &toolCommands() {
    static const QList<ToolCommand> commands = {
        {QStringLiteral("build"), QStringLiteral("SRC OUT [账户选项]"),
         QStringLiteral(
             "由工作簿 SRC（.xlsx，含工作表 choose、Fill、tzhishidian）或文件夹 SRC 中的 choose、Fill、"
             "tzhishidian 三个 .csv（UTF-8、GB18030 或 UTF-16）或 .xlsx 文件生成题库 OUT/Bs.mdb 和工作组文件 "
             "OUT/Mq4100.mdw；源文件有错误时列出错误、不生成题库，退出状态为 1"),
         runBuildCommand},
        {QStringLiteral("check"), QStringLiteral("DIR [账户选项]"),
         QStringLiteral("检查 DIR 中的题库能否抽出完整试卷、评分能否按原意读取答案；有错误时退出状态为 1"),
         runCheckCommand},
        {QStringLiteral("export"), QStringLiteral("DIR OUT [--xlsx | --excel] [账户选项]"),
         QStringLiteral(
             "把 DIR 中的题库导出为 OUT 中的 choose.csv、Fill.csv、tzhishidian.csv；--xlsx 改为导出一个工作簿 "
             "OUT/bank.xlsx（代码列为文本格式）；--excel 让 CSV 文件带 UTF-8 字节顺序标记，供 Excel 直接打开"),
         runExportCommand},
        {QStringLiteral("show"), QStringLiteral("DIR ID [账户选项]"),
         QStringLiteral("列出 DIR 中题库的一道题的全部文字（题目、选项或各空答案、答案、分值、解析、知识点），供校对；"
                        "ID 为选择题的 tid（如 12 或 choose:12），填空题写 fill:TID（如 fill:3）"),
         runShowCommand},
        {QStringLiteral("generate"), QStringLiteral("OUT [--choice N] [--fill M] [--seed S] [账户选项]"),
         QStringLiteral("在 OUT 中生成每个模块 N 道选择题（默认 11）、M 道填空题（默认 2）的合成题库，用于性能测试"),
         runGenerateCommand},
        {QStringLiteral("draw"), QStringLiteral("DIR [--text] [--times N]"),
         QStringLiteral(
             "像练习程序一样从 DIR 中的题库抽一份试卷，逐题列出并给出抽题用时；--text 另外列出每道题的全部文字；"
             "--times N 在同一进程中连抽 N 份，给出密钥推导用时、每份的抽题用时和中位数"),
         runDrawCommand},
        {QStringLiteral("import-jet"),
         QStringLiteral("LEGACY_DIR OUT [--from-user U] [--from-password P] [--from-db-password D] [账户选项]"),
         QStringLiteral(
             "把 LEGACY_DIR 中 Access/Jet 格式的旧题库（Bs.mdb 和工作组文件 Mq4100.mdw）转换为 OUT 中本程序格式的"
             "题库，并检查转换结果；--from-* 为旧题库的账户和密码"),
         runImportJetCommand},
    };
    return commands;
}

QString toolUsage() {
    QString text;
    QTextStream out(&text);
    out << "用法：" << Program << " <命令> [参数]\n\n命令：\n";
    for (const ToolCommand &command : toolCommands())
        out << "  " << command.name << ' ' << command.synopsis << "\n      " << command.summary << '\n';
    out << "\n账户选项（默认为练习程序使用的账户和密码）：\n"
           "  --user U          工作组文件中的用户名\n"
           "  --password P      该用户的密码\n"
           "  --db-password D   题库文件的密码\n"
           "  --password-file F      从文件 F 的第一行读取该用户的密码（F 为 - 时从标准输入读取）\n"
           "  --db-password-file F   从文件 F 的第一行读取题库文件的密码（F 为 - 时从标准输入读取）\n"
           "  命令行上的密码会被本机其他用户在进程列表中看到，请优先使用 --password-file 和 --db-password-file\n"
           "\n退出状态：0 成功；1 操作失败或检查发现错误；2 用法错误\n";
    out.flush();
    return text;
}

int runTool(const QStringList &args, QTextStream &out, QTextStream &err) {
    // The commands read legacy Access/Jet banks as well as our own.
    BankFormats::installAll();
    if (args.isEmpty()) {
        err << toolUsage();
        return ExitUsage;
    }
    const QString &name = args.first();
    if (name == QStringLiteral("help") || name == QStringLiteral("--help") || name == QStringLiteral("-h")) {
        out << toolUsage();
        return ExitOk;
    }
    const ToolCommand *command = findCommand(name);
    if (!command) {
        err << "错误：未知命令 " << name << "\n\n" << toolUsage();
        return ExitUsage;
    }
    try {
        return command->run(args.mid(1), out);
    } catch (const UsageError &e) {
        err << "错误：" << e.message() << "\n用法：" << Program << ' ' << command->name << ' ' << command->synopsis
            << '\n';
        return ExitUsage;
    } catch (const BankError &e) {
        err << "错误：" << e.message() << '\n';
        return ExitFailure;
    }
}
