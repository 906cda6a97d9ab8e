// SPDX-License-Identifier: GPL-3.0-or-later

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#if __has_include(<iconv.h>)
#include <iconv.h>
#define HAVE_ICONV 1
#endif

#include "engine/BankError.h"
#include "tests/support/TestPaths.h"
#include "tests/support/ToolRun.h"
#include "tools/BankColumns.h"
#include "tools/BankCsv.h"
#include "tools/BankXlsx.h"
#include "tools/XlsxReader.h"
#include "tools/XlsxWriter.h"

namespace {

QString sourcePath(const QString &relative) {
    return QDir(sourceDir()).filePath(relative);
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void writeZip(const QString &path, const QMap<QString, QByteArray> &parts) {
    QuaZip zip(path);
    QVERIFY(zip.open(QuaZip::mdCreate));
    for (auto it = parts.begin(); it != parts.end(); ++it) {
        QuaZipFile file(&zip);
        QVERIFY(file.open(QIODevice::WriteOnly, QuaZipNewInfo(it.key())));
        file.write(it.value());
        file.close();
    }
    zip.close();
}

// A workbook of three sheets named as the tables, each with the given sheetData.
QMap<QString, QByteArray> workbookParts(const QList<QByteArray> &sheetData) {
    const QByteArray main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    QMap<QString, QByteArray> parts;
    QByteArray sheets;
    const QStringList names = {QStringLiteral("choose"), QStringLiteral("Fill"), QStringLiteral("tzhishidian")};
    for (int i = 0; i < sheetData.size(); ++i) {
        sheets += "<sheet name=\"" + names[i].toUtf8() + "\" sheetId=\"" + QByteArray::number(i + 1) + "\"/>";
        parts.insert(QStringLiteral("xl/worksheets/sheet%1.xml").arg(i + 1),
                     "<worksheet xmlns=\"" + main + "\"><sheetData>" + sheetData[i] + "</sheetData></worksheet>");
    }
    parts.insert(QStringLiteral("xl/workbook.xml"),
                 "<workbook xmlns=\"" + main + "\"><sheets>" + sheets + "</sheets></workbook>");
    return parts;
}

QByteArray readAll(const QString &path) {
    return fileBytes(path);
}

BankTable table(const QString &name, const QList<QList<QByteArray>> &rows) {
    BankTable t;
    t.name = name;
    t.columns = BankColumns::required(name);
    t.rows = rows;
    return t;
}

XlsxSheet sheetOf(const QList<XlsxRow> &rows) {
    XlsxSheet sheet;
    sheet.name = QStringLiteral("知识点");
    sheet.rows = rows;
    return sheet;
}

XlsxCell text(int column, const QString &value) {
    return {column, XlsxCell::Text, value};
}

XlsxCell number(int column, const QString &value) {
    return {column, XlsxCell::Number, value};
}

const XlsxRow kKnowledgeHeader = {
    1, {text(0, QStringLiteral("recno")), text(1, QStringLiteral("Keyword")), text(2, QStringLiteral("knowladge"))}};

#ifdef HAVE_ICONV
QByteArray toGb18030(const QByteArray &utf8) {
    iconv_t cd = iconv_open("GB18030", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return QByteArray();
    QByteArray in = utf8;
    QByteArray out(utf8.size() * 2 + 16, '\0');
    char *inp = in.data();
    char *outp = out.data();
    size_t inLeft = size_t(in.size());
    size_t outLeft = size_t(out.size());
    const bool ok = iconv(cd, &inp, &inLeft, &outp, &outLeft) != size_t(-1);
    iconv_close(cd);
    return ok ? out.left(out.size() - qsizetype(outLeft)) : QByteArray();
}
#endif

// A table as tab-separated "Unicode text": fields with a tab, quote or line break quoted.
[[maybe_unused]] QByteArray asTabSeparated(const BankTable &t) {
    QByteArray out;
    const auto field = [](const QByteArray &value) {
        if (!value.contains('\t') && !value.contains('"') && !value.contains('\n') && !value.contains('\r'))
            return value;
        return '"' + QByteArray(value).replace("\"", "\"\"") + '"';
    };
    QList<QByteArray> header;
    for (const QString &column : t.columns)
        header.append(field(column.toUtf8()));
    out += header.join('\t') + "\r\n";
    for (const QList<QByteArray> &row : t.rows) {
        QList<QByteArray> fields;
        for (const QByteArray &value : row)
            fields.append(field(value));
        out += fields.join('\t') + "\r\n";
    }
    return out;
}

} // namespace

class TestBankXlsx : public QObject {
    Q_OBJECT
private slots:
    void spreadsheetWorkbooksBuildTheSampleBank();
    void edgeCellsComeThroughAsTyped();
    void cellsBecomeText();
    void numericCodesAreReported();
    void roundTripThroughTheWorkbook_data();
    void roundTripThroughTheWorkbook();
    void sampleRoundTripIsByteExact();
    void malformedWorkbooksBuildNothing_data();
    void malformedWorkbooksBuildNothing();
    void codePagesBuildWithANotice();
};

// Workbooks LibreOffice made from the sample's CSV files (with a rich-text cell, a formula and an empty trailing row
// added) build the bank the CSV files build: those kept beside them, as the sample bank has changed since.
void TestBankXlsx::spreadsheetWorkbooksBuildTheSampleBank() {
    QTemporaryDir dir;
    const ToolRun built =
        runToolCapturing({QStringLiteral("build"), sourcePath(QStringLiteral("tests/data/xlsx/sample")),
                          dir.filePath(QStringLiteral("bank"))});
    QVERIFY2(built.status == 0, qPrintable(built.out + built.err));
    QVERIFY2(!built.out.contains(QStringLiteral("开头的 0")), qPrintable(built.out));
    const ToolRun exported = runToolCapturing(
        {QStringLiteral("export"), dir.filePath(QStringLiteral("bank")), dir.filePath(QStringLiteral("csv"))});
    QCOMPARE(exported.status, 0);
    for (const QString &name :
         {QStringLiteral("choose.csv"), QStringLiteral("Fill.csv"), QStringLiteral("tzhishidian.csv")})
        QVERIFY2(readAll(dir.filePath(QStringLiteral("csv/") + name)) ==
                     readAll(sourcePath(QStringLiteral("tests/data/xlsx/sample-csv/") + name)),
                 qPrintable(name));
}

// Spaces, line breaks (CRLF kept), quotes, markup-like text, characters beyond the BMP and an 18,400-character cell,
// as LibreOffice stored them, read as the CSV they came from.
void TestBankXlsx::edgeCellsComeThroughAsTyped() {
    const QString folder = sourcePath(QStringLiteral("tests/data/xlsx/edge/"));
    const BankTable csv = readCsvTable(folder + QStringLiteral("tzhishidian.csv"), BankColumns::knowledge);
    XlsxWorkbook workbook(readAll(folder + QStringLiteral("tzhishidian.xlsx")), QStringLiteral("edge.xlsx"));
    const BankTable sheet =
        BankSources::tableFromSheet(workbook.sheet(0), BankColumns::knowledge, QStringLiteral("edge.xlsx"));
    QCOMPARE(sheet.columns, csv.columns);
    QCOMPARE(sheet.rows.size(), 4);
    QCOMPARE(formatCsvTable(sheet), formatCsvTable(csv));
    QVERIFY(sheet.rows[1][2].size() > 18000 * 3);
}

void TestBankXlsx::cellsBecomeText() {
    const XlsxSheet sheet =
        sheetOf({kKnowledgeHeader,
                 {2,
                  {number(0, QStringLiteral("1001")),
                   number(1, QStringLiteral("1E-3")),
                   {2, XlsxCell::Boolean, QStringLiteral("1")}}},
                 {4,
                  {number(0, QStringLiteral("1.0E+3")), number(1, QStringLiteral("0.30000000000000004")),
                   text(2, QStringLiteral(" 空格 "))}},
                 {5, {number(0, QStringLiteral("12.5")), text(1, QString())}}});
    const BankTable t = BankSources::tableFromSheet(sheet, BankColumns::knowledge, QStringLiteral("b.xlsx"));
    QCOMPARE(t.rows.size(), 3);
    QCOMPARE(t.rows[0], (QList<QByteArray>{"1001", "0.001", "TRUE"}));
    QCOMPARE(t.rows[1], (QList<QByteArray>{"1000", "0.3", " 空格 "}));
    // A code that is no integer stays as written, for the check to point out; an absent cell is NULL.
    QCOMPARE(t.rows[2][0], QByteArray("12.5"));
    QVERIFY(t.rows[2][2].isNull());
    QVERIFY(!t.rows[2][1].isNull());

    const auto failure = [](const XlsxSheet &s) {
        try {
            BankSources::tableFromSheet(s, BankColumns::knowledge, QStringLiteral("源/b.xlsx"));
        } catch (const BankError &e) {
            return e.message();
        }
        return QString();
    };
    const QString error = failure(sheetOf({kKnowledgeHeader, {7, {{2, XlsxCell::Error, QStringLiteral("#N/A")}}}}));
    QVERIFY2(error.contains(QStringLiteral("源/b.xlsx")) && error.contains(QStringLiteral("C7")) &&
                 error.contains(QStringLiteral("#N/A")) && error.contains(QStringLiteral("knowladge")),
             qPrintable(error));
    QVERIFY(failure(sheetOf({kKnowledgeHeader, {2, {text(3, QStringLiteral("多"))}}})).contains(QStringLiteral("D2")));
    QVERIFY(failure(sheetOf({{1, {text(0, QStringLiteral("recno"))}}}))
                .contains(QStringLiteral("缺少 tzhishidian 表的列 Keyword")));
    QVERIFY(failure(sheetOf({})).contains(QStringLiteral("缺少列名行")));
    QVERIFY(failure(sheetOf({{1, {text(0, QStringLiteral("recno")), text(2, QStringLiteral("Keyword"))}}}))
                .contains(QStringLiteral("第 2 列的列名为空")));
}

// A knowledge code from a numeric cell shorter than the widest code of the bank is reported with its cell; one of
// full width, a numeric id and a numeric code where every code is as short are not.
void TestBankXlsx::numericCodesAreReported() {
    XlsxWorkbook workbook(readAll(sourcePath(QStringLiteral("tests/data/xlsx/edge/numeric-codes.xlsx"))),
                          QStringLiteral("n.xlsx"));
    QList<BankSources::NumericCode> codes;
    BankTables tables;
    tables.knowledge =
        BankSources::tableFromSheet(workbook.sheet(0), BankColumns::knowledge, QStringLiteral("n.xlsx"), &codes);
    QCOMPARE(tables.knowledge.rows[0][0], QByteArray("1001"));
    QCOMPARE(codes.size(), 4);
    QVERIFY(BankSources::lostZeroNotices(tables, codes).isEmpty());

    tables.choose = table(BankColumns::choose, {{"1", "7", "t", "a", "b", "c", "d", "A", "x", "01001", "2"}});
    const QStringList notices = BankSources::lostZeroNotices(tables, codes);
    QCOMPARE(notices.size(), 4);
    QVERIFY2(notices[0].contains(QStringLiteral("A2")) && notices[0].contains(QStringLiteral("recno")) &&
                 notices[0].contains(QStringLiteral("1001")) && notices[0].contains(QStringLiteral("文本格式")),
             qPrintable(notices[0]));
    codes.append({BankColumns::choose, QStringLiteral("choose"), QStringLiteral("B2"), QStringLiteral("tid"),
                  QStringLiteral("7")});
    QCOMPARE(BankSources::lostZeroNotices(tables, codes).size(), 4);
}

void TestBankXlsx::roundTripThroughTheWorkbook_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("plain") << QByteArray("栈是先进后出的线性表");
    QTest::newRow("empty text") << QByteArray("");
    QTest::newRow("null") << QByteArray();
    QTest::newRow("crlf and lone cr") << QByteArray("a\r\nb\rc\n");
    QTest::newRow("control characters") << QByteArray("\x01\x1F\x7F");
    QTest::newRow("escape-like text") << QByteArray("_x0041_ _x00_ _X0041_");
    QTest::newRow("blanks and quotes") << QByteArray("  \"引号\", \t");
    QTest::newRow("markup") << QByteArray("<b>&amp;</b> ]]>");
    QTest::newRow("beyond the BMP") << QByteArray("\xF0\xA0\x80\x80");
    QTest::newRow("longest cell") << QByteArray(32767, 'x');
    QTest::newRow("leading zeros") << QByteArray("000123");
}

// What the writer writes the reader reads back as it was, NULL and empty text kept apart.
void TestBankXlsx::roundTripThroughTheWorkbook() {
    QFETCH(QByteArray, value);
    BankTables tables;
    tables.choose = table(BankColumns::choose, {{"1", "1", value, "a", "b", "c", "d", "A", value, "01001", "2"}});
    tables.fill = table(BankColumns::fill, {{"1", value, "【1】", "x", "01001"}, {"2", "3", "y", value, "01001"}});
    tables.knowledge = table(BankColumns::knowledge, {{"01001", value, "z"}, {"01002", "k", value}});
    tables.knowledge.columns.append(QStringLiteral("备注"));
    tables.knowledge.rows[0].append(value);
    tables.knowledge.rows[1].append("x");

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out/bank.xlsx"));
    writeXlsxWorkbook(tables, path);
    QStringList notices;
    const BankTables back = BankSources::readWorkbook(path, &notices);
    QCOMPARE(formatCsvTable(back.choose), formatCsvTable(tables.choose));
    QCOMPARE(formatCsvTable(back.fill), formatCsvTable(tables.fill));
    QCOMPARE(formatCsvTable(back.knowledge), formatCsvTable(tables.knowledge));
    QCOMPARE(back.knowledge.rows[0][3].isNull(), value.isNull());
    QCOMPARE(notices, QStringList());
    QCOMPARE(QDir(dir.filePath(QStringLiteral("out"))).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("bank.xlsx")});
}

