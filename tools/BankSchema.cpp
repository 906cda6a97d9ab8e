// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/BankSchema.h"

#include "tools/BankColumns.h"

namespace {

SchemaTable table(const QString &name, const QString &indexedColumn) {
    // The ids and the points are numbers; everything else, the knowledge codes included, is text.
    static const QStringList integers = {QStringLiteral("mkid"), QStringLiteral("tid"), QStringLiteral("Score")};
    SchemaTable schema{name, {}, indexedColumn};
    for (const QString &column : BankColumns::required(name))
        schema.columns.append({column, integers.contains(column, Qt::CaseInsensitive) ? QStringLiteral("INTEGER")
                                                                                      : QStringLiteral("TEXT")});
    return schema;
}

} // namespace

const QList<SchemaTable> &bankSchema() {
    static const QList<SchemaTable> schema = {table(BankColumns::choose, QStringLiteral("mkid")),
                                              table(BankColumns::fill, QStringLiteral("MKID")),
                                              table(BankColumns::knowledge, QStringLiteral("recno"))};
    return schema;
}
