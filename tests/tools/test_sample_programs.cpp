// SPDX-License-Identifier: GPL-3.0-or-later

// Every C program that the sample bank shows is compiled, run, and what it prints is compared with the key, so that a
// wrong key, a program that does not compile and undefined behaviour are found before a candidate learns from them.
//
// The programs are found in the questions themselves (see holdsCode); tests/data/sample-programs.csv says how to run
// each one, one row per question, with these columns:
//   table    choose or Fill
//   tid      the question's id
//   headers  for a fragment: headers to include beside stdio.h, separated by spaces
//   input    the standard input to feed
//   args     command-line arguments, separated by spaces
//   append   for a fragment whose code does not print what is asked: statements to run after it
//   expect   for a fill-in whose blanks are in the code: what the program prints with the blanks filled
// Whether code is a complete program or a fragment is not declared but seen: a complete program holds "main(". A
// fragment is wrapped in `int main(void) { ... return 0; }` after #include <stdio.h> and the headers named.
//
// The expected output is the key: for a choice question the text of the option that Key names (and of no other
// option); for a fill-in whose blanks are outside the code, the accepted answers of its blanks, one output line per
// blank; for a fill-in whose blanks are in the code, `expect`, with every accepted answer of every blank substituted
// in turn. Outputs are compared after dropping the blanks at the end of each line and the empty lines at the end.

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "engine/BankError.h"
#include "rules/FillKey.h"
#include "tests/support/TestPaths.h"
#include "tests/support/ToolRun.h"
#include "tools/BankCsv.h"

namespace {

// A question whose text shows C code.
struct CodeQuestion {
    QString table; // "choose" or "Fill"
    QString tid;
    QString stem;
    QStringList options; // a choice question's four options
    QString key;         // a choice question's letter or a fill-in's key
};

struct RunPlan {
    QStringList headers;
    QByteArray input;
    QStringList args;
    QString append;
    QString expect;
};

} // namespace

Q_DECLARE_METATYPE(CodeQuestion)
Q_DECLARE_METATYPE(RunPlan)

namespace {

const QString sidecarName = QStringLiteral("sample-programs.csv");

QString entryName(const QString &table, const QString &tid) {
    return table + QLatin1Char(' ') + tid;
}

// A complete program is told by "main(" wherever it stands. A fragment is introduced as a "程序段" or shows a printf
// call; in module 5 (C language) a stem of several lines is code as well, since the bank writes every piece of code
// on lines of its own. The other modules may lay out tables on several lines.
bool holdsCode(const QString &stem, int module) {
    return stem.contains(QLatin1String("main(")) || stem.contains(QStringLiteral("程序段")) ||
           stem.contains(QLatin1String("printf(")) || (module == 5 && stem.contains(QLatin1Char('\n')));
}

const QRegularExpression &blankMarker() {
    static const QRegularExpression marker(QStringLiteral("【([12])】"));
    return marker;
}

// Question text rather than code: code is plain ASCII apart from the blanks to fill.
bool isText(QString line) {
    line.remove(blankMarker());
    for (const QChar ch : line)
        if (ch.unicode() > 0x7f)
            return true;
    return false;
}

// The code of a stem: the lines after the first, which introduces the code, up to the question text that follows.
QStringList codeLines(const QString &stem) {
    const QStringList lines = stem.split(QLatin1Char('\n'));
    qsizetype end = lines.size();
    while (end > 1 && isText(lines[end - 1]))
        --end;
    return lines.mid(1, end - 1);
}

QString normalised(const QString &output) {
    QStringList lines = output.split(QLatin1Char('\n'));
    for (QString &line : lines)
        while (!line.isEmpty() && line.back().isSpace())
            line.chop(1);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines.join(QLatin1Char('\n'));
}

QString sourceOf(const QString &code, const RunPlan &plan) {
    if (code.contains(QLatin1String("main(")))
        return code + QLatin1Char('\n');
    QString source;
    for (const QString &header : QStringList{QStringLiteral("stdio.h")} + plan.headers)
        source += QStringLiteral("#include <%1>\n").arg(header);
    return source + QStringLiteral("int main(void)\n{\n%1\n%2\nreturn 0;\n}\n").arg(code, plan.append);
}

// Compiles and runs C programs, each in a folder of its own inside one temporary folder, which is also the
// program's working folder: the bank's file programs touch nothing else. The sanitizers turn undefined behaviour
// and memory errors into a failed run; warnings are allowed, since exam code shows fall-through and the like on
// purpose.
class CRunner {
public:
    explicit CRunner(const QString &compiler) : m_compiler(compiler) {}

