// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/FrameArtwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace FrameArtwork {
namespace {

// The model window the pieces are cut from. It is wider than any crop needs, and 3 columns wider than itself on
// the right because the right-hand pieces hang 3 pixels past the window's edge.
constexpr int kModelWidth = 1000;
constexpr int kModelHeight = 800;
constexpr int kOverhang = 3;
constexpr int kCaptionHeight = 50;
constexpr int kSide = 10;    // visible width of the side and bottom borders
constexpr int kBandEnd = 44; // last row of the coloured caption; below it the light border runs across

struct Shades {
    QColor outline;
    QColor highlight;
    QColor glossTop;
    QColor glossBottom;
    QColor lowTop;
    QColor lowBottom;
    QColor separator;
};

Shades captionShades(bool active) {
    if (active)
        return {QColor(0x1c, 0x36, 0x5e), QColor(0x9d, 0xc2, 0xf2), QColor(0x5a, 0x93, 0xde), QColor(0x30, 0x67, 0xb8),
                QColor(0x2b, 0x5f, 0xae), QColor(0x3a, 0x71, 0xc0), QColor(0x1f, 0x44, 0x7c)};
    return {QColor(0x4a, 0x55, 0x66), QColor(0xe2, 0xe7, 0xee), QColor(0xb8, 0xc3, 0xd1), QColor(0x97, 0xa4, 0xb6),
            QColor(0x92, 0x9f, 0xb2), QColor(0x9e, 0xaa, 0xbb), QColor(0x6d, 0x79, 0x8c)};
}

// The light border, the same for the active and the inactive window.
const QColor kBody(0xc9, 0xd5, 0xe5);
const QColor kOutline(0x2e, 0x3e, 0x58);
const QColor kOuterLight(0xf3, 0xf6, 0xfb);
const QColor kOuterShade(0x8a, 0x99, 0xb0);
const QColor kInnerShadow(0x7b, 0x8a, 0xa2);
const QColor kInnerLight(0xfb, 0xfc, 0xfe);

void hline(QPainter &p, int x1, int x2, int y, const QColor &c) {
    p.fillRect(x1, y, x2 - x1 + 1, 1, c);
}
void vline(QPainter &p, int x, int y1, int y2, const QColor &c) {
    p.fillRect(x, y1, 1, y2 - y1 + 1, c);
}

QImage drawModel(bool active) {
    const int w = kModelWidth;
    const int h = kModelHeight;
    QImage image(w + kOverhang, h, QImage::Format_RGB32);
    image.fill(kOutline);
    QPainter p(&image);

    // Border body: flat, so the side, bottom and corner pieces meet without a seam whichever way they are cut.
    p.fillRect(0, 0, w, h, kBody);
    p.fillRect(kSide, kCaptionHeight, w - 2 * kSide, h - kCaptionHeight - kSide, QColor(0xcf, 0xcf, 0xcf));

    // Caption: a glossy upper half that carries the title and the buttons, a calmer lower half for the menu band.
    const Shades s = captionShades(active);
    QLinearGradient gloss(0, 2, 0, 23);
    gloss.setColorAt(0, s.glossTop);
    gloss.setColorAt(1, s.glossBottom);
    p.fillRect(0, 2, w, 22, gloss);
    QLinearGradient low(0, 24, 0, kBandEnd - 1);
    low.setColorAt(0, s.lowTop);
    low.setColorAt(1, s.lowBottom);
    p.fillRect(0, 24, w, kBandEnd - 24, low);
    QLinearGradient sheen(0, 2, 0, 12);
    sheen.setColorAt(0, QColor(255, 255, 255, 70));
    sheen.setColorAt(1, QColor(255, 255, 255, 10));
    p.fillRect(0, 2, w, 11, sheen);
    hline(p, 0, w - 1, kBandEnd, s.separator);
    hline(p, 1, w - 2, 1, s.highlight);

    // Raised outer edge: light on the top and left, shaded on the right and bottom, outlined all round.
    vline(p, 1, 2, h - 2, kOuterLight);
    vline(p, 1, 2, kBandEnd - 1, s.highlight);
    vline(p, w - 2, 1, h - 2, kOuterShade);
    vline(p, w - 2, 2, kBandEnd - 1, s.separator);
    hline(p, 1, w - 2, h - 2, kOuterShade);
    hline(p, 0, w - 1, 0, s.outline);
    vline(p, 0, 0, kBandEnd, s.outline);
    vline(p, w - 1, 0, kBandEnd, s.outline);
    vline(p, 0, kBandEnd + 1, h - 1, kOutline);
    vline(p, w - 1, kBandEnd + 1, h - 1, kOutline);
    hline(p, 0, w - 1, h - 1, kOutline);

    // Sunken edge round the content panel. The right-hand light line starts at row 48 because the right border
    // is laid from there and must look the same as the caption beneath it.
    hline(p, kSide - 1, w - kSide - 1, kCaptionHeight - 1, kInnerShadow);
    vline(p, kSide - 1, kCaptionHeight - 1, h - kSide - 1, kInnerShadow);
    vline(p, w - kSide, kCaptionHeight - 2, h - kSide, kInnerLight);
    hline(p, kSide - 1, w - kSide, h - kSide, kInnerLight);
    return image;
}

const QImage &model(bool active) {
    static const QImage activeModel = drawModel(true);
    static const QImage inactiveModel = drawModel(false);
    return active ? activeModel : inactiveModel;
}

// A soft glow behind the window icon on the active caption; it fades out well inside the corner picture.
void drawIconGlow(QImage &corner) {
    QPainter p(&corner);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(17, 14), 26);
    glow.setColorAt(0, QColor(255, 255, 255, 60));
    glow.setColorAt(0.6, QColor(255, 255, 255, 18));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.setClipRect(2, 2, corner.width() - 2, kBandEnd - 2);
    p.fillRect(corner.rect(), glow);
}

