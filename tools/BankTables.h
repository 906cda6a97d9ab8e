// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A question bank in memory, table by table, as the bank tool moves it between CSV sources and bank files.
// Values are UTF-8 text; a null QByteArray stands for a database NULL (written to CSV as an empty field).
struct BankTable {
    QString name;        // "choose", "Fill" or "tzhishidian"
    QStringList columns; // column names as the source spells them
    QList<QList<QByteArray>> rows;

    // Index of a column, matched without regard to case; -1 when the table has none.
    int column(const QString &name) const {
        for (int i = 0; i < columns.size(); ++i)
            if (columns[i].compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
};

struct BankTables {
    BankTable choose;
    BankTable fill;
    BankTable knowledge; // tzhishidian
};
