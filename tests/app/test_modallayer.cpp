// SPDX-License-Identifier: GPL-3.0-or-later

#include <QCloseEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

#include "ui/ModalLayer.h"
#include "ui/TdxButton.h"

namespace {
std::unique_ptr<QWidget> makeWindow(const QString &name) {
    auto window = std::make_unique<QWidget>();
    window->setObjectName(name);
    window->resize(200, 120);
    return window;
}

// Runs `step` once the nested loop of a modal showing is going.
void whileModal(std::function<void()> step) {
    QTimer::singleShot(0, std::move(step));
}

// A window that hides itself while it is being shown, as a screen does whose show handling fails.
class SelfHidingWindow : public QWidget {
protected:
    void showEvent(QShowEvent *event) override {
        QWidget::showEvent(event);
        QTimer::singleShot(0, this, &QWidget::hide);
        hide();
    }
};
} // namespace

class TestModalLayer : public QObject {
    Q_OBJECT
private slots:
    void blocksOnlyTheWindowsVisibleAtItsStart();
    void blockedWindowsTakeNoInputAndKeepTheirLook();
    void endsWhenTheWindowIsDestroyed();
    void endsAtOnceWhenTheWindowHidesItselfWhileShown();
    void theProgramMayStillCloseAWindowBehind();
    void nestedShowingsGiveBackWhatEachTook();
};

void TestModalLayer::blocksOnlyTheWindowsVisibleAtItsStart() {
    auto start = makeWindow(QStringLiteral("start"));
    auto hiddenAtStart = makeWindow(QStringLiteral("later"));
    auto modal = makeWindow(QStringLiteral("modal"));
    start->show();
    QVERIFY(QTest::qWaitForWindowExposed(start.get()));

    // Seen from inside the nested loop; checked once it has ended, so a failure cannot leave the loop running.
    bool modalUsable = false, startUsable = true, laterUsable = false;
    whileModal([&] {
        modalUsable = modal->isVisible() && !isBlockedByModal(modal.get());
        startUsable = !isBlockedByModal(start.get());
        // A window shown while the modal one is up (a screen reopened from it) can be used beside it.
        hiddenAtStart->show();
        laterUsable = !isBlockedByModal(hiddenAtStart.get());
        modal->close();
    });
    showModal(modal.get());

    QVERIFY(modalUsable);
    QVERIFY(!startUsable);
    QVERIFY(laterUsable);
    QVERIFY(!modal->isVisible());
    QVERIFY(!isBlockedByModal(start.get()));
    QVERIFY(start->isEnabled());
}

void TestModalLayer::blockedWindowsTakeNoInputAndKeepTheirLook() {
    auto start = makeWindow(QStringLiteral("start"));
    auto *button = new QPushButton(QStringLiteral("按钮"), start.get());
    button->setGeometry(10, 10, 80, 25);
    button->setFocusPolicy(Qt::NoFocus);
    auto *gradient = new TdxButton(start.get());
    gradient->setCaption(QStringLiteral("&S开始考试"));
    gradient->setGeometry(10, 40, 120, 25);
    auto *box = new QLineEdit(start.get());
    box->setGeometry(10, 70, 120, 22);
    auto modal = makeWindow(QStringLiteral("modal"));
    auto other = makeWindow(QStringLiteral("other"));
    QSignalSpy buttonClicks(button, &QPushButton::clicked);
    QSignalSpy gradientClicks(gradient, &TdxButton::clicked);
    start->show();
    QVERIFY(QTest::qWaitForWindowExposed(start.get()));
    // Seen as it is behind another window, which is how it stands behind the modal one.
    other->show();
    other->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(other.get()));
    const QImage before = start->grab().toImage();
    other->hide();

    bool enabled = false, sameLook = false, boxFocused = false;
    whileModal([&] {
        enabled = start->isEnabled() && button->isEnabled() && gradient->isEnabled();
        sameLook = start->grab().toImage() == before;
        // Through the window system, and straight at the widgets.
        QTest::mouseClick(start->windowHandle(), Qt::LeftButton, {}, button->geometry().center());
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::mouseClick(gradient, Qt::LeftButton, {}, gradient->rect().center());
        QTest::mouseClick(box, Qt::LeftButton);
        boxFocused = box->hasFocus();
        // Even with the window active, its keys and shortcuts go nowhere.
        start->activateWindow();
        if (QTest::qWaitForWindowActive(start.get())) {
            QTest::keyClick(start.get(), Qt::Key_S, Qt::AltModifier);
            QTest::keyClicks(box, QStringLiteral("abc"));
        }
        modal->close();
    });
    showModal(modal.get());

    QVERIFY(enabled);
    QVERIFY(sameLook);
    QCOMPARE(buttonClicks.size(), 0);
    QCOMPARE(gradientClicks.size(), 0);
    QVERIFY(!boxFocused);
    QVERIFY(box->text().isEmpty());

    // The same input reaches the window once the modal one has gone.
    QTest::mouseClick(start->windowHandle(), Qt::LeftButton, {}, button->geometry().center());
    QTRY_COMPARE(buttonClicks.size(), 1);
    start->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(start.get()));
    QTest::keyClick(start.get(), Qt::Key_S, Qt::AltModifier);
    QCOMPARE(gradientClicks.size(), 1);
}

