// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>

#include "ui/Gradient.h"

// Bands, rounding and dithering of the button gradients, pixel for pixel.
class TestGradient : public QObject {
    Q_OBJECT
private slots:
    void mulDivRounding_data();
    void mulDivRounding();
    void colorTable_data();
    void colorTable();
    void faceRows_data();
    void faceRows();
    void faceEveryPixel();
    void ditheredStripRepeatsAcross();
    void horizontalBandsAndStripDown();
    void reversedStylesStartFromTheEnd();
    void degenerateSizes();
};

namespace {

// The start button's face: 209 × 23 at 64 bands, from RGB(255, 243, 206) to white.
constexpr int kFaceWidth = 209;
constexpr int kFaceHeight = 23;
constexpr TColor kFaceFrom = 13562879;
constexpr TColor kFaceTo = Colors::clWhite;

QRgb rgbOf(TColor color) {
    return toQColor(color).rgb();
}

int alwaysZero(int) {
    return 0;
}

} // namespace

void TestGradient::mulDivRounding_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("numerator");
    QTest::addColumn<int>("denominator");
    QTest::addColumn<int>("expected");
    QTest::newRow("band 1 of 64 on 23 rows") << 1 << 23 << 64 << 0;
    QTest::newRow("band 2 of 64 on 23 rows") << 2 << 23 << 64 << 1;
    QTest::newRow("band 63 of 64 on 23 rows") << 63 << 23 << 64 << 23;
    QTest::newRow("half rounds up") << 5 << 1 << 2 << 3;
    QTest::newRow("negative half rounds away from zero") << -5 << 1 << 2 << -3;
    QTest::newRow("no overflow in the product") << 100000 << 100000 << 1000000 << 10000;
}

void TestGradient::mulDivRounding() {
    QFETCH(int, number);
    QFETCH(int, numerator);
    QFETCH(int, denominator);
    QFETCH(int, expected);
    QCOMPARE(MulDiv(number, numerator, denominator), expected);
}

void TestGradient::colorTable_data() {
    QTest::addColumn<TColor>("from");
    QTest::addColumn<TColor>("to");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");
    QTest::addColumn<TColor>("expected");
    // Three colours put the middle one exactly half way: the halves go to the even neighbour.
    QTest::newRow("0.5 rounds down to 0") << TColor(0x000000) << TColor(0x000001) << 3 << 1 << TColor(0x000000);
    QTest::newRow("1.5 rounds up to 2") << TColor(0x000000) << TColor(0x000003) << 3 << 1 << TColor(0x000002);
    QTest::newRow("2.5 rounds down to 2") << TColor(0x000000) << TColor(0x000005) << 3 << 1 << TColor(0x000002);
    QTest::newRow("-0.5 rounds to 0") << TColor(0x000001) << TColor(0x000000) << 3 << 1 << TColor(0x000001);
    QTest::newRow("-1.5 rounds to -2") << TColor(0x000003) << TColor(0x000000) << 3 << 1 << TColor(0x000001);
    QTest::newRow("green and blue step apart") << TColor(0x000000) << TColor(0x030100) << 3 << 1 << TColor(0x020000);
    QTest::newRow("face band 0") << kFaceFrom << kFaceTo << 64 << 0 << kFaceFrom;
    QTest::newRow("face band 32") << kFaceFrom << kFaceTo << 64 << 32 << TColor(0xE7F9FF);
    QTest::newRow("face band 63 is the end color") << kFaceFrom << kFaceTo << 64 << 63 << kFaceTo;
    QTest::newRow("named color resolved") << Colors::clBtnFace << Colors::clWhite << 2 << 0 << TColor(0xC8D0D4);
    QTest::newRow("one color is the start") << TColor(0x123456) << Colors::clWhite << 1 << 0 << TColor(0x123456);
}

void TestGradient::colorTable() {
    QFETCH(TColor, from);
    QFETCH(TColor, to);
    QFETCH(int, count);
    QFETCH(int, index);
    QFETCH(TColor, expected);
    const QVector<QRgb> table = gradientColorTable(from, to, count);
    QCOMPARE(table.size(), count);
    QCOMPARE(QColor(table.at(index)), toQColor(expected));
}

void TestGradient::faceRows_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QColor>("plain");
    QTest::addColumn<QColor>("dithered");
    // Several bands share a row and the last of them wins: row 0 shows band 1, row 1 band 4, row 11 band 31,
    // row 22 band 62 (band 63 starts at row 23, below the face). Dithering with one row per band leaves each row
    // in the colour of the band before its winner.
    QTest::newRow("row 0") << 0 << QColor(255, 243, 207) << QColor(255, 243, 206);
    QTest::newRow("row 1") << 1 << QColor(255, 244, 209) << QColor(255, 244, 208);
    QTest::newRow("row 11") << 11 << QColor(255, 249, 230) << QColor(255, 249, 229);
    QTest::newRow("row 22") << 22 << QColor(255, 255, 254) << QColor(255, 255, 253);
}

