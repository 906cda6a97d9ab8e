// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/ClipArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <cmath>

namespace {

constexpr int kFramesPerLoop = 24;

const QColor kOutline(60, 60, 70);
const QColor kFolderBody(240, 200, 80);
const QColor kFolderTab(222, 176, 56);
const QColor kPaper(255, 255, 255);
const QColor kPaperLine(150, 160, 180);
const QColor kBinBody(120, 150, 130);

// Where a loop is, 0 ≤ t < 1.
double phase(int index) {
    return double(index % kFramesPerLoop) / kFramesPerLoop;
}

void drawFolder(QPainter &p, const QRectF &r) {
    QPainterPath tab;
    tab.addRoundedRect(QRectF(r.left(), r.top(), r.width() * 0.45, r.height() * 0.3), 2, 2);
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kFolderTab);
    p.drawPath(tab);
    QLinearGradient face(r.topLeft(), r.bottomLeft());
    face.setColorAt(0, kFolderBody.lighter(115));
    face.setColorAt(1, kFolderBody.darker(108));
    p.setBrush(face);
    p.drawRoundedRect(QRectF(r.left(), r.top() + r.height() * 0.18, r.width(), r.height() * 0.82), 2, 2);
}

void drawDocument(QPainter &p, const QRectF &r) {
    const double fold = r.width() * 0.3;
    QPainterPath sheet;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kPaper);
    p.drawPath(sheet);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
    p.setPen(QPen(kPaperLine, 1));
    for (double y = r.top() + fold + 3; y < r.bottom() - 2; y += 3)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 3, y));
}

void drawMonitor(QPainter &p, const QRectF &r) {
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(200, 200, 196));
    p.drawRoundedRect(r, 2, 2);
    const QRectF screen = r.adjusted(3, 3, -3, -3);
    QLinearGradient glass(screen.topLeft(), screen.bottomRight());
    glass.setColorAt(0, QColor(60, 110, 200));
    glass.setColorAt(1, QColor(20, 50, 120));
    p.setBrush(glass);
    p.drawRect(screen);
    const QRectF neck(r.center().x() - 3, r.bottom(), 6, 4);
    p.setBrush(QColor(180, 180, 176));
    p.drawRect(neck);
    p.drawRoundedRect(QRectF(r.center().x() - 10, neck.bottom(), 20, 3), 1, 1);
}

void drawBin(QPainter &p, const QRectF &r) {
    QPainterPath body;
    body.moveTo(r.left(), r.top() + 4);
    body.lineTo(r.right(), r.top() + 4);
    body.lineTo(r.right() - 3, r.bottom());
    body.lineTo(r.left() + 3, r.bottom());
    body.closeSubpath();
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kBinBody);
    p.drawPath(body);
    p.setPen(QPen(kBinBody.darker(140), 1));
    for (int i = 1; i < 4; ++i) {
        const double x = r.left() + r.width() * i / 4;
        p.drawLine(QPointF(x, r.top() + 7), QPointF(x, r.bottom() - 3));
    }
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kBinBody.lighter(120));
    p.drawRoundedRect(QRectF(r.left() - 2, r.top(), r.width() + 4, 4), 1, 1);
}

void drawMagnifier(QPainter &p, const QPointF &centre, double radius) {
    const double reach = radius * 0.7071;
    p.setPen(QPen(QColor(90, 60, 30), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(reach, reach), centre + QPointF(reach + radius * 0.9, reach + radius * 0.9));
    p.setPen(QPen(kOutline, 2));
    p.setBrush(QColor(200, 230, 255, 150));
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1));
    p.drawArc(QRectF(centre.x() - radius * 0.6, centre.y() - radius * 0.6, radius * 1.2, radius * 1.2), 100 * 16,
              60 * 16);
}

// The magnifier's figure-of-eight sweep around `centre` over half-widths rx, ry.
QPointF sweep(const QPointF &centre, double rx, double ry, double t) {
    return centre + QPointF(rx * qCos(2 * M_PI * t), ry * qSin(4 * M_PI * t));
}

// A point on the arc from `from` to `to` that rises `height` at its middle.
QPointF arc(const QPointF &from, const QPointF &to, double height, double t) {
    return from + (to - from) * t - QPointF(0, height * qSin(M_PI * t));
}

void drawFlyingSheet(QPainter &p, const QPointF &centre, double t, double scale = 1.0) {
    p.save();
    p.translate(centre);
    p.rotate(-25 + 50 * t);
    p.scale(scale, scale);
    drawDocument(p, QRectF(-5, -6, 10, 12));
    p.restore();
}

void drawSearch(QPainter &p, int clip, double t) {
    const QPointF target(34, 24);
    if (clip == ClipArt::FindFolder)
        drawFolder(p, QRectF(18, 10, 32, 26));
    else if (clip == ClipArt::FindFile)
        drawDocument(p, QRectF(24, 6, 22, 30));
    else
        drawMonitor(p, QRectF(14, 6, 40, 30));
    drawMagnifier(p, sweep(target, 16, 7, t), 8);
}

void drawTransfer(QPainter &p, int clip, double t) {
    const QRectF source(4, 22, 22, 18);
    const QPointF from(15, 24);
    const QPointF to(64, 24);
    if (clip == ClipArt::EmptyRecycle)
        drawBin(p, QRectF(6, 18, 18, 24));
    else
        drawFolder(p, source);
    if (clip == ClipArt::CopyFiles || clip == ClipArt::CopyFile)
        drawFolder(p, QRectF(54, 22, 22, 18));
    else if (clip == ClipArt::RecycleFile)
        drawBin(p, QRectF(56, 18, 18, 24));

    const bool vanishes = clip == ClipArt::EmptyRecycle || clip == ClipArt::DeleteFile;
    const int sheets = clip == ClipArt::CopyFiles ? 2 : 1;
    for (int i = 0; i < sheets; ++i) {
        const double s = std::fmod(t + double(i) / sheets, 1.0);
        if (vanishes) {
            p.setOpacity(1.0 - s);
            drawFlyingSheet(p, arc(from, to, 18, s), s, 1.0 - 0.6 * s);
            p.setOpacity(1.0);
        } else {
            drawFlyingSheet(p, arc(from, to, 18, s), s);
        }
    }
}

} // namespace

namespace ClipArt {

bool isClip(int clip) {
    return clip >= None && clip <= LastClip;
}

int frameCount(int clip) {
    return isClip(clip) && clip != None ? kFramesPerLoop : 0;
}

QImage frame(int clip, int index, const QColor &background) {
    QImage image(kFrameWidth, kFrameHeight, QImage::Format_RGB32);
    image.fill(background);
    if (frameCount(clip) == 0)
        return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double t = phase(index < 0 ? 0 : index);
    if (clip == FindFolder || clip == FindFile || clip == FindComputer)
        drawSearch(p, clip, t);
    else
        drawTransfer(p, clip, t);
    return image;
}

} // namespace ClipArt
