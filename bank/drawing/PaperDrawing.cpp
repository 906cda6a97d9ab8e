// SPDX-License-Identifier: GPL-3.0-or-later

#include "drawing/PaperDrawing.h"

#include <chrono>
#include <random>

#include <QSet>

#include "engine/BankError.h"
#include "engine/TADOQuery.h"
#include "rules/BankNumber.h"
#include "rules/ExamState.h"

namespace {

constexpr int kCodeLength = Exam::kKnowledgeCodeLength;

bool alreadyDrawn(const QByteArray &drawnList, const QByteArray &id) {
    return drawnList.contains(',' + id + ',');
}

// Makes sure the open result can give `needed` more ids that are not in the drawn list, before any pick is made:
// otherwise the pick-and-retry loop would never end. Stops reading as soon as enough are seen, so a large module
// costs a handful of reads.
void requireFreshIds(TADOQuery &query, const QString &table, const QString &idColumn, int module,
                     const QByteArray &drawnList, int needed) {
    QSet<QByteArray> fresh;
    QSet<QByteArray> sharedWithEarlier;
    const int rows = query.RecordCount();
    query.First();
    for (int row = 0; row < rows && fresh.size() < needed; ++row) {
        const QByteArray id = query.FieldAsString(idColumn);
        if (alreadyDrawn(drawnList, id))
            sharedWithEarlier.insert(id);
        else
            fresh.insert(id);
        query.Next();
    }
    if (fresh.size() >= needed)
        return;
    QString message =
        QStringLiteral("题库表 %1 中模块 %2 的不同题目只有 %3 道").arg(table).arg(module).arg(fresh.size());
    if (!sharedWithEarlier.isEmpty())
        message += QStringLiteral("（另有 %1 道与前面模块已抽出的题目编号相同）").arg(sharedWithEarlier.size());
    throw BankError(message + QStringLiteral("，至少需要 %1 道").arg(needed));
}

// Positions the query on a row not drawn yet and returns its id, appending it to the drawn list.
QByteArray pickFreshRow(TADOQuery &query, const QString &idColumn, QByteArray &drawnList, const RowPick &pick) {
    const int rows = query.RecordCount();
    for (;;) {
        const int r = rows > 0 ? qBound(0, pick(rows), rows - 1) : 0;
        query.First();
        query.MoveBy(r);
        const QByteArray id = query.FieldAsString(idColumn);
        if (alreadyDrawn(drawnList, id))
            continue;
        drawnList += id + ',';
        return id;
    }
}

// A value the drawing cannot read stops the paper; the message names the question that holds it, so that the bank's
// author can find and mend it.
BankError unreadable(const QString &table, const QString &idColumn, const QByteArray &id, const QString &problem) {
    return BankError(
        QStringLiteral("题库表 %1 中 %2=%3 的题目无法读取：%4").arg(table, idColumn, QString::fromUtf8(id), problem));
}

qint32 readNumber(const TADOQuery &query, const QString &column, const QString &table, const QString &idColumn,
                  const QByteArray &id) {
    try {
        return query.FieldAsInteger(column);
    } catch (const BankError &error) {
        throw unreadable(table, idColumn, id, error.message());
    }
}

qint32 readScore(const TADOQuery &query, const QByteArray &id) {
    const QString table = QStringLiteral("choose");
    const QString idColumn = QStringLiteral("tid");
    const qint32 score = readNumber(query, QStringLiteral("Score"), table, idColumn, id);
    if (!BankNumber::scoreInRange(score))
        throw unreadable(table, idColumn, id, BankNumber::scoreOutOfRange(score));
    return score;
}

void drawChoiceQuestions(TADOQuery &query, DrawingSink *sink, const RowPick &pick, DrawnPaper &paper) {
    const QString idColumn = QStringLiteral("tid");
    QByteArray drawnList = ",";
    int n = 0;
    for (int module = 1; module <= Exam::kModuleCount; ++module) {
        runStatement(query, QStringLiteral("select * from choose where mkid=") + QString::number(module));
        requireFreshIds(query, QStringLiteral("choose"), idColumn, module, drawnList, Exam::kChoicePerModule);
        for (int taken = 0; taken < Exam::kChoicePerModule; ++taken) {
            const QByteArray id = pickFreshRow(query, idColumn, drawnList, pick);
            paper.choiceIds.append(id);
            ++n;
            if (sink)
                sink->clearChoiceAnswerBox(n);
            _Tk &question = ChoiceQuestions[n];
            question = _Tk{};
            question.QuestionText = query.FieldAsString(QStringLiteral("Timu"));
            question.OptionA = query.FieldAsString(QStringLiteral("ANSWER_A"));
            question.OptionB = query.FieldAsString(QStringLiteral("ANSWER_B"));
            question.OptionC = query.FieldAsString(QStringLiteral("ANSWER_C"));
            question.OptionD = query.FieldAsString(QStringLiteral("ANSWER_D"));
            question.Analysis = query.FieldAsString(QStringLiteral("ANALYSIS"));
            question.KnowledgeCodes = query.FieldAsString(QStringLiteral("ZHISHIDIAN"));
            question.Key = query.FieldAsString(QStringLiteral("Key"));
            question.Score = readScore(query, id);
        }
    }
}

void lookUpKnowledge(TADOQuery &query) {
    for (int n = 1; n <= Exam::kChoiceCount; ++n) {
        _Tk &question = ChoiceQuestions[n];
        question.KnowledgeIndex = 1;
        if (knowledgeCodesBlank(question.KnowledgeCodes)) {
            question.KnowledgeCount = 0;
            continue;
        }
        runStatement(query, knowledgeStatement(question.KnowledgeCodes));
        // The record has ten slots; rows beyond the tenth are not kept.
        question.KnowledgeCount = qMin(query.RecordCount(), Exam::kKnowledgeSlots);
        for (int k = 1; k <= question.KnowledgeCount; ++k) {
            question.KnowledgeTexts[k] = query.FieldAsString(QStringLiteral("Keyword")) + "\r\n" +
                                         query.FieldAsString(QStringLiteral("knowladge"));
            query.Next();
        }
    }
}

void drawFillQuestions(TADOQuery &query, DrawingSink *sink, const RowPick &pick, DrawnPaper &paper) {
    const QString idColumn = QStringLiteral("TID");
    QByteArray drawnList = ",";
    int n = 0;
    for (int module = 1; module <= Exam::kModuleCount; ++module) {
        runStatement(query, QStringLiteral("select * from Fill where mkid=") + QString::number(module));
        requireFreshIds(query, QStringLiteral("Fill"), idColumn, module, drawnList, Exam::kFillPerModule);
        for (int taken = 0; taken < Exam::kFillPerModule; ++taken) {
            const QByteArray id = pickFreshRow(query, idColumn, drawnList, pick);
            paper.fillIds.append(id);
            ++n;
            if (sink)
                sink->clearFillAnswerBox(n);
            _Fill &question = FillQuestions[n];
            question = _Fill{};
            question.Id = readNumber(query, idColumn, QStringLiteral("Fill"), idColumn, id);
            question.QuestionText = query.FieldAsString(QStringLiteral("TiMu"));
            question.Key = query.FieldAsString(QStringLiteral("KEY"));
            question.ModuleId = readNumber(query, QStringLiteral("MKID"), QStringLiteral("Fill"), idColumn, id);
            question.KnowledgeText = query.FieldAsString(QStringLiteral("ZHISHIDIAN"));
        }
    }
}

void discardPaper(DrawingSink *sink) {
    ChoiceQuestions.fill(_Tk{});
    FillQuestions.fill(_Fill{});
    if (!sink)
        return;
    for (int n = 1; n <= Exam::kChoiceCount; ++n)
        sink->clearChoiceAnswerBox(n);
    for (int n = 1; n <= Exam::kFillCount; ++n)
        sink->clearFillAnswerBox(n);
}

} // namespace

