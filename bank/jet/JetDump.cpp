// SPDX-License-Identifier: GPL-3.0-or-later

#include "jet/JetDump.h"

#include <QCborMap>
#include <QCborStreamReader>
#include <QCborValue>
#include <QSet>

namespace {

const QString kFormat = QStringLiteral("mockexam-jet-dump");
constexpr int kVersion = 1;

// Jet allows 255 columns and 64-character names; anything past these bounds is not a Jet table.
constexpr int kMaxColumns = 255;
constexpr int kMaxNameLength = 256;
constexpr int kMaxTables = 4096;
// A child message is shown to the candidate: keep it to a readable line.
constexpr int kMaxMessageLength = 300;

QCborMap header() {
    QCborMap map;
    map.insert(QStringLiteral("format"), kFormat);
    map.insert(QStringLiteral("version"), kVersion);
    return map;
}

JetDump garbage(const QString &what) {
    JetDump dump;
    dump.status = JetDump::Garbage;
    dump.message = what;
    return dump;
}

bool validName(const QString &name) {
    if (name.isEmpty() || name.size() > kMaxNameLength)
        return false;
    for (const QChar c : name)
        if (c.unicode() < 0x20)
            return false;
    return true;
}

bool validValue(const QCborValue &value) {
    return value.isNull() || value.isInteger() || value.isDouble() || value.isString() || value.isByteArray();
}

// Control characters from a damaged file must not reach a message box as they are.
QString printable(const QString &text) {
    QString line = text.left(kMaxMessageLength);
    for (QChar &c : line)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QLatin1Char(' ');
    return line.trimmed();
}

// The shape of one table as CBOR; what the names and columns must be is jetTablesProblem's.
bool decodeTable(const QCborValue &value, JetTable *table, QString *problem) {
    const QCborMap map = value.toMap();
    const QCborValue name = map.value(QStringLiteral("name"));
    const QCborValue columns = map.value(QStringLiteral("columns"));
    const QCborValue rows = map.value(QStringLiteral("rows"));
    if (!value.isMap() || !name.isString() || !columns.isArray() || !rows.isArray() ||
        columns.toArray().size() > kMaxColumns) {
        *problem = QStringLiteral("数据表的结构无效");
        return false;
    }
    table->name = name.toString();
    for (const QCborValue &entry : columns.toArray()) {
        const QCborMap column = entry.toMap();
        const QCborValue columnName = column.value(QStringLiteral("name"));
        const QCborValue type = column.value(QStringLiteral("type"));
        if (!entry.isMap() || !columnName.isString() || !type.isInteger() || type.toInteger() < JetColumn::Integer ||
            type.toInteger() > JetColumn::Blob) {
            *problem = QStringLiteral("数据表“%1”的列无效").arg(printable(table->name));
            return false;
        }
        table->columns.append({columnName.toString(), JetColumn::Type(type.toInteger())});
    }
    const QCborArray rowArray = rows.toArray();
    table->rows.reserve(rowArray.size());
    for (const QCborValue &rowValue : rowArray) {
        const QCborArray row = rowValue.toArray();
        if (!rowValue.isArray() || row.size() != table->columns.size()) {
            *problem = QStringLiteral("数据表“%1”的行与列数不符").arg(printable(table->name));
            return false;
        }
        for (const QCborValue &field : row)
            if (!validValue(field)) {
                *problem = QStringLiteral("数据表“%1”中有无法识别的值").arg(printable(table->name));
                return false;
            }
        table->rows.append(row);
    }
    return true;
}

} // namespace

