// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/XlsxWriter.h"

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>
#include <QXmlStreamWriter>

#include "engine/BankError.h"
#include "engine/FileSystem.h"
#include "tools/BankXlsx.h"
#include "tools/XlsxReader.h"

namespace {

constexpr int kMaxRows = 1048576;
constexpr int kMaxColumns = 16384;

QString native(const QString &path) {
    return FileSystem::shown(path);
}

bool isHex(QChar ch) {
    return (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) || (ch >= QLatin1Char('A') && ch <= QLatin1Char('F')) ||
           (ch >= QLatin1Char('a') && ch <= QLatin1Char('f'));
}

// The text as a spreadsheet's XML holds it: control characters other than tab and line feed as _xHHHH_, and an
// underscore that would start such an escape as _x005F_.
QString escapeXstring(const QString &text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        const bool control = (ch < 0x20 && ch != '\t' && ch != '\n') || ch == 0xFFFE || ch == 0xFFFF;
        const bool escapeLike = ch == '_' && i + 6 < text.size() && text[i + 1] == QLatin1Char('x') &&
                                isHex(text[i + 2]) && isHex(text[i + 3]) && isHex(text[i + 4]) && isHex(text[i + 5]) &&
                                text[i + 6] == QLatin1Char('_');
        if (control || escapeLike)
            out += QStringLiteral("_x%1_")
                       .arg(uint(ch), 4, 16, QLatin1Char('0'))
                       .toUpper()
                       .replace(1, 1, QLatin1Char('x'));
        else
            out += text[i];
    }
    return out;
}

void writeInlineString(QXmlStreamWriter &xml, const QString &text) {
    xml.writeAttribute(QStringLiteral("t"), QStringLiteral("inlineStr"));
    xml.writeStartElement(QStringLiteral("is"));
    xml.writeStartElement(QStringLiteral("t"));
    xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
    xml.writeCharacters(escapeXstring(text));
    xml.writeEndElement();
    xml.writeEndElement();
}

const char *const kContentTypes =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)"
    R"(<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>)"
    R"(<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
    R"(<Override PartName="/xl/worksheets/sheet2.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
    R"(<Override PartName="/xl/worksheets/sheet3.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
    R"(</Types>)";

const char *const kPackageRels =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>)"
    R"(</Relationships>)";

const char *const kWorkbookRels =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>)"
    R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet2.xml"/>)"
    R"(<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet3.xml"/>)"
    R"(<Relationship Id="rId4" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
    R"(</Relationships>)";

// Style 1 is the built-in number format 49, "@": text.
const char *const kStyles =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
    R"(<fonts count="1"><font><sz val="11"/><name val="Calibri"/></font></fonts>)"
    R"(<fills count="2"><fill><patternFill patternType="none"/></fill><fill><patternFill patternType="gray125"/></fill></fills>)"
    R"(<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>)"
    R"(<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>)"
    R"(<cellXfs count="2"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>)"
    R"(<xf numFmtId="49" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/></cellXfs>)"
    R"(<cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>)"
    R"(</styleSheet>)";

QByteArray workbookXml(const BankTables &tables) {
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("workbook"));
    xml.writeDefaultNamespace(QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main"));
    xml.writeNamespace(QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships"),
                       QStringLiteral("r"));
    xml.writeStartElement(QStringLiteral("sheets"));
    const QList<const BankTable *> all = {&tables.choose, &tables.fill, &tables.knowledge};
    for (int i = 0; i < all.size(); ++i) {
        xml.writeStartElement(QStringLiteral("sheet"));
        xml.writeAttribute(QStringLiteral("name"), all[i]->name);
        xml.writeAttribute(QStringLiteral("sheetId"), QString::number(i + 1));
        xml.writeAttribute(QStringLiteral("r:id"), QStringLiteral("rId%1").arg(i + 1));
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return out;
}

void writePart(QuaZip &zip, const QString &name, const QByteArray &data, const QString &path) {
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name)) || file.write(data) != data.size()) {
        file.close();
        throw BankError(QStringLiteral("无法写入工作簿 %1（%2）").arg(native(path), name));
    }
    file.close();
    if (file.getZipError() != ZIP_OK)
        throw BankError(QStringLiteral("无法写入工作簿 %1（%2）").arg(native(path), name));
}

// Puts the new file in place of an old one in one step.
bool replaceFile(const QString &from, const QString &to) {
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(to).utf16()),
                       MOVEFILE_REPLACE_EXISTING) != 0;
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

} // namespace

