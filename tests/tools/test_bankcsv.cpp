// SPDX-License-Identifier: GPL-3.0-or-later

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "engine/BankError.h"
#include "tools/BankCsv.h"

namespace {

// Rows as one comparable text: cells joined by "|", rows by "/", a NULL shown as "∅" so that it differs from "".
QString render(const QList<QList<QByteArray>> &rows) {
    QStringList out;
    for (const QList<QByteArray> &row : rows) {
        QStringList cells;
        for (const QByteArray &cell : row)
            cells.append(cell.isNull() ? QStringLiteral("∅") : QString::fromUtf8(cell));
        out.append(cells.join(QLatin1Char('|')));
    }
    return out.join(QLatin1Char('/'));
}

BankTable knowledgeTable(const QList<QList<QByteArray>> &rows) {
    BankTable table;
    table.name = QStringLiteral("tzhishidian");
    table.columns = QStringList{QStringLiteral("recno"), QStringLiteral("Keyword"), QStringLiteral("knowladge")};
    table.rows = rows;
    return table;
}

QString failureOf(const QByteArray &csv, const QString &table) {
    try {
        parseCsvTable(csv, table, QStringLiteral("源/表.csv"));
    } catch (const BankError &e) {
        return e.message();
    }
    return QString();
}

} // namespace

class TestBankCsv : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void reads_data();
    void reads();
    void rejects_data();
    void rejects();
    void sourceFolder();
    void namesTheSeparator_data();
    void namesTheSeparator();
    void readsOtherCodePages();
};

void TestBankCsv::roundTrip_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("plain") << QByteArray("栈是先进后出的线性表");
    QTest::newRow("comma") << QByteArray("A,B,C");
    QTest::newRow("quotes") << QByteArray("他说\"对\"，\"\"");
    QTest::newRow("line feed") << QByteArray("第一行\n第二行\n");
    QTest::newRow("crlf and lone cr") << QByteArray("a\r\nb\rc");
    QTest::newRow("blank line inside") << QByteArray("a\n\nb");
    QTest::newRow("leading and trailing blanks") << QByteArray(" A\t");
    QTest::newRow("key markers") << QByteArray("X#Y@Z@W");
    QTest::newRow("empty text") << QByteArray("");
    QTest::newRow("null") << QByteArray();
    QTest::newRow("only a quote") << QByteArray("\"");
}

// What is written reads back identical, NULL and empty text kept apart, and writing it again gives the same bytes.
void TestBankCsv::roundTrip() {
    QFETCH(QByteArray, value);
    const BankTable table = knowledgeTable({{"01001", value, "说明"}, {"01002", "关键词", value}, {value, "x", "y"}});

    const QByteArray csv = formatCsvTable(table);
    const BankTable back = parseCsvTable(csv, QStringLiteral("tzhishidian"), QStringLiteral("t.csv"));

    QCOMPARE(back.columns, table.columns);
    QCOMPARE(render(back.rows), render(table.rows));
    QCOMPARE(formatCsvTable(back), csv);
}

void TestBankCsv::reads_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<QString>("rows");

    const QStringList canonical{QStringLiteral("recno"), QStringLiteral("Keyword"), QStringLiteral("knowladge")};
    QTest::newRow("header in any case") << QByteArray("RECNO,keyword,KnowLadge\n01001,栈,说明\n")
                                        << QStringList{QStringLiteral("RECNO"), QStringLiteral("keyword"),
                                                       QStringLiteral("KnowLadge")}
                                        << QStringLiteral("01001|栈|说明");
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBFrecno,Keyword,knowladge\n01001,栈,说明\n") << canonical
                                     << QStringLiteral("01001|栈|说明");
    QTest::newRow("crlf, no final line end") << QByteArray("recno,Keyword,knowladge\r\n01001,a,b\r\n01002,c,d")
                                             << canonical << QStringLiteral("01001|a|b/01002|c|d");
    QTest::newRow("blank lines between records")
        << QByteArray("recno,Keyword,knowladge\n\n01001,a,b\n\r\n\n01002,c,d\n\n") << canonical
        << QStringLiteral("01001|a|b/01002|c|d");
    QTest::newRow("empty field is null, quoted empty is text")
        << QByteArray("recno,Keyword,knowladge\n01001,,\"\"\n") << canonical << QStringLiteral("01001|∅|");
    QTest::newRow("blanks kept in unquoted fields")
        << QByteArray("recno,Keyword,knowladge\n 01001,a ,\tb\n") << canonical << QStringLiteral(" 01001|a |\tb");
    QTest::newRow("extra column kept") << QByteArray("recno,Keyword,knowladge,来源\n01001,a,b,教材\n")
                                       << QStringList{QStringLiteral("recno"), QStringLiteral("Keyword"),
                                                      QStringLiteral("knowladge"), QStringLiteral("来源")}
                                       << QStringLiteral("01001|a|b|教材");
    QTest::newRow("header names trimmed")
        << QByteArray(" recno , Keyword,knowladge\n01001,a,b\n") << canonical << QStringLiteral("01001|a|b");
}

