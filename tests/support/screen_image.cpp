#include "support/screen_image.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void PutLE(std::vector<unsigned char>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

}  // namespace

bool WriteBmpFile(const std::string& path, const ScreenImage& image) {
    const uint32_t rowBytes = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(image.height);
    std::vector<unsigned char> out;
    out.reserve(54 + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    PutLE(out, 54 + pixelBytes, 4);
    PutLE(out, 0, 4);
    PutLE(out, 54, 4);
    PutLE(out, 40, 4);
    PutLE(out, static_cast<uint32_t>(image.width), 4);
    PutLE(out, static_cast<uint32_t>(image.height), 4);
    PutLE(out, 1, 2);
    PutLE(out, 24, 2);
    PutLE(out, 0, 4);
    PutLE(out, pixelBytes, 4);
    PutLE(out, 3780, 4);
    PutLE(out, 3780, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    for (int y = image.height - 1; y >= 0; --y) {  // BMP rows run bottom-up
        for (int x = 0; x < image.width; ++x) {
            const unsigned char* p = image.At(x, y);
            out.insert(out.end(), {p[2], p[1], p[0]});
        }
        out.resize(out.size() + rowBytes - static_cast<uint32_t>(image.width) * 3, 0);
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && written;
}

bool SaveScreenshot(const ScreenImage& image, const std::string& name) {
    const char* dir = std::getenv("GLINTRA_SCREENSHOT_DIR");
    std::string path = dir != nullptr && *dir != '\0' ? dir : ".";
#ifdef _WIN32
    // Under Wine a folder given as a Unix path is on drive Z:.
    if (path[0] == '/') path = "Z:" + path;
#endif
    path += "/" + name;
    if (!WriteBmpFile(path, image)) return false;
    std::printf("screenshot: %s\n", path.c_str());
    return true;
}

long CountChangedPixels(const ScreenImage& a, const ScreenImage& b) {
    if (a.width != b.width || a.height != b.height) return -1;
    long changed = 0;
    for (size_t i = 0; i + 2 < a.rgb.size(); i += 3) {
        if (a.rgb[i] != b.rgb[i] || a.rgb[i + 1] != b.rgb[i + 1] || a.rgb[i + 2] != b.rgb[i + 2])
            ++changed;
    }
    return changed;
}

LightLayout MeasureLight(const std::vector<ScreenImage>& frames) {
    LightLayout layout;
    double cells[3][3] = {};
    double edges[4] = {};
    double sumX = 0, sumY = 0;
    for (const ScreenImage& frame : frames) {
        for (int y = 0; y < frame.height; ++y) {
            const int row = y * 3 / frame.height;
            for (int x = 0; x < frame.width; ++x) {
                const unsigned char* p = frame.At(x, y);
                const double v = p[0] + p[1] + p[2];
                if (v == 0) continue;
                cells[row][x * 3 / frame.width] += v;
                if (x < frame.width / 10) edges[0] += v;
                if (x >= frame.width - frame.width / 10) edges[1] += v;
                if (y < frame.height / 10) edges[2] += v;
                if (y >= frame.height - frame.height / 10) edges[3] += v;
                sumX += v * (x + 0.5) / frame.width;
                sumY += v * (y + 0.5) / frame.height;
                layout.total += v;
            }
        }
    }
    if (layout.total == 0) return layout;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) layout.cellShare[r][c] = cells[r][c] / layout.total;
    }
    for (int i = 0; i < 4; ++i) layout.edgeShare[i] = edges[i] / layout.total;
    layout.centroidX = sumX / layout.total;
    layout.centroidY = sumY / layout.total;
    return layout;
}

bool FindColour(const ScreenImage& image, int left, int top, int width, int height,
                const unsigned char (&rgb)[3], PixelBounds& found) {
    int minX = image.width, minY = image.height, maxX = -1, maxY = -1;
    for (int y = std::max(top, 0); y < std::min(top + height, image.height); ++y) {
        for (int x = std::max(left, 0); x < std::min(left + width, image.width); ++x) {
            const unsigned char* p = image.At(x, y);
            if (p[0] != rgb[0] || p[1] != rgb[1] || p[2] != rgb[2]) continue;
            minX = std::min(minX, x), maxX = std::max(maxX, x);
            minY = std::min(minY, y), maxY = std::max(maxY, y);
        }
    }
    if (maxX < 0) return false;
    found = {minX, minY, maxX - minX + 1, maxY - minY + 1};
    return true;
}
