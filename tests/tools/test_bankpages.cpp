// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "engine/BankError.h"
#include "engine/BankFile.h"
#include "engine/SqliteDatabase.h"
#include "engine/SqliteStatement.h"
#include "engine/TADOQuery.h"
#include "engine/TDm.h"
#include "tests/support/TestBank.h"
#include "tests/support/ToolRun.h"
#include "tools/BankIo.h"

namespace {

// The first page of each index in the bank at PATH (pages count from 1).
QList<qint64> indexPages(const QString &path) {
    SqliteDatabase db;
    BankFile::open(db, path, "mvkpla.27.zqe");
    SqliteStatement pages;
    pages.prepare(db.handle(), "SELECT rootpage FROM sqlite_master WHERE type = 'index'");
    QList<qint64> found;
    while (pages.step() == 100 /* a row */)
        found.append(pages.columnInt64(0));
    return found;
}

void flipByte(const QString &path, qint64 offset) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek(offset));
    char byte = 0;
    QVERIFY(file.getChar(&byte));
    QVERIFY(file.seek(offset));
    QVERIFY(file.putChar(char(byte ^ 0x20)));
}

} // namespace

// What `check` finds beyond the rows: damage where only the drawing's indexes reach, and a knowledge statement the
// engine would refuse; and how `draw --times` reports.
class TestBankPages : public QObject {
    Q_OBJECT
private slots:
    void checkReadsTheIndexPages();
    void checkRefusesKnowledgeCodesTheEngineCannotLookUp();
    void drawTimesReportsEachDrawingAndTheMedian();
};

// One flipped byte in an index page: the rows read back whole, every drawing fails, and `check` says so.
void TestBankPages::checkReadsTheIndexPages() {
    QTemporaryDir dir;
    const QString dat = writeTestBank(dir.path(), makeTables());
    const QString bank = QDir(dat).filePath(QStringLiteral("Bs.mdb"));
    const QList<qint64> pages = indexPages(bank);
    QCOMPARE(pages.size(), 3);
    flipByte(bank, (pages.first() - 1) * 1024 + 300);

    QCOMPARE(readBank(dat).choose.rows.size(), 55);
    TDm dm;
    dm.ADOConnection1->setConnectionString(testConnectionString(dat));
    try {
        runStatement(*dm.ADOQuery1, QStringLiteral("select * from choose where mkid=1"));
        QFAIL("the damaged index was read");
    } catch (const BankError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("题库文件已损坏")), qPrintable(e.message()));
    }

    const ToolRun run = runToolCapturing({QStringLiteral("check"), dat});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.out.contains(QStringLiteral("错误 Bs.mdb：题库文件已损坏：") + QDir::toNativeSeparators(bank)),
             qPrintable(run.out));
    QVERIFY2(run.out.endsWith(QStringLiteral("检查完毕：1 个错误，0 个警告\n")), qPrintable(run.out));
}

void TestBankPages::checkRefusesKnowledgeCodesTheEngineCannotLookUp() {
    QTemporaryDir dir;
    BankTables tables = makeTables();
    tables.choose.rows[0][tables.choose.column(QStringLiteral("ZHISHIDIAN"))] = QByteArray("01001").repeated(1000);
    const QString dat = writeTestBank(dir.path(), tables);
    const ToolRun run = runToolCapturing({QStringLiteral("check"), dat});
    QCOMPARE(run.status, 1);
    QVERIFY2(
        run.out.contains(QStringLiteral("错误 choose tid=1：知识点编码有 1000 段，查询知识点的语句最多容纳 999 段")),
        qPrintable(run.out));
}

// The shape of the report, not its figures: the key derivation on a line of its own, one line per drawing, the
// median last.
void TestBankPages::drawTimesReportsEachDrawingAndTheMedian() {
    QTemporaryDir dir;
    const QString dat = writeTestBank(dir.path(), makeTables());
    const ToolRun run = runToolCapturing({QStringLiteral("draw"), dat, QStringLiteral("--times"), QStringLiteral("3")});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 5);
    const QString number = QStringLiteral("[0-9]+\\.[0-9]");
    QVERIFY2(
        QRegularExpression(
            QStringLiteral("^密钥推导用时 %1 毫秒（工作组密码的校验值和题库密钥，每个进程只推导一次）$").arg(number))
            .match(lines[0])
            .hasMatch(),
        qPrintable(lines[0]));
    for (int i = 1; i <= 3; ++i)
        QVERIFY2(QRegularExpression(QStringLiteral("^第 %1 次抽题用时 %2 毫秒，打开连接 65 次$").arg(i).arg(number))
                     .match(lines[i])
                     .hasMatch(),
                 qPrintable(lines[i]));
    QVERIFY2(QRegularExpression(QStringLiteral("^抽题用时中位数 %1 毫秒（共 3 次）$").arg(number))
                 .match(lines[4])
                 .hasMatch(),
             qPrintable(lines[4]));

    for (const QString &bad : {QStringLiteral("0"), QStringLiteral("x")}) {
        const ToolRun refused = runToolCapturing({QStringLiteral("draw"), dat, QStringLiteral("--times"), bad});
        QCOMPARE(refused.status, 2);
    }
}

QTEST_GUILESS_MAIN(TestBankPages)
#include "test_bankpages.moc"
