// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/BankXlsx.h"

#include <cmath>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "engine/BankError.h"
#include "engine/FileSystem.h"
#include "tools/BankColumns.h"
#include "tools/BankCsv.h"

namespace {

QString native(const QString &path) {
    return FileSystem::shown(path);
}

// A number as a person reads it: integers in full, others with the 15 significant digits a spreadsheet shows.
QString numberText(const QString &stored, bool code, bool *ok) {
    const double value = stored.toDouble(ok);
    if (!*ok || !std::isfinite(value))
        return stored;
    if (value == std::floor(value) && std::fabs(value) < 1e18)
        return QString::number(qint64(value));
    if (code)
        return stored;
    return QString::number(value, 'g', 15);
}

QByteArray readWhole(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw BankError(QStringLiteral("无法打开工作簿 %1：%2").arg(native(path), file.errorString()));
    return file.readAll();
}

} // namespace

namespace BankSources {

bool isCodeColumn(const QString &column) {
    static const QStringList codes = {QStringLiteral("recno"), QStringLiteral("ZHISHIDIAN"), QStringLiteral("tid"),
                                      QStringLiteral("mkid")};
    return codes.contains(column, Qt::CaseInsensitive);
}

BankTable tableFromSheet(const XlsxSheet &sheet, const QString &tableName, const QString &source,
                         QList<NumericCode> *numericCodes) {
    BankTable table;
    table.name = tableName;
    const QString where = QStringLiteral("工作簿 %1 的工作表“%2”").arg(source, sheet.name);
    if (sheet.rows.isEmpty())
        throw BankError(where + QStringLiteral("是空的，缺少列名行"));
    const XlsxRow &header = sheet.rows.first();
    for (const XlsxCell &cell : header.cells) {
        const QString name = cell.value.trimmed();
        if (cell.column != table.columns.size() || name.isEmpty())
            throw BankError(
                where + QStringLiteral("第 %1 行第 %2 列的列名为空").arg(header.number).arg(table.columns.size() + 1));
        if (table.column(name) >= 0)
            throw BankError(where + QStringLiteral("的列名 %1 出现了两次").arg(name));
        table.columns.append(name);
    }
    for (const QString &name : BankColumns::required(tableName))
        if (table.column(name) < 0)
            throw BankError(where + QStringLiteral("缺少 %1 表的列 %2").arg(tableName, name));

    QList<bool> code;
    for (const QString &column : std::as_const(table.columns))
        code.append(isCodeColumn(column));
    for (int r = 1; r < sheet.rows.size(); ++r) {
        const XlsxRow &row = sheet.rows[r];
        QList<QByteArray> values(table.columns.size());
        for (const XlsxCell &cell : row.cells) {
            const QString name = XlsxWorkbook::cellName(row.number, cell.column);
            if (cell.column >= table.columns.size())
                throw BankError(
                    where +
                    QStringLiteral("的单元格 %1 在列名行之外（第 %2 列没有列名）").arg(name).arg(cell.column + 1));
            QString text = cell.value;
            switch (cell.kind) {
            case XlsxCell::Text:
                break;
            case XlsxCell::Number: {
                bool ok = false;
                text = numberText(cell.value, code[cell.column], &ok);
                if (ok && code[cell.column] && numericCodes)
                    numericCodes->append({tableName, sheet.name, name, table.columns[cell.column], text});
                break;
            }
            case XlsxCell::Boolean:
                text = cell.value == QLatin1String("1") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
                break;
            case XlsxCell::Error:
                throw BankError(where + QStringLiteral("的单元格 %1（列 %2）是错误值 %3，请改正后再生成")
                                            .arg(name, table.columns[cell.column], cell.value));
            }
            // A cell that is there is a text, if an empty one; only an absent cell is NULL.
            values[cell.column] = text.isEmpty() ? QByteArray("") : text.toUtf8();
        }
        table.rows.append(values);
    }

    return table;
}

QStringList lostZeroNotices(const BankTables &tables, const QList<NumericCode> &numericCodes) {
    const auto isKnowledgeCode = [](const QString &column) {
        return column.compare(QLatin1String("recno"), Qt::CaseInsensitive) == 0 ||
               column.compare(QLatin1String("ZHISHIDIAN"), Qt::CaseInsensitive) == 0;
    };
    qsizetype widest = 0;
    for (const BankTable *table : {&tables.choose, &tables.fill, &tables.knowledge})
        for (int c = 0; c < table->columns.size(); ++c)
            if (isKnowledgeCode(table->columns[c]))
                for (const QList<QByteArray> &row : table->rows)
                    widest = qMax(widest, row.value(c).size());
    QStringList notices;
    for (const NumericCode &read : numericCodes)
        if (isKnowledgeCode(read.column) && read.value.size() < widest)
            notices.append(QStringLiteral("警告 %1 工作表“%2”单元格 %3（列 %4）：%5 是数字单元格，可能丢掉了开头的 0；"
                                          "请把该列设为文本格式后重新输入编码")
                               .arg(read.table, read.sheet, read.cell, read.column, read.value));
    return notices;
}

// The three tables, each read by TABLE (which appends to NUMERICCODES the codes it read from numeric cells); the
// codes that lost their zeros are judged once all three are read, against the widest code of any table.
namespace {
template <typename ReadTable>
BankTables readTables(const ReadTable &table, const QList<NumericCode> &numericCodes, QStringList *notices) {
    BankTables tables;
    tables.choose = table(BankColumns::choose);
    tables.fill = table(BankColumns::fill);
    tables.knowledge = table(BankColumns::knowledge);
    if (notices)
        *notices += lostZeroNotices(tables, numericCodes);
    return tables;
}
} // namespace

BankTables readWorkbook(const QString &path, QStringList *notices, const XlsxLimits &limits) {
    const QString source = native(path);
    if (!QFileInfo(path).isFile())
        throw BankError(QStringLiteral("找不到工作簿：%1").arg(source));
    XlsxWorkbook workbook(readWhole(path), source, limits);
    QList<NumericCode> numericCodes;
    const QStringList names = workbook.sheetNames();
    const auto table = [&](const QString &name) {
        for (int i = 0; i < names.size(); ++i)
            if (names[i].compare(name, Qt::CaseInsensitive) == 0)
                return tableFromSheet(workbook.sheet(i), name, source, &numericCodes);
        throw BankError(
            QStringLiteral("工作簿 %1 中没有名为 %2 的工作表（现有的工作表：%3）")
                .arg(source, name, names.isEmpty() ? QStringLiteral("无") : names.join(QStringLiteral("、"))));
    };
    return readTables(table, numericCodes, notices);
}

BankTables read(const QString &path, QStringList *notices) {
    const QFileInfo info(path);
    // The suffix of the name the user gave: a workbook whose own name is not UTF-8 is opened as /proc/self/fd/N.
    if (info.isFile() &&
        QFileInfo(FileSystem::shown(path)).suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) == 0)
        return readWorkbook(path, notices);
    if (info.isFile())
        throw BankError(QStringLiteral("%1 既不是源文件夹，也不是 .xlsx 工作簿").arg(native(path)));
    if (!info.isDir())
        throw BankError(QStringLiteral("源文件夹或工作簿不存在：%1").arg(native(path)));
    QList<NumericCode> numericCodes;
    const auto table = [&](const QString &name) {
        const QString csv = findSourceFile(path, BankColumns::csvFileName(name));
        const QString xlsx = findSourceFile(path, name + QStringLiteral(".xlsx"));
        if (csv.isEmpty() && !xlsx.isEmpty()) {
            const QString source = native(xlsx);
            XlsxWorkbook workbook(readWhole(xlsx), source);
            if (workbook.sheetNames().isEmpty())
                throw BankError(QStringLiteral("工作簿 %1 中没有工作表").arg(source));
            return tableFromSheet(workbook.sheet(0), name, source, &numericCodes);
        }
        return readCsvTable(csv.isEmpty() ? QDir(path).filePath(BankColumns::csvFileName(name)) : csv, name, notices);
    };
    return readTables(table, numericCodes, notices);
}

} // namespace BankSources
