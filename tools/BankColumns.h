// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

// The three tables of a question bank and the columns the trainer reads from each. A CSV source must carry every one
// of them (in any letter case); further columns are carried along untouched.
namespace BankColumns {
inline const QString choose = QStringLiteral("choose");
inline const QString fill = QStringLiteral("Fill");
inline const QString knowledge = QStringLiteral("tzhishidian");

// The columns the trainer reads from a table, spelled as the bank stores them; empty for a table it does not know.
QStringList required(const QString &table);

// The CSV file that holds a table's source: "choose.csv", "Fill.csv", "tzhishidian.csv".
QString csvFileName(const QString &table);
} // namespace BankColumns
