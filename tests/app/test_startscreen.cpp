// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <stdexcept>

#include "app/AppInfo.h"
#include "app/AppShell.h"
#include "app/Application.h"
#include "app/BusyMessage.h"
#include "app/ExecutableDir.h"
#include "app/TFrm_Ks_Sta.h"
#include "app/Tfrm_logo.h"
#include "app/Tx_printmessage.h"
#include "engine/BankError.h"
#include "engine/ConnectionString.h"
#include "engine/TDm.h"
#include "rules/ExamState.h"
#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Choose.h"
#include "screens/TFrm_Ks_Fill.h"
#include "tests/support/TestBank.h"
#include "ui/FrameImage.h"
#include "ui/MessageBoxSeam.h"

namespace {
struct ShownMessage {
    QWidget *parent;
    QString title;
    QString text;
};

// A window whose show handling fails, as a screen does whose drawing fails.
class FailingWindow : public QWidget {
public:
    enum class Failure { Bank, Standard, Unknown };
    explicit FailingWindow(Failure failure) : m_failure(failure) {}

protected:
    void showEvent(QShowEvent *) override {
        switch (m_failure) {
        case Failure::Bank:
            throw BankError(QStringLiteral("题库文件不存在：/无处/Dat/Bs.mdb"));
        case Failure::Standard:
            throw std::runtime_error("磁盘已满");
        case Failure::Unknown:
            throw 42;
        }
    }

private:
    Failure m_failure;
};

// Runs the application's own message loop until the program ends it; 99 when it does not within five seconds.
int runMessageLoop(std::function<void()> firstStep) {
    QTimer::singleShot(0, std::move(firstStep));
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    return QCoreApplication::exec();
}
} // namespace

class TestStartScreen : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void instancesAreMadeInOrderAndOnlyTheMainWindowShows();
    void failedStartReportsTheReasonAndGoesOn_data();
    void failedStartReportsTheReasonAndGoesOn();
    void startWithTheBankInPlaceDrawsAPaper();
    void windowTitlesAreTheCaptions_data();
    void windowTitlesAreTheCaptions();
    void minimisingTheStartScreenMinimisesEveryWindow();
    void executableDirEndsInOneSeparator_data();
    void executableDirEndsInOneSeparator();
    void altQEndsTheProgram();
    void closingTheStartScreenEndsTheProgram();
    void errorHandlerShowsTheMessageAndTheLoopGoesOn_data();
    void errorHandlerShowsTheMessageAndTheLoopGoesOn();

private:
    void clickStart();
    static int lastResortCatches() { return static_cast<Application *>(qApp)->lastResortCatches(); }

    QTemporaryDir m_dir;
    QList<ShownMessage> m_messages;
    QStringList m_created;
};

void TestStartScreen::initTestCase() {
    QVERIFY(m_dir.isValid());
    Tfrm_logo::setDisplayTime(10);
    MessageBoxSeam::setHandler([this](QWidget *parent, const QString &title, const QString &text) {
        m_messages.append({parent, title, text});
    });
}

void TestStartScreen::init() {
    m_messages.clear();
    m_created.clear();
    resetExamState();
    setExecutableDirOverride(m_dir.path());
    createInstances(
        [this](QObject *instance) { m_created.append(QLatin1String(instance->metaObject()->className())); });
}

void TestStartScreen::cleanup() {
    destroyInstances();
    setExecutableDirOverride(QString());
}

void TestStartScreen::clickStart() {
    auto *start = Frm_Ks_Sta->findChild<QWidget *>(QStringLiteral("Button1"));
    QVERIFY(start);
    QTest::mouseClick(start, Qt::LeftButton, {}, start->rect().center());
}

void TestStartScreen::instancesAreMadeInOrderAndOnlyTheMainWindowShows() {
    QCOMPARE(m_created,
             QStringList({QStringLiteral("TFrm_Ks_Sta"), QStringLiteral("TDm"), QStringLiteral("Tx_printmessage"),
                          QStringLiteral("TFrm_Ks_Choose"), QStringLiteral("TFrm_Ks_Fill")}));
    QVERIFY(qobject_cast<TFrm_Ks_Sta *>(Frm_Ks_Sta));
    QVERIFY(Dm && x_printmessage && Frm_Ks_Choose && Frm_Ks_Fill);
    for (QWidget *w : {static_cast<QWidget *>(Frm_Ks_Sta), static_cast<QWidget *>(x_printmessage),
                       static_cast<QWidget *>(Frm_Ks_Choose), static_cast<QWidget *>(Frm_Ks_Fill)})
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));

    showMainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(Frm_Ks_Sta));
    QCOMPARE(Frm_Ks_Sta->Caption(), productTitle());
    QCOMPARE(Tfrm_qelNeoForm::mainWindow(), static_cast<QWidget *>(Frm_Ks_Sta));
    QCOMPARE(Frm_Ks_Sta->size(), QSize(397, 293));
    QVERIFY(Frm_Ks_Sta->isEnabled());
    QVERIFY(!x_printmessage->isVisible());
    QVERIFY(!Frm_Ks_Choose->isVisible());
    QVERIFY(!Frm_Ks_Fill->isVisible());
}

