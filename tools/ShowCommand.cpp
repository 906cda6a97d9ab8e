// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/ShowCommand.h"

#include <QTextStream>

#include "drawing/PaperDrawing.h"
#include "engine/BankError.h"
#include "engine/FileSystem.h"
#include "rules/ExamState.h"
#include "tools/BankColumns.h"
#include "tools/BankCommands.h"
#include "tools/BankIo.h"
#include "tools/QuestionPrinter.h"
#include "tools/ToolArguments.h"
#include "tools/ToolCommand.h"
#include "tools/UsageError.h"

namespace {

enum class Table { Either, Choice, Fill };

struct QuestionId {
    Table table = Table::Either;
    QByteArray id;
};

QuestionId parseId(const QString &text) {
    QuestionId parsed;
    QString id = text;
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        const QString prefix = text.left(colon);
        if (prefix.compare(QStringLiteral("choose"), Qt::CaseInsensitive) == 0)
            parsed.table = Table::Choice;
        else if (prefix.compare(QStringLiteral("fill"), Qt::CaseInsensitive) == 0)
            parsed.table = Table::Fill;
        else
            id.clear();
        if (!id.isEmpty())
            id = text.mid(colon + 1);
    }
    if (id.isEmpty())
        throw UsageError(QStringLiteral("题号 %1 的写法不对：选择题写 tid（如 12）或 choose:12，填空题写 fill:TID"
                                        "（如 fill:3）")
                             .arg(text));
    parsed.id = id.toUtf8();
    return parsed;
}

QByteArray cell(const BankTable &table, const QList<QByteArray> &row, const QString &column) {
    const int index = table.column(column);
    return index >= 0 && index < row.size() ? row[index] : QByteArray();
}

QString text(const BankTable &table, const QList<QByteArray> &row, const QString &column) {
    return QString::fromUtf8(cell(table, row, column));
}

QList<const QList<QByteArray> *> rowsWithId(const BankTable &table, const QString &idColumn, const QByteArray &id) {
    QList<const QList<QByteArray> *> found;
    for (const QList<QByteArray> &row : table.rows)
        if (cell(table, row, idColumn) == id)
            found.append(&row);
    return found;
}

// The knowledge points as the drawing finds them: the stored codes cut into 5-byte pieces, each looked up in turn.
QList<KnowledgePoint> knowledgeOf(const BankTable &knowledge, const QByteArray &codes) {
    QList<KnowledgePoint> points;
    if (knowledgeCodesBlank(codes))
        return points;
    QList<QByteArray> pieces;
    for (qsizetype at = 0; at < codes.size(); at += Exam::kKnowledgeCodeLength) {
        const QByteArray piece = codes.mid(at, Exam::kKnowledgeCodeLength);
        if (!pieces.contains(piece))
            pieces.append(piece);
    }
    for (const QByteArray &piece : pieces) {
        const QList<const QList<QByteArray> *> rows = rowsWithId(knowledge, QStringLiteral("recno"), piece);
        if (rows.isEmpty())
            points.append({QString::fromUtf8(piece), QString(), QString(), true});
        for (const QList<QByteArray> *row : rows)
            points.append({QString::fromUtf8(piece), text(knowledge, *row, QStringLiteral("Keyword")),
                           text(knowledge, *row, QStringLiteral("knowladge")), false});
    }
    return points;
}

void printChoiceRow(const BankTables &tables, const QList<QByteArray> &row, QTextStream &out) {
    const BankTable &t = tables.choose;
    ChoiceQuestionPrint question;
    question.heading = QStringLiteral("选择题 tid=%1（模块 %2）")
                           .arg(text(t, row, QStringLiteral("tid")), text(t, row, QStringLiteral("mkid")));
    question.stem = text(t, row, QStringLiteral("Timu"));
    for (const char *column : {"ANSWER_A", "ANSWER_B", "ANSWER_C", "ANSWER_D"})
        question.options.append(text(t, row, QLatin1String(column)));
    question.key = text(t, row, QStringLiteral("Key"));
    question.score = text(t, row, QStringLiteral("Score"));
    question.analysis = text(t, row, QStringLiteral("ANALYSIS"));
    const QByteArray codes = cell(t, row, QStringLiteral("ZHISHIDIAN"));
    question.codes = QString::fromUtf8(codes);
    question.knowledge = knowledgeOf(tables.knowledge, codes);
    printChoiceQuestion(question, out);
}

void printFillRow(const BankTable &t, const QList<QByteArray> &row, QTextStream &out) {
    FillQuestionPrint question;
    question.heading = QStringLiteral("填空题 TID=%1（模块 %2）")
                           .arg(text(t, row, QStringLiteral("TID")), text(t, row, QStringLiteral("MKID")));
    question.stem = text(t, row, QStringLiteral("TiMu"));
    question.key = cell(t, row, QStringLiteral("KEY"));
    question.explanation = text(t, row, QStringLiteral("ZHISHIDIAN"));
    printFillQuestion(question, out);
}

} // namespace

int runShowCommand(const QStringList &args, QTextStream &out) {
    const ToolArguments arguments(args, bankCredentialOptions());
    const QStringList positional = arguments.positional({QStringLiteral("DIR"), QStringLiteral("ID")});
    const QuestionId wanted = parseId(positional[1]);
    const BankTables tables = readBank(FileSystem::pathFromArgument(positional[0]), bankCredentialsFrom(arguments));

    const auto choices = rowsWithId(tables.choose, QStringLiteral("tid"), wanted.id);
    const auto fills = rowsWithId(tables.fill, QStringLiteral("TID"), wanted.id);
    const QString id = QString::fromUtf8(wanted.id);
    const bool showChoices = wanted.table == Table::Choice || (wanted.table == Table::Either && !choices.isEmpty());
    const auto &shown = showChoices ? choices : fills;
    if (shown.isEmpty()) {
        if (wanted.table == Table::Choice)
            throw BankError(QStringLiteral("题库中没有 tid 为 %1 的选择题").arg(id));
        if (wanted.table == Table::Fill)
            throw BankError(QStringLiteral("题库中没有 TID 为 %1 的填空题").arg(id));
        throw BankError(QStringLiteral("题库中没有题号为 %1 的选择题或填空题").arg(id));
    }
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (i > 0)
            out << '\n';
        if (showChoices)
            printChoiceRow(tables, *shown[i], out);
        else
            printFillRow(tables.fill, *shown[i], out);
    }
    if (shown.size() > 1)
        out << "\n注意：题库中有 " << shown.size() << " 道题的题号都是 " << id << "，每张试卷只能抽到其中一道\n";
    if (wanted.table == Table::Either && showChoices && !fills.isEmpty())
        out << "\n填空题中也有 TID 为 " << id << " 的题，要看它请写 fill:" << id << '\n';
    return ExitOk;
}
