// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QEnterEvent>
#include <QEvent>

#include <benchmark/benchmark.h>

#include "ui/Fonts.h"
#include "ui/Gradient.h"
#include "ui/TdxButton.h"

namespace {

// One gradient of the start button's size at each quality.
void BM_BuildGradient(benchmark::State &state) {
    const int bands = int(state.range(0));
    const bool dithered = bands == 64;
    QImage image;
    for (auto _ : state) {
        BuildGradient(image, 209, 23, 13562879, 0xFFFFFF, bands, GradientStyle::Vertical, dithered);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_BuildGradient)->Arg(8)->Arg(16)->Arg(64);

// What a size, colour or quality change costs: all four bitmaps of a 211 × 25 button.
void BM_RebuildGradients(benchmark::State &state) {
    TdxButton button;
    button.resize(211, 25);
    button.setQuality(TdxQuality::bqHigh);
    TdxColors colors;
    for (auto _ : state) {
        colors.ClickedFrom ^= 1;
        button.setColors(colors);
    }
}
BENCHMARK(BM_RebuildGradients);

// What hover costs: one paint of the button from its prepared bitmaps, caption included.
void BM_PaintHovered(benchmark::State &state) {
    TdxButton button;
    button.setGeometry(0, 0, 211, 25);
    button.setFont(songFont(12));
    button.setCaption(QStringLiteral("&S开始考试"));
    button.setQuality(TdxQuality::bqHigh);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&button, &enter);
    QImage target(211, 25, QImage::Format_RGB32);
    for (auto _ : state)
        button.render(&target);
}
BENCHMARK(BM_PaintHovered);

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