    // True with the normalised output, or false with a problem.
    bool run(const QString &source, const RunPlan &plan, QString *output, QString *problem) {
        const QString dir = m_dir.filePath(QString::number(++m_count));
        if (!m_dir.isValid() || !QDir().mkpath(dir)) {
            *problem = QStringLiteral("cannot create %1").arg(dir);
            return false;
        }
        QFile file(QDir(dir).filePath(QStringLiteral("question.c")));
        if (!file.open(QIODevice::WriteOnly) || file.write(source.toUtf8()) < 0) {
            *problem = QStringLiteral("cannot write %1").arg(file.fileName());
            return false;
        }
        file.close();

        QProcess compile;
        compile.setWorkingDirectory(dir);
        compile.setProcessChannelMode(QProcess::MergedChannels);
        compile.start(m_compiler,
                      {QStringLiteral("-std=c99"), QStringLiteral("-pedantic-errors"),
                       QStringLiteral("-fsanitize=address,undefined"), QStringLiteral("-fno-sanitize-recover=all"),
                       QStringLiteral("-o"), QStringLiteral("question"), QStringLiteral("question.c")});
        const bool compiled = compile.waitForFinished(120000) && compile.exitStatus() == QProcess::NormalExit;
        if (!compiled || compile.exitCode() != 0) {
            const QString why = compiled ? QString::fromUtf8(compile.readAll()) : compile.errorString();
            *problem = QStringLiteral("does not compile:\n%1\n%2").arg(source, why);
            return false;
        }

        QProcess program;
        program.setWorkingDirectory(dir);
        program.start(QDir(dir).filePath(QStringLiteral("question")), plan.args);
        if (!program.waitForStarted()) {
            *problem = QStringLiteral("cannot be started: %1").arg(program.errorString());
            return false;
        }
        program.write(plan.input);
        program.closeWriteChannel();
        if (!program.waitForFinished(30000)) {
            program.kill();
            program.waitForFinished();
            *problem = QStringLiteral("does not end (waiting for input?):\n%1").arg(source);
            return false;
        }
        if (program.exitStatus() != QProcess::NormalExit || program.exitCode() != 0) {
            *problem = QStringLiteral("fails with exit code %1:\n%2\n%3")
                           .arg(QString::number(program.exitCode()), source,
                                QString::fromUtf8(program.readAllStandardError()));
            return false;
        }
        *output = normalised(QString::fromUtf8(program.readAllStandardOutput()));
        return true;
    }

private:
    QString m_compiler;
    QTemporaryDir m_dir;
    int m_count = 0;
};

bool accepted(const QList<QByteArray> &answers, const QString &output) {
    return answers.contains(output.toUtf8());
}

QString quotedList(const QList<QByteArray> &answers) {
    QStringList texts;
    for (const QByteArray &answer : answers)
        texts.append(QLatin1Char('"') + QString::fromUtf8(answer) + QLatin1Char('"'));
    return texts.join(QStringLiteral(" or "));
}

QStringList checkChoice(CRunner &runner, const CodeQuestion &q, const QString &code, const RunPlan &plan) {
    const qsizetype keyIndex = QStringLiteral("ABCD").indexOf(q.key);
    if (q.key.size() != 1 || keyIndex < 0 || q.options.size() != 4)
        return {QStringLiteral("key \"%1\" names no option").arg(q.key)};
    if (!plan.expect.isEmpty())
        return {QStringLiteral("expect is only for fill-ins whose blanks are in the code")};
    QString output, problem;
    if (!runner.run(sourceOf(code, plan), plan, &output, &problem))
        return {problem};
    if (output != normalised(q.options[keyIndex])) {
        const qsizetype printed = q.options.indexOf(output);
        const QString which =
            printed < 0 ? QString() : QStringLiteral("(option %1) ").arg(QChar(char16_t(u'A' + printed)));
        return {
            QStringLiteral("prints \"%1\" %2but the key %3 is \"%4\"").arg(output, which, q.key, q.options[keyIndex])};
    }
    QStringList problems;
    for (int i = 0; i < 4; ++i)
        if (i != keyIndex && output == normalised(q.options[i]))
            problems.append(QStringLiteral("option %1 is \"%2\" as well: two options are right")
                                .arg(QChar(char16_t(u'A' + i)), output));
    return problems;
}

QStringList checkFill(CRunner &runner, const CodeQuestion &q, const QString &code, const RunPlan &plan) {
    const FillKey key = FillKey::parse(q.key.toUtf8());
    const QList<QList<QByteArray>> answers = {key.blank1, key.blank2};
    QList<int> inCode;
    for (const QRegularExpressionMatch &m : blankMarker().globalMatch(code))
        inCode.append(m.captured(1).toInt());
    QString output, problem;
    QStringList problems;

    if (inCode.isEmpty()) {
        if (!plan.expect.isEmpty())
            return {QStringLiteral("expect is only for fill-ins whose blanks are in the code")};
        if (!runner.run(sourceOf(code, plan), plan, &output, &problem))
            return {problem};
        const QStringList lines = key.blanks == 1 ? QStringList{output} : output.split(QLatin1Char('\n'));
        if (lines.size() != key.blanks)
            return {QStringLiteral("prints %1 lines for %2 blanks: \"%3\"")
                        .arg(QString::number(lines.size()), QString::number(key.blanks), output)};
        for (int b = 0; b < key.blanks; ++b)
            if (!accepted(answers[b], lines[b]))
                problems.append(QStringLiteral("blank %1: prints \"%2\", the key accepts %3")
                                    .arg(QString::number(b + 1), lines[b], quotedList(answers[b])));
        return problems;
    }

    if (plan.expect.isEmpty())
        return {QStringLiteral("a fill-in whose blanks are in the code needs expect")};
    if (q.stem.count(blankMarker()) != inCode.size())
        return {QStringLiteral("blanks both in the code and in the question text are not supported")};
    std::sort(inCode.begin(), inCode.end());
    inCode.erase(std::unique(inCode.begin(), inCode.end()), inCode.end());
    for (const int blank : inCode)
        if (answers[blank - 1].isEmpty())
            return {QStringLiteral("the key has no answer for blank %1 in the code").arg(blank)};
    // Each accepted answer of each blank in turn, the other blanks holding their first answer.
    for (const int blank : inCode) {
        for (const QByteArray &answer : answers[blank - 1]) {
            QString filled = code;
            for (const int other : inCode) {
                const QByteArray &text = other == blank ? answer : answers[other - 1].value(0);
                filled.replace(QStringLiteral("【%1】").arg(other), QString::fromUtf8(text));
            }
            if (!runner.run(sourceOf(filled, plan), plan, &output, &problem))
                problems.append(QStringLiteral("with \"%1\" in blank %2: %3")
                                    .arg(QString::fromUtf8(answer), QString::number(blank), problem));
            else if (output != normalised(plan.expect))
                problems.append(QStringLiteral("with \"%1\" in blank %2: prints \"%3\", expected \"%4\"")
                                    .arg(QString::fromUtf8(answer), QString::number(blank), output, plan.expect));
        }
    }
    return problems;
}

// What is wrong with a question's code and its key; empty when the program prints the key.
QStringList checkQuestion(CRunner &runner, const CodeQuestion &q, const RunPlan &plan) {
    for (const QString &option : q.options)
        if (option.contains(QLatin1String("main(")))
            return {QStringLiteral("an option holds a program; only programs in the stem are run")};
    const QString code = codeLines(q.stem).join(QLatin1Char('\n'));
    if (code.trimmed().isEmpty())
        return {QStringLiteral("no code between the first line and the question text")};
    static const QRegularExpression gets(QStringLiteral("\\bgets\\s*\\("));
    if (gets.match(code).hasMatch())
        return {QStringLiteral("calls gets, which C11 removed; show fgets in a program")};
    if (code.contains(QLatin1String("main(")) && (!plan.headers.isEmpty() || !plan.append.isEmpty()))
        return {QStringLiteral("headers and append are only for fragments")};
    return q.table == QLatin1String("choose") ? checkChoice(runner, q, code, plan) : checkFill(runner, q, code, plan);
}

// The questions of a bank that show C code, choice questions first.
QList<CodeQuestion> codeQuestions(const BankTables &tables) {
    QList<CodeQuestion> found;
    const BankTable &choose = tables.choose;
    for (const QList<QByteArray> &row : choose.rows) {
        const auto cell = [&](const char *column) {
            return QString::fromUtf8(row.value(choose.column(QLatin1String(column))));
        };
        CodeQuestion q{choose.name,
                       cell("tid"),
                       cell("Timu"),
                       {cell("ANSWER_A"), cell("ANSWER_B"), cell("ANSWER_C"), cell("ANSWER_D")},
                       cell("Key")};
        bool code = holdsCode(q.stem, cell("mkid").toInt());
        for (const QString &option : q.options)
            code = code || option.contains(QLatin1String("main("));
        if (code)
            found.append(q);
    }
    const BankTable &fill = tables.fill;
    for (const QList<QByteArray> &row : fill.rows) {
        const auto cell = [&](const char *column) {
            return QString::fromUtf8(row.value(fill.column(QLatin1String(column))));
        };
        if (holdsCode(cell("TiMu"), cell("MKID").toInt()))
            found.append({fill.name, cell("TID"), cell("TiMu"), {}, cell("KEY")});
    }
    return found;
}

QHash<QString, RunPlan> readSidecar(const QByteArray &csv, const QString &source, QStringList *problems) {
    QHash<QString, RunPlan> entries;
    BankTable table;
    try {
        table = parseCsvTable(csv, QStringLiteral("sample-programs"), source);
    } catch (const BankError &e) {
        problems->append(e.message());
        return entries;
    }
    const QStringList columns = {QStringLiteral("table"), QStringLiteral("tid"),  QStringLiteral("headers"),
                                 QStringLiteral("input"), QStringLiteral("args"), QStringLiteral("append"),
                                 QStringLiteral("expect")};
    for (const QString &column : columns)
        if (table.column(column) < 0)
            problems->append(QStringLiteral("%1 has no column %2").arg(source, column));
    if (!problems->isEmpty())
        return entries;
    for (const QList<QByteArray> &row : table.rows) {
        const auto cell = [&](const QString &column) { return row.value(table.column(column)); };
        const QString name = entryName(QString::fromUtf8(cell(columns[0])), QString::fromUtf8(cell(columns[1])));
        if (entries.contains(name))
            problems->append(QStringLiteral("%1: a second entry in %2").arg(name, sidecarName));
        const auto words = [&](const QString &column) {
            return QString::fromUtf8(cell(column)).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        };
        entries.insert(name, {words(columns[2]), cell(columns[3]), words(columns[4]),
                              QString::fromUtf8(cell(columns[5])), QString::fromUtf8(cell(columns[6]))});
    }
    return entries;
}

// A program without an entry would go unchecked; an entry without a program means the two have drifted apart.
QStringList pairUp(const QList<CodeQuestion> &questions, const QHash<QString, RunPlan> &sidecar) {
    QStringList problems;
    QSet<QString> found;
    for (const CodeQuestion &q : questions) {
        const QString name = entryName(q.table, q.tid);
        found.insert(name);
        if (!sidecar.contains(name))
            problems.append(QStringLiteral("%1 shows C code but has no entry in %2").arg(name, sidecarName));
    }
    for (auto it = sidecar.constBegin(); it != sidecar.constEnd(); ++it)
        if (!found.contains(it.key()))
            problems.append(
                QStringLiteral("%1 has an entry in %2 but no such question shows C code").arg(it.key(), sidecarName));
    problems.sort();
    return problems;
}

CodeQuestion madeUpChoice(const QString &code, const QString &key, const QStringList &options) {
    return {QStringLiteral("choose"), QStringLiteral("9999"),
            QStringLiteral("有以下程序段：\n%1\n执行后的输出结果是（  ）。").arg(code), options, key};
}

CodeQuestion madeUpFill(const QString &stem, const QString &key) {
    return {QStringLiteral("Fill"), QStringLiteral("9999"), stem, {}, key};
}

} // namespace

