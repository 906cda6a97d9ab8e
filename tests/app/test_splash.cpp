// SPDX-License-Identifier: GPL-3.0-or-later

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <memory>

#include "app/TFrm_Ks_Sta.h"
#include "app/Tfrm_logo.h"
#include "ui/ModalLayer.h"

namespace {
Tfrm_logo *findSplash() {
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("frm_logo"))
            return qobject_cast<Tfrm_logo *>(w);
    }
    return nullptr;
}

// What the start screen's show handling looked like from inside the splash's showing.
struct SplashProbe {
    QPointer<Tfrm_logo> splash;
    bool visible = false;
    bool startBlocked = false;
    bool survivedDismissal = false;
    QRect geometry;
    QSize pictureSize;
};

// Looks at the splash shortly after it has come up and tries to get rid of it the ways a candidate could.
void probeSplash(SplashProbe &probe, TFrm_Ks_Sta &start, int afterMs) {
    QTimer::singleShot(afterMs, [&probe, &start] {
        probe.splash = findSplash();
        if (!probe.splash)
            return;
        Tfrm_logo *splash = probe.splash;
        probe.visible = splash->isVisible();
        probe.startBlocked = isBlockedByModal(&start) && start.isEnabled();
        probe.geometry = splash->geometry();
        probe.pictureSize = splash->Image1->pixmap().size();
        splash->close();
        splash->windowHandle()->close();
        QTest::keyClick(splash, Qt::Key_Escape);
        QTest::mouseClick(splash->Image1, Qt::LeftButton);
        QTest::mouseDClick(splash->Image1, Qt::LeftButton);
        probe.survivedDismissal = splash->isVisible();
    });
}
} // namespace

class TestSplash : public QObject {
    Q_OBJECT
private slots:
    void staysThreeSecondsWhateverTheCandidateDoes();
    void comesWithEveryShowingOfTheStartScreen();
};

void TestSplash::staysThreeSecondsWhateverTheCandidateDoes() {
    Tfrm_logo::setDisplayTime(3000);
    TFrm_Ks_Sta start;
    SplashProbe probe;
    probeSplash(probe, start, 300);
    QElapsedTimer clock;
    clock.start();
    // The show handling returns when the splash has closed.
    start.show();
    const qint64 elapsed = clock.elapsed();

    QVERIFY(probe.visible);
    QVERIFY(probe.startBlocked);
    QVERIFY(probe.survivedDismissal);
    QVERIFY2(elapsed >= 3000 && elapsed < 4500, qPrintable(QString::number(elapsed)));
    QCOMPARE(probe.geometry.size(), QSize(399, 300));
    QVERIFY((probe.geometry.center() - QGuiApplication::primaryScreen()->geometry().center()).manhattanLength() <= 2);
    QCOMPARE(probe.pictureSize, QSize(400, 300));
    // Destroyed once it has closed; the start screen is usable.
    QVERIFY(probe.splash.isNull());
    QVERIFY(!findSplash());
    QVERIFY(start.isVisible());
    QVERIFY(start.isEnabled());
}

void TestSplash::comesWithEveryShowingOfTheStartScreen() {
    Tfrm_logo::setDisplayTime(50);
    TFrm_Ks_Sta start;
    for (int showing = 1; showing <= 2; ++showing) {
        SplashProbe probe;
        probeSplash(probe, start, 10);
        start.show();
        QVERIFY2(probe.visible, qPrintable(QStringLiteral("showing %1").arg(showing)));
        QVERIFY(probe.startBlocked);
        QVERIFY(start.isEnabled());
        // Shown again while visible (as the score sheet's quit does): no splash.
        SplashProbe none;
        probeSplash(none, start, 0);
        start.show();
        QTest::qWait(20);
        QVERIFY(!none.visible);
        start.hide();
    }
}

QTEST_MAIN(TestSplash)
#include "test_splash.moc"
