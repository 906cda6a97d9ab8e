// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/SplashPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "app/AppInfo.h"
#include "ui/Fonts.h"

namespace {

const QColor kInk(22, 46, 92);
const QColor kGold(214, 172, 74);

// A round seal with an open book and a pen: the trainer's emblem.
void drawEmblem(QPainter &p, const QPointF &centre, double radius) {
    QRadialGradient disc(centre, radius);
    disc.setColorAt(0, QColor(255, 252, 240));
    disc.setColorAt(1, QColor(236, 224, 190));
    p.setPen(QPen(kGold, 3));
    p.setBrush(disc);
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(kGold, 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius - 5, radius - 5);

    // The book: two pages rising from the spine.
    const double w = radius * 0.62;
    const double h = radius * 0.5;
    const QPointF spine = centre + QPointF(0, h * 0.55);
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(255, 255, 255));
    for (const int side : {-1, 1}) {
        QPainterPath page;
        page.moveTo(spine);
        page.cubicTo(spine + QPointF(side * w * 0.4, -h * 0.25), spine + QPointF(side * w * 0.8, -h * 0.1),
                     spine + QPointF(side * w, -h * 0.2));
        page.lineTo(spine + QPointF(side * w, -h * 1.15));
        page.cubicTo(spine + QPointF(side * w * 0.8, -h * 1.05), spine + QPointF(side * w * 0.4, -h * 1.2),
                     spine + QPointF(0, -h * 0.95));
        page.closeSubpath();
        p.drawPath(page);
        for (int line = 1; line <= 3; ++line) {
            const double y = -h * (0.95 - 0.2 * line);
            p.drawLine(spine + QPointF(side * w * 0.18, y), spine + QPointF(side * w * 0.8, y - h * 0.05));
        }
    }

    // The pen, laid across the right page.
    p.save();
    p.translate(centre + QPointF(radius * 0.1, -radius * 0.2));
    p.rotate(-50);
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(178, 34, 34));
    p.drawRoundedRect(QRectF(-3, -radius * 0.55, 6, radius * 0.75), 2, 2);
    QPainterPath nib;
    nib.moveTo(-3, radius * 0.2);
    nib.lineTo(3, radius * 0.2);
    nib.lineTo(0, radius * 0.36);
    nib.closeSubpath();
    p.setBrush(kGold);
    p.drawPath(nib);
    p.restore();
}

QImage drawPicture() {
    QImage image(400, 300, QImage::Format_RGB888);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, 0, 300);
    sky.setColorAt(0, QColor(28, 64, 128));
    sky.setColorAt(0.62, QColor(44, 104, 170));
    sky.setColorAt(1, QColor(232, 238, 246));
    p.fillRect(image.rect(), sky);

    // A pale band behind the title and a thin gold rule under it.
    p.fillRect(QRectF(0, 168, 400, 76), QColor(255, 255, 255, 40));
    p.setPen(QPen(kGold, 2));
    p.drawLine(QPointF(60, 244), QPointF(340, 244));

    drawEmblem(p, QPointF(200, 92), 58);

    p.setPen(Qt::white);
    p.setFont(songFont(22, true));
    p.drawText(QRectF(0, 172, 400, 36), Qt::AlignCenter, productTitle());
    p.setFont(songFont(18));
    p.setPen(QColor(255, 236, 180));
    p.drawText(QRectF(0, 208, 400, 30), Qt::AlignCenter, QStringLiteral("笔试 V1.1"));
    p.setFont(songFont(12));
    p.setPen(kInk);
    p.drawText(QRectF(0, 256, 400, 30), Qt::AlignCenter, QStringLiteral("正在启动，请稍候……"));
    return image;
}

} // namespace

QImage splashPicture() {
    static const QImage picture = drawPicture();
    return picture;
}