void TestBankCsv::reads() {
    QFETCH(QByteArray, csv);
    QFETCH(QStringList, columns);
    QFETCH(QString, rows);

    const BankTable table = parseCsvTable(csv, QStringLiteral("tzhishidian"), QStringLiteral("t.csv"));

    QCOMPARE(table.name, QStringLiteral("tzhishidian"));
    QCOMPARE(table.columns, columns);
    QCOMPARE(render(table.rows), rows);
}

void TestBankCsv::rejects_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("expected");

    const QString k = QStringLiteral("tzhishidian");
    QTest::newRow("quote inside an unquoted field")
        << QByteArray("recno,Keyword,knowladge\n01001,a,b\n01002,x\"y,z\n") << k << QStringLiteral("第 3 行格式错误");
    QTest::newRow("text after a closing quote")
        << QByteArray("recno,Keyword,knowladge\n01001,\"a\"b,c\n") << k << QStringLiteral("第 2 行格式错误");
    QTest::newRow("line counted across a multi-line field")
        << QByteArray("recno,Keyword,knowladge\n01001,\"a\nb\",c\n01002, \"d\",e\n") << k
        << QStringLiteral("第 4 行格式错误");
    // A stray quote opens a field that swallows the following lines until some later quote ends it wrongly.
    QTest::newRow("runaway field named where it began")
        << QByteArray("recno,Keyword,knowladge\n01001,a,b\n01002,\"栈的说明,c\n01003,d,e\n01004,\"f\"g,h\n") << k
        << QStringLiteral("第 3 行格式错误：从这一行开始的带引号字段在第 5 行出错");
    QTest::newRow("unterminated quote") << QByteArray("recno,Keyword,knowladge\n01001,a,b\n01002,\"never\nclosed,c\n")
                                        << k << QStringLiteral("第 3 行开始的带引号字段缺少结尾的引号");
    QTest::newRow("too few fields") << QByteArray("recno,Keyword,knowladge\n01001,\"a\nb\",c\n01002,x\n") << k
                                    << QStringLiteral("第 4 行有 2 个字段，列名行有 3 个");
    QTest::newRow("too many fields") << QByteArray("recno,Keyword,knowladge\n01001,a,b,c\n") << k
                                     << QStringLiteral("第 2 行有 4 个字段");
    QTest::newRow("missing column") << QByteArray("mkid,tid,Timu,ANSWER_A,ANSWER_B,ANSWER_C,ANSWER_D,Key,ANALYSIS,"
                                                  "ZHISHIDIAN\n")
                                    << QStringLiteral("choose") << QStringLiteral("缺少 choose 表的列 Score");
    QTest::newRow("column twice") << QByteArray("recno,Keyword,knowladge,RECNO\n") << k
                                  << QStringLiteral("列名 RECNO 出现了两次");
    QTest::newRow("empty column name") << QByteArray("recno,,knowladge\n") << k
                                       << QStringLiteral("第 1 行第 2 列的列名为空");
    QTest::newRow("empty file") << QByteArray("\xEF\xBB\xBF\n\n") << k << QStringLiteral("是空的");
    QTest::newRow("not utf-8") << QByteArray("recno,Keyword,knowladge\n01001,\xC4\xE3\xBA\xC3,b\n") << k
                               << QStringLiteral("第 2 行不是 UTF-8 编码");
}

// Every failure names the file, and where it can, the line a person would open the file at.
void TestBankCsv::rejects() {
    QFETCH(QByteArray, csv);
    QFETCH(QString, table);
    QFETCH(QString, expected);

    const QString message = failureOf(csv, table);

    QVERIFY2(message.contains(QStringLiteral("源/表.csv")), qPrintable(message));
    QVERIFY2(message.contains(expected), qPrintable(message));
}