class TestSamplePrograms : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void detection_data();
    void detection();
    void codeLines_data();
    void codeLines();
    void sidecarCoversBank();
    void pairing();
    void programs_data();
    void programs();

private:
    std::unique_ptr<CRunner> m_runner;
    QList<CodeQuestion> m_questions;
    QHash<QString, RunPlan> m_sidecar;
    QStringList m_sidecarProblems;
};

void TestSamplePrograms::initTestCase() {
#ifdef _WIN32
    QSKIP("the programs are compiled and run by the Linux build's test");
#endif
    const QString compiler = QStandardPaths::findExecutable(QStringLiteral("cc"));
    QVERIFY2(!compiler.isEmpty(), "no C compiler cc on the PATH; scripts/install-deps.sh installs build-essential");
    m_runner = std::make_unique<CRunner>(compiler);

    const QDir source(sourceDir());
    try {
        m_questions = codeQuestions(readCsvSources(source.filePath(QStringLiteral("data/sample"))));
    } catch (const BankError &e) {
        QFAIL(qPrintable(e.message()));
    }
    QVERIFY(!m_questions.isEmpty());
    const QString sidecar = source.filePath(QStringLiteral("tests/data/") + sidecarName);
    QVERIFY2(QFile::exists(sidecar), qPrintable(sidecar));
    m_sidecar = readSidecar(fileBytes(sidecar), sidecar, &m_sidecarProblems);
}

