// SPDX-License-Identifier: GPL-3.0-or-later

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <cstdio>

#include <sys/stat.h>
#include <unistd.h>

#include "app/AppShell.h"
#include "app/Application.h"
#include "app/Tfrm_logo.h"
#include "screens/ExamPhase.h"
#include "screens/ScreenGlobals.h"
#include "tests/support/ByteRun.h"
#include "tests/support/TestBank.h"
#include "ui/MessageBoxSeam.h"
#include "ui/TdxButton.h"
#include "ui/Tfrm_qelNeoForm.h"

namespace {

// Set in the environment of the copy of this program that plays the trainer.
const char kTrainerRun[] = "MOCKEXAM_TEST_TRAINER_RUN";

// 模拟考试 in GBK, as a zip made on Windows unpacks it: not UTF-8.
const QByteArray kExamFolder = "\xc4\xa3\xc4\xe2\xbf\xbc\xca\xd4";

// The trainer as it starts from its own folder, with no folder given to it: "&S开始考试" is clicked, and what
// came of it is printed (whether a paper was drawn, every message box's text).
int playTrainer(int argc, char *argv[]) {
    Application app(argc, argv);
    QStringList messages;
    MessageBoxSeam::setHandler([&](QWidget *, const QString &, const QString &text) { messages.append(text); });
    Tfrm_logo::setDisplayTime(10);
    createInstances();
    showMainWindow();
    TdxButton *start = Frm_Ks_Sta->findChild<TdxButton *>(QStringLiteral("Button1"));
    QTest::mouseClick(start, Qt::LeftButton, {}, start->rect().center());
    const QDeadlineTimer deadline(20000);
    while (!ExamPhase::paperDrawn() && messages.isEmpty() && !deadline.hasExpired())
        QTest::qWait(20);
    const bool drawn = ExamPhase::paperDrawn();
    QTextStream out(stdout);
    out << (drawn ? "paper drawn\n" : "no paper\n");
    for (const QString &message : std::as_const(messages))
        out << "message: " << message << '\n';
    out.flush();
    destroyInstances();
    return drawn ? 0 : 1;
}

// A second name for this program's file in FOLDER: a hard link where it can be, a copy elsewhere. A symbolic link
// would not do, the program's own path resolves it.
bool placeProgram(const QByteArray &program) {
    const QByteArray self = QFile::encodeName(QCoreApplication::applicationFilePath());
    if (::link(self.constData(), program.constData()) == 0)
        return true;
    QFile source(QCoreApplication::applicationFilePath());
    FILE *target = std::fopen(program.constData(), "wb");
    if (!target || !source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = source.readAll();
    const bool written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), target) == size_t(bytes.size());
    return std::fclose(target) == 0 && written && ::chmod(program.constData(), 0755) == 0;
}

} // namespace

// The trainer in a folder whose name is not UTF-8: it finds the Dat folder beside itself, draws a paper, and names
// the folder in its messages as the user sees it.
class TestStartFolder : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_tmp;
    QByteArray m_folder;
    QByteArray m_program;

private slots:
    void initTestCase() {
        QVERIFY(m_tmp.isValid());
        m_folder = QFile::encodeName(m_tmp.path()) + '/' + kExamFolder;
        m_program = m_folder + "/mockexam";
        // The bank is written under a plain name, then the folder takes its name.
        const QByteArray plain = QFile::encodeName(m_tmp.path()) + "/plain";
        writeTestBank(QFile::decodeName(plain), makeTables());
        QCOMPARE(::rename(plain.constData(), m_folder.constData()), 0);
        QVERIFY(placeProgram(m_program));
    }

    void findsItsBankAndDrawsAPaper() {
        const ByteRun run = runBytes(m_program, {}, QFile::encodeName(m_tmp.path()), {QByteArray(kTrainerRun) + "=1"});
        QVERIFY2(run.status == 0 && run.out.startsWith(QStringLiteral("paper drawn")), qPrintable(run.report()));
        QVERIFY2(!run.out.contains(QStringLiteral("message:")), qPrintable(run.report()));
    }

    void missingBankIsNamedAsTheUserSeesIt() {
        const QByteArray bank = m_folder + "/Dat/Bs.mdb";
        QCOMPARE(::rename(bank.constData(), (m_folder + "/Bs.mdb.away").constData()), 0);
        const ByteRun run = runBytes(m_program, {}, QFile::encodeName(m_tmp.path()), {QByteArray(kTrainerRun) + "=1"});
        QCOMPARE(::rename((m_folder + "/Bs.mdb.away").constData(), bank.constData()), 0);
        QVERIFY2(run.status == 1, qPrintable(run.report()));
        QVERIFY2(run.out.contains(QString::fromUtf8(bank)), qPrintable(run.report()));
        QVERIFY2(!run.out.contains(QStringLiteral("/proc/")), qPrintable(run.report()));
    }
};

int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsSet(kTrainerRun))
        return playTrainer(argc, argv);
    QCoreApplication app(argc, argv);
    TestStartFolder test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_startfolder.moc"
