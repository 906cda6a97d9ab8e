// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "tools/BankTables.h"

// Writes the three tables as one workbook with the sheets choose, Fill and tzhishidian. The code columns are
// formatted as text, so that a spreadsheet program keeps the leading zeros of 01001 when the file is edited and saved
// back. A NULL is an absent cell; an empty text, which a spreadsheet cannot hold as a plain value, is the formula =""
// with the empty text as its value. Characters XML cannot carry (a carriage return, other control characters) are
// written as the _xHHHH_ escapes spreadsheet programs use. The file is written aside and put in place whole.
//
// The parts are written through QuaZip, which also reads workbooks: a second zip library in the same process would
// clash with it, as both export the same minizip function names with different meanings.
void writeXlsxWorkbook(const BankTables &tables, const QString &path);

// The XML of one worksheet for a table (exposed for tests).
QByteArray xlsxSheetXml(const BankTable &table);
