// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "tests/support/TestBank.h"
#include "tests/support/TestPaths.h"
#include "tests/support/ToolRun.h"
#include "tools/BankCsv.h"
#include "tools/BankIo.h"

namespace {

using Run = ToolRun;

Run tool(const QStringList &args) {
    return runToolCapturing(args);
}

QString fixture(const QString &name) {
    return QDir(sourceDir()).filePath(QStringLiteral("tests/tools/data/") + name);
}

} // namespace

class TestBankTool : public QObject {
    Q_OBJECT
private slots:
    void usage_data();
    void usage();
    void brokenSourceBuildsNothing_data();
    void brokenSourceBuildsNothing();
    void buildThenExportGivesTheSameCsv();
    void checkSetsTheExitStatus();
    void otherCredentials();
    void exportOfMissingBankWritesNothing();
    void buildWithErrorsKeepsTheOldBank();
    void exportForSpreadsheets();
    void showPrintsOneQuestion_data();
    void showPrintsOneQuestion();
    void showRefusesWhatItCannotFind();
    void drawPrintsThePapersTexts();
    void passwordsFromFiles();
    void passwordFromStandardInput();
    void systemConditionsAreSaidInChinese();
    void longPathsAreSaidToBeTooLong();
    void unreadableFolderIsNamed();
};

void TestBankTool::usage_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("err");
    QTest::addColumn<QString>("usage");

    QTest::newRow("no command") << QStringList{} << 2 << QStringLiteral("用法：mockexam-bank <命令>")
                                << QStringLiteral("退出状态");
    QTest::newRow("unknown command") << QStringList{QStringLiteral("draww"), QStringLiteral("x")} << 2
                                     << QStringLiteral("未知命令 draww") << QStringLiteral("命令：");
    QTest::newRow("missing argument") << QStringList{QStringLiteral("build"), QStringLiteral("src")} << 2
                                      << QStringLiteral("缺少参数 OUT")
                                      << QStringLiteral("用法：mockexam-bank build SRC OUT");
    QTest::newRow("extra argument") << QStringList{QStringLiteral("check"), QStringLiteral("a"), QStringLiteral("b")}
                                    << 2 << QStringLiteral("多余的参数 b")
                                    << QStringLiteral("用法：mockexam-bank check DIR");
    QTest::newRow("unknown option") << QStringList{QStringLiteral("export"), QStringLiteral("a"), QStringLiteral("b"),
                                                   QStringLiteral("--choice"), QStringLiteral("3")}
                                    << 2 << QStringLiteral("未知选项 --choice")
                                    << QStringLiteral("用法：mockexam-bank export DIR OUT");
    QTest::newRow("option without value")
        << QStringList{QStringLiteral("check"), QStringLiteral("a"), QStringLiteral("--user")} << 2
        << QStringLiteral("选项 --user 缺少取值") << QStringLiteral("用法：mockexam-bank check DIR");
    QTest::newRow("negative size") << QStringList{QStringLiteral("generate"), QStringLiteral("o"),
                                                  QStringLiteral("--choice"), QStringLiteral("-1")}
                                   << 2 << QStringLiteral("--choice 须是 0 到 1000000 之间的整数")
                                   << QStringLiteral("用法：mockexam-bank generate OUT");
    QTest::newRow("size not a number") << QStringList{QStringLiteral("generate"), QStringLiteral("o"),
                                                      QStringLiteral("--fill"), QStringLiteral("两")}
                                       << 2 << QStringLiteral("而不是 两")
                                       << QStringLiteral("用法：mockexam-bank generate OUT");
    QTest::newRow("show without id") << QStringList{QStringLiteral("show"), QStringLiteral("a")} << 2
                                     << QStringLiteral("缺少参数 ID")
                                     << QStringLiteral("用法：mockexam-bank show DIR ID");
    QTest::newRow("show with an unknown table")
        << QStringList{QStringLiteral("show"), QStringLiteral("a"), QStringLiteral("tid:3")} << 2
        << QStringLiteral("题号 tid:3 的写法不对") << QStringLiteral("fill:TID");
    QTest::newRow("show with an empty id")
        << QStringList{QStringLiteral("show"), QStringLiteral("a"), QStringLiteral("fill:")} << 2
        << QStringLiteral("题号 fill: 的写法不对") << QStringLiteral("用法：mockexam-bank show DIR ID");
    QTest::newRow("flag given twice") << QStringList{QStringLiteral("export"), QStringLiteral("a"), QStringLiteral("b"),
                                                     QStringLiteral("--excel"), QStringLiteral("--excel")}
                                      << 2 << QStringLiteral("选项 --excel 给了两次")
                                      << QStringLiteral("用法：mockexam-bank export DIR OUT");
    QTest::newRow("flag of another command")
        << QStringList{QStringLiteral("check"), QStringLiteral("a"), QStringLiteral("--excel")} << 2
        << QStringLiteral("未知选项 --excel") << QStringLiteral("用法：mockexam-bank check DIR");
    QTest::newRow("help") << QStringList{QStringLiteral("help")} << 0 << QString() << QString();
}

