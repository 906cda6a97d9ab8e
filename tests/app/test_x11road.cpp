// SPDX-License-Identifier: GPL-3.0-or-later

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

#include "app/AppInfo.h"
#include "app/AppShell.h"
#include "app/Application.h"
#include "app/BusyMessage.h"
#include "app/ExecutableDir.h"
#include "app/TFrm_Ks_Sta.h"
#include "app/Tfrm_logo.h"
#include "app/Tx_printmessage.h"
#include "engine/TDm.h"
#include "rules/ExamState.h"
#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Choose.h"
#include "screens/TFrm_Ks_Fill.h"
#include "screens/TFrm_Ping.h"
#include "tests/support/SheetDriver.h"
#include "tests/support/TestBank.h"
#include "ui/MessageBoxSeam.h"
#include "ui/ModalLayer.h"
#include "ui/TdxButton.h"

// The trainer's real windows on a virtual X display, driven as a candidate would: the road by which a graded paper
// used to come back as an exam, and the window titles as the window system receives them. Runs under xvfb-run.
namespace {

// The title a window manager shows: the window's _NET_WM_NAME, read through a display connection of our own.
QString titleOnDisplay(const QWidget *window) {
    xcb_connection_t *xcb = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(xcb)) {
        xcb_disconnect(xcb);
        return QStringLiteral("(no display)");
    }
    const auto atom = [xcb](const char *name) {
        auto *reply = xcb_intern_atom_reply(xcb, xcb_intern_atom(xcb, 0, quint16(std::strlen(name)), name), nullptr);
        const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return value;
    };
    const auto cookie =
        xcb_get_property(xcb, 0, xcb_window_t(window->winId()), atom("_NET_WM_NAME"), atom("UTF8_STRING"), 0, 1024);
    QString title;
    if (auto *reply = xcb_get_property_reply(xcb, cookie, nullptr)) {
        title = QString::fromUtf8(static_cast<const char *>(xcb_get_property_value(reply)),
                                  xcb_get_property_value_length(reply));
        std::free(reply);
    }
    xcb_disconnect(xcb);
    return title;
}

} // namespace

class TestX11Road : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void titlesReachTheWindowSystemAsCaptions();
    void gradedPaperNeverComesBackAsAnExam();

private:
    static void click(QWidget *button) { QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center()); }
    static QWidget *startButton() { return static_cast<TFrm_Ks_Sta *>(Frm_Ks_Sta)->Button1; }
    QLineEdit *fillBox(int i) const {
        return Frm_Ks_Fill->findChild<QLineEdit *>(QStringLiteral("Edt_Fill_Da%1").arg(i));
    }

    QTemporaryDir m_dir;
    QStringList m_messages;
    int m_statements = 0;
};

void TestX11Road::initTestCase() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X display");
    QVERIFY(m_dir.isValid());
    writeTestBank(m_dir.path(), makeTables());
    Tfrm_logo::setDisplayTime(10);
    MessageBoxSeam::setHandler([this](QWidget *, const QString &, const QString &text) { m_messages << text; });
    setExecutableDirOverride(m_dir.path());
    resetExamState();
    createInstances();
    Dm->ADOQuery1->setStatementObserver([this](const QString &) { ++m_statements; });
    showMainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(Frm_Ks_Sta));
    QVERIFY(!isBlockedByModal(Frm_Ks_Sta));
}

void TestX11Road::cleanupTestCase() {
    if (Frm_Ks_Sta)
        destroyInstances();
    setExecutableDirOverride(QString());
    MessageBoxSeam::setHandler({});
}

void TestX11Road::titlesReachTheWindowSystemAsCaptions() {
    QTRY_COMPARE(titleOnDisplay(Frm_Ks_Sta), productTitle());
    ShowBusyMessage(QStringLiteral("正在随机抽题请等待...."), 3);
    QTRY_COMPARE(titleOnDisplay(x_printmessage), QStringLiteral("计算机等级考试(笔试)"));
    CloseBusyMessage();

    click(startButton());
    QVERIFY(QTest::qWaitForWindowExposed(Frm_Ks_Choose));
    QTRY_COMPARE(titleOnDisplay(Frm_Ks_Choose), QStringLiteral("选择题"));
    click(Frm_Ks_Choose->Btn_Fill);
    QVERIFY(QTest::qWaitForWindowExposed(Frm_Ks_Fill));
    QTRY_COMPARE(titleOnDisplay(Frm_Ks_Fill), QStringLiteral("填空题"));

    QString sheetTitle;
    SheetDriver driver;
    driver.whileSheetUp([&sheetTitle] {
        QTRY_COMPARE(titleOnDisplay(Frm_Ping), QStringLiteral("评分评分"));
        sheetTitle = titleOnDisplay(Frm_Ping);
        click(Frm_Ping->Button2);
    });
    click(Frm_Ks_Fill->btn_ping);
    QVERIFY(driver.ran());
    QCOMPARE(sheetTitle, QStringLiteral("评分评分"));
    QVERIFY(m_messages.isEmpty());
}

