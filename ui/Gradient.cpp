// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Gradient.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

// The dithered strip is this many pixels wide (vertical styles) or high (horizontal styles).
constexpr int kStrip = 16;

double roundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5)
        return floor + 1.0;
    if (fraction < 0.5)
        return floor;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

int channel(TColor rgb, int shift) {
    return int((rgb >> shift) & 0xFFu);
}

int globalRandom(int k) {
    return k > 0 ? int(QRandomGenerator::global()->bounded(quint32(k))) : 0;
}

void setPixelClipped(QImage &image, int x, int y, QRgb color) {
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height())
        reinterpret_cast<QRgb *>(image.scanLine(y))[x] = color;
}

void buildVertical(QImage &image, const QVector<QRgb> &table, bool dithered, const GradientRandom &random) {
    const int width = image.width();
    const int height = image.height();
    const int n = int(table.size());
    for (int i = 0; i < n; ++i) {
        const int y0 = MulDiv(i, height, n);
        const int y1 = MulDiv(i + 1, height, n);
        for (int y = std::max(y0, 0); y < std::min(y1, height); ++y) {
            QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
            std::fill(row, row + width, table[i]);
        }
        if (!dithered || i == 0)
            continue;
        // Rows of the frayed edge that reach past y1 are painted over by the next band.
        const int reach = height / (n - 1);
        for (int x = 0; x < kStrip; ++x)
            for (int k = 0; k <= reach; ++k)
                setPixelClipped(image, x, y0 + random(k), table[i - 1]);
    }
    const int strip = std::min(kStrip, width);
    for (int y = 0; y < height; ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = kStrip; x < width; x += kStrip)
            std::memcpy(row + x, row, size_t(std::min(strip, width - x)) * sizeof(QRgb));
    }
}

void buildHorizontal(QImage &image, const QVector<QRgb> &table, bool dithered, const GradientRandom &random) {
    const int width = image.width();
    const int height = image.height();
    const int n = int(table.size());
    for (int i = 0; i < n; ++i) {
        const int x0 = std::max(MulDiv(i, width, n), 0);
        const int x1 = std::min(MulDiv(i + 1, width, n), width);
        for (int y = 0; y < height && x0 < x1; ++y) {
            QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
            std::fill(row + x0, row + x1, table[i]);
        }
        if (!dithered || i == 0)
            continue;
        const int reach = width / (n - 1);
        for (int y = 0; y < kStrip; ++y)
            for (int k = 0; k <= reach; ++k)
                setPixelClipped(image, x0 + random(k), y, table[i - 1]);
    }
    const size_t rowBytes = size_t(width) * sizeof(QRgb);
    for (int y = kStrip; y < height; ++y)
        std::memcpy(image.scanLine(y), image.constScanLine(y % kStrip), rowBytes);
}

} // namespace

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0)
        return 0;
    const qint64 product = qint64(number) * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const qint64 magnitude =
        (std::llabs(product) + std::llabs(qint64(denominator)) / 2) / std::llabs(qint64(denominator));
    return int(negative ? -magnitude : magnitude);
}

QVector<QRgb> gradientColorTable(TColor from, TColor to, int colorCount) {
    QVector<QRgb> table;
    if (colorCount <= 0)
        return table;
    const TColor c0 = colorToRGB(from);
    const TColor c1 = colorToRGB(to);
    table.reserve(colorCount);
    if (colorCount == 1) {
        table.append(qRgb(channel(c0, 0), channel(c0, 8), channel(c0, 16)));
        return table;
    }
    int rgb[3];
    double step[3];
    for (int c = 0; c < 3; ++c)
        step[c] = double(channel(c1, 8 * c) - channel(c0, 8 * c)) / double(colorCount - 1);
    for (int i = 0; i < colorCount; ++i) {
        for (int c = 0; c < 3; ++c)
            rgb[c] = channel(c0, 8 * c) + int(roundHalfEven(i * step[c]));
        table.append(qRgb(rgb[0], rgb[1], rgb[2]));
    }
    return table;
}

void BuildGradient(QImage &target, int width, int height, TColor from, TColor to, int colorCount, GradientStyle style,
                   bool dithered, const GradientRandom &random) {
    target = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    if (target.isNull())
        return;
    target.fill(toQColor(from));

    const bool reversed = style == GradientStyle::HorizontalReversed || style == GradientStyle::VerticalReversed;
    if (reversed)
        std::swap(from, to);
    const QVector<QRgb> table = gradientColorTable(from, to, std::max(colorCount, 1));
    const GradientRandom &source = random ? random : GradientRandom(globalRandom);

    if (style == GradientStyle::Vertical || style == GradientStyle::VerticalReversed)
        buildVertical(target, table, dithered, source);
    else
        buildHorizontal(target, table, dithered, source);
}
