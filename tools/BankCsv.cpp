// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/BankCsv.h"

#include <cerrno>

#include <csv.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include "engine/BankError.h"
#include "engine/FileSystem.h"
#include "engine/SystemCondition.h"
#include "tools/BankColumns.h"
#include "tools/TextDecoding.h"

namespace {

// What libcsv hands back while a text is fed to it line by line. The parser's callbacks cannot throw through C code,
// so they only collect; the line of each record's first byte is kept for messages, and so is the line where the
// field in progress began: a stray quote opens a field that runs on over many lines until some later quote ends it,
// and the author must be sent to where it began, not to where the parser gave up.
struct Collector {
    QList<QByteArray> fields;
    QList<QList<QByteArray>> records;
    QList<int> recordLines;
    int line = 0;        // the line being fed, 1-based
    int recordStart = 0; // the line where the record in progress began, 0 between records
    int fieldStart = 0;  // the line where the field in progress began, 0 between records
};

void onField(void *text, size_t length, void *data) {
    auto *c = static_cast<Collector *>(data);
    if (c->recordStart == 0)
        c->recordStart = c->line;
    // A field ends at a comma or at the end of its record; the next one begins right after, on the same line.
    c->fieldStart = c->line;
    if (!text)
        c->fields.append(QByteArray()); // an unquoted empty field: NULL
    else if (length == 0)
        c->fields.append(QByteArray("")); // "" : an empty text, not NULL
    else
        c->fields.append(QByteArray(static_cast<const char *>(text), qsizetype(length)));
}

void onRecord(int, void *data) {
    auto *c = static_cast<Collector *>(data);
    c->records.append(c->fields);
    c->recordLines.append(c->recordStart ? c->recordStart : c->line);
    c->fields.clear();
    c->recordStart = 0;
    c->fieldStart = 0;
}

// Spaces are part of a field: a key with a trailing blank must reach the checker as it is.
int noSpace(unsigned char) {
    return 0;
}

bool isBlankLine(const QByteArray &line) {
    for (char ch : line)
        if (ch != '\r' && ch != '\n')
            return false;
    return true;
}

bool isValidUtf8(const QByteArray &line) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString decoded = decoder.decode(line);
    Q_UNUSED(decoded);
    return !decoder.hasError();
}

bool needsQuotes(const QByteArray &value) {
    if (value.isEmpty())
        return true;
    const char first = value.front();
    const char last = value.back();
    if (first == ' ' || first == '\t' || last == ' ' || last == '\t')
        return true;
    for (char ch : value)
        if (ch == ',' || ch == '"' || ch == '\r' || ch == '\n')
            return true;
    return false;
}

void appendField(QByteArray &out, const QByteArray &value) {
    if (value.isNull())
        return;
    if (!needsQuotes(value)) {
        out += value;
        return;
    }
    out += '"';
    for (char ch : value) {
        if (ch == '"')
            out += '"';
        out += ch;
    }
    out += '"';
}

// The separator the first line seems to use when it is not a comma: a header of names separated by tabs or
// semicolons reads as one long column name, and the file then fails somewhere later.
QString separatorHint(const QByteArray &text, char separator) {
    const QByteArray first = text.left(text.indexOf('\n'));
    if (separator != ',' || first.contains(','))
        return QString();
    const qsizetype tabs = first.count('\t');
    const qsizetype semicolons = first.count(';');
    if (tabs == 0 && semicolons == 0)
        return QString();
    return tabs >= semicolons
               ? QStringLiteral("（第 1 行似乎用制表符分隔各列，而不是逗号；请另存为逗号分隔的 CSV 文件）")
               : QStringLiteral("（第 1 行似乎用分号分隔各列，而不是逗号；请另存为逗号分隔的 CSV 文件）");
}

BankTable parseText(const QByteArray &data, const QString &tableName, const QString &source, char separator);

} // namespace

BankTable parseCsvTable(const QByteArray &data, const QString &tableName, const QString &source, char separator) {
    try {
        return parseText(data, tableName, source, separator);
    } catch (const BankError &error) {
        const QString hint = separatorHint(data.startsWith("\xEF\xBB\xBF") ? data.mid(3) : data, separator);
        if (hint.isEmpty())
            throw;
        throw BankError(error.message() + hint);
    }
}

