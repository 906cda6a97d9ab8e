// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "tools/BankTables.h"

// One thing a question bank lacks. An error keeps the trainer from drawing a complete paper, or lets the drawing go
// wrong; a warning marks data that the drawing takes but that grading or review cannot read as its author meant.
struct BankFinding {
    enum Severity { Error, Warning };
    Severity severity = Error;
    QString table;
    QString id; // "tid=12", "mkid=3", "recno=01001"; the record number when the row has no id; empty for a table
    QString text;
};

// Checks the tables of a bank for everything the paper drawing and the grading need of the data. A pure function of
// the tables, so that it runs the same on CSV sources and on a built bank. Findings come table by table (choose, Fill,
// tzhishidian), in row order.
QList<BankFinding> checkBank(const BankTables &tables);

// One line per module (1 to 5): how many choice questions it has and how their keys spread over A to D, for check to
// print; none when the choose table lacks its module or key column.
QStringList keyBalanceLines(const BankTables &tables);

// One console line: severity, table, id and text.
QString formatFinding(const BankFinding &finding);