// Usage mistakes exit with 2 and name the mistake and the command's usage line; help goes to standard output.
void TestBankTool::usage() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, err);
    QFETCH(QString, usage);

    const Run run = tool(args);

    QCOMPARE(run.status, status);
    QVERIFY2(run.err.contains(err), qPrintable(run.err));
    QVERIFY2(run.err.contains(usage), qPrintable(run.err));
    if (status == 0)
        QVERIFY(run.out.contains(QStringLiteral("generate OUT")));
}

void TestBankTool::brokenSourceBuildsNothing_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("message");
    QTest::newRow("quote in an unquoted field") << QStringLiteral("bad-quote") << QStringLiteral("choose.csv 第 3 行");
    QTest::newRow("missing column") << QStringLiteral("missing-column")
                                    << QStringLiteral("Fill.csv 缺少 Fill 表的列 KEY");
}

void TestBankTool::brokenSourceBuildsNothing() {
    QFETCH(QString, source);
    QFETCH(QString, message);
    QTemporaryDir dir;

    const Run run = tool({QStringLiteral("build"), fixture(source), dir.filePath(QStringLiteral("Dat"))});

    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("Dat/Bs.mdb"))));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("Dat/Mq4100.mdw"))));
}

// Sources with every kind of awkward text go through the bank and come back byte for byte.
void TestBankTool::buildThenExportGivesTheSameCsv() {
    QTemporaryDir dir;
    BankTables tables = makeTables();
    const int analysis = tables.choose.column(QStringLiteral("ANALYSIS"));
    tables.choose.rows[0][analysis] = "第一行，含逗号\n第二行含\"引号\"\r\n第三行";
    tables.choose.rows[1][analysis] = QByteArray();
    tables.choose.rows[2][analysis] = "";
    tables.choose.rows[3][tables.choose.column(QStringLiteral("Key"))] = " A";
    tables.choose.rows[4][tables.choose.column(QStringLiteral("tid"))] = "5.0"; // no number: kept as written
    tables.fill.rows[0][tables.fill.column(QStringLiteral("KEY"))] = "X#Y@Z@W";
    tables.knowledge.columns.append(QStringLiteral("来源"));
    for (QList<QByteArray> &row : tables.knowledge.rows)
        row.append("教材");
    const QString src = dir.filePath(QStringLiteral("src"));
    writeCsvSources(tables, src);

    const Run build = tool({QStringLiteral("build"), src, dir.filePath(QStringLiteral("Dat"))});
    QVERIFY2(build.status == 0, qPrintable(build.err));
    QVERIFY2(build.out.contains(QStringLiteral("选择题 55 道，填空题 10 道，知识点 15 条")), qPrintable(build.out));
    const Run exported =
        tool({QStringLiteral("export"), dir.filePath(QStringLiteral("Dat")), dir.filePath(QStringLiteral("back"))});
    QVERIFY2(exported.status == 0, qPrintable(exported.err));

    for (const QString &name :
         {QStringLiteral("choose.csv"), QStringLiteral("Fill.csv"), QStringLiteral("tzhishidian.csv")})
        QCOMPARE(fileBytes(dir.filePath(QStringLiteral("back/") + name)), fileBytes(QDir(src).filePath(name)));
}

