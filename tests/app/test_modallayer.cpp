#include <QCloseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

#include "ModalLayer.h"

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
    void disablesOnlyTheWindowsVisibleAtItsStart();
    void endsWhenTheWindowIsDestroyed();
    void endsAtOnceWhenTheWindowHidesItselfWhileShown();
    void theProgramMayStillCloseAWindowBehind();
    void nestedShowingsGiveBackWhatEachTook();
};

void TestModalLayer::disablesOnlyTheWindowsVisibleAtItsStart() {
    auto start = makeWindow("start");
    auto hiddenAtStart = makeWindow("later");
    auto modal = makeWindow("modal");
    start->show();
    QVERIFY(QTest::qWaitForWindowExposed(start.get()));

    // Seen from inside the nested loop; checked once it has ended, so a failure cannot leave the loop running.
    bool modalUsable = false, startUsable = true, laterUsable = false;
    whileModal([&] {
        modalUsable = modal->isVisible() && modal->isEnabled();
        startUsable = start->isEnabled();
        // A window shown while the modal one is up (a screen reopened from it) can be used beside it.
        hiddenAtStart->show();
        laterUsable = hiddenAtStart->isEnabled();
        modal->close();
    });
    showModal(modal.get());

    QVERIFY(modalUsable);
    QVERIFY(!startUsable);
    QVERIFY(laterUsable);
    QVERIFY(!modal->isVisible());
    QVERIFY(start->isEnabled());
    QVERIFY(hiddenAtStart->isEnabled());
}

void TestModalLayer::endsWhenTheWindowIsDestroyed() {
    auto start = makeWindow("start");
    start->show();
    QPointer<QWidget> modal = new QWidget;
    whileModal([&] { delete modal.data(); });
    showModal(modal);
    QVERIFY(modal.isNull());
    QVERIFY(start->isEnabled());
}

void TestModalLayer::endsAtOnceWhenTheWindowHidesItselfWhileShown() {
    auto start = makeWindow("start");
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
    auto start = makeWindow("start");
    auto modal = makeWindow("modal");
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
    auto start = makeWindow("start");
    auto outer = makeWindow("outer");
    auto inner = makeWindow("inner");
    start->show();
    bool startBlockedInside = false, outerBlockedInside = false;
    bool outerBackAfterInner = false, startStillBlocked = false;
    whileModal([&] {
        whileModal([&] {
            startBlockedInside = !start->isEnabled();
            outerBlockedInside = !outer->isEnabled();
            inner->close();
        });
        showModal(inner.get());
        outerBackAfterInner = outer->isEnabled();
        startStillBlocked = !start->isEnabled();
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
