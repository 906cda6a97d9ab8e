// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>

#include <dirent.h>
#include <sys/stat.h>

#include "tests/support/ByteRun.h"
#include "tests/support/JetFixtures.h"
#include "tests/support/TestBank.h"
#include "tests/support/TestPaths.h"
#include "tools/BankCsv.h"

namespace {

// 模拟考试 and 第一 in GBK, as a zip made on Windows unpacks them: neither is UTF-8.
const QByteArray kExamFolder = "\xc4\xa3\xc4\xe2\xbf\xbc\xca\xd4";
const QByteArray kFirstFolder = "\xb5\xda\xd2\xbb";

// Runs the built bank tool with ARGS as bytes.
ByteRun runTool(const QByteArray &scratch, const QList<QByteArray> &args) {
    return runBytes(QFile::encodeName(QDir(binDir()).filePath(QStringLiteral("mockexam-bank"))), args, scratch);
}

bool exists(const QByteArray &path) {
    struct stat st {};
    return ::stat(path.constData(), &st) == 0;
}

// The names in a folder as the system has them.
QList<QByteArray> entries(const QByteArray &path) {
    QList<QByteArray> names;
    if (DIR *dir = ::opendir(path.constData())) {
        while (const dirent *entry = ::readdir(dir))
            if (qstrcmp(entry->d_name, ".") != 0 && qstrcmp(entry->d_name, "..") != 0)
                names.append(QByteArray(entry->d_name));
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

QList<QByteArray> sorted(QList<QByteArray> names) {
    std::sort(names.begin(), names.end());
    return names;
}

// What the user sees of a name that is not UTF-8: Qt's decoding, U+FFFD for the bytes it cannot take.
QString shown(const QByteArray &path) {
    return QString::fromUtf8(path);
}

} // namespace

// The bank tool on folders whose names are not UTF-8: every command opens the folder the user named, writes into
// nothing else, and names it in its messages as the user sees it, never by the descriptor it opened it through.
class TestByteNames : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_tmp;
    QByteArray m_root;

    // A fresh folder for one case, with the CSV sources of a small bank in its "src".
    QByteArray caseFolder(const char *name) {
        const QByteArray folder = m_root + '/' + name;
        const QString src = QFile::decodeName(folder + "/src");
        writeCsvSources(makeTables(), src, CsvMark::None);
        return folder;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_tmp.isValid());
        m_root = QFile::encodeName(m_tmp.path());
    }

    // Into an existing folder and one the build makes; then check, draw, show and export on it.
    void everyCommandWorksOnTheFolderItself() {
        const QByteArray folder = caseFolder("commands");
        const QByteArray out = folder + '/' + kExamFolder;
        QCOMPARE(::mkdir(out.constData(), 0777), 0);

        ByteRun run = runTool(m_root, {"build", folder + "/src", out});
        QVERIFY2(run.status == 0, qPrintable(run.report()));
        QVERIFY(exists(out + "/Bs.mdb") && exists(out + "/Mq4100.mdw"));
        QCOMPARE(entries(folder), sorted({kExamFolder, "src"}));
        QVERIFY2(run.out.contains(shown(out + "/Bs.mdb")), qPrintable(run.report()));
        QVERIFY2(!run.out.contains(QStringLiteral("/proc/")), qPrintable(run.report()));

        run = runTool(m_root, {"check", out});
        QVERIFY2(run.status == 0 && run.out.contains(QStringLiteral("0 个错误")), qPrintable(run.report()));
        run = runTool(m_root, {"draw", out, "--text"});
        QVERIFY2(run.status == 0 && run.out.contains(QStringLiteral("模块1的题目")), qPrintable(run.report()));
        run = runTool(m_root, {"show", out, "3"});
        QVERIFY2(run.status == 0 && run.out.contains(QStringLiteral("第3题")), qPrintable(run.report()));

        // Export makes its folder, two levels of names that are not UTF-8 deep.
        const QByteArray exported = out + '/' + kFirstFolder + '/' + kFirstFolder;
        run = runTool(m_root, {"export", out, exported});
        QVERIFY2(run.status == 0, qPrintable(run.report()));
        QCOMPARE(entries(exported), sorted({"Fill.csv", "choose.csv", "tzhishidian.csv"}));
        QVERIFY2(run.out.contains(shown(exported)), qPrintable(run.report()));

        // A build into a folder that does not exist yet makes exactly that folder.
        const QByteArray made = folder + '/' + kFirstFolder;
        run = runTool(m_root, {"build", folder + "/src", made});
        QVERIFY2(run.status == 0, qPrintable(run.report()));
        QCOMPARE(entries(made), sorted({"Bs.mdb", "Mq4100.mdw"}));
        QCOMPARE(entries(folder), sorted({kExamFolder, kFirstFolder, "src"}));
    }

