// The settings dialog's background gradient, natively.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "host/settings_dialog/background_gradient.h"

namespace {

struct Rgb {
    int r, g, b;
};

Rgb Split(uint32_t colour) {
    return Rgb{static_cast<int>(colour & 0xFF), static_cast<int>(colour >> 8 & 0xFF),
               static_cast<int>(colour >> 16 & 0xFF)};
}

struct Row {
    int32_t y;
    int v;
    Rgb window;
    Rgb panel;
};

// Rows of a surface 252 high (the window at 96 dpi).
constexpr Row kRows252[] = {
    {0, 0, {0, 0, 30}, {30, 30, 30}},
    {42, 110, {110, 110, 140}, {140, 140, 140}},
    {63, 156, {156, 156, 186}, {186, 186, 186}},
    {126, 220, {220, 220, 250}, {250, 250, 250}},
    {189, 156, {156, 156, 186}, {186, 186, 186}},
    {252, 0, {0, 0, 30}, {30, 30, 30}},
    // Rows where the constant 3.142 and pi part (pi gives 35, 157, 213).
    {13, 36, {36, 36, 66}, {66, 66, 66}},
    {64, 158, {158, 158, 188}, {188, 188, 188}},
    {147, 212, {212, 212, 242}, {242, 242, 242}},
};

void ExpectColour(uint32_t colour, const Rgb& expected) {
    const Rgb got = Split(colour);
    EXPECT_EQ(got.r, expected.r);
    EXPECT_EQ(got.g, expected.g);
    EXPECT_EQ(got.b, expected.b);
}

// The same share of the height gives the same row whatever the unit: pixels
// at 96 dpi, pixels of a surface twice as high, twips.
TEST(BackgroundGradient, RowsOfTheWindowAndThePanelByTheirShareOfTheHeight) {
    for (const int scale : {1, 2, 15}) {
        const double height = 252.0 * scale;
        for (const Row& row : kRows252) {
            SCOPED_TRACE(testing::Message() << "height " << height << " row " << row.y * scale);
            EXPECT_EQ(GradientStrength(height, row.y * scale), row.v);
            ExpectColour(GradientRowColour(GradientSurface::kWindow, height, row.y * scale),
                         row.window);
            ExpectColour(GradientRowColour(GradientSurface::kPanel, height, row.y * scale),
                         row.panel);
        }
    }
}

// Over every row of heights from tiny to taller than any screen: the top and
// last rows are 0 (the last one's angle 3.142 lies just past pi, still 0 once
// rounded), no row passes 220 and a tall enough surface reaches it, the window is 30 bluer than red
// and green, the panel grey.
TEST(BackgroundGradient, EveryRowOfManyHeights) {
    for (const double height :
         {1.0, 2.0, 3.0, 7.0, 165.0, 252.0, 315.0, 378.0, 1080.0, 3780.0, 8640.0}) {
        SCOPED_TRACE(testing::Message() << "height " << height);
        const int32_t rows = GradientRowCount(height);
        ASSERT_EQ(rows, static_cast<int32_t>(height) + 1);
        int peak = 0;
        for (int32_t y = 0; y < rows; ++y) {
            const int v = GradientStrength(height, y);
            ASSERT_GE(v, 0);
            ASSERT_LE(v, 220);
            peak = std::max(peak, v);
            const Rgb window = Split(GradientRowColour(GradientSurface::kWindow, height, y));
            const Rgb panel = Split(GradientRowColour(GradientSurface::kPanel, height, y));
            ASSERT_EQ(window.r, v);
            ASSERT_EQ(window.g, v);
            ASSERT_EQ(window.b, v + 30);
            ASSERT_EQ(panel.r, v + 30);
            ASSERT_EQ(panel.g, v + 30);
            ASSERT_EQ(panel.b, v + 30);
        }
        EXPECT_EQ(GradientStrength(height, 0), 0);
        EXPECT_EQ(GradientStrength(height, rows - 1), 0);
        if (height >= 165) {
            EXPECT_EQ(peak, 220);  // a row near enough the middle
        }
    }
}

// Rows 0 to the height rounded halves to even, both included; a 16-bit row
// counter stops at 32767; nothing for a height below zero.
TEST(BackgroundGradient, RowCountRoundsTheHeightHalvesToEven) {
    const struct {
        double height;
        int32_t rows;
    } cases[] = {
        {252, 253},     {252.4, 253},   {252.5, 253},      {253.5, 255}, {0.5, 1},
        {1.5, 3},       {0, 1},         {-0.4, 1},         {-0.6, 0},    {-1, 0},
        {32767, 32768}, {40000, 32768}, {std::nan(""), 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GradientRowCount(c.height), c.rows) << "height " << c.height;
    }
}

// A surface with no height still gets its one row, dark, without dividing
// 0 by 0.
TEST(BackgroundGradient, ZeroHeightPaintsOneDarkRow) {
    ASSERT_EQ(GradientRowCount(0), 1);
    ExpectColour(GradientRowColour(GradientSurface::kWindow, 0, 0), {0, 0, 30});
    ExpectColour(GradientRowColour(GradientSurface::kPanel, 0, 0), {30, 30, 30});
}

}  // namespace
