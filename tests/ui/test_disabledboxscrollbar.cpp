// SPDX-License-Identifier: GPL-3.0-or-later

#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QtTest>

#include "ui/DisabledBoxScrollBar.h"

// The stand-in bar over a disabled text box: it scrolls the box's text, and it outlives the box without touching
// what is left of it while the box is being destroyed.
class TestDisabledBoxScrollBar : public QObject {
    Q_OBJECT

private slots:
    void scrollsTheDisabledBoxAndLetsItGo() {
        QWidget screen;
        screen.resize(300, 200);
        auto *box = new QPlainTextEdit(&screen);
        box->setGeometry(10, 10, 200, 60);
        QStringList lines;
        for (int i = 1; i <= 40; ++i)
            lines << QStringLiteral("第 %1 行").arg(i);
        box->setPlainText(lines.join(QLatin1Char('\n')));
        box->setEnabled(false);
        const QPointer<DisabledBoxScrollBar> bar = new DisabledBoxScrollBar(box);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));

        QTRY_VERIFY(bar->isVisible());
        QTRY_VERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        QCOMPARE(box->verticalScrollBar()->value(), bar->maximum());

        // The box goes first, as it does when its screen is destroyed (it was made before the bar): its own bar and
        // its events reach the stand-in while only the plain widget part of it is left.
        delete box;
        QVERIFY(bar);
        QCOMPARE(bar->box(), nullptr);
    }
};

QTEST_MAIN(TestDisabledBoxScrollBar)
#include "test_disabledboxscrollbar.moc"
