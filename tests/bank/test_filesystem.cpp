// SPDX-License-Identifier: GPL-3.0-or-later

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include "drawing/PaperDrawing.h"
#include "engine/FileSystem.h"
#include "engine/TADOConnection.h"
#include "engine/TADOQuery.h"
#include "engine/TDm.h"
#include "tests/support/TestBank.h"

namespace {

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A folder name outside every single-byte code page and outside the Western ANSI code page.
const QString kChineseFolder = QStringLiteral("模拟考试");

} // namespace

// The system layer under the bank: what a path names, the identity of a file's version, renames that replace,
// second names, whether a process runs. The same cases run in the Windows build, where the layer is another one.
class TestFileSystem : public QObject {
    Q_OBJECT

private slots:
    // Missing, folder, ordinary file; a Chinese folder name reaches the system intact.
    void statusTellsWhatAPathNames() {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString dir = tmp.filePath(kChineseFolder);
        QVERIFY(QDir().mkpath(dir));
        const QString file = QDir(dir).filePath(QStringLiteral("题库.mdb"));
        QVERIFY(writeFile(file, "12345"));

        const FileSystem::Status missing = FileSystem::status(QDir(dir).filePath(QStringLiteral("无.mdb")));
        QVERIFY(!missing.exists);
        QVERIFY(!FileSystem::status(QString()).exists);

        const FileSystem::Status folder = FileSystem::status(dir);
        QVERIFY(folder.exists);
        QVERIFY(folder.directory);
        QVERIFY(!folder.regular);

        const FileSystem::Status regular = FileSystem::status(file);
        QVERIFY(regular.exists);
        QVERIFY(regular.regular);
        QVERIFY(!regular.directory);
        QCOMPARE(regular.size, qint64(5));
        QVERIFY(FileSystem::existsNoFollow(file));
        QVERIFY(!FileSystem::existsNoFollow(QDir(dir).filePath(QStringLiteral("无.mdb"))));
    }

    // The identity the workgroup check caches by: unchanged while the file is, changed by a rewrite of the same
    // length or by another file renamed over it.
    void identityFollowsTheFilesVersion() {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString path = tmp.filePath(QStringLiteral("Mq4100.mdw"));
        const QString other = tmp.filePath(QStringLiteral("other"));
        QVERIFY(writeFile(path, "aaaa"));
        QVERIFY(writeFile(other, "bbbb"));
        const auto identity = [](const FileSystem::Status &s) {
            return QList<qint64>{qint64(s.device), qint64(s.fileNumber), s.size, s.modifiedSeconds,
                                 s.modifiedNanoseconds};
        };
        const QList<qint64> first = identity(FileSystem::status(path));
        QCOMPARE(identity(FileSystem::status(path)), first);

        QVERIFY(FileSystem::renameReplacing(other, path));
        QVERIFY(identity(FileSystem::status(path)) != first);
        QCOMPARE(readFile(path), QByteArray("bbbb"));
        QVERIFY(!FileSystem::status(other).exists);
    }

    // A second name shares the bytes; renaming onto an existing name replaces it; a failed rename says why.
    void linksAndRenames() {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString dir = tmp.filePath(kChineseFolder);
        QVERIFY(QDir().mkpath(dir));
        const QString a = QDir(dir).filePath(QStringLiteral("甲"));
        const QString b = QDir(dir).filePath(QStringLiteral("乙"));
        QVERIFY(writeFile(a, "first"));
        QVERIFY(FileSystem::hardLink(a, b));
        QCOMPARE(readFile(b), QByteArray("first"));
        QVERIFY(!FileSystem::hardLink(a, b)); // the name is taken

        QVERIFY(writeFile(a + QStringLiteral(".new"), "second"));
        QVERIFY(FileSystem::renameReplacing(a + QStringLiteral(".new"), a));
        QCOMPARE(readFile(a), QByteArray("second"));
        QCOMPARE(readFile(b), QByteArray("first")); // the other name keeps the old file

        QVERIFY(!FileSystem::renameReplacing(QDir(dir).filePath(QStringLiteral("无")), a));
        QVERIFY(!FileSystem::lastError().isEmpty());
    }

    void processesAndTheProgramsOwnFile() {
        QVERIFY(FileSystem::processIsRunning(QCoreApplication::applicationPid()));
        QVERIFY(!FileSystem::processIsRunning(0));
        QVERIFY(!FileSystem::processIsRunning(-1));
        QVERIFY(!FileSystem::processIsRunning(qint64(1) << 40));
        QCOMPARE(QFileInfo(FileSystem::executablePath()).canonicalFilePath(),
                 QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());
    }

    // The whole road through the engine from a Dat folder under a Chinese-named folder: the bank is written, its
    // workgroup checked, a paper drawn.
    void bankUnderAChineseFolder() {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString dir = tmp.filePath(kChineseFolder);
        QVERIFY(QDir().mkpath(dir));
        TDm dm;
        dm.ADOConnection1->setConnectionString(testConnectionString(writeTestBank(dir, makeTables())));
        const DrawnPaper paper = drawPaper(*dm.ADOQuery1, nullptr);
        QCOMPARE(paper.choiceIds.size(), 55);
        QCOMPARE(paper.fillIds.size(), 10);
    }
};

QTEST_GUILESS_MAIN(TestFileSystem)
#include "test_filesystem.moc"