void TestStartScreen::failedStartReportsTheReasonAndGoesOn_data() {
    QTest::addColumn<int>("choicePerModule");
    QTest::addColumn<QStringList>("expectedAnyOf");
    // The folder itself is what is missing, and the message says so rather than naming a file in it.
    QTest::newRow("no bank") << 0
                             << QStringList{QStringLiteral("找不到题库文件夹：") +
                                            QDir::toNativeSeparators(m_dir.path() + QStringLiteral("/Dat"))};
    // The bank opens, but the drawing fails: module 1 cannot give its eleven questions.
    QTest::newRow("drawing fails") << 10 << QStringList{QStringLiteral("至少需要 11 道")};
}

void TestStartScreen::failedStartReportsTheReasonAndGoesOn() {
    QFETCH(int, choicePerModule);
    QFETCH(QStringList, expectedAnyOf);
    if (choicePerModule > 0)
        writeTestBank(m_dir.path(), makeTables(choicePerModule));
    const int caughtBefore = lastResortCatches();
    showMainWindow();
    clickStart();

    QTRY_COMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.first().title, productTitle());
    const QString text = m_messages.first().text;
    QVERIFY2(
        std::any_of(expectedAnyOf.begin(), expectedAnyOf.end(), [&text](const QString &e) { return text.contains(e); }),
        qPrintable(text));
    // Caught by the handler that raised it: nothing travelled on through Qt to the last resort.
    QCOMPARE(lastResortCatches(), caughtBefore);
    // Tidied up: no busy window, no half-drawn paper on screen or kept for the next start.
    QVERIFY(!x_printmessage->isVisible());
    QTRY_VERIFY(!Frm_Ks_Choose->isVisible());
    QCOMPARE(Frm_Ks_Choose->Tag, 0);
    QVERIFY(Frm_Ks_Sta->isVisible());
    QVERIFY(Frm_Ks_Sta->isEnabled());
    QCOMPARE(QDir(m_dir.filePath(QStringLiteral("Dat"))).exists(), choicePerModule > 0);

    // The same run goes on: a start with a good bank in place now draws.
    QDir(m_dir.filePath(QStringLiteral("Dat"))).removeRecursively();
    writeTestBank(m_dir.path(), makeTables());
    clickStart();
    QTRY_VERIFY(Frm_Ks_Choose->isVisible());
    QCOMPARE(Frm_Ks_Choose->Tag, 1);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(lastResortCatches(), caughtBefore);
    QDir(m_dir.filePath(QStringLiteral("Dat"))).removeRecursively();
}

void TestStartScreen::startWithTheBankInPlaceDrawsAPaper() {
    writeTestBank(m_dir.path(), makeTables());
    showMainWindow();
    clickStart();

    QTRY_VERIFY(Frm_Ks_Choose->isVisible());
    QVERIFY(!x_printmessage->isVisible());
    QVERIFY(m_messages.isEmpty());
    const QString dat = QDir::toNativeSeparators(m_dir.path() + QStringLiteral("/Dat/"));
    QCOMPARE(BankPath, dat + QStringLiteral("Bs.mdb"));
    QCOMPARE(Dm->ADOConnection1->connectionString(),
             buildConnectionString(dat + QStringLiteral("Bs.mdb"), dat + QStringLiteral("Mq4100.mdw")));
    QCOMPARE(Frm_Ks_Choose->Tag, 1);
    QVERIFY(!ChoiceQuestions[1].QuestionText.isEmpty());
    QVERIFY(!FillQuestions[10].Key.isEmpty());
    // The start screen stays up, usable, behind the answering screen.
    QVERIFY(Frm_Ks_Sta->isVisible());
    QVERIFY(Frm_Ks_Sta->isEnabled());

    // Another start while the paper is up re-points the connection and keeps the paper.
    const QByteArray first = ChoiceQuestions[1].QuestionText;
    clickStart();
    QCOMPARE(ChoiceQuestions[1].QuestionText, first);
    QVERIFY(!x_printmessage->isVisible());
    QDir(m_dir.filePath(QStringLiteral("Dat"))).removeRecursively();
}

void TestStartScreen::windowTitlesAreTheCaptions_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::newRow("start screen") << "Frm_Ks_Sta" << productTitle();
    QTest::newRow("busy message") << "x_printmessage" << QStringLiteral("计算机等级考试(笔试)");
    QTest::newRow("choice screen") << "Frm_Ks_Choose" << QStringLiteral("选择题");
    QTest::newRow("fill-in screen") << "Frm_Ks_Fill" << QStringLiteral("填空题");
}

void TestStartScreen::windowTitlesAreTheCaptions() {
    QFETCH(QString, window);
    QFETCH(QString, caption);
    QWidget *shown = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == window)
            shown = w;
    QVERIFY(shown);
    // The choice screen would draw a paper when shown; it is shown here as one that has a paper.
    Frm_Ks_Choose->Tag = 1;
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    QCOMPARE(shown->windowTitle(), caption);
    QCOMPARE(shown->windowHandle()->title(), caption);
    // What the window system is given: the application sets no display name, which Qt would append to it.
    QVERIFY(QGuiApplication::applicationDisplayName() == QCoreApplication::applicationName());
}

