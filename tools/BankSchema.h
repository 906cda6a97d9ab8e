// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

// The tables of a bank file as the bank tool writes them: the columns the trainer reads, each with its type, and the
// column that carries an index. The trainer's statements select by module and look knowledge points up by code,
// hence the indexes on the module and the code.
struct SchemaColumn {
    QString name;
    QString type; // "INTEGER" or "TEXT": values are stored with that column affinity
};

struct SchemaTable {
    QString name;
    QList<SchemaColumn> columns;
    QString indexedColumn;
};

// choose, Fill, tzhishidian, in that order.
const QList<SchemaTable> &bankSchema();