void TestBankTool::checkSetsTheExitStatus() {
    QTemporaryDir dir;
    BankTables broken = makeTables();
    broken.choose.rows.removeAt(30); // tid 31, module 3
    broken.choose.rows[0][broken.choose.column(QStringLiteral("Key"))] = "a";
    writeBank(broken, dir.filePath(QStringLiteral("broken")));
    const Run failing = tool({QStringLiteral("check"), dir.filePath(QStringLiteral("broken"))});
    QCOMPARE(failing.status, 1);
    QVERIFY2(failing.out.startsWith(QStringLiteral("错误 choose mkid=3：")), qPrintable(failing.out));
    QVERIFY2(failing.out.contains(QStringLiteral("\n警告 choose tid=1：Key 为 \"a\"")), qPrintable(failing.out));
    QVERIFY2(failing.out.endsWith(QStringLiteral("检查完毕：1 个错误，1 个警告\n")), qPrintable(failing.out));

    // Warnings alone leave the status at 0.
    const Run generated =
        tool({QStringLiteral("generate"), dir.filePath(QStringLiteral("big")), QStringLiteral("--choice"),
              QStringLiteral("30"), QStringLiteral("--fill"), QStringLiteral("4")});
    QVERIFY2(generated.status == 0, qPrintable(generated.err));
    const Run clean = tool({QStringLiteral("check"), dir.filePath(QStringLiteral("big"))});
    QCOMPARE(clean.status, 0);
    QString spread;
    for (int m = 1; m <= 5; ++m)
        spread +=
            QStringLiteral("模块 %1 选择题 30 道，答案分布：A 8（27%） B 8（27%） C 7（23%） D 7（23%）\n").arg(m);
    QCOMPARE(clean.out, spread + QStringLiteral("检查完毕：0 个错误，0 个警告\n"));

    const Run missing = tool({QStringLiteral("check"), dir.filePath(QStringLiteral("nowhere"))});
    QCOMPARE(missing.status, 1);
    QVERIFY2(missing.err.contains(QDir::toNativeSeparators(dir.filePath(QStringLiteral("nowhere")))),
             qPrintable(missing.err));
}

void TestBankTool::otherCredentials() {
    QTemporaryDir dir;
    const QStringList credentials{QStringLiteral("--user"),        QStringLiteral("考生"),
                                  QStringLiteral("--password"),    QStringLiteral("pw 1"),
                                  QStringLiteral("--db-password"), QStringLiteral("key'2")};
    const Run generated = tool(QStringList{QStringLiteral("generate"), dir.path()} + credentials);
    QVERIFY2(generated.status == 0, qPrintable(generated.err));

    const Run withDefaults = tool({QStringLiteral("check"), dir.path()});
    QCOMPARE(withDefaults.status, 1);
    QVERIFY(!withDefaults.err.isEmpty());
    const Run withTheirs = tool(QStringList{QStringLiteral("check"), dir.path()} + credentials);
    QVERIFY2(withTheirs.status == 0, qPrintable(withTheirs.err + withTheirs.out));
}

void TestBankTool::exportOfMissingBankWritesNothing() {
    QTemporaryDir dir;
    const Run run =
        tool({QStringLiteral("export"), dir.filePath(QStringLiteral("nowhere")), dir.filePath(QStringLiteral("out"))});
    QCOMPARE(run.status, 1);
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("out"))));
}

