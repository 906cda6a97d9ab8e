// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/TestBank.h"

#include <QDir>

#include "engine/ConnectionString.h"

namespace {

QByteArray number(int n) {
    return QByteArray::number(n);
}

QByteArray chinese(const QString &text) {
    return text.toUtf8();
}

} // namespace

QByteArray knowledgeCode(int module, int point) {
    return QByteArray::number(module).rightJustified(2, '0') + QByteArray::number(point).rightJustified(3, '0');
}

BankTables makeTables(int choicePerModule, int fillPerModule, int modules, int knowledgePerModule) {
    BankTables tables;
    tables.choose.name = QStringLiteral("choose");
    tables.choose.columns =
        QStringList{QStringLiteral("mkid"),       QStringLiteral("tid"),      QStringLiteral("Timu"),
                    QStringLiteral("ANSWER_A"),   QStringLiteral("ANSWER_B"), QStringLiteral("ANSWER_C"),
                    QStringLiteral("ANSWER_D"),   QStringLiteral("Key"),      QStringLiteral("ANALYSIS"),
                    QStringLiteral("ZHISHIDIAN"), QStringLiteral("Score")};
    tables.fill.name = QStringLiteral("Fill");
    tables.fill.columns = QStringList{QStringLiteral("MKID"), QStringLiteral("TID"), QStringLiteral("TiMu"),
                                      QStringLiteral("KEY"), QStringLiteral("ZHISHIDIAN")};
    tables.knowledge.name = QStringLiteral("tzhishidian");
    tables.knowledge.columns =
        QStringList{QStringLiteral("recno"), QStringLiteral("Keyword"), QStringLiteral("knowladge")};

    static const char *const keys[] = {"A", "B", "C", "D"};
    int tid = 0;
    for (int m = 1; m <= modules; ++m) {
        for (int k = 1; k <= choicePerModule; ++k) {
            ++tid;
            const QByteArray t = number(tid);
            QByteArray codes;
            if (knowledgePerModule > 0) {
                codes = knowledgeCode(m, (k - 1) % knowledgePerModule + 1);
                if (k % 2 == 0)
                    codes += knowledgeCode(m, k % knowledgePerModule + 1);
            }
            tables.choose.rows.append({number(m), t, chinese(QStringLiteral("第%1题：模块%2的题目").arg(tid).arg(m)),
                                       "选项A-" + t, "选项B-" + t, "选项C-" + t, "选项D-" + t, keys[(tid - 1) % 4],
                                       chinese(QStringLiteral("解析")) + t, codes, number(tid % 2 ? 1 : 2)});
        }
    }
    int fid = 0;
    for (int m = 1; m <= modules; ++m) {
        for (int k = 1; k <= fillPerModule; ++k) {
            ++fid;
            const QByteArray t = number(fid);
            tables.fill.rows.append({number(m), t, chinese(QStringLiteral("填空第%1题：模块%2的【1】").arg(fid).arg(m)),
                                     chinese(QStringLiteral("答案")) + t, chinese(QStringLiteral("填空知识点")) + t});
        }
    }
    for (int m = 1; m <= modules; ++m) {
        for (int k = 1; k <= knowledgePerModule; ++k) {
            const QByteArray code = knowledgeCode(m, k);
            tables.knowledge.rows.append(
                {code, chinese(QStringLiteral("关键词")) + code, chinese(QStringLiteral("知识点说明")) + code});
        }
    }
    return tables;
}

QString writeTestBank(const QString &dir, const BankTables &tables, const BankCredentials &credentials) {
    const QString dat = QDir(dir).filePath(QStringLiteral("Dat"));
    writeBank(tables, dat, credentials);
    return dat;
}

QString testConnectionString(const QString &datDir) {
    const QDir dat(datDir);
    return buildConnectionString(dat.filePath(QStringLiteral("Bs.mdb")), dat.filePath(QStringLiteral("Mq4100.mdw")));
}