void TestGradient::faceRows() {
    QFETCH(int, row);
    QFETCH(QColor, plain);
    QFETCH(QColor, dithered);
    QImage image;
    BuildGradient(image, kFaceWidth, kFaceHeight, kFaceFrom, kFaceTo, 64, GradientStyle::Vertical, false);
    QCOMPARE(image.size(), QSize(kFaceWidth, kFaceHeight));
    for (int x = 0; x < kFaceWidth; ++x)
        QCOMPARE(image.pixelColor(x, row), plain);
    BuildGradient(image, kFaceWidth, kFaceHeight, kFaceFrom, kFaceTo, 64, GradientStyle::Vertical, true, alwaysZero);
    for (int x = 0; x < kFaceWidth; ++x)
        QCOMPARE(image.pixelColor(x, row), dithered);
}

void TestGradient::faceEveryPixel() {
    const QVector<QRgb> table = gradientColorTable(kFaceFrom, kFaceTo, 64);
    QImage image;
    BuildGradient(image, kFaceWidth, kFaceHeight, kFaceFrom, kFaceTo, 64, GradientStyle::Vertical, false);
    for (int y = 0; y < kFaceHeight; ++y) {
        // The row belongs to the last band that starts at or above it.
        int band = 0;
        while (band + 1 < 64 && MulDiv(band + 1, kFaceHeight, 64) <= y)
            ++band;
        for (int x = 0; x < kFaceWidth; ++x)
            QCOMPARE(image.pixel(x, y), table.at(band));
    }
}

void TestGradient::ditheredStripRepeatsAcross() {
    // 40 × 40 at 8 bands: bands are 5 rows high and each edge frays over up to 40 div 7 = 5 rows. The scripted
    // source frays column 3 of the strip as far as it goes and leaves the others at the band's first row.
    const QVector<QRgb> table = gradientColorTable(Colors::clBlack, Colors::clRed, 8);
    int calls = 0;
    const GradientRandom source = [&calls](int k) {
        const int column = (calls++ / 6) % 16;
        return column == 3 && k > 0 ? k - 1 : 0;
    };
    QImage image;
    BuildGradient(image, 40, 40, Colors::clBlack, Colors::clRed, 8, GradientStyle::Vertical, true, source);
    QCOMPARE(calls, 7 * 16 * 6);
    for (int x : {3, 19, 35}) {
        QCOMPARE(image.pixel(x, 0), table.at(0));
        QCOMPARE(image.pixel(x, 7), table.at(0)); // band 1 frayed all the way down
        QCOMPARE(image.pixel(x, 39), table.at(6));
    }
    for (int x : {0, 4, 20, 36}) {
        QCOMPARE(image.pixel(x, 5), table.at(0)); // first row of band 1 takes band 0's colour
        QCOMPARE(image.pixel(x, 6), table.at(1));
        QCOMPARE(image.pixel(x, 39), table.at(7));
    }
}

void TestGradient::horizontalBandsAndStripDown() {
    const QVector<QRgb> table = gradientColorTable(Colors::clBlack, Colors::clRed, 8);
    QImage image;
    BuildGradient(image, 40, 20, Colors::clBlack, Colors::clRed, 8, GradientStyle::Horizontal, false);
    QCOMPARE(image.pixel(4, 19), table.at(0));
    QCOMPARE(image.pixel(5, 19), table.at(1));
    QCOMPARE(image.pixel(39, 0), table.at(7));

    BuildGradient(image, 40, 20, Colors::clBlack, Colors::clRed, 8, GradientStyle::Horizontal, true, alwaysZero);
    // The frayed top 16 rows repeat below: row 19 is row 3 again.
    QCOMPARE(image.pixel(5, 3), table.at(0));
    QCOMPARE(image.pixel(5, 19), table.at(0));
    QCOMPARE(image.pixel(6, 19), table.at(1));
}

void TestGradient::reversedStylesStartFromTheEnd() {
    QImage image;
    BuildGradient(image, 20, 20, Colors::clBlack, Colors::clWhite, 4, GradientStyle::VerticalReversed, false);
    QCOMPARE(image.pixel(10, 0), rgbOf(Colors::clWhite));
    QCOMPARE(image.pixel(10, 19), rgbOf(Colors::clBlack));
    BuildGradient(image, 20, 20, Colors::clBlack, Colors::clWhite, 4, GradientStyle::HorizontalReversed, false);
    QCOMPARE(image.pixel(0, 10), rgbOf(Colors::clWhite));
    QCOMPARE(image.pixel(19, 10), rgbOf(Colors::clBlack));
}

void TestGradient::degenerateSizes() {
    QImage image;
    BuildGradient(image, 0, 23, kFaceFrom, kFaceTo, 64, GradientStyle::Vertical, true);
    QVERIFY(image.isNull());
    BuildGradient(image, -4, -4, kFaceFrom, kFaceTo, 64, GradientStyle::Vertical, true);
    QVERIFY(image.isNull());
    // Narrower than the strip and fewer rows than bands: the fraying is clipped to the image.
    BuildGradient(image, 5, 3, kFaceFrom, kFaceTo, 64, GradientStyle::Vertical, true, [](int k) { return k + 50; });
    QCOMPARE(image.size(), QSize(5, 3));
    // A single colour has no steps to divide into.
    BuildGradient(image, 8, 8, kFaceFrom, kFaceTo, 1, GradientStyle::Vertical, true);
    QCOMPARE(image.pixel(7, 7), rgbOf(kFaceFrom));
}

QTEST_GUILESS_MAIN(TestGradient)
#include "test_gradient.moc"
