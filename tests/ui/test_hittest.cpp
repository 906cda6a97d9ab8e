// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include "ui/HitTest.h"

Q_DECLARE_METATYPE(HitZone)

// The resize zones of a frameless window, as a pure function of the point, the size and the window state.
class TestHitTest : public QObject {
    Q_OBJECT
private slots:
    void zones_data();
    void zones();
    void noZonesUnlessResizableAndNormal_data();
    void noZonesUnlessResizableAndNormal();
    void resized_data();
    void resized();
};

void TestHitTest::zones_data() {
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<HitZone>("zone");
    QTest::addColumn<Qt::Edges>("edges");
    QTest::addColumn<Qt::CursorShape>("cursor");

    // A 601 × 489 window: left and top bands are 5 wide (0..4), right and bottom ones 4 (597..600, 485..488).
    const int W = 601;
    const int H = 489;
    const Qt::Edges none;
    QTest::newRow("origin") << QPoint(0, 0) << HitZone::TopLeft << (Qt::TopEdge | Qt::LeftEdge) << Qt::SizeFDiagCursor;
    QTest::newRow("top-left inner corner")
        << QPoint(4, 4) << HitZone::TopLeft << (Qt::TopEdge | Qt::LeftEdge) << Qt::SizeFDiagCursor;
    QTest::newRow("one right of the corner")
        << QPoint(5, 4) << HitZone::Top << Qt::Edges(Qt::TopEdge) << Qt::SizeVerCursor;
    QTest::newRow("one below the corner")
        << QPoint(4, 5) << HitZone::Left << Qt::Edges(Qt::LeftEdge) << Qt::SizeHorCursor;
    QTest::newRow("top-right") << QPoint(W - 4, 4) << HitZone::TopRight << (Qt::TopEdge | Qt::RightEdge)
                               << Qt::SizeBDiagCursor;
    QTest::newRow("top-right, x just outside the right band")
        << QPoint(W - 5, 4) << HitZone::Top << Qt::Edges(Qt::TopEdge) << Qt::SizeVerCursor;
    QTest::newRow("bottom-right") << QPoint(W - 1, H - 1) << HitZone::BottomRight << (Qt::BottomEdge | Qt::RightEdge)
                                  << Qt::SizeFDiagCursor;
    QTest::newRow("bottom-left") << QPoint(4, H - 4) << HitZone::BottomLeft << (Qt::BottomEdge | Qt::LeftEdge)
                                 << Qt::SizeBDiagCursor;
    QTest::newRow("right band is 4 wide: W-5 is client")
        << QPoint(W - 5, 10) << HitZone::Client << none << Qt::ArrowCursor;
    QTest::newRow("right band starts at W-4")
        << QPoint(W - 4, 10) << HitZone::Right << Qt::Edges(Qt::RightEdge) << Qt::SizeHorCursor;
    QTest::newRow("bottom band starts at H-4")
        << QPoint(10, H - 4) << HitZone::Bottom << Qt::Edges(Qt::BottomEdge) << Qt::SizeVerCursor;
    QTest::newRow("H-5 is client") << QPoint(10, H - 5) << HitZone::Client << none << Qt::ArrowCursor;
    QTest::newRow("left band ends at 4") << QPoint(4, 200) << HitZone::Left << Qt::Edges(Qt::LeftEdge)
                                         << Qt::SizeHorCursor;
    QTest::newRow("x 5 is client") << QPoint(5, 200) << HitZone::Client << none << Qt::ArrowCursor;
    QTest::newRow("caption band") << QPoint(300, 20) << HitZone::Client << none << Qt::ArrowCursor;
}

void TestHitTest::zones() {
    QFETCH(QPoint, pos);
    QFETCH(HitZone, zone);
    QFETCH(Qt::Edges, edges);
    QFETCH(Qt::CursorShape, cursor);
    const HitZone got = hitTest(pos, QSize(601, 489), true, Qt::WindowNoState);
    QCOMPARE(got, zone);
    QCOMPARE(edgesOf(got), edges);
    QCOMPARE(cursorOf(got), cursor);
}

void TestHitTest::noZonesUnlessResizableAndNormal_data() {
    QTest::addColumn<bool>("canResize");
    QTest::addColumn<Qt::WindowStates>("state");
    QTest::addColumn<HitZone>("corner");

    QTest::newRow("resizable, normal") << true << Qt::WindowStates(Qt::WindowNoState) << HitZone::TopLeft;
    QTest::newRow("resizable, active") << true << Qt::WindowStates(Qt::WindowActive) << HitZone::TopLeft;
    QTest::newRow("fixed border") << false << Qt::WindowStates(Qt::WindowNoState) << HitZone::Client;
    QTest::newRow("maximised") << true << Qt::WindowStates(Qt::WindowMaximized) << HitZone::Client;
    QTest::newRow("minimised") << true << Qt::WindowStates(Qt::WindowMinimized) << HitZone::Client;
    QTest::newRow("full screen") << true << Qt::WindowStates(Qt::WindowFullScreen) << HitZone::Client;
}

void TestHitTest::noZonesUnlessResizableAndNormal() {
    QFETCH(bool, canResize);
    QFETCH(Qt::WindowStates, state);
    QFETCH(HitZone, corner);
    const QSize size(601, 489);
    QCOMPARE(hitTest(QPoint(0, 0), size, canResize, state), corner);
    // Without zones every edge point is client area, the corners and each band alike.
    if (corner == HitZone::Client) {
        for (const QPoint &p : {QPoint(600, 10), QPoint(10, 488), QPoint(600, 488), QPoint(2, 300), QPoint(300, 2)})
            QCOMPARE(hitTest(p, size, canResize, state), HitZone::Client);
    }
}

void TestHitTest::resized_data() {
    QTest::addColumn<int>("edges");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QRect>("expected");

    // Start: 601 × 489 at (100, 50); minimum 300 × 200.
    QTest::newRow("right edge out") << int(Qt::RightEdge) << QPoint(50, 30) << QRect(100, 50, 651, 489);
    QTest::newRow("left edge out keeps the right edge")
        << int(Qt::LeftEdge) << QPoint(-30, 0) << QRect(70, 50, 631, 489);
    QTest::newRow("left edge in past the minimum stops at it")
        << int(Qt::LeftEdge) << QPoint(500, 0) << QRect(401, 50, 300, 489);
    QTest::newRow("top edge in past the minimum") << int(Qt::TopEdge) << QPoint(0, 400) << QRect(100, 339, 601, 200);
    QTest::newRow("bottom edge in past the minimum")
        << int(Qt::BottomEdge) << QPoint(0, -400) << QRect(100, 50, 601, 200);
    QTest::newRow("top-left corner") << int(Qt::TopEdge | Qt::LeftEdge) << QPoint(-10, -20) << QRect(90, 30, 611, 509);
    QTest::newRow("bottom-right corner shrinks both")
        << int(Qt::BottomEdge | Qt::RightEdge) << QPoint(-500, -500) << QRect(100, 50, 300, 200);
}

void TestHitTest::resized() {
    QFETCH(int, edges);
    QFETCH(QPoint, delta);
    QFETCH(QRect, expected);
    QCOMPARE(resizedGeometry(QRect(100, 50, 601, 489), Qt::Edges(edges), delta, QSize(300, 200)), expected);
}

QTEST_GUILESS_MAIN(TestHitTest)
#include "test_hittest.moc"
