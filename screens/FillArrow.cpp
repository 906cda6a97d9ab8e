// SPDX-License-Identifier: GPL-3.0-or-later

#include "screens/FillArrow.h"

#include <QPainter>
#include <QPolygonF>

#include "ui/TColor.h"

namespace {
constexpr int kSide = 17;
}

QPixmap fillArrowPicture() {
    QPixmap picture(kSide, kSide);
    picture.fill(Qt::transparent);

    // A short shaft with a broad head; the tip touches the right edge so that the gap to the button is exactly
    // the one the screen leaves beside the picture.
    const QPolygonF shape({QPointF(1, 6), QPointF(8, 6), QPointF(8, 2), QPointF(16, 8.5), QPointF(8, 15),
                           QPointF(8, 11), QPointF(1, 11)});
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(toQColor(Colors::clNavy), 1));
    painter.setBrush(toQColor(Colors::clRed));
    painter.drawPolygon(shape);
    return picture;
}
