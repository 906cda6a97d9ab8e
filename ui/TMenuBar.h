// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QMenu>
#include <QPointer>
#include <QToolBar>

class QToolButton;

// A flat tool bar that stands in for a window's menu bar: given a menu, it shows one text button per top-level item
// of that menu, each dropping down the item's submenu (or running the item when it has none). The buttons are
// derived from the menu and rebuilt whenever another menu is set.
class TMenuBar : public QToolBar {
    Q_OBJECT
public:
    explicit TMenuBar(QWidget *parent = nullptr);

    QMenu *Menu() const { return m_menu; }
    void setMenu(QMenu *menu);

    // The buttons in menu order.
    const QList<QToolButton *> &buttons() const { return m_buttons; }

private:
    void clearButtons();

    QPointer<QMenu> m_menu;
    QList<QToolButton *> m_buttons;
    // The bar's own action for each button; deleting it takes the button off the bar and deletes the button.
    QList<QAction *> m_places;
};
