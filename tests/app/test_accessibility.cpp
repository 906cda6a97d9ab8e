// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/AppShell.h"
#include "app/Application.h"
#include "app/Tfrm_logo.h"
#include "rules/ExamState.h"
#include "screens/ReviewMode.h"
#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Choose.h"
#include "screens/TFrm_Ks_Fill.h"
#include "screens/TFrm_Ping.h"
#include "tests/support/SheetDriver.h"
#include "ui/FrameImage.h"
#include "ui/MessageBoxSeam.h"
#include "ui/TdxButton.h"

namespace {

bool hasChinese(const QString &text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF)
            return true;
    return false;
}

// A control is whatever the candidate can put the focus on or click: buttons, boxes, tab bars, scroll bars, and the
// window frame's pictures that answer the mouse.
bool isControl(const QWidget *widget) {
    if (const auto *image = qobject_cast<const FrameImage *>(widget))
        return image->isControl();
    return widget->focusPolicy() != Qt::NoFocus || qobject_cast<const QAbstractButton *>(widget) ||
           qobject_cast<const QAbstractSlider *>(widget);
}

QString accessibleName(QObject *object) {
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(object);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

// The controls of a window that a screen reader could not announce in Chinese, with what it would say instead.
QStringList controlsWithoutChineseName(QWidget *window, int *checked) {
    QStringList missing;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(window) || !isControl(widget))
            continue;
        ++*checked;
        const QString name = accessibleName(widget);
        if (!hasChinese(name))
            missing << QStringLiteral("%1/%2 (%3) \"%4\"")
                           .arg(window->objectName(), widget->objectName(),
                                QLatin1String(widget->metaObject()->className()), name);
    }
    return missing;
}

QWidget *windowNamed(const QString &name) {
    if (name == QLatin1String("start"))
        return Frm_Ks_Sta;
    if (name == QLatin1String("choice"))
        return Frm_Ks_Choose;
    if (name == QLatin1String("fill"))
        return Frm_Ks_Fill;
    return Frm_Ping;
}

} // namespace

// The trainer for screen readers and in Chinese throughout: every control of every screen carries a Chinese
// accessible name, the custom buttons are announced and pressed as buttons, and Qt's standard dialogs speak
// Chinese.
class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void everyControlHasAChineseName();
    void namesSayWhatAControlIs_data();
    void namesSayWhatAControlIs();
    void gradientButtonIsPressedAsAButton();
    void messageBoxButtonsReadChinese();

private:
    // Runs `step` in review mode: the sheet up, choice and fill-in question 1 reopened beside it.
    void inReview(const std::function<void()> &step);

    SheetDriver *m_driver = nullptr;
};

void TestAccessibility::initTestCase() {
    Tfrm_logo::setDisplayTime(10);
}

void TestAccessibility::init() {
    resetExamState();
    createInstances();
    // The paper counts as drawn: these tests need no question bank.
    Frm_Ks_Choose->Tag = 1;
    showMainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(Frm_Ks_Sta));
    QTRY_VERIFY(Frm_Ks_Sta->isEnabled());
    m_driver = new SheetDriver(this);
}

void TestAccessibility::cleanup() {
    delete m_driver;
    m_driver = nullptr;
    destroyInstances();
}

void TestAccessibility::inReview(const std::function<void()> &step) {
    SetReviewMode(false);
    Frm_Ks_Choose->show();
    m_driver->whileSheetUp([step] {
        QTest::mouseClick(Frm_Ping->findChild<QPushButton *>(QStringLiteral("BitBtn1")), Qt::LeftButton);
        QTest::mouseClick(Frm_Ping->findChild<QPushButton *>(QStringLiteral("BitBtn56")), Qt::LeftButton);
        step();
        if (Frm_Ping)
            Frm_Ping->Button2->click();
    });
    SetReviewMode(true);
    QVERIFY(m_driver->ran());
}