QByteArray xlsxSheetXml(const BankTable &table) {
    if (table.rows.size() + 1 > kMaxRows || table.columns.size() > kMaxColumns)
        throw BankError(QStringLiteral("数据表“%1”的行数或列数超过工作表的上限").arg(table.name));
    QList<bool> code;
    for (const QString &column : table.columns)
        code.append(BankSources::isCodeColumn(column));
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("worksheet"));
    xml.writeDefaultNamespace(QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main"));
    if (!table.columns.isEmpty()) {
        xml.writeStartElement(QStringLiteral("cols"));
        for (int c = 0; c < table.columns.size(); ++c) {
            xml.writeStartElement(QStringLiteral("col"));
            xml.writeAttribute(QStringLiteral("min"), QString::number(c + 1));
            xml.writeAttribute(QStringLiteral("max"), QString::number(c + 1));
            xml.writeAttribute(QStringLiteral("width"), code[c] ? QStringLiteral("10") : QStringLiteral("24"));
            xml.writeAttribute(QStringLiteral("customWidth"), QStringLiteral("1"));
            if (code[c])
                xml.writeAttribute(QStringLiteral("style"), QStringLiteral("1"));
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeStartElement(QStringLiteral("sheetData"));
    const auto writeRow = [&](int number, const QList<QByteArray> &values, bool header) {
        xml.writeStartElement(QStringLiteral("row"));
        xml.writeAttribute(QStringLiteral("r"), QString::number(number));
        for (int c = 0; c < values.size() && c < table.columns.size(); ++c) {
            if (values[c].isNull())
                continue;
            xml.writeStartElement(QStringLiteral("c"));
            xml.writeAttribute(QStringLiteral("r"), XlsxWorkbook::cellName(number, c));
            if (code[c] && !header)
                xml.writeAttribute(QStringLiteral("s"), QStringLiteral("1"));
            if (values[c].isEmpty()) {
                xml.writeAttribute(QStringLiteral("t"), QStringLiteral("str"));
                xml.writeTextElement(QStringLiteral("f"), QStringLiteral("\"\""));
                xml.writeTextElement(QStringLiteral("v"), QString());
            } else {
                writeInlineString(xml, QString::fromUtf8(values[c]));
            }
            xml.writeEndElement();
        }
        xml.writeEndElement();
    };
    QList<QByteArray> header;
    for (const QString &column : table.columns)
        header.append(column.toUtf8());
    writeRow(1, header, true);
    for (int r = 0; r < table.rows.size(); ++r)
        writeRow(r + 2, table.rows[r], false);
    xml.writeEndDocument();
    return out;
}

void writeXlsxWorkbook(const BankTables &tables, const QString &path) {
    const QFileInfo info(path);
    if (!FileSystem::makePath(info.absolutePath()))
        throw BankError(QStringLiteral("无法创建文件夹：%1").arg(native(info.absolutePath())));
    const QString aside = info.absoluteDir().filePath(
        QStringLiteral(".%1.%2.tmp").arg(info.fileName(), QUuid::createUuid().toString(QUuid::Id128).left(8)));
    try {
        QuaZip zip(aside);
        if (!zip.open(QuaZip::mdCreate))
            throw BankError(QStringLiteral("无法写入工作簿 %1").arg(native(path)));
        writePart(zip, QStringLiteral("[Content_Types].xml"), kContentTypes, path);
        writePart(zip, QStringLiteral("_rels/.rels"), kPackageRels, path);
        writePart(zip, QStringLiteral("xl/workbook.xml"), workbookXml(tables), path);
        writePart(zip, QStringLiteral("xl/_rels/workbook.xml.rels"), kWorkbookRels, path);
        writePart(zip, QStringLiteral("xl/styles.xml"), kStyles, path);
        writePart(zip, QStringLiteral("xl/worksheets/sheet1.xml"), xlsxSheetXml(tables.choose), path);
        writePart(zip, QStringLiteral("xl/worksheets/sheet2.xml"), xlsxSheetXml(tables.fill), path);
        writePart(zip, QStringLiteral("xl/worksheets/sheet3.xml"), xlsxSheetXml(tables.knowledge), path);
        zip.close();
        if (zip.getZipError() != ZIP_OK)
            throw BankError(QStringLiteral("无法写入工作簿 %1").arg(native(path)));
        if (!replaceFile(aside, path))
            throw BankError(QStringLiteral("无法把工作簿放到位：%1").arg(native(path)));
    } catch (...) {
        QFile::remove(aside);
        throw;
    }
}