void TestSamplePrograms::detection_data() {
    QTest::addColumn<QString>("stem");
    QTest::addColumn<int>("module");
    QTest::addColumn<bool>("code");

    QTest::newRow("complete program") << QStringLiteral("有以下程序：\n#include <stdio.h>\nint main(void)\n{\n    "
                                                        "return 0;\n}\n程序运行后的输出结果是（  ）。")
                                      << 5 << true;
    QTest::newRow("program on one line, any module")
        << QStringLiteral("程序int main(void) { return 0; }的返回值是（  ）。") << 1 << true;
    QTest::newRow("fragment by its introduction") << QStringLiteral("有以下程序段：int a = 1; a++;") << 3 << true;
    QTest::newRow("printf in a one-line stem")
        << QStringLiteral("若有定义：int a = 1;，则语句printf(\"%d\", a);的输出是（  ）。") << 5 << true;
    QTest::newRow("expression") << QStringLiteral("若有定义：int a = 7, b = 2;，则表达式 a / b 的值是（  ）。") << 5
                                << false;
    QTest::newRow("lines of code in module 5")
        << QStringLiteral("以下函数：\nint f(int n)\n{\n    return n;\n}") << 5 << true;
    QTest::newRow("table in module 4") << QStringLiteral("关系R如下：\nA B\n1 2\n则（  ）。") << 4 << false;
}

