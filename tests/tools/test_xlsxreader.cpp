// SPDX-License-Identifier: GPL-3.0-or-later

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

#include <QBuffer>
#include <QMap>
#include <QTest>

#include "engine/BankError.h"
#include "tools/XlsxReader.h"

namespace {

// A zip of the given parts, made in memory.
QByteArray zipOf(const QMap<QString, QByteArray> &parts) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdCreate))
        qFatal("cannot create a zip");
    for (auto it = parts.begin(); it != parts.end(); ++it) {
        QuaZipFile file(&zip);
        file.open(QIODevice::WriteOnly, QuaZipNewInfo(it.key()));
        file.write(it.value());
        file.close();
    }
    zip.close();
    return bytes;
}

const QByteArray kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

// A workbook whose sheets are given by name and sheetData content; shared strings as given.
QByteArray workbookOf(const QList<QPair<QString, QByteArray>> &sheets, const QByteArray &shared = QByteArray()) {
    QMap<QString, QByteArray> parts;
    QByteArray list;
    QByteArray rels = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (int i = 0; i < sheets.size(); ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        list += "<sheet name=\"" + sheets[i].first.toUtf8() + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
        // An absolute target, as some writers give it.
        rels += "<Relationship Id=\"rId" + n + "\" Type=\"x/worksheet\" Target=\"/xl/worksheets/s" + n + ".xml\"/>";
        parts.insert(QStringLiteral("xl/worksheets/s%1.xml").arg(i + 1),
                     "<worksheet xmlns=\"" + kMain + "\"><sheetData>" + sheets[i].second + "</sheetData></worksheet>");
    }
    if (!shared.isNull()) {
        rels += "<Relationship Id=\"rS\" Type=\"x/sharedStrings\" Target=\"strings.xml\"/>";
        parts.insert(QStringLiteral("xl/strings.xml"), "<sst xmlns=\"" + kMain + "\">" + shared + "</sst>");
    }
    parts.insert(QStringLiteral("xl/workbook.xml"),
                 "<workbook xmlns=\"" + kMain +
                     "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>" +
                     list + "</sheets></workbook>");
    parts.insert(QStringLiteral("xl/_rels/workbook.xml.rels"), rels + "</Relationships>");
    return zipOf(parts);
}

QString render(const XlsxSheet &sheet) {
    QStringList rows;
    for (const XlsxRow &row : sheet.rows) {
        QStringList cells;
        for (const XlsxCell &cell : row.cells)
            cells.append(QStringLiteral("%1%2=%3:%4")
                             .arg(QChar(char16_t('A' + cell.column)))
                             .arg(row.number)
                             .arg(QStringLiteral("TNBE")[cell.kind])
                             .arg(cell.value));
        rows.append(cells.join(QLatin1Char(' ')));
    }
    return rows.join(QLatin1Char('/'));
}

QString failureOf(const QByteArray &bytes, const XlsxLimits &limits = {}) {
    try {
        XlsxWorkbook workbook(bytes, QStringLiteral("题库/bank.xlsx"), limits);
        for (int i = 0; i < workbook.sheetNames().size(); ++i)
            workbook.sheet(i);
    } catch (const BankError &e) {
        return e.message();
    }
    return QString();
}

} // namespace

class TestXlsxReader : public QObject {
    Q_OBJECT
private slots:
    void readsValues_data();
    void readsValues();
    void sheetsByName();
    void cellNames();
    void refuses_data();
    void refuses();
    void limitsInflation();
};

