// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/BankColumns.h"

namespace BankColumns {

QStringList required(const QString &table) {
    if (table.compare(choose, Qt::CaseInsensitive) == 0)
        return {QStringLiteral("mkid"),       QStringLiteral("tid"),      QStringLiteral("Timu"),
                QStringLiteral("ANSWER_A"),   QStringLiteral("ANSWER_B"), QStringLiteral("ANSWER_C"),
                QStringLiteral("ANSWER_D"),   QStringLiteral("Key"),      QStringLiteral("ANALYSIS"),
                QStringLiteral("ZHISHIDIAN"), QStringLiteral("Score")};
    if (table.compare(fill, Qt::CaseInsensitive) == 0)
        return {QStringLiteral("MKID"), QStringLiteral("TID"), QStringLiteral("TiMu"), QStringLiteral("KEY"),
                QStringLiteral("ZHISHIDIAN")};
    if (table.compare(knowledge, Qt::CaseInsensitive) == 0)
        return {QStringLiteral("recno"), QStringLiteral("Keyword"), QStringLiteral("knowladge")};
    return {};
}

QString csvFileName(const QString &table) {
    return table + QStringLiteral(".csv");
}

} // namespace BankColumns
