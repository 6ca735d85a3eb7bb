// The settings dialog's background gradient, natively.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "host/settings_dialog/background_gradient.h"

namespace {

// The colour as 0x00BBGGRR from red, green and blue.
uint32_t Rgb(int r, int g, int b) { return static_cast<uint32_t>(r | g << 8 | b << 16); }

// Rows of a surface 252 high (the window at 96 dpi) and their strength v; the
// last three are rows where the constant 3.142 and pi part (pi: 35, 157, 213).
// The same share of the height gives the same row whatever the unit: pixels
// at 96 dpi, pixels of a surface twice as high, twips.
TEST(BackgroundGradient, RowsOfTheWindowAndThePanelByTheirShareOfTheHeight) {
    const struct {
        int32_t y;
        int v;
    } rows[] = {{0, 0},   {42, 110}, {63, 156}, {126, 220}, {189, 156},
                {252, 0}, {13, 36},  {64, 158}, {147, 212}};
    for (const int scale : {1, 2, 15}) {
        for (const auto& row : rows) {
            const double height = 252.0 * scale;
            const int32_t y = row.y * scale;
            SCOPED_TRACE(testing::Message() << "height " << height << " row " << y);
            EXPECT_EQ(GradientStrength(height, y), row.v);
            EXPECT_EQ(GradientRowColour(GradientSurface::kWindow, height, y),
                      Rgb(row.v, row.v, row.v + 30));
            EXPECT_EQ(GradientRowColour(GradientSurface::kPanel, height, y),
                      Rgb(row.v + 30, row.v + 30, row.v + 30));
        }
    }
    EXPECT_EQ(GradientRowColour(GradientSurface::kWindow, 252, 126), Rgb(220, 220, 250));
    EXPECT_EQ(GradientRowColour(GradientSurface::kPanel, 252, 0), Rgb(30, 30, 30));
}

// Over every row of heights from none to taller than any screen: the top and
// last rows are 0 (the last one's angle 3.142 lies just past pi, still 0 once
// rounded), no row passes 220 and a tall enough surface reaches it.
TEST(BackgroundGradient, EveryRowOfManyHeights) {
    for (const double height :
         {0.0, 1.0, 2.0, 3.0, 7.0, 165.0, 252.0, 315.0, 378.0, 1080.0, 3780.0, 8640.0}) {
        SCOPED_TRACE(testing::Message() << "height " << height);
        const int32_t rows = GradientRowCount(height);
        ASSERT_EQ(rows, static_cast<int32_t>(height) + 1);
        int peak = 0;
        for (int32_t y = 0; y < rows; ++y) {
            const int v = GradientStrength(height, y);
            ASSERT_TRUE(v >= 0 && v <= 220) << v;
            peak = std::max(peak, v);
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
    for (const auto& c : cases) EXPECT_EQ(GradientRowCount(c.height), c.rows) << c.height;
}

}  // namespace