void TestModalLayer::endsWhenTheWindowIsDestroyed() {
    auto start = makeWindow(QStringLiteral("start"));
    start->show();
    QPointer<QWidget> modal = new QWidget;
    whileModal([&] { delete modal.data(); });
    showModal(modal);
    QVERIFY(modal.isNull());
    QVERIFY(start->isEnabled());
}

void TestModalLayer::endsAtOnceWhenTheWindowHidesItselfWhileShown() {
    auto start = makeWindow(QStringLiteral("start"));
    start->show();
    SelfHidingWindow modal;
    bool loopRan = false;
    QTimer::singleShot(0, [&] { loopRan = true; });
    showModal(&modal);
    // No nested loop ran: the queued step is still waiting.
    QVERIFY(!loopRan);
    QVERIFY(start->isEnabled());
    QTRY_VERIFY(loopRan);
}

void TestModalLayer::theProgramMayStillCloseAWindowBehind() {
    // (The window system's close request on a disabled window is refused; that needs a real display and is
    // tested with the X11 tests.)
    auto start = makeWindow(QStringLiteral("start"));
    auto modal = makeWindow(QStringLiteral("modal"));
    start->show();
    bool closedByProgram = false;
    whileModal([&] {
        closedByProgram = start->close();
        modal->close();
    });
    showModal(modal.get());
    QVERIFY(closedByProgram);
    QVERIFY(!start->isVisible());
    QVERIFY(start->isEnabled());
}

void TestModalLayer::nestedShowingsGiveBackWhatEachTook() {
    auto start = makeWindow(QStringLiteral("start"));
    auto outer = makeWindow(QStringLiteral("outer"));
    auto inner = makeWindow(QStringLiteral("inner"));
    start->show();
    bool startBlockedInside = false, outerBlockedInside = false;
    bool outerBackAfterInner = false, startStillBlocked = false;
    whileModal([&] {
        whileModal([&] {
            startBlockedInside = isBlockedByModal(start.get());
            outerBlockedInside = isBlockedByModal(outer.get());
            inner->close();
        });
        showModal(inner.get());
        outerBackAfterInner = !isBlockedByModal(outer.get());
        startStillBlocked = isBlockedByModal(start.get());
        outer->close();
    });
    showModal(outer.get());
    QVERIFY(startBlockedInside);
    QVERIFY(outerBlockedInside);
    QVERIFY(outerBackAfterInner);
    QVERIFY(startStillBlocked);
    QVERIFY(start->isEnabled());
}

QTEST_MAIN(TestModalLayer)
#include "test_modallayer.moc"
