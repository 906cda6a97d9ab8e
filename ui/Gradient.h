// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QVector>

#include <functional>

#include "ui/TColor.h"

// The banded colour gradients that the gradient button paints from. Pure functions on a QImage, no widgets, so the
// bands and their dithering can be checked pixel for pixel.

enum class GradientStyle { Horizontal = 0, Vertical = 1, HorizontalReversed = 2, VerticalReversed = 3 };

// A uniform pseudo-random integer from 0 to k − 1 (0 when k is 0 or less). Tests pass a scripted source.
using GradientRandom = std::function<int(int k)>;

// Multiply, then divide rounding to the nearest integer, halves away from zero; 0 on a zero divisor.
int MulDiv(int number, int numerator, int denominator);

// The n colours of a gradient from `from` to `to` (named colours resolved), as opaque QRgb values. Each channel
// steps by (to − from) / (n − 1) computed in floating point, the product rounded to nearest with halves to even.
// A single colour is `from` itself.
QVector<QRgb> gradientColorTable(TColor from, TColor to, int colorCount);

// Fills `target` (resized to width × height) with colorCount bands from `from` to `to` in the given style. With
// `dithered` each band edge is frayed into the band before it over a 16-pixel strip, which is then repeated across
// the image, so that few bands still look smooth. `random` defaults to the global generator.
void BuildGradient(QImage &target, int width, int height, TColor from, TColor to, int colorCount, GradientStyle style,
                   bool dithered, const GradientRandom &random = {});
