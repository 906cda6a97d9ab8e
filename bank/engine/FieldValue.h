// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>

class SqliteStatement;

// One column value of a result row, kept as the engine stored it so that it reads both as text and as integer the
// way the exam code expects: NULL as an empty text or 0, a number as its decimal digits.
struct FieldValue {
    enum Kind { Null, Integer, Real, Text };
    Kind kind = Null;
    qint64 integer = 0;
    double real = 0;
    QByteArray text; // TEXT and BLOB values, as stored (UTF-8)

    static FieldValue fromColumn(const SqliteStatement &statement, int column);

    // Null for NULL, decimal digits for a number ("2" for 2.0), the bytes for text.
    QByteArray toText() const;
    // False when the value is not a whole number within 32 bits (NULL reads as 0; text as BankNumber reads it).
    bool toInt32(qint32 *out) const;
};

using ResultRow = QList<FieldValue>;
