// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Reading an Excel workbook (.xlsx): the zip container through QuaZip, the parts' XML with QXmlStreamReader. Only
// what a table of text needs: the sheets by name, and each cell's value as stored (shared and inline strings with
// every rich-text run joined, numbers as written, booleans, error values, a formula's cached value). Every failure is
// a BankError whose message names the file; nothing here trusts the file, its declared sizes included.
struct XlsxCell {
    enum Kind { Text, Number, Boolean, Error };
    int column = 0; // 0-based
    Kind kind = Text;
    QString value; // the text; a number as the file writes it ("1001", "2.5", "1E-3"); "0"/"1"; "#N/A"
};

struct XlsxRow {
    int number = 0;        // 1-based, as the sheet numbers it
    QList<XlsxCell> cells; // the cells that hold a value, by increasing column
};

struct XlsxSheet {
    QString name;
    QList<XlsxRow> rows; // the rows that hold a cell with a value, by increasing number
};

// A workbook part is read whole into memory, so each is held to a size: past it, or inflating at a ratio only made-up
// data reaches, the workbook is refused before it can use up the memory.
struct XlsxLimits {
    qint64 partBytes = qint64(64) << 20;   // one sheet, the shared strings, ...
    qint64 totalBytes = qint64(256) << 20; // all the parts read from one workbook
    qint64 ratio = 1000;                   // inflated : compressed, counted once a part is past 1 MiB
};

class XlsxWorkbook {
public:
    // Opens the workbook held in `bytes` and reads its list of sheets; `source` names it in messages.
    XlsxWorkbook(const QByteArray &bytes, const QString &source, const XlsxLimits &limits = {});

    QStringList sheetNames() const { return m_sheetNames; }
    // The sheet at `index` of sheetNames(), read from the file.
    XlsxSheet sheet(int index);

    // "A1" style name of a cell, for messages.
    static QString cellName(int row, int column);

private:
    QByteArray readPart(const QString &name);
    void readSharedStrings(const QString &part);

    QByteArray m_bytes;
    QString m_source;
    XlsxLimits m_limits;
    qint64 m_read = 0;
    QStringList m_sheetNames;
    QStringList m_sheetParts;
    QStringList m_shared;
};
