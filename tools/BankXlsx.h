// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include "tools/BankTables.h"
#include "tools/XlsxReader.h"

// Question-bank sources as teachers keep them: a workbook with the sheets choose, Fill and tzhishidian, a folder of
// one workbook per table, or a folder of CSV files in any of the code pages spreadsheet programs write.
//
// A sheet's first row names the columns; rows that hold nothing are skipped, as blank lines of a CSV file are; an
// absent cell is NULL. Spreadsheet programs turn a code typed into a general cell (01001) into a number (1001): in
// the columns holding codes and ids a number is read as its integer text, and a code that is then shorter than
// the column's others is reported, as it has most likely lost its leading zeros.
namespace BankSources {

// True for the columns that hold codes and ids (recno, ZHISHIDIAN, tid, mkid, in any letter case).
bool isCodeColumn(const QString &column);

// A code read from a numeric cell, as its integer text.
struct NumericCode {
    QString table;
    QString sheet;
    QString cell;
    QString column;
    QString value;
};

// One table from a sheet. `source` names the workbook in messages; `numericCodes`, when given, gets the codes read
// from numeric cells.
BankTable tableFromSheet(const XlsxSheet &sheet, const QString &tableName, const QString &source,
                         QList<NumericCode> *numericCodes = nullptr);

// A warning for each knowledge code (recno, ZHISHIDIAN) read from a numeric cell that is shorter than the widest such
// code of the three tables: codes are written to one width, so the missing digits are zeros a spreadsheet dropped.
QStringList lostZeroNotices(const BankTables &tables, const QList<NumericCode> &numericCodes);

// The three tables of a workbook's sheets, found by name in any letter case.
BankTables readWorkbook(const QString &path, QStringList *notices, const XlsxLimits &limits = {});

// What `build` reads: a .xlsx file, or a folder holding for each table its CSV file or, failing that, its workbook
// (first sheet). `notices` gets what the reading noticed: a file read as GB18030 or UTF-16, codes that lost zeros.
BankTables read(const QString &path, QStringList *notices);

} // namespace BankSources