// Sources that cannot make a paper are refused with their errors listed; a bank built before stays as it was.
void TestBankTool::buildWithErrorsKeepsTheOldBank() {
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good"));
    const QString bad = dir.filePath(QStringLiteral("bad"));
    const QString out = dir.filePath(QStringLiteral("Dat"));
    writeCsvSources(makeTables(), good);
    BankTables broken = makeTables();
    broken.choose.rows.removeAt(30); // tid 31: module 3 is one question short
    broken.choose.rows[0][broken.choose.column(QStringLiteral("Key"))] = "a";
    writeCsvSources(broken, bad);

    const Run built = tool({QStringLiteral("build"), good, out});
    QVERIFY2(built.status == 0, qPrintable(built.err));
    const QByteArray bank = fileBytes(QDir(out).filePath(QStringLiteral("Bs.mdb")));
    const QByteArray workgroup = fileBytes(QDir(out).filePath(QStringLiteral("Mq4100.mdw")));
    QVERIFY(!bank.isEmpty() && !workgroup.isEmpty());

    const Run refused = tool({QStringLiteral("build"), bad, out});
    QCOMPARE(refused.status, 1);
    QVERIFY2(refused.out.contains(QStringLiteral("错误 choose mkid=3：模块 3 只有 10 道")), qPrintable(refused.out));
    QVERIFY2(refused.out.contains(QStringLiteral("警告 choose tid=1：Key 为 \"a\"")), qPrintable(refused.out));
    QVERIFY2(refused.err.contains(QStringLiteral("源文件有 1 个错误")), qPrintable(refused.err));
    QVERIFY2(!refused.out.contains(QStringLiteral("已生成")), qPrintable(refused.out));
    QCOMPARE(fileBytes(QDir(out).filePath(QStringLiteral("Bs.mdb"))), bank);
    QCOMPARE(fileBytes(QDir(out).filePath(QStringLiteral("Mq4100.mdw"))), workgroup);
    QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden).size(), 2);

    const Run fresh = tool({QStringLiteral("build"), bad, dir.filePath(QStringLiteral("new"))});
    QCOMPARE(fresh.status, 1);
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("new/Bs.mdb"))));

    // Warnings alone still build, and are listed.
    const Run warned = tool({QStringLiteral("build"), good, out});
    QVERIFY2(warned.status == 0, qPrintable(warned.err));
    BankTables odd = makeTables();
    odd.choose.rows[0][odd.choose.column(QStringLiteral("Key"))] = "a";
    writeCsvSources(odd, bad);
    const Run withWarning = tool({QStringLiteral("build"), bad, out});
    QCOMPARE(withWarning.status, 0);
    QVERIFY2(withWarning.out.startsWith(QStringLiteral("警告 choose tid=1：Key 为 \"a\"")),
             qPrintable(withWarning.out));
    QVERIFY2(withWarning.out.endsWith(QStringLiteral("有 1 个警告（见上）\n")), qPrintable(withWarning.out));
}

// --excel puts a byte-order mark before otherwise identical files, and build reads them back unchanged.
void TestBankTool::exportForSpreadsheets() {
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("src"));
    writeCsvSources(makeTables(), src);
    QVERIFY(tool({QStringLiteral("build"), src, dir.filePath(QStringLiteral("Dat"))}).status == 0);

    const Run excel = tool({QStringLiteral("export"), dir.filePath(QStringLiteral("Dat")),
                            dir.filePath(QStringLiteral("excel")), QStringLiteral("--excel")});
    QVERIFY2(excel.status == 0, qPrintable(excel.err));
    QVERIFY2(excel.out.contains(QStringLiteral("CSV UTF-8")), qPrintable(excel.out));
    const QByteArray bom("\xEF\xBB\xBF");
    for (const QString &name :
         {QStringLiteral("choose.csv"), QStringLiteral("Fill.csv"), QStringLiteral("tzhishidian.csv")}) {
        const QByteArray marked = fileBytes(dir.filePath(QStringLiteral("excel/") + name));
        QVERIFY2(marked.startsWith(bom), qPrintable(name));
        QCOMPARE(marked.mid(3), fileBytes(QDir(src).filePath(name)));
    }

    QVERIFY(
        tool({QStringLiteral("build"), dir.filePath(QStringLiteral("excel")), dir.filePath(QStringLiteral("again"))})
            .status == 0);
    QVERIFY(
        tool({QStringLiteral("export"), dir.filePath(QStringLiteral("again")), dir.filePath(QStringLiteral("plain"))})
            .status == 0);
    for (const QString &name :
         {QStringLiteral("choose.csv"), QStringLiteral("Fill.csv"), QStringLiteral("tzhishidian.csv")})
        QCOMPARE(fileBytes(dir.filePath(QStringLiteral("plain/") + name)), fileBytes(QDir(src).filePath(name)));
}