void TestXlsxReader::readsValues_data() {
    QTest::addColumn<QByteArray>("sheetData");
    QTest::addColumn<QByteArray>("shared");
    QTest::addColumn<QString>("cells");

    QTest::newRow("shared strings")
        << QByteArray(R"(<row r="1"><c r="A1" t="s"><v>1</v></c><c r="B1" t="s"><v>0</v></c></row>)")
        << QByteArray("<si><t>甲</t></si><si><t xml:space=\"preserve\"> 乙 </t></si>")
        << QStringLiteral("A1=T: 乙  B1=T:甲");
    // The runs of a rich text are one text; a phonetic guide is not part of it.
    QTest::newRow("rich text runs") << QByteArray(R"(<row r="1"><c r="A1" t="s"><v>0</v></c></row>)")
                                    << QByteArray("<si><r><t>栈是</t></r><r><rPr><b/></rPr><t>先进后出</t></r>"
                                                  "<rPh sb=\"0\" eb=\"1\"><t>ザン</t></rPh></si>")
                                    << QStringLiteral("A1=T:栈是先进后出");
    QTest::newRow("inline string with runs")
        << QByteArray(R"(<row r="2"><c r="C2" t="inlineStr"><is><r><t>a</t></r><r><t>b</t></r></is></c></row>)")
        << QByteArray() << QStringLiteral("C2=T:ab");
    QTest::newRow("line breaks and escapes") << QByteArray(R"(<row r="1"><c r="A1" t="inlineStr"><is><t>一_x000D_
二_x005F_x0041_&amp;</t></is></c></row>)") << QByteArray()
                                             << QStringLiteral("A1=T:一\r\n二_x0041_&");
    QTest::newRow("numbers, booleans, errors")
        << QByteArray(R"(<row r="1"><c r="A1"><v>1001</v></c><c r="B1" t="n"><v>2.5</v></c>)"
                      R"(<c r="C1" t="b"><v>1</v></c><c r="D1" t="e"><v>#N/A</v></c></row>)")
        << QByteArray() << QStringLiteral("A1=N:1001 B1=N:2.5 C1=B:1 D1=E:#N/A");
    QTest::newRow("formula gives its cached value")
        << QByteArray(R"(<row r="1"><c r="A1"><f>1+1</f><v>2</v></c><c r="B1" t="str"><f>"x"&amp;"y"</f><v>xy</v></c>)"
                      R"(<c r="C1"><f>A1*2</f></c></row>)")
        << QByteArray() << QStringLiteral("A1=N:2 B1=T:xy");
    // Rows and cells without names follow the ones before them; empty formatted cells and rows hold nothing.
    QTest::newRow("positions without names")
        << QByteArray(
               R"(<row><c t="inlineStr"><is><t>a</t></is></c><c s="1"/><c t="inlineStr"><is><t>c</t></is></c></row>)"
               R"(<row r="3"><c r="B3" s="1"/></row><row><c r="D4"><v>4</v></c></row>)"
               R"(<row r="9" spans="1:3"/>)")
        << QByteArray() << QStringLiteral("A1=T:a C1=T:c/D4=N:4");
}

void TestXlsxReader::readsValues() {
    QFETCH(QByteArray, sheetData);
    QFETCH(QByteArray, shared);
    QFETCH(QString, cells);
    XlsxWorkbook workbook(workbookOf({{QStringLiteral("choose"), sheetData}}, shared), QStringLiteral("t.xlsx"));
    QCOMPARE(render(workbook.sheet(0)), cells);
}

void TestXlsxReader::sheetsByName() {
    XlsxWorkbook workbook(workbookOf({{QStringLiteral("Fill"), R"(<row r="1"><c r="A1"><v>1</v></c></row>)"},
                                      {QStringLiteral("选择"), R"(<row r="5"><c r="B5"><v>2</v></c></row>)"}}),
                          QStringLiteral("t.xlsx"));
    QCOMPARE(workbook.sheetNames(), (QStringList{QStringLiteral("Fill"), QStringLiteral("选择")}));
    QCOMPARE(workbook.sheet(1).name, QStringLiteral("选择"));
    QCOMPARE(render(workbook.sheet(1)), QStringLiteral("B5=N:2"));
    QCOMPARE(render(workbook.sheet(0)), QStringLiteral("A1=N:1"));
}

void TestXlsxReader::cellNames() {
    QCOMPARE(XlsxWorkbook::cellName(1, 0), QStringLiteral("A1"));
    QCOMPARE(XlsxWorkbook::cellName(7, 25), QStringLiteral("Z7"));
    QCOMPARE(XlsxWorkbook::cellName(2, 26), QStringLiteral("AA2"));
    QCOMPARE(XlsxWorkbook::cellName(1048576, 16383), QStringLiteral("XFD1048576"));
}