void TestSamplePrograms::detection() {
    QFETCH(QString, stem);
    QFETCH(int, module);
    QFETCH(bool, code);
    QCOMPARE(holdsCode(stem, module), code);
}

void TestSamplePrograms::codeLines_data() {
    QTest::addColumn<QString>("stem");
    QTest::addColumn<QStringList>("code");

    QTest::newRow("question after the code")
        << QStringLiteral("有以下程序段：\nint a = 1;\nprintf(\"%d\\n\", a);\n执行后的输出结果是（  ）。")
        << QStringList{QStringLiteral("int a = 1;"), QStringLiteral("printf(\"%d\\n\", a);")};
    QTest::newRow("question over two lines")
        << QStringLiteral("有以下程序段：\nc = getchar();\n若运行时输入：\nA<回车>\n则输出（  ）。")
        << QStringList{QStringLiteral("c = getchar();")};
    QTest::newRow("blank in the code, code to the end")
        << QStringLiteral("请填空。\nint f(void)\n{\n    return 【1】;\n}")
        << QStringList{QStringLiteral("int f(void)"), QStringLiteral("{"), QStringLiteral("    return 【1】;"),
                       QStringLiteral("}")};
    QTest::newRow("blank in the question text")
        << QStringLiteral("有以下程序段：\nputchar('a');\n执行后的输出结果是 【1】 。")
        << QStringList{QStringLiteral("putchar('a');")};
}

