// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/SyntheticBank.h"

#include <random>

#include "rules/ExamState.h"
#include "tools/BankColumns.h"

namespace {

using Exam::kModuleCount;
constexpr int kMaxKnowledgePerModule = 999; // three digits of serial after the two-digit module
constexpr int kMinKnowledgePerModule = 10;

QByteArray number(qint64 n) {
    return QByteArray::number(n);
}

QByteArray text(const char *format, int module, int serial) {
    return QString::fromUtf8(format).arg(module).arg(serial).toUtf8();
}

QByteArray code(int module, int serial) {
    return QStringLiteral("%1%2").arg(module, 2, 10, QLatin1Char('0')).arg(serial, 3, 10, QLatin1Char('0')).toUtf8();
}

// Picks by plain modulo on the engine's own output: std::mt19937 is the same everywhere, its distributions are not.
class Dice {
public:
    explicit Dice(quint32 seed) : m_engine(seed) {}
    int below(int n) { return int(m_engine() % quint32(n)); }

private:
    std::mt19937 m_engine;
};

} // namespace

BankTables generateBank(int choicePerModule, int fillPerModule, quint32 seed) {
    Dice dice(seed);
    const int knowledgePerModule = qBound(kMinKnowledgePerModule, choicePerModule / 4, kMaxKnowledgePerModule);

    BankTables tables;
    tables.choose.name = BankColumns::choose;
    tables.choose.columns = BankColumns::required(BankColumns::choose);
    tables.fill.name = BankColumns::fill;
    tables.fill.columns = BankColumns::required(BankColumns::fill);
    tables.knowledge.name = BankColumns::knowledge;
    tables.knowledge.columns = BankColumns::required(BankColumns::knowledge);

    qint64 tid = 0;
    qint64 fillTid = 0;
    for (int m = 1; m <= kModuleCount; ++m) {
        for (int k = 1; k <= knowledgePerModule; ++k)
            tables.knowledge.rows.append(
                {code(m, k), text("模块%1知识点%2", m, k), text("模块 %1 第 %2 个知识点的说明，供回顾时显示。", m, k)});

        for (int q = 1; q <= choicePerModule; ++q) {
            ++tid;
            QByteArray codes;
            const int codeCount = 1 + dice.below(3);
            QList<int> serials;
            while (serials.size() < codeCount) {
                const int serial = 1 + dice.below(knowledgePerModule);
                if (!serials.contains(serial))
                    serials.append(serial);
            }
            for (int serial : serials)
                codes += code(m, serial);
            // Keys dealt in turn, as a real bank spreads them: check has nothing to say about a generated bank.
            const char key = char('A' + (q - 1) % 4);
            tables.choose.rows.append({number(m), number(tid), text("模块%1第%2题：下列叙述中，正确的是（  ）。", m, q),
                                       text("模块%1第%2题选项甲", m, q), text("模块%1第%2题选项乙", m, q),
                                       text("模块%1第%2题选项丙", m, q), text("模块%1第%2题选项丁", m, q),
                                       QByteArray(1, key), text("模块 %1 第 %2 题的解析。", m, q), codes,
                                       number(1 + dice.below(2))});
        }

        for (int q = 1; q <= fillPerModule; ++q) {
            ++fillTid;
            // Cycle through the four key shapes: one answer, two accepted answers, and the two two-blank forms.
            QByteArray key;
            switch (fillTid % 4) {
            case 1:
                key = text("答%1x%2", m, q);
                break;
            case 2:
                key = text("甲%1x%2#乙%1x%2", m, q);
                break;
            case 3:
                key = text("甲%1x%2#乙%1x%2@丙%1x%2", m, q);
                break;
            default:
                key = text("甲%1x%2#乙%1x%2@丙%1x%2@丁%1x%2", m, q);
                break;
            }
            const QByteArray stem = key.contains('@') ? text("模块%1第%2道填空题：答案是【1】和【2】。", m, q)
                                                      : text("模块%1第%2道填空题：答案是【1】。", m, q);
            tables.fill.rows.append(
                {number(m), number(fillTid), stem, key, text("模块 %1 第 %2 道填空题的知识点说明。", m, q)});
        }
    }
    return tables;
}