    // Sources in such a folder; a refused build makes no folder.
    void sourcesInTheFolderAndRefusedBuilds() {
        const QByteArray folder = caseFolder("sources");
        const QByteArray src = folder + '/' + kExamFolder;
        QCOMPARE(::rename((folder + "/src").constData(), src.constData()), 0);
        ByteRun run = runTool(m_root, {"build", src, folder + "/out"});
        QVERIFY2(run.status == 0, qPrintable(run.report()));
        QVERIFY(exists(folder + "/out/Bs.mdb"));

        FILE *broken = std::fopen((src + "/choose.csv").constData(), "wb");
        QVERIFY(broken);
        std::fputs("tid,mkid\n1,1\n", broken);
        QCOMPARE(std::fclose(broken), 0);
        const QByteArray out = folder + '/' + kFirstFolder;
        run = runTool(m_root, {"build", src, out});
        QVERIFY2(run.status == 1, qPrintable(run.report()));
        QVERIFY(!exists(out));
        QVERIFY2(run.out.contains(shown(src + "/choose.csv")) || run.err.contains(shown(src + "/choose.csv")),
                 qPrintable(run.report()));
    }

    // Messages name the folder as the user sees it.
    void messagesNameTheFolder() {
        const QByteArray folder = caseFolder("messages");
        const QByteArray empty = folder + '/' + kExamFolder;
        QCOMPARE(::mkdir(empty.constData(), 0777), 0);
        ByteRun run = runTool(m_root, {"check", empty});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(shown(empty + "/Mq4100.mdw")) || run.err.contains(shown(empty + "/Bs.mdb")),
                 qPrintable(run.report()));
        QVERIFY2(!run.err.contains(QStringLiteral("/proc/")), qPrintable(run.report()));

        const QByteArray missing = folder + '/' + kFirstFolder;
        run = runTool(m_root, {"check", missing});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(QStringLiteral("找不到题库文件夹：") + shown(missing)), qPrintable(run.report()));
        QVERIFY(!exists(missing));
    }

    // Names that are UTF-8 go on as the system and Qt give them.
    void chineseNamesAsBefore() {
        const QByteArray folder = caseFolder("utf8");
        const QByteArray out = folder + "/" + QByteArray("模拟考试");
        const ByteRun run = runTool(m_root, {"build", folder + "/src", out});
        QVERIFY2(run.status == 0, qPrintable(run.report()));
        QVERIFY(run.out.contains(QString::fromUtf8(out + "/Bs.mdb")));
        QCOMPARE(entries(folder), sorted({"src", "模拟考试"}));
    }

#if MOCKEXAM_JET_READER
    // A legacy bank in such a folder is read by the reading child, which opens it through this process.
    void legacyBankReachesTheReadingChild() {
        const QByteArray folder = m_root + "/legacy";
        const QByteArray legacy = folder + '/' + kExamFolder;
        makeJetBankDir(QFile::decodeName(folder + "/jet"), QStringLiteral("V2003_no-password.mdb"));
        QCOMPARE(::rename((folder + "/jet").constData(), legacy.constData()), 0);
        const ByteRun run = runTool(m_root, {"import-jet", legacy, folder + "/out", "--from-user", "xyz"});
        // The genuine file has none of the bank's tables: that the child says so shows it read the file.
        QVERIFY2(run.status == 1 && run.err.contains(QStringLiteral("choose")), qPrintable(run.report()));
        QVERIFY2(run.err.contains(shown(legacy)) && !run.err.contains(QStringLiteral("/proc/")),
                 qPrintable(run.report()));
    }
#endif
};

QTEST_GUILESS_MAIN(TestByteNames)
#include "test_bytenames.moc"
