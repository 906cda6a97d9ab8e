// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/XlsxReader.h"

#include <quazip.h>
#include <quazipfile.h>
#include <quazipfileinfo.h>

#include <QBuffer>
#include <QXmlStreamReader>

#include "engine/BankError.h"

namespace {

constexpr int kMaxRows = 1048576;
constexpr int kMaxColumns = 16384;

// OOXML writes characters XML cannot carry (most control characters, a carriage return kept as typed) as _xHHHH_;
// a literal "_x" sequence is itself escaped as _x005F_.
QString unescapeXstring(const QString &text) {
    if (!text.contains(QLatin1String("_x")))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('_') && i + 6 < text.size() && text[i + 1] == QLatin1Char('x') &&
            text[i + 6] == QLatin1Char('_')) {
            bool ok = false;
            const uint code = text.mid(i + 2, 4).toUInt(&ok, 16);
            if (ok) {
                out += QChar(char16_t(code));
                i += 6;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

// Parses "B12" into a 0-based column and a 1-based row; false for anything else or outside a sheet's size.
bool parseCellName(QStringView name, int *row, int *column) {
    qsizetype i = 0;
    int col = 0;
    while (i < name.size() && name[i] >= QLatin1Char('A') && name[i] <= QLatin1Char('Z') && i < 3) {
        col = col * 26 + (name[i].unicode() - 'A' + 1);
        ++i;
    }
    if (i == 0 || i == name.size())
        return false;
    int number = 0;
    for (; i < name.size(); ++i) {
        if (name[i] < QLatin1Char('0') || name[i] > QLatin1Char('9') || number > kMaxRows)
            return false;
        number = number * 10 + (name[i].unicode() - '0');
    }
    if (col > kMaxColumns || number < 1 || number > kMaxRows)
        return false;
    *row = number;
    *column = col - 1;
    return true;
}

// The text of a string item (<si> or <is>): its own <t> and the <t> of each rich-text run <r>, joined; phonetic
// guides (<rPh>) and formatting are not part of the text. The reader stands on the item's start element.
QString readStringItem(QXmlStreamReader &xml) {
    QString text;
    int depth = 0;
    bool inPhonetic = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            if (xml.name() == QLatin1String("rPh"))
                inPhonetic = true;
            else if (xml.name() == QLatin1String("t") && !inPhonetic) {
                text += xml.readElementText(); // consumes the end element too
                --depth;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (depth == 0)
                break;
            --depth;
            if (xml.name() == QLatin1String("rPh"))
                inPhonetic = false;
        }
    }
    return unescapeXstring(text);
}

// Resolves a relationship's target against the folder of the part that holds it ("xl/" for "worksheets/s1.xml").
QString resolveTarget(const QString &folder, const QString &target) {
    if (target.startsWith(QLatin1Char('/')))
        return target.mid(1);
    QStringList parts = folder.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &piece : target.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (piece == QLatin1String(".."))
            parts.isEmpty() ? void() : parts.removeLast();
        else if (piece != QLatin1String("."))
            parts.append(piece);
    }
    return parts.join(QLatin1Char('/'));
}

} // namespace

