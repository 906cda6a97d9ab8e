// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/AppShell.h"
#include "app/Application.h"
#include "app/ExecutableDir.h"
#include "app/TAnimate.h"
#include "app/Tfrm_logo.h"
#include "app/Tx_printmessage.h"
#include "engine/CipherKeyCache.h"
#include "engine/WorkgroupFile.h"
#include "jet/JetChildReader.h"
#include "rules/ExamState.h"
#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Choose.h"
#include "tests/support/JetFixtures.h"
#include "tests/support/TestBank.h"
#include "ui/MessageBoxSeam.h"
#include "ui/TdxButton.h"

namespace {

// Runs the application's own message loop until the program ends it; 99 when it does not within twenty seconds.
int runMessageLoop(const std::function<void()> &firstStep) {
    QTimer::singleShot(0, firstStep);
    QTimer::singleShot(20000, [] { QCoreApplication::exit(99); });
    return QCoreApplication::exec();
}

TdxButton *startScreenButton(const char *name) {
    return Frm_Ks_Sta->findChild<TdxButton *>(QLatin1String(name));
}

void click(QWidget *widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

} // namespace

// The start screen and the bank: the keys derived while the splash is up, and a legacy bank's reading child that
// hangs while the windows stay alive.
class TestStartBank : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void keysAreDerivedWhileTheSplashIsUp();
    void failureWhileTheSplashIsUpIsReportedAtTheStart();
    void hungReaderLeavesTheWindowsAliveAndQuitEndsTheProgram();

private:
    QTemporaryDir m_dir;
    QStringList m_messages;
};

void TestStartBank::initTestCase() {
    QVERIFY(m_dir.isValid());
    Tfrm_logo::setDisplayTime(10);
    MessageBoxSeam::setHandler([this](QWidget *, const QString &, const QString &text) { m_messages.append(text); });
}

void TestStartBank::init() {
    m_messages.clear();
    resetExamState();
    setExecutableDirOverride(m_dir.path());
    createInstances();
}

void TestStartBank::cleanup() {
    destroyInstances();
    setExecutableDirOverride(QString());
    QDir(m_dir.filePath(QStringLiteral("Dat"))).removeRecursively();
    JetChildReader::setToolPath(QString());
    JetChildReader::setTimeout(0);
}

// Both slow derivations run before the start button is pressed; the first start then derives nothing.
void TestStartBank::keysAreDerivedWhileTheSplashIsUp() {
    writeTestBank(m_dir.path(), makeTables()); // a new bank: a salt and a workgroup file this process has not seen
    const int derivations = CipherKeyCache::derivationCount();
    const int hashes = WorkgroupFile::hashCount();
    showMainWindow();
    QTRY_COMPARE(CipherKeyCache::derivationCount(), derivations + 1);
    QTRY_COMPARE(WorkgroupFile::hashCount(), hashes + 1);

    click(startScreenButton("Button1"));
    QTRY_VERIFY(Frm_Ks_Choose->isVisible());
    QCOMPARE(Frm_Ks_Choose->Tag, 1);
    QCOMPARE(CipherKeyCache::derivationCount(), derivations + 1);
    QCOMPARE(WorkgroupFile::hashCount(), hashes + 1);
    QVERIFY(m_messages.isEmpty());
}

// The derivation meets the missing workgroup file during the splash and says nothing; the start says it, once.
void TestStartBank::failureWhileTheSplashIsUpIsReportedAtTheStart() {
    const QString dat = writeTestBank(m_dir.path(), makeTables());
    QVERIFY(QFile::remove(QDir(dat).filePath(QStringLiteral("Mq4100.mdw"))));
    showMainWindow();
    QVERIFY(m_messages.isEmpty());
    click(startScreenButton("Button1"));
    QTRY_COMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages.first().contains(QStringLiteral("工作组文件不存在")), qPrintable(m_messages.first()));
    QCOMPARE(Frm_Ks_Choose->Tag, 0);
}

// A reading child that never answers: while the start waits for it, the busy window animates, a second start and
// a countdown tick are kept out, and "&Q退出" ends the program at once.
void TestStartBank::hungReaderLeavesTheWindowsAliveAndQuitEndsTheProgram() {
    makeJetBankDir(m_dir.filePath(QStringLiteral("Dat")), QStringLiteral("V2003_no-password.mdb"));
    QTemporaryDir tools;
    const QString hanging = tools.filePath(QStringLiteral("mockexam-bank"));
    {
        QFile script(hanging);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nexec sleep 600\n");
    }
    QVERIFY(QFile::setPermissions(hanging, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    JetChildReader::setToolPath(hanging);
    JetChildReader::setTimeout(600000);
    const int runs = JetChildReader::runCount();

    int secondStarts = 0;
    bool checked = false;
    QTimer whileWaiting;
    whileWaiting.setInterval(20);
    connect(&whileWaiting, &QTimer::timeout, this, [&] {
        if (JetChildReader::runCount() == runs || checked)
            return;
        checked = true;
        whileWaiting.stop();
        QVERIFY(x_printmessage->isVisible());
        const int frame = x_printmessage->Animate1->currentFrame();
        QTRY_VERIFY(x_printmessage->Animate1->currentFrame() != frame);

        connect(startScreenButton("Button1"), &TdxButton::clicked, this, [&] { ++secondStarts; });
        click(startScreenButton("Button1"));
        QTest::keyClick(Frm_Ks_Sta, Qt::Key_S, Qt::AltModifier);
        const int remaining = RemainingMinutes * 60 + RemainingSeconds;
        QVERIFY(Frm_Ks_Choose->Timer1->isActive());
        QTimerEvent tick(Frm_Ks_Choose->Timer1->timerId());
        QCoreApplication::sendEvent(Frm_Ks_Choose->Timer1, &tick);
        QCOMPARE(RemainingMinutes * 60 + RemainingSeconds, remaining);

        click(startScreenButton("Button2"));
    });

    // A countdown that a tick would move (the paper being drawn resets it only once drawn).
    RemainingMinutes = 5;
    RemainingSeconds = 30;
    const int result = runMessageLoop([&] {
        showMainWindow();
        whileWaiting.start();
        click(startScreenButton("Button1"));
    });
    QVERIFY(checked);
    QCOMPARE(result, 0);
    QCOMPARE(secondStarts, 0);
    QCOMPARE(JetChildReader::runCount(), runs + 1);
    QCOMPARE(Frm_Ks_Choose->Tag, 0);
    // The failed start's message waits for a running event loop; let it come and go before the next test.
    QTRY_VERIFY(!m_messages.isEmpty());
}

int main(int argc, char *argv[]) {
    Application app(argc, argv);
    TestStartBank test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_startbank.moc"
