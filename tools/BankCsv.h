// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "tools/BankTables.h"

// CSV sources of a question bank: one UTF-8 file per table, RFC 4180 (quoted fields may hold commas, doubled quotes
// and line breaks), the column names in the first row in any letter case, a UTF-8 byte-order mark tolerated.
//
// An empty unquoted field is a database NULL and a quoted empty field ("") an empty text; writing keeps that
// distinction, so a table read, written and read again comes back byte for byte. Every failure is a BankError
// whose message names the file and, where it can, the line.

// Parses the CSV text of one table. `source` names the file in messages. Checks that the table's required columns
// are present and that every record has as many fields as the header. `separator` is the field separator: a comma,
// or a tab in the "Unicode text" spreadsheet programs save. A file refused whose first line has no comma but tabs or
// semicolons says so, as that, not the quoting, is then what went wrong.
BankTable parseCsvTable(const QByteArray &data, const QString &tableName, const QString &source, char separator = ',');

// The CSV text of a table: the header, then one record per row, each ended by a line feed.
QByteArray formatCsvTable(const BankTable &table);

// How written CSV starts. Spreadsheet programs on Chinese Windows read a CSV file without a byte-order mark in the
// local code page (GBK) and garble every Chinese text; with the mark they read it as UTF-8. The sources themselves are
// kept without it, so that they stay plain text for diff and version control.
enum class CsvMark { None, ByteOrderMark };

// Reads a file in UTF-8, GB18030 or UTF-16 (see TextDecoding); `notices`, when given, gets a line for a file that was
// not UTF-8.
BankTable readCsvTable(const QString &path, const QString &tableName, QStringList *notices = nullptr);
void writeCsvTable(const BankTable &table, const QString &path, CsvMark mark = CsvMark::None);

// The three sources choose.csv, Fill.csv and tzhishidian.csv in a folder. Reading finds the files without regard to
// the case of their names; writing creates the folder and replaces each file whole, so a failure leaves the old one.
BankTables readCsvSources(const QString &dir);
// Finds NAME in DIR without regard to case (the exact spelling wins when both exist); empty when there is none.
QString findSourceFile(const QString &dir, const QString &name);
void writeCsvSources(const BankTables &tables, const QString &dir, CsvMark mark = CsvMark::None);