void TestStartScreen::minimisingTheStartScreenMinimisesEveryWindow() {
    showMainWindow();
    Frm_Ks_Fill->show();
    QVERIFY(QTest::qWaitForWindowExposed(Frm_Ks_Sta));
    QVERIFY(QTest::qWaitForWindowExposed(Frm_Ks_Fill));
    // The start screen shows no minimise button; its handler is called as the button would call it.
    Frm_Ks_Sta->ImageMinClick(Frm_Ks_Sta->ImageMin);
    QTRY_VERIFY(Frm_Ks_Sta->isMinimized());
    QTRY_VERIFY(Frm_Ks_Fill->isMinimized());

    // Minimising another screen minimises that screen alone.
    Frm_Ks_Sta->setWindowState(Qt::WindowNoState);
    Frm_Ks_Fill->setWindowState(Qt::WindowNoState);
    QTRY_VERIFY(!Frm_Ks_Fill->isMinimized());
    Frm_Ks_Fill->ImageMinClick(Frm_Ks_Fill->ImageMin);
    QTRY_VERIFY(Frm_Ks_Fill->isMinimized());
    QVERIFY(!Frm_Ks_Sta->isMinimized());
}

void TestStartScreen::executableDirEndsInOneSeparator_data() {
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("expected");
    QTest::newRow("without separator") << "/opt/考试/bin"
                                       << "/opt/考试/bin/";
    QTest::newRow("with separator") << "/opt/考试/bin/"
                                    << "/opt/考试/bin/";
    QTest::newRow("with blanks") << "/home/a b/模拟 训练"
                                 << "/home/a b/模拟 训练/";
}

void TestStartScreen::executableDirEndsInOneSeparator() {
    QFETCH(QString, directory);
    QFETCH(QString, expected);
    setExecutableDirOverride(directory);
    QCOMPARE(executableDir(), QDir::toNativeSeparators(expected));
    setExecutableDirOverride(QString());
    const QString own = executableDir();
    QCOMPARE(own, QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator());
}

void TestStartScreen::altQEndsTheProgram() {
    const int result = runMessageLoop([] {
        showMainWindow();
        Frm_Ks_Sta->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Frm_Ks_Sta));
        QTest::keyClick(Frm_Ks_Sta, Qt::Key_Q, Qt::AltModifier);
    });
    QCOMPARE(result, 0);
}

void TestStartScreen::closingTheStartScreenEndsTheProgram() {
    // With another screen still up: the start screen is the main window, not merely the last one.
    const int result = runMessageLoop([] {
        showMainWindow();
        Frm_Ks_Fill->show();
        if (auto *closeButton = Frm_Ks_Sta->findChild<QWidget *>(QStringLiteral("ImageClose")))
            QTest::mouseClick(closeButton, Qt::LeftButton, {}, closeButton->rect().center());
        else
            Frm_Ks_Sta->close();
    });
    QCOMPARE(result, 0);
    QVERIFY(!Frm_Ks_Sta->isVisible());
}

void TestStartScreen::errorHandlerShowsTheMessageAndTheLoopGoesOn_data() {
    QTest::addColumn<int>("failure");
    QTest::addColumn<QString>("message");
    QTest::newRow("bank") << int(FailingWindow::Failure::Bank) << QStringLiteral("题库文件不存在：/无处/Dat/Bs.mdb");
    QTest::newRow("standard") << int(FailingWindow::Failure::Standard) << QStringLiteral("磁盘已满");
    QTest::newRow("unknown") << int(FailingWindow::Failure::Unknown) << QStringLiteral("程序发生了未知的错误。");
}

void TestStartScreen::errorHandlerShowsTheMessageAndTheLoopGoesOn() {
    QFETCH(int, failure);
    QFETCH(QString, message);
    const int caughtBefore = lastResortCatches();
    showMainWindow();
    ShowBusyMessage(QStringLiteral("正在随机抽题请等待...."), 3);
    FailingWindow window{FailingWindow::Failure(failure)};
    window.show();
    // The busy window goes at once; the message follows once the failing show has been dealt with.
    QVERIFY(!x_printmessage->isVisible());
    QVERIFY(m_messages.isEmpty());
    QTRY_COMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.first().text, message);
    QCOMPARE(m_messages.first().title, productTitle());
    QCOMPARE(m_messages.first().parent, static_cast<QWidget *>(Frm_Ks_Sta));
    // A failure no handler caught is still caught at the last resort.
    QCOMPARE(lastResortCatches(), caughtBefore + 1);
    bool later = false;
    QTimer::singleShot(0, [&later] { later = true; });
    QTRY_VERIFY(later);
}

int main(int argc, char *argv[]) {
    Application app(argc, argv);
    TestStartScreen test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_startscreen.moc"