XlsxWorkbook::XlsxWorkbook(const QByteArray &bytes, const QString &source, const XlsxLimits &limits)
    : m_bytes(bytes), m_source(source), m_limits(limits) {
    // The package's relationships name the main document; a workbook written by hand may lack them.
    QString workbookPart = QStringLiteral("xl/workbook.xml");
    {
        const QByteArray rels = readPart(QStringLiteral("_rels/.rels"));
        QXmlStreamReader xml(rels);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("Relationship"))
                continue;
            const QXmlStreamAttributes a = xml.attributes();
            if (a.value(QLatin1String("Type")).endsWith(QLatin1String("/officeDocument")))
                workbookPart = resolveTarget(QString(), a.value(QLatin1String("Target")).toString());
        }
    }
    const QByteArray workbook = readPart(workbookPart);
    if (workbook.isNull())
        throw BankError(QStringLiteral("文件 %1 不是 Excel 工作簿：其中没有 %2").arg(m_source, workbookPart));
    const QString folder = workbookPart.left(workbookPart.lastIndexOf(QLatin1Char('/')) + 1);
    const QString relsPart =
        folder + QStringLiteral("_rels/") + workbookPart.mid(folder.size()) + QStringLiteral(".rels");

    QHash<QString, QString> targets;
    QString sharedPart;
    const QByteArray rels = readPart(relsPart);
    QXmlStreamReader relsXml(rels);
    while (!relsXml.atEnd()) {
        if (relsXml.readNext() != QXmlStreamReader::StartElement || relsXml.name() != QLatin1String("Relationship"))
            continue;
        const QXmlStreamAttributes a = relsXml.attributes();
        const QString target = resolveTarget(folder, a.value(QLatin1String("Target")).toString());
        targets.insert(a.value(QLatin1String("Id")).toString(), target);
        if (a.value(QLatin1String("Type")).endsWith(QLatin1String("/sharedStrings")))
            sharedPart = target;
    }
    if (relsXml.hasError() && !rels.isNull())
        throw BankError(QStringLiteral("工作簿 %1 已损坏：%2 不是有效的 XML").arg(m_source, relsPart));

    QXmlStreamReader xml(workbook);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("sheet"))
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        QString id;
        for (const QXmlStreamAttribute &attribute : a)
            if (attribute.name() == QLatin1String("id"))
                id = attribute.value().toString();
        const QString name = a.value(QLatin1String("name")).toString();
        // A sheet without a part of its own (a chart sheet, say) is listed but holds no cells.
        m_sheetNames.append(name);
        m_sheetParts.append(targets.value(id, QStringLiteral("xl/worksheets/sheet%1.xml").arg(m_sheetNames.size())));
    }
    if (xml.hasError())
        throw BankError(QStringLiteral("工作簿 %1 已损坏：%2 不是有效的 XML（第 %3 行）")
                            .arg(m_source, workbookPart)
                            .arg(xml.lineNumber()));
    if (sharedPart.isEmpty())
        sharedPart = folder + QStringLiteral("sharedStrings.xml");
    readSharedStrings(sharedPart);
}

QString XlsxWorkbook::cellName(int row, int column) {
    QString letters;
    for (int c = column + 1; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(char16_t('A' + (c - 1) % 26)));
    return letters + QString::number(row);
}

// The bytes of one part, a null array when the workbook has no such part.
QByteArray XlsxWorkbook::readPart(const QString &name) {
    QBuffer buffer(&m_bytes);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdUnzip))
        throw BankError(
            QStringLiteral("无法读取工作簿 %1：不是有效的 .xlsx 文件（zip 容器损坏或文件不完整）").arg(m_source));
    if (!zip.setCurrentFile(name, QuaZip::csInsensitive))
        return QByteArray();
    QuaZipFileInfo64 info;
    const bool haveInfo = zip.getCurrentFileInfo(&info);
    QuaZipFile file(&zip);
    const auto damaged = [&] {
        return BankError(
            QStringLiteral("工作簿 %1 已损坏：无法解压其中的 %2（文件不完整或数据有误）").arg(m_source, name));
    };
    if (!haveInfo || !file.open(QIODevice::ReadOnly))
        throw damaged();
    QByteArray data("");
    char chunk[65536];
    for (;;) {
        const qint64 got = file.read(chunk, sizeof chunk);
        if (got < 0)
            throw damaged();
        if (got == 0)
            break;
        data.append(chunk, qsizetype(got));
        m_read += got;
        const qint64 compressed = qMax<qint64>(1, qint64(info.compressedSize));
        if (data.size() > m_limits.partBytes || m_read > m_limits.totalBytes ||
            (data.size() > (qint64(1) << 20) && data.size() / compressed > m_limits.ratio))
            throw BankError(QStringLiteral("拒绝读取工作簿 %1：其中的 %2 解压后超过 %3 MiB 或压缩比超过 %4:1"
                                           "（所有部分合计上限 %5 MiB），不像是正常的工作簿")
                                .arg(m_source, name)
                                .arg(m_limits.partBytes >> 20)
                                .arg(m_limits.ratio)
                                .arg(m_limits.totalBytes >> 20));
    }
    file.close();
    if (file.getZipError() != UNZ_OK)
        throw damaged();
    return data;
}

void XlsxWorkbook::readSharedStrings(const QString &part) {
    const QByteArray data = readPart(part);
    if (data.isNull())
        return;
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("si"))
            m_shared.append(readStringItem(xml));
    }
    if (xml.hasError())
        throw BankError(QStringLiteral("工作簿 %1 已损坏：%2 不是有效的 XML（第 %3 行）")
                            .arg(m_source, part)
                            .arg(xml.lineNumber()));
}