quint64 highResolutionTicks() {
    return quint64(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

RowPick clockSeededPick(SeedClock clock) {
    return [clock = std::move(clock), lastTicks = quint64(0), nudge = quint64(0)](int rowCount) mutable {
        // A clock read twice within one of its ticks would give the same seed, and so the same row, again; nudging
        // the seed keeps two picks from ever sharing one.
        const quint64 ticks = clock();
        nudge = ticks == lastTicks ? nudge + 1 : 0;
        lastTicks = ticks;
        std::mt19937_64 generator(ticks + nudge);
        if (rowCount <= 0)
            return 0;
        return std::uniform_int_distribution<int>(0, rowCount - 1)(generator);
    };
}

DrawnPaper drawPaper(TADOQuery &query, DrawingSink *sink, const RowPick &pick) {
    DrawnPaper paper;
    try {
        drawChoiceQuestions(query, sink, pick, paper);
        lookUpKnowledge(query);
        drawFillQuestions(query, sink, pick, paper);
        query.Close();
    } catch (...) {
        query.Close();
        discardPaper(sink);
        throw;
    }
    RemainingMinutes = Exam::kExamMinutes;
    RemainingSeconds = 0;
    return paper;
}

bool knowledgeCodesBlank(const QByteArray &codes) {
    for (char c : codes)
        if (uchar(c) > ' ')
            return false;
    return true;
}

QString knowledgeStatement(const QByteArray &codes) {
    QString statement = QStringLiteral("SELECT Keyword,knowladge FROM tzhishidian ");
    for (int offset = 0; offset < codes.size(); offset += kCodeLength) {
        QString piece = QString::fromUtf8(codes.mid(offset, kCodeLength));
        piece.replace(QLatin1Char('\''), QStringLiteral("''"));
        statement += (offset == 0 ? QStringLiteral(" WHERE  recno ='") : QStringLiteral(" or recno ='")) + piece +
                     QLatin1Char('\'');
    }
    return statement;
}
