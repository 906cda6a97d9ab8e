#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "BankError.h"
#include "BankFile.h"
#include "BankIo.h"
#include "SqliteDatabase.h"
#include "SqliteStatement.h"
#include "TADOQuery.h"
#include "TDm.h"
#include "TestBank.h"
#include "ToolRun.h"

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
// engine would refuse.
class TestBankPages : public QObject {
    Q_OBJECT
private slots:
    void checkReadsTheIndexPages();
    void checkRefusesKnowledgeCodesTheEngineCannotLookUp();
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
    QVERIFY2(run.out.contains(QStringLiteral("错误 Bs.mdb：题库文件已损坏：") + bank), qPrintable(run.out));
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

QTEST_GUILESS_MAIN(TestBankPages)
#include "test_bankpages.moc"