namespace {

BankTable parseText(const QByteArray &data, const QString &tableName, const QString &source, char separator) {
    QByteArray text = data;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);

    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI | CSV_EMPTY_IS_NULL) != 0)
        throw BankError(QStringLiteral("无法读取 CSV 文件 %1：解析器初始化失败").arg(source));
    csv_set_space_func(&parser, noSpace);
    csv_set_delim(&parser, separator);

    Collector collected;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype newline = text.indexOf('\n', pos);
        const qsizetype end = newline < 0 ? text.size() : newline + 1;
        const QByteArray line = text.mid(pos, end - pos);
        ++collected.line;
        if (!isValidUtf8(line)) {
            csv_free(&parser);
            throw BankError(QStringLiteral("CSV 文件 %1 第 %2 行不是 UTF-8 编码，请将文件另存为 UTF-8")
                                .arg(source)
                                .arg(collected.line));
        }
        if (collected.recordStart == 0 && !isBlankLine(line))
            collected.recordStart = collected.line;
        if (collected.fieldStart == 0 && !isBlankLine(line))
            collected.fieldStart = collected.line;
        const size_t used = csv_parse(&parser, line.constData(), size_t(line.size()), onField, onRecord, &collected);
        if (used != size_t(line.size())) {
            const int error = csv_error(&parser);
            csv_free(&parser);
            if (error == CSV_EPARSE && collected.fieldStart < collected.line)
                throw BankError(QStringLiteral("CSV 文件 %1 第 %2 行格式错误：从这一行开始的带引号字段在第 %3 行"
                                               "出错，要么这一行的引号是多余的，要么其间有引号没有写成两个"
                                               "（带引号的字段在结尾引号后只能接逗号或换行）")
                                    .arg(source)
                                    .arg(collected.fieldStart)
                                    .arg(collected.line));
            if (error == CSV_EPARSE)
                throw BankError(QStringLiteral("CSV 文件 %1 第 %2 行格式错误：引号用法不对（字段中的引号须写成两个，"
                                               "带引号的字段在结尾引号后只能接逗号或换行）")
                                    .arg(source)
                                    .arg(collected.line));
            throw BankError(QStringLiteral("无法读取 CSV 文件 %1：内存不足").arg(source));
        }
        pos = end;
    }
    const int unfinishedLine = collected.fieldStart;
    const bool finished = csv_fini(&parser, onField, onRecord, &collected) == 0;
    csv_free(&parser);
    if (!finished)
        throw BankError(
            QStringLiteral("CSV 文件 %1 第 %2 行开始的带引号字段缺少结尾的引号").arg(source).arg(unfinishedLine));

    if (collected.records.isEmpty())
        throw BankError(QStringLiteral("CSV 文件 %1 是空的，缺少列名行").arg(source));

    BankTable table;
    table.name = tableName;
    const QList<QByteArray> header = collected.records.first();
    for (int i = 0; i < header.size(); ++i) {
        const QString name = QString::fromUtf8(header[i]).trimmed();
        if (name.isEmpty())
            throw BankError(QStringLiteral("CSV 文件 %1 第 %2 行第 %3 列的列名为空")
                                .arg(source)
                                .arg(collected.recordLines.first())
                                .arg(i + 1));
        if (table.column(name) >= 0)
            throw BankError(QStringLiteral("CSV 文件 %1 的列名 %2 出现了两次").arg(source, name));
        table.columns.append(name);
    }
    for (const QString &name : BankColumns::required(tableName))
        if (table.column(name) < 0)
            throw BankError(QStringLiteral("CSV 文件 %1 缺少 %2 表的列 %3").arg(source, tableName, name));

    for (int r = 1; r < collected.records.size(); ++r) {
        const QList<QByteArray> &record = collected.records[r];
        if (record.size() != header.size())
            throw BankError(QStringLiteral("CSV 文件 %1 第 %2 行有 %3 个字段，列名行有 %4 个")
                                .arg(source)
                                .arg(collected.recordLines[r])
                                .arg(record.size())
                                .arg(header.size()));
        table.rows.append(record);
    }
    return table;
}

} // namespace

