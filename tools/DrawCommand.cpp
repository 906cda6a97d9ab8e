#include "DrawCommand.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>

#include "ConnectionString.h"
#include "ExamState.h"
#include "PaperDrawing.h"
#include "TDm.h"
#include "ToolArguments.h"
#include "ToolCommand.h"

int runDrawCommand(const QStringList &args, QTextStream &out) {
    const ToolArguments arguments(args, {});
    const QDir dir(arguments.positional({QStringLiteral("DIR")}).first());

    TDm dataModule;
    dataModule.ADOConnection1->Close();
    dataModule.ADOConnection1->setConnectionString(
        buildConnectionString(QDir::toNativeSeparators(dir.absoluteFilePath(QStringLiteral("Bs.mdb"))),
                              QDir::toNativeSeparators(dir.absoluteFilePath(QStringLiteral("Mq4100.mdw")))));

    QElapsedTimer clock;
    clock.start();
    const DrawnPaper paper = drawPaper(*dataModule.ADOQuery1, nullptr);
    const qint64 nanoseconds = clock.nsecsElapsed();

    for (int n = 1; n <= Exam::kChoiceCount; ++n)
        out << QStringLiteral("选择题 %1  模块 %2  题号 %3  知识点 %4 个\n")
                   .arg(n, 2)
                   .arg((n - 1) / Exam::kChoicePerModule + 1)
                   .arg(QString::fromUtf8(paper.choiceIds.at(n - 1)))
                   .arg(ChoiceQuestions[n].KnowledgeCount);
    for (int n = 1; n <= Exam::kFillCount; ++n)
        out << QStringLiteral("填空题 %1  模块 %2  题号 %3\n")
                   .arg(n, 2)
                   .arg((n - 1) / Exam::kFillPerModule + 1)
                   .arg(QString::fromUtf8(paper.fillIds.at(n - 1)));
    out << QStringLiteral("抽题用时 %1 毫秒（含本次运行中首次打开题库的密钥推导），打开连接 %2 次\n")
               .arg(double(nanoseconds) / 1e6, 0, 'f', 1)
               .arg(dataModule.ADOConnection1->openCount());
    return ExitOk;
}