// CSV → bank → workbook → bank → CSV gives the sample's bytes back.
void TestBankXlsx::sampleRoundTripIsByteExact() {
    QTemporaryDir dir;
    const auto run = [&](const QStringList &args) {
        const ToolRun r = runToolCapturing(args);
        QVERIFY2(r.status == 0, qPrintable(args.join(QLatin1Char(' ')) + QLatin1Char('\n') + r.out + r.err));
    };
    run({QStringLiteral("build"), sourcePath(QStringLiteral("data/sample")), dir.filePath(QStringLiteral("a"))});
    run({QStringLiteral("export"), dir.filePath(QStringLiteral("a")), dir.filePath(QStringLiteral("x")),
         QStringLiteral("--xlsx")});
    run({QStringLiteral("build"), dir.filePath(QStringLiteral("x/bank.xlsx")), dir.filePath(QStringLiteral("b"))});
    run({QStringLiteral("export"), dir.filePath(QStringLiteral("b")), dir.filePath(QStringLiteral("csv"))});
    for (const QString &name :
         {QStringLiteral("choose.csv"), QStringLiteral("Fill.csv"), QStringLiteral("tzhishidian.csv")})
        QVERIFY2(readAll(dir.filePath(QStringLiteral("csv/") + name)) ==
                     readAll(sourcePath(QStringLiteral("data/sample/") + name)),
                 qPrintable(name));
}

