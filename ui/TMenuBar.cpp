// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/TMenuBar.h"

#include <QMenu>
#include <QToolButton>

TMenuBar::TMenuBar(QWidget *parent) : QToolBar(parent) {
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setContentsMargins(0, 0, 0, 0);
}

void TMenuBar::setMenu(QMenu *menu) {
    if (menu == m_menu)
        return;
    if (m_menu) {
        disconnect(m_menu, nullptr, this, nullptr);
        clearButtons();
    }
    m_menu = menu;
    if (!menu)
        return;
    // A menu that goes away takes its items with it; the buttons bound to them go too.
    connect(menu, &QObject::destroyed, this, &TMenuBar::clearButtons);

    QList<QAction *> items;
    for (QAction *action : menu->actions())
        if (!action->isSeparator())
            items.append(action);
    while (m_buttons.size() < items.size()) {
        auto *button = new QToolButton(this);
        button->setAutoRaise(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        m_places.append(addWidget(button));
        m_buttons.append(button);
    }
    for (int i = 0; i < items.size(); ++i) {
        QToolButton *button = m_buttons.at(i);
        QAction *item = items.at(i);
        button->setMenu(item->menu());
        button->setDefaultAction(item);
        if (item->menu())
            button->setPopupMode(QToolButton::InstantPopup);
    }
}

void TMenuBar::clearButtons() {
    m_buttons.clear();
    while (!m_places.isEmpty())
        delete m_places.takeLast();
}