void TestAccessibility::everyControlHasAChineseName() {
    const QStringList screens = {QStringLiteral("start"), QStringLiteral("choice"), QStringLiteral("fill")};
    QStringList missing;
    int checked = 0;
    SetReviewMode(false);
    for (const QString &screen : screens)
        missing << controlsWithoutChineseName(windowNamed(screen), &checked);
    const int inExam = checked;

    inReview([&] {
        for (const QString &screen : screens + QStringList{QStringLiteral("sheet")})
            missing << controlsWithoutChineseName(windowNamed(screen), &checked);
    });
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
    // 55 numbered buttons and 4 answer buttons on the choice screen, 10 buttons and 10 boxes on the fill-in screen
    // at the least; in review the 65 buttons of the sheet besides.
    QVERIFY2(inExam > 55 + 4 + 20, qPrintable(QString::number(inExam)));
    QVERIFY2(checked - inExam > inExam + 65, qPrintable(QString::number(checked - inExam)));
}

void TestAccessibility::namesSayWhatAControlIs_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    const int button = int(QAccessible::Button);
    const int text = int(QAccessible::EditableText);
    // A gradient button and a frame picture are announced as buttons, by caption and by hint.
    QTest::newRow("start button") << "start"
                                  << "Button1" << QStringLiteral("S开始考试") << button;
    QTest::newRow("frame's close picture") << "choice"
                                           << "ImageClose" << QStringLiteral("关闭") << button;
    // A standard button keeps its caption; boxes say what they hold.
    QTest::newRow("hand-in") << "choice"
                             << "Btn_ping" << QStringLiteral("交卷") << button;
    QTest::newRow("fill answer box") << "fill"
                                     << "Edt_Fill_Da3" << QStringLiteral("第 3 题答案") << text;
    QTest::newRow("sheet choice score") << "sheet"
                                        << "Edit_choose" << QStringLiteral("选择题得分") << text;
    // The stand-in bar of the disabled key box is named after the box, as the boxes' own bars are.
    QTest::newRow("key box's scroll bar")
        << "fill"
        << "Memo1ScrollBar" << QStringLiteral("答案与解析滚动条") << int(QAccessible::ScrollBar);
}

void TestAccessibility::namesSayWhatAControlIs() {
    QFETCH(QString, screen);
    QFETCH(QString, component);
    QFETCH(QString, name);
    QFETCH(int, role);
    QString said;
    int saidRole = -1;
    inReview([&] {
        QWidget *control = windowNamed(screen)->findChild<QWidget *>(component);
        QVERIFY(control);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
        QVERIFY(accessible);
        said = accessible->text(QAccessible::Name);
        saidRole = int(accessible->role());
    });
    QCOMPARE(said, name);
    QCOMPARE(saidRole, role);
}

void TestAccessibility::gradientButtonIsPressedAsAButton() {
    bool pressedShut = false;
    inReview([&] {
        QAccessibleInterface *quit = QAccessible::queryAccessibleInterface(Frm_Ping->Button2);
        QAccessibleActionInterface *actions = quit->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        pressedShut = !Frm_Ping || !Frm_Ping->isVisible();
    });
    QVERIFY(pressedShut);
    QCOMPARE(Frm_Ks_Choose->Tag, 0);
}

void TestAccessibility::messageBoxButtonsReadChinese() {
    // Installed by scripts/install-deps.sh; without it the trainer falls back to Qt's English texts.
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    QVERIFY2(QFile::exists(translations + QStringLiteral("/qtbase_zh_CN.qm")), qPrintable(translations));

    // The trainer's own message box, answered as the candidate would.
    QString okText;
    QTimer::singleShot(0, [&okText] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        okText = box->button(QMessageBox::Ok)->text();
        box->button(QMessageBox::Ok)->click();
    });
    MessageBoxSeam::showError(Frm_Ks_Sta, QStringLiteral("找不到题库文件夹：/无处/Dat"));
    QCOMPARE(okText, QStringLiteral("确定"));

    QMessageBox other(QMessageBox::Question, QString(), QStringLiteral("?"), QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(other.button(QMessageBox::Yes)->text(), QStringLiteral("是(&Y)"));
    QCOMPARE(other.button(QMessageBox::No)->text(), QStringLiteral("否(&N)"));
}

int main(int argc, char *argv[]) {
    Application app(argc, argv);
    TestAccessibility test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_accessibility.moc"