namespace {

// makeTables() with texts an author proof-reads: a program in a stem, an empty option, a code the knowledge table
// lacks, a two-blank key, and a fill-in id that no choice question has.
QString proofBank(const QTemporaryDir &dir) {
    BankTables tables = makeTables();
    const auto set = [](BankTable &table, int row, const QString &column, const QByteArray &value) {
        table.rows[row][table.column(column)] = value;
    };
    set(tables.choose, 1, QStringLiteral("Timu"),
        "有以下程序：\nint main(void)\n{\n    return 0;\n}\n程序的返回值是（  ）。");
    set(tables.choose, 1, QStringLiteral("ANSWER_C"), "");
    set(tables.choose, 1, QStringLiteral("ZHISHIDIAN"), knowledgeCode(1, 2) + "09009");
    set(tables.fill, 2, QStringLiteral("KEY"), "队尾#rear@队头@front");
    set(tables.fill, 3, QStringLiteral("TID"), "99");
    return writeTestBank(dir.path(), tables);
}

} // namespace

void TestBankTool::showPrintsOneQuestion_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("expected");

    // tid 2: module 1, key B, score 2; Fill TID 3 is module 2; TID 99 module 2.
    QTest::newRow("choice question by bare id")
        << QStringLiteral("2")
        << QStringLiteral("== 选择题 tid=2（模块 1） ==\n"
                          "题目：\n    有以下程序：\n    int main(void)\n    {\n        return 0;\n    }\n"
                          "    程序的返回值是（  ）。\n"
                          "选项 A：选项A-2\n选项 B：选项B-2\n选项 C：（空）\n选项 D：选项D-2\n"
                          "答案：B\n分值：2\n解析：解析2\n"
                          "知识点：0100209009\n  01002 关键词01002：知识点说明01002\n  09009 （题库中没有这个知识点）\n"
                          "\n填空题中也有 TID 为 2 的题，要看它请写 fill:2\n");
    QTest::newRow("choice question by table")
        << QStringLiteral("choose:5")
        << QStringLiteral("== 选择题 tid=5（模块 1） ==\n题目：第5题：模块1的题目\n选项 A：选项A-5\n选项 B：选项B-5\n"
                          "选项 C：选项C-5\n选项 D：选项D-5\n答案：A\n分值：1\n解析：解析5\n"
                          "知识点：01002\n  01002 关键词01002：知识点说明01002\n");
    QTest::newRow("two-blank fill-in question")
        << QStringLiteral("FILL:3")
        << QStringLiteral("== 填空题 TID=3（模块 2） ==\n题目：填空第3题：模块2的【1】\n"
                          "第 1 空：“队尾” 或 “rear”\n第 2 空：“队头” 或 “front”\n答案（KEY）：队尾#rear@队头@front\n"
                          "分值：每空 1 分，答案中含有该空的某个可接受的答案即得分\n解析：填空知识点3\n");
    QTest::newRow("bare id only a fill-in question has")
        << QStringLiteral("99")
        << QStringLiteral("== 填空题 TID=99（模块 2） ==\n题目：填空第4题：模块2的【1】\n可接受的答案：“答案4”\n"
                          "答案（KEY）：答案4\n分值：2 分，答案须与某个可接受的答案完全相同\n解析：填空知识点4\n");
}

void TestBankTool::showPrintsOneQuestion() {
    QFETCH(QString, id);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString dat = proofBank(dir);

    const Run run = tool({QStringLiteral("show"), dat, id});

    QVERIFY2(run.status == 0, qPrintable(run.err));
    QCOMPARE(run.out, expected);
}

void TestBankTool::showRefusesWhatItCannotFind() {
    QTemporaryDir dir;
    const QString dat = proofBank(dir);
    const Run choice = tool({QStringLiteral("show"), dat, QStringLiteral("choose:99")});
    QCOMPARE(choice.status, 1);
    QVERIFY2(choice.err.contains(QStringLiteral("没有 tid 为 99 的选择题")), qPrintable(choice.err));
    const Run either = tool({QStringLiteral("show"), dat, QStringLiteral("100")});
    QCOMPARE(either.status, 1);
    QVERIFY2(either.err.contains(QStringLiteral("没有题号为 100 的选择题或填空题")), qPrintable(either.err));
    const Run noBank = tool({QStringLiteral("show"), dir.filePath(QStringLiteral("nowhere")), QStringLiteral("1")});
    QCOMPARE(noBank.status, 1);
}

