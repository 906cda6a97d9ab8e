// SPDX-License-Identifier: GPL-3.0-or-later

#include <QLabel>
#include <QTest>
#include <QWindow>

#include "app/BusyMessage.h"
#include "app/TAnimate.h"
#include "app/Tx_printmessage.h"

namespace {
QList<QWidget *> visibleBusyWindows() {
    QList<QWidget *> found;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("x_printmessage") && w->isVisible())
            found.append(w);
    }
    return found;
}
} // namespace

class TestBusyMessage : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void showsHintAndPlaysUntilClosed();
    void showingTwiceLeavesOneWindowWithTheSecondText();
    void theClipAlreadyPlayingGoesOn();
    void aDifferentClipStartsFromItsFirstFrame();
    void closingAHiddenWindowIsHarmless();
    void anUnknownClipShowsNone();

private:
    Tx_printmessage *m_window = nullptr;
};

void TestBusyMessage::init() {
    m_window = new Tx_printmessage;
    x_printmessage = m_window;
}

void TestBusyMessage::cleanup() {
    x_printmessage = nullptr;
    delete m_window;
    m_window = nullptr;
}

void TestBusyMessage::showsHintAndPlaysUntilClosed() {
    auto *hint = m_window->findChild<QLabel *>(QStringLiteral("LabHint"));
    auto *animate = m_window->findChild<TAnimate *>(QStringLiteral("Animate1"));
    QVERIFY(hint);
    QVERIFY(animate);
    QVERIFY(!m_window->isVisible());

    ShowBusyMessage(QStringLiteral("正在随机抽题请等待...."), 3);
    // It returns with the window on screen and the hint in full, so the caller's long work runs in front of it.
    QVERIFY(m_window->isVisible());
    QVERIFY(m_window->windowHandle()->isExposed());
    QCOMPARE(hint->text(), QStringLiteral("正在随机抽题请等待...."));
    QVERIFY(hint->width() >= hint->sizeHint().width());
    QCOMPARE(animate->CommonAVI(), TCommonAVI::aviFindComputer);
    QVERIFY(animate->Active());
    const int before = animate->renderedFrames();
    QTRY_VERIFY(animate->renderedFrames() > before + 2);

    CloseBusyMessage();
    QVERIFY(!m_window->isVisible());
    QVERIFY(!animate->Active());
    const int atRest = animate->renderedFrames();
    QTest::qWait(3 * 67);
    QCOMPARE(animate->renderedFrames(), atRest);
}

void TestBusyMessage::showingTwiceLeavesOneWindowWithTheSecondText() {
    ShowBusyMessage(QStringLiteral("第一条"), 3);
    ShowBusyMessage(QStringLiteral("第二条提示"), 4);
    QCOMPARE(visibleBusyWindows().size(), 1);
    QCOMPARE(m_window->LabHint->text(), QStringLiteral("第二条提示"));
    QCOMPARE(m_window->Animate1->CommonAVI(), TCommonAVI::aviCopyFiles);
    QVERIFY(m_window->Animate1->Active());
    CloseBusyMessage();
}

void TestBusyMessage::theClipAlreadyPlayingGoesOn() {
    ShowBusyMessage(QStringLiteral("请稍候"), 3);
    TAnimate *animate = m_window->Animate1;
    QTRY_VERIFY(animate->currentFrame() >= 3);
    const int frame = animate->currentFrame();
    ShowBusyMessage(QStringLiteral("仍请稍候"), 3);
    QVERIFY(animate->Active());
    // Not sent back to the start (a wrap of the loop would take far longer than this call).
    QVERIFY2(animate->currentFrame() >= frame,
             qPrintable(QStringLiteral("%1 < %2").arg(animate->currentFrame()).arg(frame)));
    CloseBusyMessage();
}

void TestBusyMessage::aDifferentClipStartsFromItsFirstFrame() {
    TAnimate animate;
    animate.setCommonAVI(TCommonAVI::aviFindComputer);
    animate.setActive(true);
    QTRY_VERIFY(animate.currentFrame() >= 3);
    animate.setCommonAVI(TCommonAVI::aviCopyFile);
    // Loading stops the control and shows the new clip's first frame.
    QVERIFY(!animate.Active());
    QCOMPARE(animate.currentFrame(), 0);
    QCOMPARE(animate.currentImage(), ClipArt::frame(ClipArt::CopyFile, 0, animate.palette().color(QPalette::Window)));
}

void TestBusyMessage::closingAHiddenWindowIsHarmless() {
    CloseBusyMessage();
    QVERIFY(!m_window->isVisible());
    QVERIFY(!m_window->Animate1->Active());
    ShowBusyMessage(QStringLiteral("请稍候"), 3);
    CloseBusyMessage();
    CloseBusyMessage();
    QVERIFY(!m_window->isVisible());
    // And it comes up again as before.
    ShowBusyMessage(QStringLiteral("再一次"), 3);
    QVERIFY(m_window->isVisible());
    QVERIFY(m_window->Animate1->Active());
    CloseBusyMessage();
}

void TestBusyMessage::anUnknownClipShowsNone() {
    ShowBusyMessage(QStringLiteral("请稍候"), 42);
    QCOMPARE(m_window->Animate1->CommonAVI(), TCommonAVI::aviNone);
    // Nothing to play: no frames come.
    const int rendered = m_window->Animate1->renderedFrames();
    QTest::qWait(3 * 67);
    QCOMPARE(m_window->Animate1->renderedFrames(), rendered);
    CloseBusyMessage();
}

QTEST_MAIN(TestBusyMessage)
#include "test_busymessage.moc"
