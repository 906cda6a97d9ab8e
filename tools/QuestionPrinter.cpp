// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/QuestionPrinter.h"

#include <QTextStream>

#include "rules/FillKey.h"

namespace {

const QString kIndent = QStringLiteral("    ");

QStringList linesOf(const QString &text) {
    QString unified = text;
    unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    unified.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return unified.split(QLatin1Char('\n'));
}

void printField(QTextStream &out, const QString &label, const QString &text, const QString &margin = QString()) {
    out << margin << label << "：";
    if (text.trimmed().isEmpty()) {
        out << "（空）\n";
        return;
    }
    const QStringList lines = linesOf(text);
    if (lines.size() == 1) {
        out << text << '\n';
        return;
    }
    out << '\n';
    for (const QString &line : lines)
        out << margin << kIndent << line << '\n';
}

QString acceptedAnswers(const QList<QByteArray> &answers) {
    if (answers.isEmpty())
        return QStringLiteral("（没有可接受的答案，这一空永远判错）");
    QStringList texts;
    for (const QByteArray &answer : answers)
        texts.append(QStringLiteral("“%1”").arg(QString::fromUtf8(answer)));
    return texts.join(QStringLiteral(" 或 "));
}

} // namespace

void printChoiceQuestion(const ChoiceQuestionPrint &question, QTextStream &out) {
    out << "== " << question.heading << " ==\n";
    printField(out, QStringLiteral("题目"), question.stem);
    static const char *const letters[] = {"A", "B", "C", "D"};
    for (int i = 0; i < 4; ++i)
        printField(out, QStringLiteral("选项 ") + QLatin1String(letters[i]), question.options.value(i));
    printField(out, QStringLiteral("答案"), question.key);
    printField(out, QStringLiteral("分值"), question.score);
    printField(out, QStringLiteral("解析"), question.analysis);
    out << "知识点：" << (question.codes.trimmed().isEmpty() ? QStringLiteral("（无）") : question.codes) << '\n';
    for (const KnowledgePoint &point : question.knowledge) {
        const QString code = point.code.isEmpty() ? QString() : point.code + QLatin1Char(' ');
        if (point.missing) {
            out << "  " << code << "（题库中没有这个知识点）\n";
            continue;
        }
        printField(out, code + point.title, point.text, QStringLiteral("  "));
    }
}

void printFillQuestion(const FillQuestionPrint &question, QTextStream &out) {
    out << "== " << question.heading << " ==\n";
    printField(out, QStringLiteral("题目"), question.stem);
    const FillKey key = FillKey::parse(question.key);
    if (key.blanks == 1) {
        out << "可接受的答案：" << acceptedAnswers(key.blank1) << '\n';
    } else {
        out << "第 1 空：" << acceptedAnswers(key.blank1) << '\n';
        out << "第 2 空：" << acceptedAnswers(key.blank2) << '\n';
    }
    printField(out, QStringLiteral("答案（KEY）"), QString::fromUtf8(question.key));
    out << "分值："
        << (key.blanks == 1 ? QStringLiteral("2 分，答案须与某个可接受的答案完全相同")
                            : QStringLiteral("每空 1 分，答案中含有该空的某个可接受的答案即得分"))
        << '\n';
    printField(out, QStringLiteral("解析"), question.explanation);
}