// Every drawn question is printed under its own heading with its own texts.
void TestBankTool::drawPrintsThePapersTexts() {
    QTemporaryDir dir;
    const QString dat = writeTestBank(dir.path(), makeTables(15, 3));

    const Run run = tool({QStringLiteral("draw"), dat, QStringLiteral("--text")});

    QVERIFY2(run.status == 0, qPrintable(run.err));
    const QStringList lines = run.out.split(QLatin1Char('\n'));
    const QRegularExpression choiceHeading(QStringLiteral("^== 选择题 (\\d+)（模块 (\\d)，tid=(\\d+)） ==$"));
    const QRegularExpression fillHeading(QStringLiteral("^== 填空题 (\\d+)（模块 (\\d)，TID=(\\d+)） ==$"));
    const QRegularExpression knowledgeLine(QStringLiteral("^  关键词(\\d{5})：知识点说明\\1$"));
    int choices = 0;
    int fills = 0;
    for (int i = 0; i + 1 < lines.size(); ++i) {
        const QRegularExpressionMatch choice = choiceHeading.match(lines[i]);
        if (choice.hasMatch()) {
            ++choices;
            QCOMPARE(choice.captured(1).toInt(), choices);
            QCOMPARE(lines[i + 1],
                     QStringLiteral("题目：第%1题：模块%2的题目").arg(choice.captured(3), choice.captured(2)));
            QCOMPARE(lines[i + 2], QStringLiteral("选项 A：选项A-") + choice.captured(3));
            QCOMPARE(lines[i + 8], QStringLiteral("解析：解析") + choice.captured(3));
            QVERIFY2(lines[i + 9].startsWith(QStringLiteral("知识点：")), qPrintable(lines[i + 9]));
            const QRegularExpressionMatch point = knowledgeLine.match(lines[i + 10]);
            QVERIFY2(point.hasMatch() && lines[i + 9].contains(point.captured(1)), qPrintable(lines[i + 10]));
        }
        const QRegularExpressionMatch fill = fillHeading.match(lines[i]);
        if (fill.hasMatch()) {
            ++fills;
            QCOMPARE(lines[i + 1],
                     QStringLiteral("题目：填空第%1题：模块%2的【1】").arg(fill.captured(3), fill.captured(2)));
            QCOMPARE(lines[i + 2], QStringLiteral("可接受的答案：“答案%1”").arg(fill.captured(3)));
        }
    }
    QCOMPARE(choices, 55);
    QCOMPARE(fills, 10);
    QVERIFY(run.out.contains(QStringLiteral("抽题用时")));
}