QString jetTablesProblem(const QList<JetTable> &tables) {
    QSet<QString> tableNames;
    for (const JetTable &table : tables) {
        if (!validName(table.name))
            return QStringLiteral("数据表名称“%1”无效").arg(printable(table.name));
        // Names match without regard to case, so two that differ only in case could not both be read.
        if (tableNames.contains(table.name.toLower()))
            return QStringLiteral("数据表“%1”出现了两次").arg(table.name);
        tableNames.insert(table.name.toLower());
        if (table.columns.isEmpty() || table.columns.size() > kMaxColumns)
            return QStringLiteral("数据表“%1”有 %2 列").arg(table.name).arg(table.columns.size());
        QSet<QString> columnNames;
        for (const JetColumn &column : table.columns) {
            if (!validName(column.name))
                return QStringLiteral("数据表“%1”的列名“%2”无效").arg(table.name, printable(column.name));
            if (columnNames.contains(column.name.toLower()))
                return QStringLiteral("数据表“%1”的列“%2”出现了两次").arg(table.name, column.name);
            columnNames.insert(column.name.toLower());
        }
    }
    if (tables.size() > kMaxTables)
        return QStringLiteral("数据表过多");
    return QString();
}

QByteArray encodeJetTables(const QList<JetTable> &tables) {
    QCborArray list;
    for (const JetTable &table : tables) {
        QCborArray columns;
        for (const JetColumn &column : table.columns) {
            QCborMap entry;
            entry.insert(QStringLiteral("name"), column.name);
            entry.insert(QStringLiteral("type"), int(column.type));
            columns.append(entry);
        }
        QCborArray rows;
        for (const QCborArray &row : table.rows)
            rows.append(row);
        QCborMap entry;
        entry.insert(QStringLiteral("name"), table.name);
        entry.insert(QStringLiteral("columns"), columns);
        entry.insert(QStringLiteral("rows"), rows);
        list.append(entry);
    }
    QCborMap map = header();
    map.insert(QStringLiteral("tables"), list);
    return map.toCborValue().toCbor();
}

QByteArray encodeJetFailure(const QString &message) {
    QCborMap map = header();
    map.insert(QStringLiteral("error"), message);
    return map.toCborValue().toCbor();
}

JetDump decodeJetDump(const QByteArray &bytes) {
    if (bytes.isEmpty())
        return garbage(QStringLiteral("读取程序没有返回任何数据"));
    QCborStreamReader reader(bytes);
    const QCborValue document = QCborValue::fromCbor(reader);
    if (reader.lastError() != QCborError::NoError)
        return garbage(QStringLiteral("读取程序返回的数据无法识别（%1）").arg(reader.lastError().toString()));
    // Anything after the one document means the stream is not what the child writes.
    if (reader.currentOffset() != bytes.size())
        return garbage(QStringLiteral("读取程序返回的数据无法识别（文档后还有多余的数据）"));
    if (!document.isMap())
        return garbage(QStringLiteral("读取程序返回的数据无法识别"));
    const QCborMap map = document.toMap();
    if (map.value(QStringLiteral("format")).toString() != kFormat ||
        map.value(QStringLiteral("version")).toInteger(-1) != kVersion)
        return garbage(QStringLiteral("读取程序返回的数据格式不对，读取程序的版本可能与练习程序不一致"));

    const QCborValue message = map.value(QStringLiteral("error"));
    if (message.isString()) {
        JetDump dump;
        dump.status = JetDump::Failure;
        dump.message = printable(message.toString());
        if (dump.message.isEmpty())
            dump.message = QStringLiteral("读取失败");
        return dump;
    }
    const QCborValue tables = map.value(QStringLiteral("tables"));
    if (!tables.isArray() || tables.toArray().size() > kMaxTables)
        return garbage(QStringLiteral("读取程序返回的数据中没有数据表列表"));

    JetDump dump;
    dump.status = JetDump::Tables;
    for (const QCborValue &value : tables.toArray()) {
        JetTable table;
        QString problem;
        if (!decodeTable(value, &table, &problem))
            return garbage(QStringLiteral("读取程序返回的数据无法识别（%1）").arg(problem));
        dump.tables.append(std::move(table));
    }
    const QString problem = jetTablesProblem(dump.tables);
    if (!problem.isEmpty())
        return garbage(QStringLiteral("读取程序返回的数据无法识别（%1）").arg(problem));
    return dump;
}