QByteArray formatCsvTable(const BankTable &table) {
    QByteArray out;
    for (int i = 0; i < table.columns.size(); ++i) {
        if (i > 0)
            out += ',';
        appendField(out, table.columns[i].toUtf8());
    }
    out += '\n';
    for (const QList<QByteArray> &row : table.rows) {
        for (int i = 0; i < row.size(); ++i) {
            if (i > 0)
                out += ',';
            appendField(out, row[i]);
        }
        // A single NULL field would otherwise leave a blank line, which readers skip.
        if (row.size() == 1 && row.front().isNull())
            out += "\"\"";
        out += '\n';
    }
    return out;
}

BankTable readCsvTable(const QString &path, const QString &tableName, QStringList *notices) {
    QFile file(path);
    if (!file.exists())
        throw BankError(QStringLiteral("找不到 CSV 文件：%1").arg(FileSystem::shown(path)));
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        throw BankError(QStringLiteral("无法打开 CSV 文件 %1：%2")
                            .arg(FileSystem::shown(path), SystemCondition::fileText(path, errno, file.errorString())));
    const QString source = FileSystem::shown(path);
    const DecodedText text = decodeSourceText(file.readAll(), source);
    char separator = ',';
    if (text.encoding == TextEncoding::Utf16) {
        // "Unicode text" separates by tabs; a UTF-16 file with commas in its first line and no tab is still CSV.
        const QByteArray first = text.utf8.left(text.utf8.indexOf('\n'));
        separator = first.contains('\t') || !first.contains(',') ? '\t' : ',';
    }
    if (notices && text.encoding == TextEncoding::Gb18030)
        notices->append(QStringLiteral("按 GB18030 编码读取：%1").arg(source));
    if (notices && text.encoding == TextEncoding::Utf16)
        notices->append(QStringLiteral("按 UTF-16 编码读取（%1分隔）：%2")
                            .arg(separator == '\t' ? QStringLiteral("制表符") : QStringLiteral("逗号"), source));
    return parseCsvTable(text.utf8, tableName, source, separator);
}

void writeCsvTable(const BankTable &table, const QString &path, CsvMark mark) {
    QSaveFile file(path);
    const auto fail = [&] {
        throw BankError(QStringLiteral("无法写入 CSV 文件 %1：%2")
                            .arg(FileSystem::shown(path), SystemCondition::fileText(path, errno, file.errorString())));
    };
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        fail();
    if (mark == CsvMark::ByteOrderMark)
        file.write("\xEF\xBB\xBF");
    file.write(formatCsvTable(table));
    errno = 0;
    if (!file.commit())
        fail();
}

BankTables readCsvSources(const QString &dir) {
    if (!QFileInfo(dir).isDir())
        throw BankError(QStringLiteral("CSV 源文件夹不存在：%1").arg(FileSystem::shown(dir)));
    auto read = [&dir](const QString &table) {
        const QString name = BankColumns::csvFileName(table);
        const QString found = findSourceFile(dir, name);
        return readCsvTable(found.isEmpty() ? QDir(dir).filePath(name) : found, table);
    };
    BankTables tables;
    tables.choose = read(BankColumns::choose);
    tables.fill = read(BankColumns::fill);
    tables.knowledge = read(BankColumns::knowledge);
    return tables;
}

void writeCsvSources(const BankTables &tables, const QString &dir, CsvMark mark) {
    if (!FileSystem::makePath(dir))
        throw BankError(QStringLiteral("无法创建文件夹：%1").arg(FileSystem::shown(dir)));
    const QDir folder(dir);
    writeCsvTable(tables.choose, folder.filePath(BankColumns::csvFileName(BankColumns::choose)), mark);
    writeCsvTable(tables.fill, folder.filePath(BankColumns::csvFileName(BankColumns::fill)), mark);
    writeCsvTable(tables.knowledge, folder.filePath(BankColumns::csvFileName(BankColumns::knowledge)), mark);
}

QString findSourceFile(const QString &dir, const QString &name) {
    const QDir folder(dir);
    if (folder.exists(name))
        return folder.filePath(name);
    const QStringList entries = folder.entryList(QDir::Files);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    return QString();
}