void TestSamplePrograms::codeLines() {
    QFETCH(QString, stem);
    QFETCH(QStringList, code);
    QCOMPARE(::codeLines(stem), code);
}

void TestSamplePrograms::sidecarCoversBank() {
    const QStringList problems = m_sidecarProblems + pairUp(m_questions, m_sidecar);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

// The pairing itself reports both kinds of drift.
void TestSamplePrograms::pairing() {
    const CodeQuestion listed = madeUpChoice(QStringLiteral("putchar('a');"), QStringLiteral("A"), {});
    CodeQuestion unlisted = listed;
    unlisted.tid = QStringLiteral("9998");
    QHash<QString, RunPlan> sidecar{{entryName(listed.table, listed.tid), {}}, {QStringLiteral("Fill 9997"), {}}};
    QCOMPARE(pairUp({listed, unlisted}, sidecar),
             (QStringList{QStringLiteral("Fill 9997 has an entry in sample-programs.csv but no such question shows C "
                                         "code"),
                          QStringLiteral("choose 9998 shows C code but has no entry in sample-programs.csv")}));

    QStringList problems;
    readSidecar("table,tid\nchoose,1\n", QStringLiteral("side.csv"), &problems);
    QVERIFY2(problems.join(QLatin1Char('\n')).contains(QStringLiteral("no column expect")),
             qPrintable(problems.join(QLatin1Char('\n'))));
    problems.clear();
    readSidecar("table,tid,headers,input,args,append,expect\nchoose,1,,,,,\nchoose,1,,,,,\n",
                QStringLiteral("side.csv"), &problems);
    QCOMPARE(problems, QStringList{QStringLiteral("choose 1: a second entry in sample-programs.csv")});
}

void TestSamplePrograms::programs_data() {
    QTest::addColumn<CodeQuestion>("question");
    QTest::addColumn<RunPlan>("plan");
    QTest::addColumn<QString>("problem"); // a piece of the expected problem; empty when none is expected

    for (const CodeQuestion &q : std::as_const(m_questions)) {
        const QString name = entryName(q.table, q.tid);
        if (m_sidecar.contains(name)) // the others fail in sidecarCoversBank
            QTest::newRow(qPrintable(name)) << q << m_sidecar.value(name) << QString();
    }

    // Made-up questions prove that the check fails where it should.
    const QStringList numbers = {QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")};
    const QString sum = QStringLiteral("printf(\"%d\\n\", 1 + 2);");
    QTest::newRow("made-up: right key") << madeUpChoice(sum, QStringLiteral("B"), numbers) << RunPlan() << QString();
    QTest::newRow("made-up: wrong key") << madeUpChoice(sum, QStringLiteral("A"), numbers) << RunPlan()
                                        << QStringLiteral("prints \"3\" (option B) but the key A is \"2\"");
    QTest::newRow("made-up: two options right")
        << madeUpChoice(sum, QStringLiteral("B"),
                        {QStringLiteral("3"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")})
        << RunPlan() << QStringLiteral("option A is \"3\" as well");
    QTest::newRow("made-up: missing header")
        << madeUpChoice(QStringLiteral("printf(\"%d\\n\", (int)strlen(\"abc\"));"), QStringLiteral("B"), numbers)
        << RunPlan() << QStringLiteral("does not compile");
    QTest::newRow("made-up: header given")
        << madeUpChoice(QStringLiteral("printf(\"%d\\n\", (int)strlen(\"abc\"));"), QStringLiteral("B"), numbers)
        << RunPlan{{QStringLiteral("string.h")}, {}, {}, {}, {}} << QString();
    QTest::newRow("made-up: undefined behaviour")
        << madeUpChoice(QStringLiteral("int i = 2147483647;\ni++;\nprintf(\"%d\\n\", i - 2147483644);"),
                        QStringLiteral("C"), numbers)
        << RunPlan() << QStringLiteral("fails with exit code");
    QTest::newRow("made-up: gets") << madeUpChoice(QStringLiteral("char s[9];\ngets(s);\nputs(s);"),
                                                   QStringLiteral("A"), numbers)
                                   << RunPlan{{}, "2\n", {}, {}, {}} << QStringLiteral("calls gets");
    QTest::newRow("made-up: input and appended statement")
        << madeUpChoice(QStringLiteral("int a = getchar() - '0';"), QStringLiteral("D"), numbers)
        << RunPlan{{}, "4\n", {}, QStringLiteral("printf(\"%d\\n\", a + 1);"), {}} << QString();

    const QString outputFill =
        QStringLiteral("有以下程序段：\nint a = 6;\nprintf(\"%d\\n\", a / 4);\n执行后的输出结果是 【1】 。");
    QTest::newRow("made-up: fill-in printing its key")
        << madeUpFill(outputFill, QStringLiteral("1#一")) << RunPlan() << QString();
    QTest::newRow("made-up: fill-in with a wrong key")
        << madeUpFill(outputFill, QStringLiteral("1.5")) << RunPlan()
        << QStringLiteral("blank 1: prints \"1\", the key accepts \"1.5\"");
    QTest::newRow("made-up: two blanks, one line each")
        << madeUpFill(QStringLiteral("有以下程序段：\nprintf(\"%d\\n%d\\n\", 7 / 2, 7 % 2);\n输出为 【1】 和 【2】 。"),
                      QStringLiteral("3#三@2"))
        << RunPlan() << QStringLiteral("blank 2: prints \"1\", the key accepts \"2\"");

    const QString codeFill =
        QStringLiteral("以下程序输出数字字符的个数，请填空。\nint c, n = 0;\nwhile ((c = getchar()) != "
                       "'\\n')\n    if (c >= '0' && c <= 【1】)\n        n++;\nprintf(\"%d\\n\", n);");
    const RunPlan digits{{}, "a1b9\n", {}, {}, QStringLiteral("2")};
    QTest::newRow("made-up: blank in the code")
        << madeUpFill(codeFill, QStringLiteral("'9'#57")) << digits << QString();
    QTest::newRow("made-up: an accepted answer that is wrong")
        << madeUpFill(codeFill, QStringLiteral("'9'#'8'")) << digits
        << QStringLiteral("with \"'8'\" in blank 1: prints \"1\", expected \"2\"");
    QTest::newRow("made-up: an accepted answer that does not compile")
        << madeUpFill(codeFill, QStringLiteral("'9'#nine")) << digits
        << QStringLiteral("with \"nine\" in blank 1: does not compile");
    QTest::newRow("made-up: blank in the code that the key lacks")
        << madeUpFill(QString(codeFill).replace(QStringLiteral("【1】"), QStringLiteral("【2】")),
                      QStringLiteral("'9'"))
        << digits << QStringLiteral("the key has no answer for blank 2");
    QTest::newRow("made-up: blank in the code without expect")
        << madeUpFill(codeFill, QStringLiteral("'9'")) << RunPlan{{}, "a1b9\n", {}, {}, {}}
        << QStringLiteral("needs expect");
}

void TestSamplePrograms::programs() {
    QFETCH(CodeQuestion, question);
    QFETCH(RunPlan, plan);
    QFETCH(QString, problem);
    const QString found = checkQuestion(*m_runner, question, plan).join(QLatin1Char('\n'));
    if (problem.isEmpty())
        QVERIFY2(found.isEmpty(), qPrintable(found));
    else
        QVERIFY2(found.contains(problem), qPrintable(QStringLiteral("expected \"%1\", got:\n%2").arg(problem, found)));
}

QTEST_GUILESS_MAIN(TestSamplePrograms)
#include "test_sample_programs.moc"
