// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/DrawCommand.h"

#include <algorithm>

#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>

#include "drawing/PaperDrawing.h"
#include "engine/ConnectionString.h"
#include "engine/KeyWarmUp.h"
#include "engine/TDm.h"
#include "rules/ExamState.h"
#include "tools/QuestionPrinter.h"
#include "tools/ToolArguments.h"
#include "tools/ToolCommand.h"

namespace {

// The paper's texts as the exam state holds them after the drawing: what the trainer's screens would show.
void printDrawnPaper(const DrawnPaper &paper, QTextStream &out) {
    for (int n = 1; n <= Exam::kChoiceCount; ++n) {
        const _Tk &drawn = ChoiceQuestions[n];
        ChoiceQuestionPrint question;
        question.heading = QStringLiteral("选择题 %1（模块 %2，tid=%3）")
                               .arg(n)
                               .arg((n - 1) / Exam::kChoicePerModule + 1)
                               .arg(QString::fromUtf8(paper.choiceIds.at(n - 1)));
        question.stem = QString::fromUtf8(drawn.QuestionText);
        for (const QByteArray *option : {&drawn.OptionA, &drawn.OptionB, &drawn.OptionC, &drawn.OptionD})
            question.options.append(QString::fromUtf8(*option));
        question.key = QString::fromUtf8(drawn.Key);
        question.score = QString::number(drawn.Score);
        question.analysis = QString::fromUtf8(drawn.Analysis);
        question.codes = QString::fromUtf8(drawn.KnowledgeCodes);
        // A slot holds the knowledge point's title and text joined by a line break, without its code.
        for (int k = 1; k <= drawn.KnowledgeCount && k <= Exam::kKnowledgeSlots; ++k) {
            const QString slot = QString::fromUtf8(drawn.KnowledgeTexts[k]);
            const qsizetype cut = slot.indexOf(QStringLiteral("\r\n"));
            question.knowledge.append(
                {QString(), cut < 0 ? slot : slot.left(cut), cut < 0 ? QString() : slot.mid(cut + 2)});
        }
        out << '\n';
        printChoiceQuestion(question, out);
    }
    for (int n = 1; n <= Exam::kFillCount; ++n) {
        const _Fill &drawn = FillQuestions[n];
        FillQuestionPrint question;
        question.heading = QStringLiteral("填空题 %1（模块 %2，TID=%3）")
                               .arg(n)
                               .arg(drawn.ModuleId)
                               .arg(QString::fromUtf8(paper.fillIds.at(n - 1)));
        question.stem = QString::fromUtf8(drawn.QuestionText);
        question.key = drawn.Key;
        question.explanation = QString::fromUtf8(drawn.KnowledgeText);
        out << '\n';
        printFillQuestion(question, out);
    }
    out << '\n';
}

QString milliseconds(qint64 nanoseconds) {
    return QString::number(double(nanoseconds) / 1e6, 'f', 1);
}

// N drawings in one process, as a run of the trainer makes them one after another: the slow key derivations come
// once, before the first, and are timed apart; each drawing then costs what every later start of the trainer costs.
void timeDrawings(TDm &dataModule, int times, QTextStream &out) {
    QElapsedTimer clock;
    clock.start();
    KeyWarmUp::derive(dataModule.ADOConnection1->connectionString());
    out << QStringLiteral("密钥推导用时 %1 毫秒（工作组密码的校验值和题库密钥，每个进程只推导一次）\n")
               .arg(milliseconds(clock.nsecsElapsed()));
    QList<qint64> spans;
    for (int i = 1; i <= times; ++i) {
        const int opensBefore = dataModule.ADOConnection1->openCount();
        clock.restart();
        drawPaper(*dataModule.ADOQuery1, nullptr);
        spans.append(clock.nsecsElapsed());
        out << QStringLiteral("第 %1 次抽题用时 %2 毫秒，打开连接 %3 次\n")
                   .arg(i)
                   .arg(milliseconds(spans.last()))
                   .arg(dataModule.ADOConnection1->openCount() - opensBefore);
    }
    std::sort(spans.begin(), spans.end());
    const qsizetype middle = spans.size() / 2;
    const qint64 median = spans.size() % 2 ? spans[middle] : (spans[middle - 1] + spans[middle]) / 2;
    out << QStringLiteral("抽题用时中位数 %1 毫秒（共 %2 次）\n").arg(milliseconds(median)).arg(times);
}

} // namespace

int runDrawCommand(const QStringList &args, QTextStream &out) {
    const ToolArguments arguments(args, {QStringLiteral("times")}, {QStringLiteral("text")});
    const QDir dir(arguments.paths({QStringLiteral("DIR")}).first());
    const int times = arguments.intValue(QStringLiteral("times"), 0, 1, 100000);

    TDm dataModule;
    dataModule.ADOConnection1->Close();
    dataModule.ADOConnection1->setConnectionString(
        buildConnectionString(QDir::toNativeSeparators(dir.absoluteFilePath(QStringLiteral("Bs.mdb"))),
                              QDir::toNativeSeparators(dir.absoluteFilePath(QStringLiteral("Mq4100.mdw")))));
    if (times > 0) {
        timeDrawings(dataModule, times, out);
        return ExitOk;
    }

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
    if (arguments.has(QStringLiteral("text")))
        printDrawnPaper(paper, out);
    out << QStringLiteral("抽题用时 %1 毫秒（含本次运行中首次打开题库的密钥推导），打开连接 %2 次\n")
               .arg(double(nanoseconds) / 1e6, 0, 'f', 1)
               .arg(dataModule.ADOConnection1->openCount());
    return ExitOk;
}
