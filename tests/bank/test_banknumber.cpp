// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <functional>
#include <optional>

#include "drawing/PaperDrawing.h"
#include "engine/BankError.h"
#include "engine/TDm.h"
#include "rules/BankNumber.h"
#include "rules/ExamState.h"
#include "tests/support/TestBank.h"
#include "tools/BankCheck.h"
#include "tools/BankIo.h"

using Mutation = std::function<void(BankTables &)>;
Q_DECLARE_METATYPE(Mutation)
Q_DECLARE_METATYPE(std::optional<qint32>)

namespace {

// Sets COLUMN of the first row of TABLE (tid 1 of module 1, or Fill TID 1).
Mutation setFirst(const QString &table, const QString &column, const QByteArray &value) {
    return [=](BankTables &t) {
        BankTable &target = table == QLatin1String("choose") ? t.choose
                            : table == QLatin1String("Fill") ? t.fill
                                                             : t.knowledge;
        target.rows[0][target.column(column)] = value;
    };
}

QString errorsOf(const QList<BankFinding> &findings) {
    QStringList lines;
    for (const BankFinding &finding : findings)
        if (finding.severity == BankFinding::Error)
            lines.append(formatFinding(finding));
    return lines.join(QLatin1Char('\n'));
}

QString describe(const QList<BankFinding> &findings) {
    QStringList lines;
    for (const BankFinding &finding : findings)
        lines.append(formatFinding(finding));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

// The number columns' rule, and the promise built on it: the checker refuses exactly the banks whose drawing fails,
// and says the same of a bank whether it reads the sources (build) or the bank built from them (check).
class TestBankNumber : public QObject {
    Q_OBJECT
private slots:
    void readsAsTheDrawingDoes_data();
    void readsAsTheDrawingDoes();
    void checkerRefusesWhatTheDrawingRefuses_data();
    void checkerRefusesWhatTheDrawingRefuses();
};

void TestBankNumber::readsAsTheDrawingDoes_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<std::optional<qint32>>("read");
    QTest::addColumn<QByteArray>("stored");

    const std::optional<qint32> refused;
    QTest::newRow("plain") << QByteArray("12") << std::optional<qint32>(12) << QByteArray("12");
    QTest::newRow("signs and leading zeros") << QByteArray("+007") << std::optional<qint32>(7) << QByteArray("7");
    QTest::newRow("negative") << QByteArray("-3") << std::optional<qint32>(-3) << QByteArray("-3");
    QTest::newRow("empty reads as 0") << QByteArray() << std::optional<qint32>(0) << QByteArray();
    QTest::newRow("32-bit edge") << QByteArray("-2147483648") << std::optional<qint32>(INT_MIN)
                                 << QByteArray("-2147483648");
    QTest::newRow("past 32 bits, still a number") << QByteArray("2147483648") << refused << QByteArray("2147483648");
    QTest::newRow("past 64 bits") << QByteArray("9223372036854775808") << refused << QByteArray("9223372036854775808");
    QTest::newRow("blank before") << QByteArray(" 2") << refused << QByteArray(" 2");
    QTest::newRow("blank after") << QByteArray("2\t") << refused << QByteArray("2\t");
    QTest::newRow("decimal point") << QByteArray("1.0") << refused << QByteArray("1.0");
    QTest::newRow("exponent") << QByteArray("1e9") << refused << QByteArray("1e9");
    QTest::newRow("hexadecimal") << QByteArray("0x10") << refused << QByteArray("0x10");
    QTest::newRow("full-width digit") << QByteArray("２") << refused << QByteArray("２");
    QTest::newRow("sign alone") << QByteArray("-") << refused << QByteArray("-");
    QTest::newRow("NUL after digits") << QByteArray("2\0", 2) << refused << QByteArray("2\0", 2);
}

void TestBankNumber::readsAsTheDrawingDoes() {
    QFETCH(QByteArray, text);
    QFETCH(std::optional<qint32>, read);
    QFETCH(QByteArray, stored);
    QCOMPARE(BankNumber::readInt32(text), read);
    QCOMPARE(BankNumber::storedText(text), stored);
}

void TestBankNumber::checkerRefusesWhatTheDrawingRefuses_data() {
    QTest::addColumn<Mutation>("mutation");
    QTest::addColumn<bool>("refused");
    // What the drawing's message says, when it fails on one question's value.
    QTest::addColumn<QString>("drawingMessage");

    const auto row = [](const char *name, const QString &table, const QString &column, const QByteArray &value,
                        bool refused, const QString &message = QString()) {
        QTest::newRow(name) << setFirst(table, column, value) << refused << message;
    };
    const QString choose = QStringLiteral("choose");
    const QString fill = QStringLiteral("Fill");
    const QString score = QStringLiteral("Score");
    const QString scoreUnread = QStringLiteral("题库表 choose 中 tid=1 的题目无法读取");
    row("score with a decimal point", choose, score, "2.5", true, scoreUnread);
    row("score in words", choose, score, "abc", true, scoreUnread);
    row("score in a full-width digit", choose, score, "２", true, scoreUnread);
    row("score past 64 bits", choose, score, "9223372036854775808", true, scoreUnread);
    row("score past 32 bits", choose, score, "3000000000", true, scoreUnread);
    row("score with an exponent", choose, score, "1e9", true, scoreUnread);
    row("score with a blank before", choose, score, " 2", true, scoreUnread);
    row("score past the paper's sum", choose, score, "1000001", true, scoreUnread);
    row("score past the paper's sum below zero", choose, score, "-1000001", true, scoreUnread);
    row("score at the largest", choose, score, "1000000", false);
    row("negative score", choose, score, "-1", false);
    row("empty score", choose, score, "", false);
    row("score with sign and zeros", choose, score, "+02", false);
    // A module that is not a number is never drawn, and module 1 is then one question short.
    row("module with a decimal point", choose, QStringLiteral("mkid"), "1.0", true);
    row("module with a blank before", choose, QStringLiteral("mkid"), " 1", true);
    row("module with a leading zero", choose, QStringLiteral("mkid"), "01", false);
    row("fill-in module with an exponent", fill, QStringLiteral("MKID"), "1e0", true);
    row("choice id in words", choose, QStringLiteral("tid"), "abc", false);
    row("empty choice id", choose, QStringLiteral("tid"), "", false);
    row("choice id past 64 bits", choose, QStringLiteral("tid"), "9223372036854775808", false);
    row("choice id with a blank is an id of its own", choose, QStringLiteral("tid"), " 2", false);
    // "002" is kept as 2, the id of the next question: module 1 then has ten different ids.
    row("choice id that reads as another's", choose, QStringLiteral("tid"), "002", true);
    row("fill-in id in words", fill, QStringLiteral("TID"), "abc", true,
        QStringLiteral("题库表 Fill 中 TID=abc 的题目无法读取"));
    row("fill-in id past 32 bits", fill, QStringLiteral("TID"), "2147483648", true,
        QStringLiteral("题库表 Fill 中 TID=2147483648 的题目无法读取"));
    row("fill-in id with a decimal point", fill, QStringLiteral("TID"), "1.5", true,
        QStringLiteral("题库表 Fill 中 TID=1.5 的题目无法读取"));
    row("empty fill-in id", fill, QStringLiteral("TID"), "", false);
    row("negative fill-in id", fill, QStringLiteral("TID"), "-5", false);
    row("choice key outside A to D", choose, QStringLiteral("Key"), "E", false);
    row("empty fill-in key", fill, QStringLiteral("KEY"), "", false);
    // The statement that looks the codes up ends at a NUL; codes of blanks and NULs alone are no codes.
    row("knowledge codes with a NUL", choose, QStringLiteral("ZHISHIDIAN"), QByteArray("01001\0", 6), true);
    row("knowledge codes of NULs alone", choose, QStringLiteral("ZHISHIDIAN"), QByteArray(5, '\0'), false);
    row("knowledge codes with a quote", choose, QStringLiteral("ZHISHIDIAN"), "01'01", false);
    row("knowledge codes cut inside a character", choose, QStringLiteral("ZHISHIDIAN"), "0100知识", false);
    row("knowledge code too short", QStringLiteral("tzhishidian"), QStringLiteral("recno"), "0100", false);
}

// Each value is written into a bank as it is (past build's refusal), drawn there, and checked both from the tables
// and from the bank read back.
void TestBankNumber::checkerRefusesWhatTheDrawingRefuses() {
    QFETCH(Mutation, mutation);
    QFETCH(bool, refused);
    QFETCH(QString, drawingMessage);
    // Eleven choice and two fill-in questions a module: every question is on every paper.
    BankTables tables = makeTables(11, 2);
    mutation(tables);
    const QList<BankFinding> fromSources = checkBank(tables);

    QTemporaryDir dir;
    const QString dat = writeTestBank(dir.path(), tables);
    QCOMPARE(describe(checkBank(readBank(dat, {}))), describe(fromSources));

    resetExamState();
    TDm dm;
    dm.ADOConnection1->setConnectionString(testConnectionString(dat));
    QString failure;
    try {
        drawPaper(*dm.ADOQuery1, nullptr);
    } catch (const BankError &error) {
        failure = error.message();
    }
    QVERIFY2(failure.isEmpty() != refused, qPrintable(failure));
    QVERIFY2(errorsOf(fromSources).isEmpty() != refused, qPrintable(describe(fromSources)));
    QVERIFY2(failure.contains(drawingMessage), qPrintable(failure));
}

QTEST_GUILESS_MAIN(TestBankNumber)
#include "test_banknumber.moc"
