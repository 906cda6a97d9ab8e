// SPDX-License-Identifier: GPL-3.0-or-later

#include "screens/ChoiceTickPicture.h"

#include <QPainter>

#include "ui/TColor.h"

QPixmap choiceTickPicture() {
    QPixmap picture(29, 17);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(toQColor(Colors::clRed), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    const QPointF stroke[] = {{4.0, 8.0}, {11.0, 14.0}, {25.0, 3.0}};
    painter.drawPolyline(stroke, 3);
    return picture;
}