void TestBankXlsx::malformedWorkbooksBuildNothing_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("not a zip") << QStringLiteral("csv") << QStringLiteral("不是有效的 .xlsx 文件");
    QTest::newRow("zip that is no workbook") << QStringLiteral("zip") << QStringLiteral("不是 Excel 工作簿");
    QTest::newRow("without the sheets") << QStringLiteral("sheets") << QStringLiteral("没有名为 choose 的工作表");
    QTest::newRow("truncated") << QStringLiteral("truncated") << QStringLiteral("不是有效的 .xlsx 文件");
    QTest::newRow("zip bomb") << QStringLiteral("bomb") << QStringLiteral("解压后超过 64 MiB");
    QTest::newRow("error value") << QStringLiteral("error") << QStringLiteral("单元格 B2（列 tid）是错误值 #N/A");
}

// Each is refused with a message naming the file and exit status 1, the bank already in OUT left as it was.
void TestBankXlsx::malformedWorkbooksBuildNothing() {
    QFETCH(QString, kind);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("Dat"));
    QCOMPARE(runToolCapturing({QStringLiteral("build"), sourcePath(QStringLiteral("data/sample")), out}).status, 0);
    const QByteArray bank = readAll(out + QStringLiteral("/Bs.mdb"));
    const QByteArray workgroup = readAll(out + QStringLiteral("/Mq4100.mdw"));

    const QString source = dir.filePath(QStringLiteral("源/bank.xlsx"));
    QDir().mkpath(dir.filePath(QStringLiteral("源")));
    if (kind == QLatin1String("csv")) {
        QFile::copy(sourcePath(QStringLiteral("data/sample/choose.csv")), source);
    } else if (kind == QLatin1String("zip")) {
        writeZip(source, {{QStringLiteral("word/document.xml"), "<w/>"}});
    } else if (kind == QLatin1String("sheets")) {
        QFile::copy(sourcePath(QStringLiteral("tests/data/xlsx/edge/tzhishidian.xlsx")), source);
    } else if (kind == QLatin1String("truncated")) {
        const QByteArray whole = readAll(sourcePath(QStringLiteral("tests/data/xlsx/sample/Fill.xlsx")));
        writeFile(source, whole.left(whole.size() * 2 / 3));
    } else if (kind == QLatin1String("bomb")) {
        QByteArray huge = "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>";
        huge += QByteArray((64 << 20) + 1, 'a') + "</t></is></c></row>";
        writeZip(source, workbookParts({huge}));
        QVERIFY(QFileInfo(source).size() < 200000);
    } else {
        QByteArray header = "<row r=\"1\">";
        for (const QString &column : BankColumns::required(BankColumns::choose))
            header += "<c t=\"inlineStr\"><is><t>" + column.toUtf8() + "</t></is></c>";
        header += "</row>";
        writeZip(source, workbookParts({header + "<row r=\"2\"><c r=\"A2\"><v>1</v></c><c r=\"B2\" t=\"e\"><f>NA()</f>"
                                                 "<v>#N/A</v></c></row>"}));
    }

    const ToolRun run = runToolCapturing({QStringLiteral("build"), source, out});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains(message) && run.err.contains(QDir::toNativeSeparators(source)), qPrintable(run.err));
    QCOMPARE(readAll(out + QStringLiteral("/Bs.mdb")), bank);
    QCOMPARE(readAll(out + QStringLiteral("/Mq4100.mdw")), workgroup);
    QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

