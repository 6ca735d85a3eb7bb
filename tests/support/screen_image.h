#pragma once

#include <string>
#include <vector>

// A capture of the screen as the user sees it, the same on both platforms so
// that the Wine and the native tests judge pictures by the same rules.
struct ScreenImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // rows top-down, pixels red, green, blue

    const unsigned char* At(int x, int y) const {
        return &rgb[(static_cast<size_t>(y) * width + x) * 3];
    }
    // The pixel as 0xRRGGBB.
    unsigned Rgb(int x, int y) const {
        const unsigned char* p = At(x, y);
        return (unsigned{p[0]} << 16) | (unsigned{p[1]} << 8) | p[2];
    }
};

// Writes a 24-bit BMP file, for a person to look at after the run.
bool WriteBmpFile(const std::string& path, const ScreenImage& image);

// Where screenshots go: the folder named by GLINTRA_SCREENSHOT_DIR, else the
// working directory. Saves `image` there as `name` and prints the path;
// false if it could not be written.
bool SaveScreenshot(const ScreenImage& image, const std::string& name);

// Pixels whose colour differs between two captures of the same size.
long CountChangedPixels(const ScreenImage& a, const ScreenImage& b);

// The smallest rectangle around the pixels of exactly the colour `rgb` within
// the rectangle at `left`, `top` of `width` x `height`; false when there are
// none.
struct PixelBounds {
    int left = 0, top = 0, width = 0, height = 0;
};
bool FindColour(const ScreenImage& image, int left, int top, int width, int height,
                const unsigned char (&rgb)[3], PixelBounds& found);

// Where the light of a set of captures falls: the screen cut into a 3 x 3
// grid, each cell's share of the total brightness, the share of thin strips
// along the four sides, and the brightness centroid as a fraction of the
// width and the height.
struct LightLayout {
    double cellShare[3][3] = {};  // [row][column], row 0 at the top
    // Share of the outer tenth along each side: left, right, top, bottom.
    double edgeShare[4] = {};
    double centroidX = 0;
    double centroidY = 0;
    double total = 0;
};
LightLayout MeasureLight(const std::vector<ScreenImage>& frames);
