// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

// A panel in the classic style: an outer bevel at its edge, a border of `borderWidth` pixels, and an inner bevel
// inside that, each raised, lowered or absent. The start screen frames its buttons with one.
class BevelPanel : public QWidget {
    Q_OBJECT
public:
    enum class Bevel { None, Lowered, Raised };

    explicit BevelPanel(QWidget *parent = nullptr);

    void setBevelOuter(Bevel bevel);
    void setBevelInner(Bevel bevel);
    void setBorderWidth(int width);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Bevel m_outer = Bevel::Raised;
    Bevel m_inner = Bevel::None;
    int m_borderWidth = 0;
};
