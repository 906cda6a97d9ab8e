// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/AppIcon.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

void drawAppIcon(QPainter &p) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    QLinearGradient blue(0, 1, 0, 31);
    blue.setColorAt(0, QColor(0x5b, 0x97, 0xe6));
    blue.setColorAt(1, QColor(0x1f, 0x4f, 0x9c));
    p.fillPath(tile, blue);
    p.setPen(QPen(QColor(0x17, 0x3a, 0x73), 1));
    p.drawPath(tile);

    // The sheet with a folded corner.
    QPainterPath sheet;
    sheet.moveTo(8, 5);
    sheet.lineTo(20, 5);
    sheet.lineTo(25, 10);
    sheet.lineTo(25, 27);
    sheet.lineTo(8, 27);
    sheet.closeSubpath();
    p.fillPath(sheet, QColor(0xfb, 0xfc, 0xff));
    p.setPen(QPen(QColor(0x9d, 0xb4, 0xd6), 0.8));
    p.drawPath(sheet);
    QPainterPath fold;
    fold.moveTo(20, 5);
    fold.lineTo(20, 10);
    fold.lineTo(25, 10);
    fold.closeSubpath();
    p.fillPath(fold, QColor(0xc9, 0xd8, 0xee));

    // Question lines.
    p.setPen(QPen(QColor(0x8a, 0x9c, 0xb8), 1.4, Qt::SolidLine, Qt::RoundCap));
    for (qreal y : {11.0, 15.0, 19.0})
        p.drawLine(QPointF(11, y), QPointF(y < 12 ? 17.5 : 22, y));

    // The tick, in red as a marker's pen.
    p.setPen(QPen(QColor(0xd9, 0x2b, 0x22), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(13, 21.5);
    tick.lineTo(17, 25.5);
    tick.lineTo(28, 13);
    p.drawPath(tick);
    p.restore();
}

QImage appIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    // Drawn on a 32-unit grid and scaled, so every size has the same proportions.
    p.scale(size / 32.0, size / 32.0);
    drawAppIcon(p);
    return image;
}

QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(appIconImage(size)));
    return icon;
}

void installAppIcon() {
    QGuiApplication::setWindowIcon(appIcon());
}