// GB18030 and tab-separated UTF-16 sources build the sample bank, each named on a line of its own.
void TestBankXlsx::codePagesBuildWithANotice() {
#ifndef HAVE_ICONV
    QSKIP("no iconv to write GB18030 with");
#else
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("src"));
    QDir().mkpath(src);
    const QByteArray gb = toGb18030(readAll(sourcePath(QStringLiteral("data/sample/choose.csv"))));
    if (gb.isEmpty())
        QSKIP("the C library has no GB18030 converter");
    writeFile(src + QStringLiteral("/choose.csv"), gb);
    const BankTable knowledge =
        readCsvTable(sourcePath(QStringLiteral("data/sample/tzhishidian.csv")), BankColumns::knowledge);
    const QString tabbed = QString::fromUtf8(asTabSeparated(knowledge));
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char *>(tabbed.utf16()), tabbed.size() * 2);
    writeFile(src + QStringLiteral("/tzhishidian.csv"), utf16);
    QFile::copy(sourcePath(QStringLiteral("data/sample/Fill.csv")), src + QStringLiteral("/Fill.csv"));

    const ToolRun built = runToolCapturing({QStringLiteral("build"), src, dir.filePath(QStringLiteral("bank"))});
    QVERIFY2(built.status == 0, qPrintable(built.out + built.err));
    QVERIFY2(built.out.contains(QStringLiteral("按 GB18030 编码读取：") +
                                QDir::toNativeSeparators(src + QStringLiteral("/choose.csv"))),
             qPrintable(built.out));
    QVERIFY(built.out.contains(QStringLiteral("按 UTF-16 编码读取（制表符分隔）")));
    QVERIFY(!built.out.contains(QStringLiteral("Fill.csv")));
    QCOMPARE(runToolCapturing(
                 {QStringLiteral("export"), dir.filePath(QStringLiteral("bank")), dir.filePath(QStringLiteral("csv"))})
                 .status,
             0);
    for (const QString &name :
         {QStringLiteral("choose.csv"), QStringLiteral("Fill.csv"), QStringLiteral("tzhishidian.csv")})
        QVERIFY2(readAll(dir.filePath(QStringLiteral("csv/") + name)) ==
                     readAll(sourcePath(QStringLiteral("data/sample/") + name)),
                 qPrintable(name));
#endif
}

QTEST_GUILESS_MAIN(TestBankXlsx)
#include "test_bankxlsx.moc"