// Passwords kept in files stay out of the process list; the first line counts, its line end (LF or CR LF) not.
void TestBankTool::passwordsFromFiles() {
    QTemporaryDir dir;
    const QString passwordFile = dir.filePath(QStringLiteral("pw"));
    const QString keyFile = dir.filePath(QStringLiteral("key"));
    const QString emptyFile = dir.filePath(QStringLiteral("empty"));
    for (const auto &[path, bytes] : {std::pair{passwordFile, QByteArray("口令 1\r\nsecond line\n")},
                                      std::pair{keyFile, QByteArray("key'2\n")}, std::pair{emptyFile, QByteArray()}}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    const QString dat = dir.filePath(QStringLiteral("Dat"));
    const Run generated = tool({QStringLiteral("generate"), dat, QStringLiteral("--password-file"), passwordFile,
                                QStringLiteral("--db-password-file"), keyFile});
    QVERIFY2(generated.status == 0, qPrintable(generated.err));
    const Run onTheLine = tool({QStringLiteral("check"), dat, QStringLiteral("--password"), QStringLiteral("口令 1"),
                                QStringLiteral("--db-password"), QStringLiteral("key'2")});
    QVERIFY2(onTheLine.status == 0, qPrintable(onTheLine.err));

    const Run both = tool({QStringLiteral("check"), dat, QStringLiteral("--password"), QStringLiteral("x"),
                           QStringLiteral("--password-file"), passwordFile});
    QCOMPARE(both.status, 2);
    QVERIFY2(both.err.contains(QStringLiteral("--password 和 --password-file 只能给一个")), qPrintable(both.err));
    const Run twiceFromInput = tool({QStringLiteral("check"), dat, QStringLiteral("--password-file"),
                                     QStringLiteral("-"), QStringLiteral("--db-password-file"), QStringLiteral("-")});
    QCOMPARE(twiceFromInput.status, 2);
    for (const QString &bad : {dir.filePath(QStringLiteral("nowhere")), emptyFile, dir.path()}) {
        const Run refused = tool({QStringLiteral("check"), dat, QStringLiteral("--db-password-file"), bad});
        QCOMPARE(refused.status, 1);
        QVERIFY2(refused.err.contains(QStringLiteral("--db-password-file 的密码文件")) &&
                     refused.err.contains(QDir::toNativeSeparators(bad)),
                 qPrintable(refused.err));
    }
}

void TestBankTool::passwordFromStandardInput() {
    QTemporaryDir dir;
    const QString dat = writeTestBank(dir.path(), makeTables(11, 2), BankCredentials{"xyz", "管道里的密码", "k"});
    QProcess check;
    check.start(QDir(binDir()).filePath(QStringLiteral("mockexam-bank")),
                {QStringLiteral("check"), dat, QStringLiteral("--password-file"), QStringLiteral("-"),
                 QStringLiteral("--db-password"), QStringLiteral("k")});
    QVERIFY(check.waitForStarted());
    check.write(QStringLiteral("管道里的密码\r\n").toUtf8());
    check.closeWriteChannel();
    QVERIFY(check.waitForFinished(60000));
    QVERIFY2(check.exitCode() == 0, check.readAllStandardError().constData());
}

// What the system or the engine reports reaches the user in Chinese, naming the file the user knows.
void TestBankTool::systemConditionsAreSaidInChinese() {
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("src"));
    writeCsvSources(makeTables(), src);

    const QString out = dir.filePath(QStringLiteral("Dat"));
    QString full;
#ifndef _WIN32
    // A file size limit stands in for a full disk: the bank is written under a hidden name, which no message gives.
    QProcess limited;
    limited.start(QStringLiteral("bash"),
                  {QStringLiteral("-c"), QStringLiteral("ulimit -f 8; trap '' XFSZ; exec \"$0\" build \"$1\" \"$2\""),
                   QDir(binDir()).filePath(QStringLiteral("mockexam-bank")), src, out});
    QVERIFY(limited.waitForFinished(60000));
    full = QString::fromUtf8(limited.readAllStandardError());
    QCOMPARE(limited.exitCode(), 1);
    QVERIFY2(full.contains(QStringLiteral("无法写入题库文件：") + QDir(out).filePath(QStringLiteral("Bs.mdb"))) &&
                 full.contains(QStringLiteral("文件超出了文件系统允许的大小")),
             qPrintable(full));
    QVERIFY2(!full.contains(QStringLiteral(".Bs.mdb.")), qPrintable(full));
    QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList());
#endif

    // A folder where a source or the bank should be.
    QVERIFY(QFile::remove(QDir(src).filePath(QStringLiteral("Fill.csv"))));
    QVERIFY(QDir(src).mkdir(QStringLiteral("Fill.csv")));
    const Run folderSource = tool({QStringLiteral("build"), src, out});
    QCOMPARE(folderSource.status, 1);
    QVERIFY2(folderSource.err.contains(QStringLiteral("这是一个文件夹")), qPrintable(folderSource.err));
    const QString dat = writeTestBank(dir.filePath(QStringLiteral("bank")), makeTables());
    QVERIFY(QFile::remove(QDir(dat).filePath(QStringLiteral("Mq4100.mdw"))));
    QVERIFY(QDir(dat).mkdir(QStringLiteral("Mq4100.mdw")));
    const Run folderWorkgroup = tool({QStringLiteral("check"), dat});
    QCOMPARE(folderWorkgroup.status, 1);
    QVERIFY2(!folderWorkgroup.err.contains(QStringLiteral("directory")), qPrintable(folderWorkgroup.err));

    // Anything worded by the engine or the system in English would show here.
    const QRegularExpression english(QStringLiteral("[A-Za-z]{3,} [a-z]{2,}"));
    for (const QString &text : {full, folderSource.err, folderWorkgroup.err})
        QVERIFY2(!english.match(text).hasMatch(), qPrintable(text));
}