void drawGlyph(QPainter &p, Button button, const QColor &c) {
    switch (button) {
    case Button::Minimize:
        p.fillRect(5, 12, 7, 2, c);
        break;
    case Button::Maximize:
        p.fillRect(4, 5, 9, 2, c);
        p.fillRect(4, 7, 1, 7, c);
        p.fillRect(12, 7, 1, 7, c);
        p.fillRect(4, 13, 9, 1, c);
        break;
    case Button::Restore:
        p.fillRect(7, 4, 6, 2, c);
        p.fillRect(12, 6, 1, 4, c);
        p.fillRect(10, 9, 2, 1, c);
        p.fillRect(7, 6, 1, 1, c);
        p.fillRect(4, 7, 7, 2, c);
        p.fillRect(4, 9, 1, 5, c);
        p.fillRect(10, 9, 1, 5, c);
        p.fillRect(4, 13, 7, 1, c);
        break;
    case Button::Close: {
        QPen pen(c, 1.8, Qt::SolidLine, Qt::RoundCap);
        p.setPen(pen);
        p.setRenderHint(QPainter::Antialiasing);
        p.drawLine(QPointF(5.5, 6.5), QPointF(11.5, 12.5));
        p.drawLine(QPointF(11.5, 6.5), QPointF(5.5, 12.5));
        p.setRenderHint(QPainter::Antialiasing, false);
        break;
    }
    }
}

} // namespace

QImage captionBand(bool active) {
    return model(active).copy(100, 0, 800, kCaptionHeight);
}

QImage captionLeftCorner(bool active) {
    QImage corner = model(active).copy(0, 0, active ? 85 : 81, kCaptionHeight);
    if (active)
        drawIconGlow(corner);
    return corner;
}

QImage captionRightCorner(bool active) {
    return model(active).copy(kModelWidth - 97, 0, 100, kCaptionHeight);
}

QImage leftBorder() {
    return model(true).copy(0, 100, 12, 600);
}

QImage rightBorder() {
    return model(true).copy(kModelWidth - kSide, 100, 13, 600);
}

QImage bottomBorder() {
    return model(true).copy(100, kModelHeight - 12, 800, 12);
}

QImage bottomLeftCorner() {
    return model(true).copy(0, kModelHeight - 12, 10, 12);
}

QImage bottomRightCorner() {
    return model(true).copy(kModelWidth - kSide, kModelHeight - 12, 13, 12);
}

QImage windowButton(Button button) {
    QImage image(17, 19, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const bool close = button == Button::Close;
    QLinearGradient face(0, 0, 0, 18);
    face.setColorAt(0, close ? QColor(0xf0, 0x8a, 0x7c) : QColor(0x8c, 0xb6, 0xec));
    face.setColorAt(0.5, close ? QColor(0xd8, 0x4a, 0x3a) : QColor(0x4d, 0x84, 0xd2));
    face.setColorAt(1, close ? QColor(0xb8, 0x2e, 0x22) : QColor(0x33, 0x68, 0xb8));
    QPainterPath shape;
    shape.addRoundedRect(QRectF(0.5, 0.5, 16, 18), 3, 3);
    p.fillPath(shape, face);
    p.setPen(QPen(close ? QColor(0x7a, 0x1c, 0x14) : QColor(0x1c, 0x3a, 0x6a), 1));
    p.drawPath(shape);
    p.setPen(QPen(QColor(255, 255, 255, 110), 1));
    p.drawLine(QPointF(3, 1.5), QPointF(14, 1.5));
    p.setRenderHint(QPainter::Antialiasing, false);
    // The glyph with a one-pixel shadow beneath it, so it stays crisp on the light upper half of the face.
    p.translate(0, 1);
    drawGlyph(p, button, QColor(0, 0, 0, 90));
    p.translate(0, -1);
    drawGlyph(p, button, Qt::white);
    return image;
}

QImage menuBand(bool active) {
    const int height = active ? 19 : 17;
    QImage image(800, height, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient band(0, 0, 0, height - 1);
    band.setColorAt(0, active ? QColor(0x4a, 0x80, 0xcc) : QColor(0xa9, 0xb5, 0xc6));
    band.setColorAt(1, active ? QColor(0x36, 0x6c, 0xbc) : QColor(0x9a, 0xa7, 0xb9));
    p.fillRect(image.rect(), band);
    hline(p, 0, 799, 0, active ? QColor(0x6f, 0x9d, 0xdf) : QColor(0xc4, 0xcc, 0xd7));
    return image;
}

} // namespace FrameArtwork