void TestXlsxReader::refuses_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QByteArray good = workbookOf({{QStringLiteral("choose"), R"(<row r="1"><c r="A1"><v>1</v></c></row>)"}});
    QTest::newRow("not a zip") << QByteArray("mkid,tid\n1,2\n") << QStringLiteral("不是有效的 .xlsx 文件");
    QTest::newRow("empty file") << QByteArray() << QStringLiteral("不是有效的 .xlsx 文件");
    QTest::newRow("truncated") << good.left(good.size() / 2) << QStringLiteral("不是有效的 .xlsx 文件");
    QTest::newRow("zip that is no workbook")
        << zipOf({{QStringLiteral("word/document.xml"), "<w/>"}}) << QStringLiteral("不是 Excel 工作簿");
    QTest::newRow("sheet part missing")
        << zipOf({{QStringLiteral("xl/workbook.xml"),
                   "<workbook xmlns=\"" + kMain +
                       "\"><sheets><sheet name=\"choose\" sheetId=\"1\"/></sheets></workbook>"}})
        << QStringLiteral("工作表“choose”的 xl/worksheets/sheet1.xml 不存在");
    QTest::newRow("sheet not XML") << workbookOf({{QStringLiteral("choose"), "<row><c>"}})
                                   << QStringLiteral("工作表“choose”已损坏");
    QTest::newRow("shared string out of range")
        << workbookOf({{QStringLiteral("choose"), R"(<row r="1"><c r="A1" t="s"><v>3</v></c></row>)"}},
                      "<si><t>a</t></si>")
        << QStringLiteral("单元格 A1 引用了不存在的共享字符串 3");
    QTest::newRow("rows out of order") << workbookOf({{QStringLiteral("choose"), R"(<row r="2"/><row r="1"/>)"}})
                                       << QStringLiteral("第 1 行出现在第 2 行之后");
    QTest::newRow("cells out of order")
        << workbookOf({{QStringLiteral("choose"), R"(<row r="1"><c r="B1"><v>1</v></c><c r="A1"><v>1</v></c></row>)"}})
        << QStringLiteral("单元格 A1 的位置不在前一个单元格之后");
    QTest::newRow("cell of another row") << workbookOf({{QStringLiteral("choose"),
                                                         R"(<row r="1"><c r="A2"><v>1</v></c></row>)"}})
                                         << QStringLiteral("单元格名“A2”无效");
    QTest::newRow("cell past the sheet") << workbookOf({{QStringLiteral("choose"),
                                                         R"(<row r="1"><c r="XFE1"><v>1</v></c></row>)"}})
                                         << QStringLiteral("单元格名“XFE1”无效");
}

// Each refusal is a BankError naming the file.
void TestXlsxReader::refuses() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString got = failureOf(bytes);
    QVERIFY2(got.contains(message) && got.contains(QStringLiteral("题库/bank.xlsx")), qPrintable(got));
}

// A part that inflates past the limit, or at a ratio only made-up data has, is refused once the limit is reached,
// whatever sizes the zip declares; the same data under the limits reads.
void TestXlsxReader::limitsInflation() {
    QByteArray filler = R"(<row r="1"><c r="A1" t="inlineStr"><is><t>)";
    filler += QByteArray(3 << 20, 'a') + "</t></is></c></row>";
    const QByteArray bomb = workbookOf({{QStringLiteral("choose"), filler}});
    QVERIFY(bomb.size() < 100000);

    XlsxLimits small;
    small.partBytes = qint64(2) << 20;
    QVERIFY2(failureOf(bomb, small).contains(QStringLiteral("解压后超过 2 MiB")), qPrintable(failureOf(bomb, small)));
    XlsxLimits ratio;
    ratio.ratio = 100;
    QVERIFY(failureOf(bomb, ratio).contains(QStringLiteral("压缩比超过 100:1")));
    XlsxLimits total;
    total.totalBytes = qint64(1) << 20;
    QVERIFY(failureOf(bomb, total).contains(QStringLiteral("合计上限 1 MiB")));
    QCOMPARE(failureOf(bomb), QString());
}

QTEST_GUILESS_MAIN(TestXlsxReader)
#include "test_xlsxreader.moc"