// The engine opens paths of some 500 bytes, the system far longer ones: past the engine's limit both build and
// check say that the path is too long and name it, rather than quoting the engine's "unable to open".
void TestBankTool::longPathsAreSaidToBeTooLong() {
    QTemporaryDir dir;
    QString deep = dir.path();
    while (deep.toUtf8().size() < 560)
        deep = QDir(deep).filePath(QStringLiteral("很深的文件夹"));
    QVERIFY(QDir().mkpath(deep));
    const QString src = dir.filePath(QStringLiteral("src"));
    writeCsvSources(makeTables(), src);

    const Run refused = tool({QStringLiteral("build"), src, deep});
#ifdef _WIN32
    // Windows' side of the engine takes such paths: they simply work.
    QCOMPARE(refused.status, 0);
    QCOMPARE(tool({QStringLiteral("check"), deep}).status, 0);
    return;
#endif
    QCOMPARE(refused.status, 1);
    QVERIFY2(refused.err.contains(QStringLiteral("路径太长：") + deep), qPrintable(refused.err));
    QCOMPARE(QDir(deep).entryList(QDir::Files | QDir::Hidden), QStringList());

    // A bank put there by other means is refused by check as the trainer refuses it, naming the file.
    const QString shallow = writeTestBank(dir.filePath(QStringLiteral("bank")), makeTables());
    for (const QString &name : {QStringLiteral("Bs.mdb"), QStringLiteral("Mq4100.mdw")})
        QVERIFY(QFile::copy(QDir(shallow).filePath(name), QDir(deep).filePath(name)));
    const Run checked = tool({QStringLiteral("check"), deep});
    QCOMPARE(checked.status, 1);
    QVERIFY2(checked.err.contains(QStringLiteral("路径太长")) && checked.err.contains(deep), qPrintable(checked.err));
    QVERIFY2(!checked.err.contains(QStringLiteral("unable")), qPrintable(checked.err));
}

// A bank folder this user may not enter is named as such, not reported as a missing workgroup file.
void TestBankTool::unreadableFolderIsNamed() {
#ifdef _WIN32
    QSKIP("Windows folders have access lists, not a mode");
#else
    QTemporaryDir dir;
    const QString dat = writeTestBank(dir.path(), makeTables());
    const QByteArray folder = QFile::encodeName(dat);
    QCOMPARE(::chmod(folder.constData(), 0), 0);
    QString err;
    if (::geteuid() != 0) {
        err = tool({QStringLiteral("check"), dat}).err;
    } else {
        // The superuser enters every folder: an ordinary user runs the check.
        const QString runuser = QStandardPaths::findExecutable(QStringLiteral("runuser"));
        if (runuser.isEmpty()) {
            ::chmod(folder.constData(), 0700);
            QSKIP("running as the superuser, and runuser is not installed");
        }
        QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
        QProcess check;
        check.start(runuser, {QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--"),
                              QDir(binDir()).filePath(QStringLiteral("mockexam-bank")), QStringLiteral("check"), dat});
        QVERIFY(check.waitForFinished(60000));
        QCOMPARE(check.exitCode(), 1);
        err = QString::fromUtf8(check.readAllStandardError());
    }
    ::chmod(folder.constData(), 0700);
    QVERIFY2(err.contains(QStringLiteral("无法读取文件夹（没有权限）：") + dat), qPrintable(err));
    QVERIFY2(!err.contains(QStringLiteral("不存在")), qPrintable(err));
#endif
}

QTEST_GUILESS_MAIN(TestBankTool)
#include "test_banktool.moc"
