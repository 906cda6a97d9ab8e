// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/BankCheck.h"

#include <algorithm>

#include <QHash>
#include <QSet>

#include "drawing/PaperDrawing.h"
#include "rules/BankNumber.h"
#include "rules/ExamState.h"
#include "rules/FillKey.h"
#include "tools/BankColumns.h"
#include "tools/BlankOverlap.h"
#include "tools/ChoiceGiveAway.h"
#include "tools/FillKeyTyping.h"
#include "tools/GiveAway.h"
#include "tools/KeyBalance.h"
#include "tools/LengthCue.h"

namespace {

using Exam::kChoicePerModule;
using Exam::kFillPerModule;
using Exam::kKnowledgeSlots;
using Exam::kModuleCount;
constexpr int kCodeLength = Exam::kKnowledgeCodeLength;
constexpr qint32 kSensibleScore = 100;
constexpr qint64 kMaxId = 2147483647;
const QString kDrawingFails = QStringLiteral("抽到这道题时抽题会失败");

// A value in quotes, its line breaks, tabs and NULs written as \n, \t, \0, so that every finding stays one line.
QString quoted(const QByteArray &value) {
    QString shown;
    for (QChar ch : QString::fromUtf8(value)) {
        if (ch == QLatin1Char('\n'))
            shown += QStringLiteral("\\n");
        else if (ch == QLatin1Char('\r'))
            shown += QStringLiteral("\\r");
        else if (ch == QLatin1Char('\t'))
            shown += QStringLiteral("\\t");
        else if (ch == QChar(0))
            shown += QStringLiteral("\\0");
        else
            shown += ch;
    }
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

// The module a question is drawn in: the drawing selects rows whose module equals 1..5, and only a value that the
// bank keeps as a number can equal one. 0 when the question is never drawn.
int moduleOf(const QByteArray &value) {
    const std::optional<qint64> number = BankNumber::parse(value);
    return number && *number >= 1 && *number <= kModuleCount ? int(*number) : 0;
}

// The drawing treats codes made only of blanks and control characters as no codes at all.
bool isBlankByte(char ch) {
    return static_cast<unsigned char>(ch) <= ' ';
}

bool isBlank(const QByteArray &value) {
    for (char ch : value)
        if (!isBlankByte(ch))
            return false;
    return true;
}

// The drawing cuts a question's codes at byte offsets 0, 5, 10, ... while the offset is below the length.
QList<QByteArray> codePieces(const QByteArray &codes) {
    QList<QByteArray> pieces;
    for (qsizetype offset = 0; offset < codes.size(); offset += kCodeLength)
        pieces.append(codes.mid(offset, kCodeLength));
    return pieces;
}

// Reads the rows of one table through its column names, matched without regard to case.
class TableView {
public:
    explicit TableView(const BankTable &table) : m_table(table) {}

    int rowCount() const { return int(m_table.rows.size()); }
    QByteArray value(int row, const QString &column) const {
        const int index = columnIndex(column);
        const QList<QByteArray> &cells = m_table.rows[row];
        return index >= 0 && index < cells.size() ? cells[index] : QByteArray();
    }
    QString rowId(int row, const QString &idColumn) const {
        // A question id is named as the trainer reads it back, so that build and check name it alike.
        const QByteArray raw = value(row, idColumn);
        const QByteArray id =
            idColumn.compare(QLatin1String("tid"), Qt::CaseInsensitive) == 0 ? BankNumber::storedText(raw) : raw;
        if (id.isEmpty())
            return QStringLiteral("第 %1 条记录").arg(row + 1);
        return idColumn + QLatin1Char('=') + QString::fromUtf8(id);
    }

private:
    // Banks made for measuring hold tens of thousands of rows; look each name up once.
    int columnIndex(const QString &column) const {
        auto found = m_indexes.constFind(column);
        if (found == m_indexes.constEnd())
            found = m_indexes.insert(column, m_table.column(column));
        return found.value();
    }

    const BankTable &m_table;
    mutable QHash<QString, int> m_indexes;
};

// The key letters of one module's choice questions (module 1 to 5).
KeyBalance keyBalanceOf(const BankTables &tables, int module) {
    KeyBalance balance;
    const TableView rows(tables.choose);
    for (int r = 0; r < rows.rowCount(); ++r) {
        if (moduleOf(rows.value(r, QStringLiteral("mkid"))) == module)
            balance.add(rows.value(r, QStringLiteral("Key")));
    }
    return balance;
}

class Checker {
public:
    explicit Checker(const BankTables &tables) : m_tables(tables) {}

    QList<BankFinding> run() {
        const bool choose = hasColumns(m_tables.choose, BankColumns::choose);
        const bool fill = hasColumns(m_tables.fill, BankColumns::fill);
        const bool knowledge = hasColumns(m_tables.knowledge, BankColumns::knowledge);
        if (knowledge)
            countRecnos();
        if (choose) {
            checkModules(m_tables.choose, BankColumns::choose, QStringLiteral("mkid"), QStringLiteral("tid"),
                         kChoicePerModule, QStringLiteral("选择题"));
            checkChoiceRows(knowledge);
            checkNulBytes(m_tables.choose, BankColumns::choose, QStringLiteral("tid"));
            checkChoiceCues();
        }
        if (fill) {
            checkModules(m_tables.fill, BankColumns::fill, QStringLiteral("MKID"), QStringLiteral("TID"),
                         kFillPerModule, QStringLiteral("填空题"));
            checkFillRows();
            checkNulBytes(m_tables.fill, BankColumns::fill, QStringLiteral("TID"));
        }
        if (choose && fill)
            checkGiveAways();
        if (fill)
            checkFillCues(choose);
        if (knowledge) {
            checkKnowledgeTable();
            checkNulBytes(m_tables.knowledge, BankColumns::knowledge, QStringLiteral("recno"));
        }
        return m_findings;
    }

private:
    void add(BankFinding::Severity severity, const QString &table, const QString &id, const QString &text) {
        m_findings.append({severity, table, id, text});
    }
    void error(const QString &table, const QString &id, const QString &text) {
        add(BankFinding::Error, table, id, text);
    }
    void warning(const QString &table, const QString &id, const QString &text) {
        add(BankFinding::Warning, table, id, text);
    }

    bool hasColumns(const BankTable &table, const QString &name) {
        bool complete = true;
        for (const QString &column : BankColumns::required(name)) {
            if (table.column(column) < 0) {
                error(name, QString(), QStringLiteral("缺少列 %1").arg(column));
                complete = false;
            }
        }
        return complete;
    }

    void countRecnos() {
        const TableView rows(m_tables.knowledge);
        for (int r = 0; r < rows.rowCount(); ++r)
            ++m_recnoCount[rows.value(r, QStringLiteral("recno"))];
    }

    void checkKnowledgeTable() {
        const TableView rows(m_tables.knowledge);
        QList<QByteArray> order;
        QSet<QByteArray> seen;
        for (int r = 0; r < rows.rowCount(); ++r) {
            const QByteArray recno = rows.value(r, QStringLiteral("recno"));
            if (!seen.contains(recno)) {
                seen.insert(recno);
                order.append(recno);
            }
            if (recno.size() != kCodeLength)
                warning(BankColumns::knowledge, rows.rowId(r, QStringLiteral("recno")),
                        QStringLiteral("recno 长 %1 字节，不是 5 字节：选择题的知识点编码按 5 字节一段切分，"
                                       "完整的一段匹配不到它")
                            .arg(recno.size()));
        }
        for (const QByteArray &recno : order) {
            const int count = m_recnoCount.value(recno);
            if (count > 1)
                error(BankColumns::knowledge, QStringLiteral("recno=") + QString::fromUtf8(recno),
                      QStringLiteral("recno 出现了 %1 次，知识点编码必须唯一").arg(count));
        }
    }

    // Each module needs enough distinct ids for its share of the paper. One no-repeat list serves all five modules of
    // a table, so an id that an earlier module also holds may already be taken when this module is drawn.
    void checkModules(const BankTable &table, const QString &name, const QString &moduleColumn, const QString &idColumn,
                      int perModule, const QString &kind) {
        const TableView rows(table);
        QList<QSet<QByteArray>> ids(kModuleCount + 1);
        QHash<QByteArray, int> firstRow;
        for (int r = 0; r < rows.rowCount(); ++r) {
            // Compared as the drawing reads them back: "007" and "7" are one id.
            const QByteArray id = BankNumber::storedText(rows.value(r, idColumn));
            const QString rowId = rows.rowId(r, idColumn);
            checkId(name, rowId, idColumn, rows.value(r, idColumn));
            if (firstRow.contains(id))
                warning(name, rowId,
                        QStringLiteral("%1 与第 %2 条记录相同：同一 id 的题每张试卷只能抽到其中一道")
                            .arg(idColumn)
                            .arg(firstRow.value(id) + 1));
            else
                firstRow.insert(id, r);
            if (id.contains(','))
                warning(name, rowId,
                        QStringLiteral("%1 含逗号：抽题的去重列表用逗号分隔 id，这个 id 会挡住别的 id").arg(idColumn));
            const QByteArray moduleText = rows.value(r, moduleColumn);
            const int module = moduleOf(moduleText);
            if (module == 0) {
                warning(name, rowId,
                        QStringLiteral("%1 为 %2，不是 1 到 5 的整数：这道题永远不会被抽到")
                            .arg(moduleColumn, quoted(moduleText)));
                continue;
            }
            ids[module].insert(id);
        }
        QSet<QByteArray> earlier;
        for (int m = 1; m <= kModuleCount; ++m) {
            const QString moduleId = moduleColumn + QLatin1Char('=') + QString::number(m);
            const QSet<QByteArray> &distinct = ids[m];
            if (distinct.size() < perModule) {
                error(name, moduleId,
                      QStringLiteral("模块 %1 只有 %2 道不同 %3 的%4，抽题每个模块需要 %5 道")
                          .arg(m)
                          .arg(distinct.size())
                          .arg(idColumn, kind)
                          .arg(perModule));
            } else {
                const QSet<QByteArray> usable = QSet<QByteArray>(distinct).subtract(earlier);
                if (usable.size() < perModule)
                    error(name, moduleId,
                          QStringLiteral("模块 %1 的 %2 个 %3 中有 %4 个与前面的模块相同；各模块共用一个去重列表，"
                                         "只能保证 %5 道可抽，抽题每个模块需要 %6 道")
                              .arg(m)
                              .arg(distinct.size())
                              .arg(idColumn)
                              .arg(distinct.size() - usable.size())
                              .arg(usable.size())
                              .arg(perModule));
            }
            earlier.unite(distinct);
        }
    }

    void checkChoiceRows(bool knowledgeKnown) {
        static const QList<QByteArray> letters = {"A", "B", "C", "D"};
        const TableView rows(m_tables.choose);
        const QString &name = BankColumns::choose;
        for (int r = 0; r < rows.rowCount(); ++r) {
            const QString id = rows.rowId(r, QStringLiteral("tid"));
            const QByteArray key = rows.value(r, QStringLiteral("Key"));
            if (key.isEmpty())
                warning(name, id, QStringLiteral("Key 为空：这道题永远判错"));
            else if (!letters.contains(key))
                warning(name, id, QStringLiteral("Key 为 %1，不是 A、B、C、D 之一：这道题永远判错").arg(quoted(key)));
            checkOptions(rows, r, id);

            checkScore(id, rows.value(r, QStringLiteral("Score")));

            checkCodes(id, rows.value(r, QStringLiteral("ZHISHIDIAN")), knowledgeKnown);
        }
    }

    // The drawing reads a choice question's score as a whole number within 32 bits and refuses the paper otherwise;
    // a score past BankNumber::kMaxScore would let a paper's sum overflow.
    void checkScore(const QString &id, const QByteArray &scoreText) {
        const QString &name = BankColumns::choose;
        if (scoreText.isEmpty()) {
            warning(name, id, QStringLiteral("Score 为空：答对也得 0 分"));
            return;
        }
        const std::optional<qint32> score = BankNumber::readInt32(scoreText);
        if (!score)
            error(name, id, QStringLiteral("Score 为 %1，不是整数：%2").arg(quoted(scoreText), kDrawingFails));
        else if (!BankNumber::scoreInRange(*score))
            error(name, id, BankNumber::scoreOutOfRange(*score) + QStringLiteral("；") + kDrawingFails);
        else if (*score < 0 || *score > kSensibleScore)
            warning(name, id,
                    QStringLiteral("Score 为 %1，不在 0 到 %2 之间：一道选择题的分值通常是 1 或 2 分，"
                                   "整张试卷按百分制计分")
                        .arg(*score)
                        .arg(kSensibleScore));
    }

    // Ids are read back as numbers by the fill-in drawing and looked up by number by the bank tool's show; an id
    // that is no whole number 1..2^31-1 (empty, "abc", 2^63) cannot be named that way.
    void checkId(const QString &name, const QString &rowId, const QString &idColumn, const QByteArray &value) {
        const bool fill = name == BankColumns::fill;
        if (fill && !BankNumber::readInt32(value)) {
            error(name, rowId, QStringLiteral("%1 为 %2，不是整数：%3").arg(idColumn, quoted(value), kDrawingFails));
            return;
        }
        const std::optional<qint64> number = BankNumber::parse(value);
        if (!number || *number < 1 || *number > kMaxId)
            warning(name, rowId,
                    QStringLiteral("%1 为 %2，不是 1 到 %3 的整数：题目无法按编号查找（show 命令、抽题记录）")
                        .arg(idColumn, quoted(value))
                        .arg(kMaxId));
    }

    void checkOptions(const TableView &rows, int r, const QString &id) {
        QStringList empty;
        for (const char *letter : {"A", "B", "C", "D"})
            if (QString::fromUtf8(rows.value(r, QStringLiteral("ANSWER_") + QLatin1String(letter))).trimmed().isEmpty())
                empty.append(QLatin1String(letter));
        if (!empty.isEmpty())
            warning(BankColumns::choose, id,
                    QStringLiteral("选项 %1 的文字为空：考生看到的是空白选项").arg(empty.join(QStringLiteral("、"))));
    }

    void checkCodes(const QString &id, const QByteArray &codes, bool knowledgeKnown) {
        const QString &name = BankColumns::choose;
        if (isBlank(codes))
            return;
        if (codes.contains('\0'))
            error(name, id,
                  QStringLiteral("知识点编码含 NUL 字节（\\0）：查询知识点的语句在这里断开，%1").arg(kDrawingFails));
        if (isBlankByte(codes.front()))
            warning(name, id, QStringLiteral("知识点编码以空白开头：按 5 字节切分后每段都错位"));
        if (codes.size() % kCodeLength != 0)
            warning(name, id, QStringLiteral("知识点编码长 %1 字节，不是 5 的倍数").arg(codes.size()));

        const QList<QByteArray> pieces = codePieces(codes);
        if (pieces.size() > kMaxKnowledgePieces)
            error(name, id,
                  QStringLiteral("知识点编码有 %1 段，查询知识点的语句最多容纳 %2 段（数据库引擎的表达式深度上限）："
                                 "抽到这道题时抽题会失败")
                      .arg(pieces.size())
                      .arg(kMaxKnowledgePieces));
        QList<QByteArray> distinct;
        QSet<QByteArray> seen;
        for (const QByteArray &piece : pieces)
            if (!seen.contains(piece)) {
                seen.insert(piece);
                distinct.append(piece);
            }
        if (!knowledgeKnown)
            return;

        int matched = 0;
        QStringList unmatched;
        for (const QByteArray &piece : distinct) {
            const int count = m_recnoCount.value(piece);
            matched += count;
            if (count == 0)
                unmatched.append(quoted(piece));
        }
        if (matched > kKnowledgeSlots)
            error(name, id,
                  QStringLiteral("知识点编码对应 %1 条知识点记录，每题最多 %2 条").arg(matched).arg(kKnowledgeSlots));
        if (!unmatched.isEmpty())
            warning(name, id,
                    QStringLiteral("知识点编码 %1 在 tzhishidian 中没有对应记录")
                        .arg(unmatched.join(QStringLiteral("、"))));
    }

    void checkFillRows() {
        const TableView rows(m_tables.fill);
        for (int r = 0; r < rows.rowCount(); ++r) {
            const QString id = rows.rowId(r, QStringLiteral("TID"));
            const QByteArray key = rows.value(r, QStringLiteral("KEY"));
            checkFillKey(id, key);
            checkFillTyping(id, rows.value(r, QStringLiteral("TiMu")), key);
        }
    }

    // What a candidate typing into the answer boxes can never meet (see FillKeyTyping.h).
    void checkFillTyping(const QString &id, const QByteArray &stem, const QByteArray &key) {
        const QString &name = BankColumns::fill;
        const FillKey parsed = FillKey::parse(key);
        const int shown = FillKeyTyping::stemBlanks(QString::fromUtf8(stem));
        if (shown != parsed.blanks)
            warning(name, id,
                    QStringLiteral("题干有 %1 个空位标记（【1】、【2】），KEY 却按 %2 个空评分：考生不知道该填几空")
                        .arg(shown)
                        .arg(parsed.blanks));
        const auto answers = [&](const QList<QByteArray> &accepted, const QString &blank) {
            for (const QByteArray &answer : accepted) {
                const QString reason = FillKeyTyping::untypable(answer);
                if (!reason.isEmpty())
                    warning(name, id, QStringLiteral("%1的候选答案 %2 %3").arg(blank, quoted(answer), reason));
            }
            for (const auto &[first, second] : FillKeyTyping::normalisationTwins(accepted))
                warning(name, id,
                        QStringLiteral("%1的候选答案 %2 与 %3 只是字符的组合方式不同（Unicode 规范化形式不同）："
                                       "考生的输入法只打得出其中一种")
                            .arg(blank, quoted(first), quoted(second)));
        };
        if (parsed.blanks == 1) {
            answers(parsed.blank1, QStringLiteral("KEY "));
        } else {
            answers(parsed.blank1, QStringLiteral("第 1 空"));
            answers(parsed.blank2, QStringLiteral("第 2 空"));
        }
    }

    // A NUL byte shows as nothing on the screens and cannot be typed or edited back in most CSV tools.
    void checkNulBytes(const BankTable &table, const QString &name, const QString &idColumn) {
        const TableView rows(table);
        for (int r = 0; r < rows.rowCount(); ++r) {
            QStringList columns;
            for (int c = 0; c < table.columns.size(); ++c)
                if (c < table.rows[r].size() && table.rows[r][c].contains('\0'))
                    columns.append(table.columns[c]);
            if (!columns.isEmpty())
                warning(name, rows.rowId(r, idColumn),
                        QStringLiteral("字段 %1 含 NUL 字节（\\0）：界面上显示不出来，也输不进答题框")
                            .arg(columns.join(QStringLiteral("、"))));
        }
    }

    // Reads a fill-in key as the grading does and reports where that reading is not what the key's author meant.
    void checkFillKey(const QString &id, const QByteArray &key) {
        const QString &name = BankColumns::fill;
        const FillKey parsed = FillKey::parse(key);
        if (FillKey::twoBlankWithoutHash(key))
            warning(name, id,
                    QStringLiteral("两空题 KEY 的第一部分（第一个 @ 之前）没有 #，不合答案格式：第 1 空只接受 %1")
                        .arg(quoted(key.left(key.indexOf('@')))));
        if (FillKey::hashInSecondBlank(key))
            warning(
                name, id,
                QStringLiteral("两空题 KEY 的第二部分（第一个 @ 之后）含 #，不合答案格式：第 2 空的答案请用 @ 分隔"));

        if (parsed.blanks == 1) {
            if (parsed.blank1.isEmpty())
                warning(name, id, QStringLiteral("KEY 没有非空的答案：这道题永远判错"));
            for (const QByteArray &answer : parsed.blank1)
                if (answer.contains('#'))
                    warning(name, id,
                            QStringLiteral("KEY 含不止一个 #：评分只在第一个 # 处分开，候选答案之一是 %1")
                                .arg(quoted(answer)));
            return;
        }
        if (parsed.blank1.isEmpty())
            warning(name, id, QStringLiteral("两空题 KEY 的第 1 空没有非空的候选答案：这一空永远判错"));
        if (parsed.blank2.isEmpty())
            warning(name, id, QStringLiteral("两空题 KEY 的第 2 空没有非空的候选答案：这一空永远判错"));
        for (const QByteArray &answer : parsed.blank1)
            if (answer.contains('#'))
                warning(name, id,
                        QStringLiteral("两空题 KEY 的第一部分含不止一个 #：第 1 空的候选答案之一是 %1")
                            .arg(quoted(answer)));
        for (const QByteArray &answer : parsed.blank2)
            if (answer.contains('#') || answer.contains('@'))
                warning(name, id,
                        QStringLiteral("两空题 KEY 的第二部分含不止一个分隔符：第 2 空的候选答案之一是 %1")
                            .arg(quoted(answer)));
    }

    // A fill-in question whose answer a similar choice question of its module prints (see GiveAway.h).
    void checkGiveAways() {
        const TableView choices(m_tables.choose);
        const TableView fills(m_tables.fill);
        const auto moduleIn = [](const TableView &rows, int r, const QString &column) {
            return moduleOf(rows.value(r, column));
        };
        QList<QPair<int, QString>> found; // fill-in row, warning text
        for (int m = 1; m <= kModuleCount; ++m) {
            QList<int> choiceRows;
            QList<ChoiceText> choiceTexts;
            for (int r = 0; r < choices.rowCount(); ++r) {
                if (moduleIn(choices, r, QStringLiteral("mkid")) != m)
                    continue;
                QStringList options;
                for (const char *letter : {"A", "B", "C", "D"})
                    options.append(
                        QString::fromUtf8(choices.value(r, QStringLiteral("ANSWER_") + QLatin1String(letter))));
                choiceRows.append(r);
                choiceTexts.append({QString::fromUtf8(choices.value(r, QStringLiteral("Timu"))), options});
            }
            QList<int> fillRows;
            QList<FillText> fillTexts;
            for (int r = 0; r < fills.rowCount(); ++r) {
                if (moduleIn(fills, r, QStringLiteral("MKID")) != m)
                    continue;
                fillRows.append(r);
                fillTexts.append(
                    {QString::fromUtf8(fills.value(r, QStringLiteral("TiMu"))), fills.value(r, QStringLiteral("KEY"))});
            }
            for (const GiveAwayPair &pair : findGiveAways(fillTexts, choiceTexts)) {
                const QString which = FillKey::parse(fillTexts[pair.fill].key).blanks == 2
                                          ? QStringLiteral("第 %1 空的答案").arg(pair.blank)
                                          : QStringLiteral("答案");
                found.append(
                    {fillRows[pair.fill],
                     // One arg() call: an answer such as "%1d" must not be taken for a place to fill.
                     QStringLiteral("同模块的选择题 %1 印出了%2“%3”，而且题干与本题相近（本题题干的相邻字词有 %4% "
                                    "也在那道题中出现）：两题抽进同一张试卷时，答案就泄露了")
                         .arg(choices.rowId(choiceRows[pair.choice], QStringLiteral("tid")), which, pair.answer,
                              QString::number(qRound(pair.overlap * 100)))});
            }
        }
        std::stable_sort(found.begin(), found.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
        for (const auto &[row, text] : found)
            warning(BankColumns::fill, fills.rowId(row, QStringLiteral("TID")), text);
    }

    // Cues that let a candidate answer without knowing: one question answering another, a key told by its length or
    // by its letter, two blanks that grade each other. Apart from the per-column rules above, since they read
    // questions as a candidate does, several at a time.

    static QStringList optionsOf(const TableView &rows, int r) {
        QStringList options;
        for (const char *letter : {"A", "B", "C", "D"})
            options.append(QString::fromUtf8(rows.value(r, QStringLiteral("ANSWER_") + QLatin1String(letter))));
        return options;
    }

    static int keyPlace(const QByteArray &key) {
        return key.size() == 1 && key[0] >= 'A' && key[0] <= 'D' ? key[0] - 'A' : -1;
    }

    // The module (1 to 5) a row belongs to, 0 for a module the drawing never draws.
    static int moduleAt(const TableView &rows, int r, const QString &column) { return moduleOf(rows.value(r, column)); }

    void checkChoiceCues() {
        const TableView rows(m_tables.choose);
        const QString &name = BankColumns::choose;
        QList<QList<int>> moduleRows(kModuleCount + 1);
        QList<QList<KeyedChoice>> moduleQuestions(kModuleCount + 1);
        for (int r = 0; r < rows.rowCount(); ++r) {
            const int module = moduleAt(rows, r, QStringLiteral("mkid"));
            if (module == 0)
                continue;
            moduleRows[module].append(r);
            moduleQuestions[module].append({QString::fromUtf8(rows.value(r, QStringLiteral("Timu"))),
                                            optionsOf(rows, r), keyPlace(rows.value(r, QStringLiteral("Key")))});
        }

        QList<QPair<int, QString>> found; // row, warning text
        for (int m = 1; m <= kModuleCount; ++m)
            for (const ChoiceGiveAwayPair &pair : findChoiceGiveAways(moduleQuestions[m])) {
                // The answer as the author wrote it when it is the whole keyed option, not in its folded form.
                const KeyedChoice &asked = moduleQuestions[m][pair.asked];
                const QString keyed = asked.options[asked.key].trimmed();
                const QString shown = GiveAway::normalized(keyed) == pair.answer ? keyed : pair.answer;
                found.append({moduleRows[m][pair.asked],
                              // One arg() call: an answer such as "%1d" must not be taken for a place to fill.
                              QStringLiteral("同模块的选择题 %1 把本题的答案“%2”当作正确的内容印了出来，而且与本题"
                                             "题干相近（本题题干的相邻字词有 %3% 也在那道题中出现）：两题抽进同一张"
                                             "试卷时，一题就答了另一题")
                                  .arg(rows.rowId(moduleRows[m][pair.giver], QStringLiteral("tid")), shown,
                                       QString::number(qRound(pair.overlap * 100)))});
            }
        for (int r = 0; r < rows.rowCount(); ++r) {
            const QByteArray key = rows.value(r, QStringLiteral("Key"));
            const QStringList options = optionsOf(rows, r);
            if (!LengthCue::stands(options, keyPlace(key)))
                continue;
            const LengthCue::Lengths lengths = LengthCue::lengths(options, keyPlace(key));
            found.append({r, QStringLiteral("正确选项 %1 有 %2 个字，最长的干扰项只有 %3 个字：不懂的考生挑最长的"
                                            "选项就能答对，请把干扰项写得一样具体，或把正确选项写短")
                                 .arg(QString::fromUtf8(key))
                                 .arg(lengths.keyed)
                                 .arg(lengths.longestDistractor)});
        }
        std::stable_sort(found.begin(), found.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
        for (const auto &[row, text] : found)
            warning(name, rows.rowId(row, QStringLiteral("tid")), text);

        for (int m = 1; m <= kModuleCount; ++m) {
            const KeyBalance balance = keyBalanceOf(m_tables, m);
            QStringList shares;
            for (int letter : balance.outOfRange())
                shares.append(QStringLiteral("%1 占 %2%")
                                  .arg(QChar(QLatin1Char(char('A' + letter))))
                                  .arg(qRound(balance.share(letter) * 100)));
            if (!shares.isEmpty())
                warning(name, QStringLiteral("mkid=%1").arg(m),
                        QStringLiteral("模块 %1 的 %2 道选择题中，答案 %3，不在 %4% 到 %5% 之间：考生凭字母猜题也能"
                                       "多得分（%6）")
                            .arg(m)
                            .arg(balance.lettered())
                            .arg(shares.join(QStringLiteral("、")))
                            .arg(qRound(KeyBalance::kMinShare * 100))
                            .arg(qRound(KeyBalance::kMaxShare * 100))
                            .arg(balance.summary()));
        }
    }

    void checkFillCues(bool choose) {
        const TableView fills(m_tables.fill);
        const QString &name = BankColumns::fill;
        QList<QPair<int, QString>> found; // row, warning text
        for (int r = 0; r < fills.rowCount(); ++r)
            for (const BlankOverlap &overlap : findBlankOverlaps(fills.value(r, QStringLiteral("KEY"))))
                found.append({r, QStringLiteral("第 %1 空的候选答案“%2”包含在第 %3 空的候选答案“%4”中：两空的答案"
                                                "不分先后地查找，写出“%4”就同时得了第 %1 空的分")
                                     .arg(overlap.innerBlank)
                                     .arg(QString::fromUtf8(overlap.inner))
                                     .arg(3 - overlap.innerBlank)
                                     .arg(QString::fromUtf8(overlap.outer))});

        if (choose) {
            const TableView choices(m_tables.choose);
            QList<QList<int>> choiceRows(kModuleCount);
            QList<QList<KeyedChoice>> choiceTexts(kModuleCount);
            for (int r = 0; r < choices.rowCount(); ++r) {
                const int module = moduleAt(choices, r, QStringLiteral("mkid"));
                if (module == 0)
                    continue;
                choiceRows[module - 1].append(r);
                choiceTexts[module - 1].append({QString::fromUtf8(choices.value(r, QStringLiteral("Timu"))),
                                                optionsOf(choices, r),
                                                keyPlace(choices.value(r, QStringLiteral("Key")))});
            }
            QList<QList<int>> fillRows(kModuleCount);
            QList<QList<FillText>> fillTexts(kModuleCount);
            for (int r = 0; r < fills.rowCount(); ++r) {
                const int module = moduleAt(fills, r, QStringLiteral("MKID"));
                if (module == 0)
                    continue;
                fillRows[module - 1].append(r);
                fillTexts[module - 1].append(
                    {QString::fromUtf8(fills.value(r, QStringLiteral("TiMu"))), fills.value(r, QStringLiteral("KEY"))});
            }
            for (const CrossGiveAwayPair &cross : findCrossModuleGiveAways(fillTexts, choiceTexts)) {
                const GiveAwayPair &pair = cross.pair;
                const QString which = FillKey::parse(fillTexts[cross.fillModule][pair.fill].key).blanks == 2
                                          ? QStringLiteral("第 %1 空的答案").arg(pair.blank)
                                          : QStringLiteral("答案");
                const QString giver =
                    QStringLiteral("模块 %1 的选择题 %2")
                        .arg(QString::number(cross.choiceModule + 1),
                             choices.rowId(choiceRows[cross.choiceModule][pair.choice], QStringLiteral("tid")));
                const QString how =
                    cross.sameAnswer
                        ? QStringLiteral("%1 的正确选项就是本题%2“%3”").arg(giver, which, pair.answer)
                        : QStringLiteral(
                              "%1 印出了%2“%3”，而且与本题题干相近（本题题干的相邻字词有 %4% 也在那道题中出现）")
                              .arg(giver, which, pair.answer, QString::number(qRound(pair.overlap * 100)));
                found.append({fillRows[cross.fillModule][pair.fill],
                              how + QStringLiteral("：每张试卷都有各个模块的题，两题同时抽到时答案就泄露了")});
            }
        }
        std::stable_sort(found.begin(), found.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
        for (const auto &[row, text] : found)
            warning(name, fills.rowId(row, QStringLiteral("TID")), text);
    }

    const BankTables &m_tables;
    QHash<QByteArray, int> m_recnoCount;
    QList<BankFinding> m_findings;
};

} // namespace

QList<BankFinding> checkBank(const BankTables &tables) {
    return Checker(tables).run();
}

QStringList keyBalanceLines(const BankTables &tables) {
    QStringList lines;
    if (tables.choose.column(QStringLiteral("mkid")) < 0 || tables.choose.column(QStringLiteral("Key")) < 0)
        return lines;
    for (int m = 1; m <= kModuleCount; ++m) {
        const KeyBalance balance = keyBalanceOf(tables, m);
        lines.append(
            QStringLiteral("模块 %1 选择题 %2 道，答案分布：%3").arg(m).arg(balance.lettered()).arg(balance.summary()));
    }
    return lines;
}

QString formatFinding(const BankFinding &finding) {
    const QString severity = finding.severity == BankFinding::Error ? QStringLiteral("错误") : QStringLiteral("警告");
    if (finding.id.isEmpty())
        return QStringLiteral("%1 %2：%3").arg(severity, finding.table, finding.text);
    return QStringLiteral("%1 %2 %3：%4").arg(severity, finding.table, finding.id, finding.text);
}
