// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPixmap>
#include <QWidget>

// The menu band in the caption of the window frame: a strip that tiles its background picture behind the menu
// bar it holds. The frame swaps the picture when the window becomes active or inactive.
class FrameCoolBar : public QWidget {
    Q_OBJECT
public:
    explicit FrameCoolBar(QWidget *parent = nullptr);

    QPixmap background() const { return m_background; }
    void setBackground(const QPixmap &background);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_background;
};
