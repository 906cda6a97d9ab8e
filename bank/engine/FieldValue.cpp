// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/FieldValue.h"

#include <cmath>
#include <limits>

#include <sqlite3.h>

#include "engine/SqliteStatement.h"
#include "rules/BankNumber.h"

namespace {

bool fitsInt32(qint64 v) {
    return v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max();
}

} // namespace

FieldValue FieldValue::fromColumn(const SqliteStatement &statement, int column) {
    FieldValue value;
    switch (statement.columnType(column)) {
    case SQLITE_INTEGER:
        value.kind = Integer;
        value.integer = statement.columnInt64(column);
        break;
    case SQLITE_FLOAT:
        value.kind = Real;
        value.real = statement.columnDouble(column);
        break;
    case SQLITE_NULL:
        break;
    default:
        value.kind = Text;
        value.text = statement.columnBytes(column);
        break;
    }
    return value;
}

QByteArray FieldValue::toText() const {
    switch (kind) {
    case Integer:
        return QByteArray::number(integer);
    case Real:
        return QByteArray::number(real, 'g', 15);
    case Text:
        return text;
    case Null:
        break;
    }
    return QByteArray();
}

bool FieldValue::toInt32(qint32 *out) const {
    switch (kind) {
    case Null:
        *out = 0;
        return true;
    case Integer:
        if (!fitsInt32(integer))
            return false;
        *out = qint32(integer);
        return true;
    case Real:
        if (!std::isfinite(real) || std::trunc(real) != real || !fitsInt32(qint64(real)))
            return false;
        *out = qint32(real);
        return true;
    case Text: {
        const std::optional<qint32> number = BankNumber::readInt32(text);
        if (!number)
            return false;
        *out = *number;
        return true;
    }
    }
    return false;
}