// The three sources are found whatever the case of their file names; a missing one is named with its path.
void TestBankCsv::sourceFolder() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    BankTables tables;
    tables.choose.columns =
        QStringList{QStringLiteral("mkid"),       QStringLiteral("tid"),      QStringLiteral("Timu"),
                    QStringLiteral("ANSWER_A"),   QStringLiteral("ANSWER_B"), QStringLiteral("ANSWER_C"),
                    QStringLiteral("ANSWER_D"),   QStringLiteral("Key"),      QStringLiteral("ANALYSIS"),
                    QStringLiteral("ZHISHIDIAN"), QStringLiteral("Score")};
    tables.choose.rows = {{"1", "1", "题", "甲", "乙", "丙", "丁", "A", "解析", "01001", "2"}};
    tables.fill.columns = QStringList{QStringLiteral("MKID"), QStringLiteral("TID"), QStringLiteral("TiMu"),
                                      QStringLiteral("KEY"), QStringLiteral("ZHISHIDIAN")};
    tables.fill.rows = {{"1", "1", "填【1】", "栈", QByteArray()}};
    tables.knowledge = knowledgeTable({{"01001", "栈", "说明"}});

    writeCsvSources(tables, dir.filePath(QStringLiteral("src")));
    QVERIFY(QFile::rename(dir.filePath(QStringLiteral("src/Fill.csv")), dir.filePath(QStringLiteral("src/fill.csv"))));
    const BankTables back = readCsvSources(dir.filePath(QStringLiteral("src")));
    QCOMPARE(back.choose.name, QStringLiteral("choose"));
    QCOMPARE(back.fill.name, QStringLiteral("Fill"));
    QCOMPARE(render(back.choose.rows), render(tables.choose.rows));
    QCOMPARE(render(back.fill.rows), render(tables.fill.rows));
    QCOMPARE(render(back.knowledge.rows), render(tables.knowledge.rows));

    QVERIFY(QFile::remove(dir.filePath(QStringLiteral("src/tzhishidian.csv"))));
    try {
        readCsvSources(dir.filePath(QStringLiteral("src")));
        QFAIL("a missing source was not reported");
    } catch (const BankError &e) {
        QVERIFY2(e.message().contains(QDir::toNativeSeparators(dir.filePath(QStringLiteral("src/tzhishidian.csv")))),
                 qPrintable(e.message()));
    }
    try {
        readCsvSources(dir.filePath(QStringLiteral("nowhere")));
        QFAIL("a missing folder was not reported");
    } catch (const BankError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("nowhere")), qPrintable(e.message()));
    }
}

void TestBankCsv::namesTheSeparator_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("hint");
    // A quote inside a field makes the parser fail lines later; the columns alone make "missing column".
    QTest::newRow("tabs, failing later") << QByteArray("recno\tKeyword\tknowladge\n01001\ta\tb\n01002\t\"x\"y\tz\n")
                                         << QStringLiteral("似乎用制表符分隔");
    QTest::newRow("semicolons") << QByteArray("\xEF\xBB\xBFrecno;Keyword;knowladge\n01001;a;b\n")
                                << QStringLiteral("似乎用分号分隔");
    QTest::newRow("commas: no hint") << QByteArray("recno;x,Keyword\n01001,a\n") << QString();
}

// A file refused whose first line uses another separator says which; one with commas does not guess.
void TestBankCsv::namesTheSeparator() {
    QFETCH(QByteArray, csv);
    QFETCH(QString, hint);
    const QString message = failureOf(csv, QStringLiteral("tzhishidian"));
    QVERIFY(!message.isEmpty());
    if (hint.isEmpty())
        QVERIFY2(!message.contains(QStringLiteral("似乎")), qPrintable(message));
    else
        QVERIFY2(message.contains(hint) && message.contains(QStringLiteral("源/表.csv")), qPrintable(message));
}

// A file in GB18030 or tab-separated UTF-16 reads as its UTF-8 form and says so; UTF-8 says nothing.
void TestBankCsv::readsOtherCodePages() {
    QTemporaryDir dir;
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    // 01001,栈,"先进,后出" in GBK
    write(QStringLiteral("gb.csv"),
          QByteArray("recno,Keyword,knowladge\r\n01001,\xD5\xBB,\"\xCF\xC8\xBD\xF8,\xBA\xF3\xB3\xF6\"\r\n"));
    const QString tabbed = QStringLiteral("recno\tKeyword\tknowladge\r\n01001\t栈\t\"先进\t后出\"\r\n");
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char *>(tabbed.utf16()), tabbed.size() * 2);
    write(QStringLiteral("u16.csv"), utf16);
    write(QStringLiteral("u8.csv"), QByteArray("recno,Keyword,knowladge\n01001,栈,\"先进,后出\"\n"));

    QStringList notices;
    const BankTable gb = readCsvTable(dir.filePath(QStringLiteral("gb.csv")), QStringLiteral("tzhishidian"), &notices);
    QCOMPARE(render(gb.rows), QStringLiteral("01001|栈|先进,后出"));
    const BankTable u16 =
        readCsvTable(dir.filePath(QStringLiteral("u16.csv")), QStringLiteral("tzhishidian"), &notices);
    QCOMPARE(render(u16.rows), QStringLiteral("01001|栈|先进\t后出"));
    readCsvTable(dir.filePath(QStringLiteral("u8.csv")), QStringLiteral("tzhishidian"), &notices);
    QCOMPARE(notices.size(), 2);
    QVERIFY2(notices[0].startsWith(QStringLiteral("按 GB18030 编码读取：")) &&
                 notices[0].endsWith(QStringLiteral("gb.csv")),
             qPrintable(notices[0]));
    QVERIFY2(notices[1].contains(QStringLiteral("UTF-16")) && notices[1].contains(QStringLiteral("制表符")),
             qPrintable(notices[1]));
}

QTEST_GUILESS_MAIN(TestBankCsv)
#include "test_bankcsv.moc"