void TestX11Road::gradedPaperNeverComesBackAsAnExam() {
    // 1. Start, answer question 1 with A, hand in.
    click(startButton());
    QVERIFY(QTest::qWaitForWindowExposed(Frm_Ks_Choose));
    QCOMPARE(Frm_Ks_Choose->Tag, 1);
    click(Frm_Ks_Choose->Btn_Ans_A);
    QCOMPARE(ChoiceQuestions[1].CandidateAnswer, QByteArray("A"));

    // 2. On the score sheet reopen fill-in question 1, then "&Q退出": the fill-in screen stays open in review.
    SheetDriver driver;
    driver.whileSheetUp([] {
        click(Frm_Ping->findChild<QPushButton *>(QStringLiteral("BitBtn56")));
        QVERIFY(QTest::qWaitForWindowExposed(Frm_Ks_Fill));
        click(Frm_Ping->Button2);
    });
    click(Frm_Ks_Choose->Btn_ping);
    QVERIFY(driver.ran());
    QVERIFY(!Frm_Ping);
    QVERIFY(Frm_Ks_Fill->isVisible());
    QVERIFY(!fillBox(1)->isEnabled());

    // 3. That screen's "选择题": the choice screen comes over the graded paper, and nothing is drawn.
    const int statements = m_statements;
    click(Frm_Ks_Fill->btn_choose);
    QVERIFY(QTest::qWaitForWindowExposed(Frm_Ks_Choose));
    QCOMPARE(Frm_Ks_Choose->Tag, 0);
    QCOMPARE(m_statements, statements);

    // 4. "&S开始考试": a fresh paper in exam mode, drawn once, nothing answered, the countdown from 90:00.
    RemainingMinutes = 42;
    RemainingSeconds = 0;
    click(startButton());
    QVERIFY(QTest::qWaitForWindowExposed(Frm_Ks_Choose));
    QCOMPARE(m_statements, statements + 65);
    QCOMPARE(Frm_Ks_Choose->Tag, 1);
    QVERIFY(Frm_Ks_Choose->Btn_Ans_A->isEnabled());
    QVERIFY(Frm_Ks_Choose->Btn_ping->isEnabled());
    QVERIFY(RemainingMinutes * 60 + RemainingSeconds >= 89 * 60 + 55);
    for (int n = 1; n <= Exam::kChoiceCount; ++n)
        QVERIFY(ChoiceQuestions[n].CandidateAnswer.isEmpty());
    for (int i = 1; i <= Exam::kFillCount; ++i)
        QVERIFY(FillQuestions[i].CandidateAnswer.isEmpty());
    click(Frm_Ks_Choose->Btn_Ans_C);

    // 5. "填空题", type an answer, back with "选择题": the same paper, every answer kept, the countdown running on.
    click(Frm_Ks_Choose->Btn_Fill);
    QVERIFY(QTest::qWaitForWindowExposed(Frm_Ks_Fill));
    QVERIFY(fillBox(1)->isEnabled());
    click(fillBox(1));
    QTest::keyClicks(fillBox(1), QStringLiteral("abc"));
    RemainingMinutes = 30;
    click(Frm_Ks_Fill->btn_choose);
    QTRY_VERIFY(Frm_Ks_Choose->isVisible());
    QCOMPARE(m_statements, statements + 65);
    QCOMPARE(Frm_Ks_Choose->Tag, 1);
    QCOMPARE(ChoiceQuestions[1].CandidateAnswer, QByteArray("C"));
    QCOMPARE(FillQuestions[1].CandidateAnswer, QByteArray("abc"));
    QVERIFY(RemainingMinutes * 60 + RemainingSeconds <= 30 * 60);
    QVERIFY(m_messages.isEmpty());
}

int main(int argc, char *argv[]) {
    Application app(argc, argv);
    TestX11Road test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_x11road.moc"
