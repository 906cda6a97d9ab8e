// SPDX-License-Identifier: GPL-3.0-or-later

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <atomic>
#include <thread>

#include "app/ClipArt.h"
#include "app/ClipPlayer.h"

namespace {
const QColor kBackground(206, 231, 255);

// Keeps the calling thread busy without an event loop, as the drawing of a paper does.
void busyFor(int ms) {
    QElapsedTimer clock;
    clock.start();
    volatile double sink = 0;
    while (clock.elapsed() < ms)
        sink = sink + 1.0;
}

int countBackground(const QImage &image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == kBackground;
    }
    return count;
}
} // namespace

class TestClipArt : public QObject {
    Q_OBJECT
private slots:
    void everyClipMovesAndLoops_data();
    void everyClipMovesAndLoops();
    void noClipIsBareBackground_data();
    void noClipIsBareBackground();
    void playerKeepsGoingWhileCallerIsBusy();
    void playerTellsTheWidgetOnceUntilAcknowledged();
    void stopEndsTheThreadAtOnce();
};

void TestClipArt::everyClipMovesAndLoops_data() {
    QTest::addColumn<int>("clip");
    QTest::newRow("find folder") << int(ClipArt::FindFolder);
    QTest::newRow("find file") << int(ClipArt::FindFile);
    QTest::newRow("find computer") << int(ClipArt::FindComputer);
    QTest::newRow("copy files") << int(ClipArt::CopyFiles);
    QTest::newRow("copy file") << int(ClipArt::CopyFile);
    QTest::newRow("recycle file") << int(ClipArt::RecycleFile);
    QTest::newRow("empty recycle") << int(ClipArt::EmptyRecycle);
    QTest::newRow("delete file") << int(ClipArt::DeleteFile);
}

void TestClipArt::everyClipMovesAndLoops() {
    QFETCH(int, clip);
    const int count = ClipArt::frameCount(clip);
    QVERIFY(count >= 8);
    const QImage first = ClipArt::frame(clip, 0, kBackground);
    QCOMPARE(first.size(), QSize(80, 50));
    // Something is drawn, but the background still shows around it.
    const int background = countBackground(first);
    QVERIFY(background > 80 * 50 / 4);
    QVERIFY(background < 80 * 50);
    for (int i = 1; i < count; ++i)
        QVERIFY2(ClipArt::frame(clip, i, kBackground) != ClipArt::frame(clip, i - 1, kBackground),
                 qPrintable(QStringLiteral("frame %1 repeats frame %2").arg(i).arg(i - 1)));
    QCOMPARE(ClipArt::frame(clip, count, kBackground), first);
}

void TestClipArt::noClipIsBareBackground_data() {
    QTest::addColumn<int>("clip");
    QTest::newRow("none") << int(ClipArt::None);
    QTest::newRow("below the list") << -1;
    QTest::newRow("past the list") << int(ClipArt::LastClip) + 1;
}

void TestClipArt::noClipIsBareBackground() {
    QFETCH(int, clip);
    QCOMPARE(ClipArt::frameCount(clip), 0);
    QCOMPARE(countBackground(ClipArt::frame(clip, 3, kBackground)), 80 * 50);
}

void TestClipArt::playerKeepsGoingWhileCallerIsBusy() {
    ClipPlayer player;
    std::atomic<int> sinkCalls{0};
    std::atomic<bool> sinkOnOtherThread{true};
    const auto caller = std::this_thread::get_id();
    player.start(ClipArt::FindComputer, 0, kBackground, [&](const QImage &frame) {
        if (std::this_thread::get_id() == caller || frame.size() != QSize(80, 50))
            sinkOnOtherThread = false;
        ++sinkCalls;
    });
    busyFor(20 * ClipPlayer::kFrameIntervalMs / 2);
    // About ten frames are due; allow for a loaded machine.
    QVERIFY2(player.renderedFrames() >= 4, qPrintable(QString::number(player.renderedFrames())));
    QVERIFY(player.latestIndex() >= 3);
    QCOMPARE(player.latestFrame(), ClipArt::frame(ClipArt::FindComputer, player.latestIndex(), kBackground));
    player.stop();
    QVERIFY(sinkCalls.load() >= 4);
    QVERIFY(sinkOnOtherThread.load());
}

void TestClipArt::playerTellsTheWidgetOnceUntilAcknowledged() {
    ClipPlayer player;
    QObject receiver;
    int delivered = 0;
    connect(&player, &ClipPlayer::frameReady, &receiver, [&delivered] { ++delivered; });
    player.start(ClipArt::CopyFiles, 0, kBackground);
    busyFor(6 * ClipPlayer::kFrameIntervalMs);
    QCoreApplication::processEvents();
    // Six frames went by while nobody listened: one notice waited, not six.
    QCOMPARE(delivered, 1);
    player.acknowledge();
    QTRY_COMPARE(delivered, 2);
    player.stop();
}

void TestClipArt::stopEndsTheThreadAtOnce() {
    ClipPlayer player;
    player.start(ClipArt::DeleteFile, 5, kBackground);
    QTRY_VERIFY(player.renderedFrames() >= 1);
    QElapsedTimer clock;
    clock.start();
    player.stop();
    QVERIFY(clock.elapsed() < ClipPlayer::kFrameIntervalMs);
    QVERIFY(!player.isRunning());
    const int rendered = player.renderedFrames();
    busyFor(3 * ClipPlayer::kFrameIntervalMs);
    QCOMPARE(player.renderedFrames(), rendered);
    // The last frame stays for the widget to show at rest.
    QVERIFY(!player.latestFrame().isNull());
}

QTEST_GUILESS_MAIN(TestClipArt)
#include "test_clipart.moc"
