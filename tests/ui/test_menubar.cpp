// SPDX-License-Identifier: GPL-3.0-or-later

#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "ui/TMenuBar.h"

// The menu bar: one button per top-level menu item, rebuilt when the menu changes, dropping down the submenus.
class TestMenuBar : public QObject {
    Q_OBJECT
private slots:
    void buttonsFollowTheMenu();
    void buttonDropsDownItsSubmenu();
    void menuDestroyedTakesButtons();
};

namespace {

QMenu *makeMenu(const QStringList &titles) {
    auto *menu = new QMenu;
    for (const QString &title : titles) {
        QMenu *sub = menu->addMenu(title);
        sub->addAction(title + QStringLiteral("-1"));
    }
    return menu;
}

} // namespace

void TestMenuBar::buttonsFollowTheMenu() {
    TMenuBar bar;
    QCOMPARE(bar.Menu(), nullptr);
    QVERIFY(bar.buttons().isEmpty());

    QScopedPointer<QMenu> first(makeMenu({QStringLiteral("文件"), QStringLiteral("帮助")}));
    first->addSeparator();
    bar.setMenu(first.data());
    QCOMPARE(bar.Menu(), first.data());
    QCOMPARE(bar.buttons().size(), 2);
    QCOMPARE(bar.buttons().at(0)->text(), QStringLiteral("文件"));
    QCOMPARE(bar.buttons().at(1)->text(), QStringLiteral("帮助"));
    QCOMPARE(bar.buttons().at(1)->menu(), first->actions().at(1)->menu());
    QCOMPARE(bar.buttons().at(1)->popupMode(), QToolButton::InstantPopup);

    // The same menu again keeps the buttons as they are.
    const QPointer<QToolButton> kept = bar.buttons().at(0);
    bar.setMenu(first.data());
    QCOMPARE(bar.buttons().at(0), kept.data());

    QScopedPointer<QMenu> second(makeMenu({QStringLiteral("查看")}));
    bar.setMenu(second.data());
    QVERIFY(kept.isNull());
    QCOMPARE(bar.buttons().size(), 1);
    QCOMPARE(bar.buttons().at(0)->text(), QStringLiteral("查看"));
    QCOMPARE(bar.actions().size(), 1);

    bar.setMenu(nullptr);
    QVERIFY(bar.buttons().isEmpty());
    QVERIFY(bar.actions().isEmpty());
}

void TestMenuBar::buttonDropsDownItsSubmenu() {
    TMenuBar bar;
    QScopedPointer<QMenu> menu(makeMenu({QStringLiteral("文件")}));
    bar.setMenu(menu.data());
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QMenu *sub = menu->actions().at(0)->menu();
    bool dropped = false;
    // The drop-down runs its own event loop; close it from inside once it is up.
    connect(sub, &QMenu::aboutToShow, sub, [sub, &dropped] {
        dropped = true;
        QTimer::singleShot(0, sub, &QMenu::close);
    });
    QTest::mouseClick(bar.buttons().at(0), Qt::LeftButton);
    QTRY_VERIFY(dropped);
    QTRY_VERIFY(!sub->isVisible());
}

void TestMenuBar::menuDestroyedTakesButtons() {
    TMenuBar bar;
    auto *menu = makeMenu({QStringLiteral("文件"), QStringLiteral("帮助")});
    bar.setMenu(menu);
    delete menu;
    QCOMPARE(bar.Menu(), nullptr);
    QVERIFY(bar.buttons().isEmpty());
    bar.setMenu(nullptr); // nothing left to free twice
}

QTEST_MAIN(TestMenuBar)
#include "test_menubar.moc"