XlsxSheet XlsxWorkbook::sheet(int index) {
    XlsxSheet sheet;
    sheet.name = m_sheetNames.value(index);
    const QString part = m_sheetParts.value(index);
    const QByteArray data = readPart(part);
    if (data.isNull())
        throw BankError(QStringLiteral("工作簿 %1 已损坏：工作表“%2”的 %3 不存在").arg(m_source, sheet.name, part));
    const auto broken = [&](const QString &what, qint64 line) {
        return BankError(QStringLiteral("工作簿 %1 的工作表“%2”已损坏：%3（%4 第 %5 行）")
                             .arg(m_source, sheet.name, what, part)
                             .arg(line));
    };

    QXmlStreamReader xml(data);
    int rowNumber = 0;
    int lastColumn = -1;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("row")) {
            const QStringView r = xml.attributes().value(QLatin1String("r"));
            int number = rowNumber + 1;
            if (!r.isEmpty()) {
                bool ok = false;
                number = r.toInt(&ok);
                if (!ok || number < 1 || number > kMaxRows)
                    throw broken(QStringLiteral("行号“%1”无效").arg(r.toString()), xml.lineNumber());
            }
            if (number <= rowNumber)
                throw broken(QStringLiteral("第 %1 行出现在第 %2 行之后").arg(number).arg(rowNumber), xml.lineNumber());
            rowNumber = number;
            continue;
        }
        if (xml.name() != QLatin1String("c"))
            continue;
        if (rowNumber == 0)
            throw broken(QStringLiteral("单元格不在任何行中"), xml.lineNumber());
        const QXmlStreamAttributes a = xml.attributes();
        const QStringView type = a.value(QLatin1String("t"));
        XlsxCell cell;
        const QStringView ref = a.value(QLatin1String("r"));
        if (sheet.rows.isEmpty() || sheet.rows.last().number != rowNumber) {
            sheet.rows.append(XlsxRow{rowNumber, {}});
            lastColumn = -1;
        }
        QList<XlsxCell> *cells = &sheet.rows.last().cells;
        // A cell without a name follows the one before it, valued or not.
        cell.column = lastColumn + 1;
        if (!ref.isEmpty()) {
            int row = 0;
            if (!parseCellName(ref, &row, &cell.column) || row != rowNumber)
                throw broken(QStringLiteral("单元格名“%1”无效").arg(ref.toString()), xml.lineNumber());
        }
        if (cell.column <= lastColumn)
            throw broken(QStringLiteral("单元格 %1 的位置不在前一个单元格之后").arg(cellName(rowNumber, cell.column)),
                         xml.lineNumber());
        lastColumn = cell.column;
        bool hasValue = false;
        QString raw;
        // The cell's children: <v> the value (a formula's cached one), <is> an inline string, <f> the formula.
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("v")) {
                raw = xml.readElementText();
                hasValue = true;
            } else if (xml.name() == QLatin1String("is")) {
                raw = readStringItem(xml);
                hasValue = true;
            } else {
                xml.skipCurrentElement();
            }
        }
        if (xml.hasError())
            break;
        if (!hasValue)
            continue;
        if (type == QLatin1String("s")) {
            bool ok = false;
            const int i = raw.trimmed().toInt(&ok);
            if (!ok || i < 0 || i >= m_shared.size())
                throw broken(
                    QStringLiteral("单元格 %1 引用了不存在的共享字符串 %2").arg(cellName(rowNumber, cell.column), raw),
                    xml.lineNumber());
            cell.value = m_shared[i];
        } else if (type == QLatin1String("inlineStr")) {
            cell.value = raw;
        } else if (type == QLatin1String("str")) {
            cell.value = unescapeXstring(raw);
        } else if (type == QLatin1String("b")) {
            cell.kind = XlsxCell::Boolean;
            cell.value = raw.trimmed();
        } else if (type == QLatin1String("e")) {
            cell.kind = XlsxCell::Error;
            cell.value = raw.trimmed();
        } else if (type.isEmpty() || type == QLatin1String("n")) {
            cell.kind = XlsxCell::Number;
            cell.value = raw.trimmed();
        } else {
            cell.value = raw; // "d": a date written as ISO 8601 text
        }
        cells->append(cell);
    }
    if (xml.hasError())
        throw broken(QStringLiteral("不是有效的 XML"), xml.lineNumber());
    // Rows that only held formatted empty cells hold nothing.
    sheet.rows.removeIf([](const XlsxRow &row) { return row.cells.isEmpty(); });
    return sheet;
}
