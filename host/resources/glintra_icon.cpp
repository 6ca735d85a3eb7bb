#include "host/resources/glintra_icon.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>

namespace {

using Rgb = std::array<double, 3>;

constexpr double kPi = 3.14159265358979323846;
constexpr int kSparks = 6;
constexpr int kTrail = 5;  // positions per spark, the spark itself first
// Spark colours, as in a re-coloured frame of the saver.
constexpr Rgb kSparkColours[kSparks] = {{1.0, 0.35, 0.25}, {1.0, 0.8, 0.2}, {0.4, 1.0, 0.35},
                                        {0.3, 0.9, 1.0},   {0.4, 0.5, 1.0}, {1.0, 0.4, 0.9}};
constexpr Rgb kBackground = {0.02, 0.02, 0.06};

// The picture in full colour, each channel 0..1, rows top-down.
std::vector<Rgb> DrawFullColour(int size) {
    const double centre = size / 2.0;
    const double ring = size * 0.3;
    const double spread = std::max(0.9, size / 18.0);  // glow radius of one spark
    std::vector<Rgb> pixels(static_cast<size_t>(size) * size, kBackground);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double px = x + 0.5 - centre;
            const double py = y + 0.5 - centre;
            Rgb colour = kBackground;
            // A faint white core where the sparks circle.
            const double core = std::exp(-(px * px + py * py) / (spread * spread * 6));
            for (double& channel : colour) channel += 0.25 * core;
            for (int s = 0; s < kSparks; ++s) {
                for (int t = 0; t < kTrail; ++t) {
                    const double angle = 2 * kPi * s / kSparks - t * 0.22;
                    const double dx = px - ring * std::cos(angle);
                    const double dy = py - ring * std::sin(angle);
                    const double weight = std::exp(-(dx * dx + dy * dy) / (spread * spread)) *
                                          (1.0 - t / static_cast<double>(kTrail));
                    for (int c = 0; c < 3; ++c) {
                        // A white-hot centre, the spark's colour around it.
                        colour[c] += weight * (kSparkColours[s][c] + 0.6 * weight);
                    }
                }
            }
            for (double& channel : colour) channel = std::min(1.0, channel);
            pixels[static_cast<size_t>(y) * size + x] = colour;
        }
    }
    return pixels;
}

bool Outside(int size, int x, int y) {
    const double d = std::hypot(x + 0.5 - size / 2.0, y + 0.5 - size / 2.0);
    return d > size / 2.0;
}

using Colour = std::array<int, 3>;

// Median cut: splits the box of colours with the widest channel at its
// median until there are `wanted` boxes; each box's mean is a palette entry.
std::vector<Colour> MedianCut(const std::vector<Colour>& colours, size_t wanted) {
    std::vector<std::vector<Colour>> boxes = {colours};
    auto widest = [](const std::vector<Colour>& box, int& channel) {
        int best = -1;
        for (int c = 0; c < 3; ++c) {
            int lo = 255, hi = 0;
            for (const Colour& colour : box) {
                lo = std::min(lo, colour[c]);
                hi = std::max(hi, colour[c]);
            }
            if (hi - lo > best) {
                best = hi - lo;
                channel = c;
            }
        }
        return best;
    };
    while (boxes.size() < wanted) {
        size_t split = boxes.size();
        int splitChannel = 0, splitWidth = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            int channel = 0;
            const int width = boxes[i].size() > 1 ? widest(boxes[i], channel) : 0;
            if (width > splitWidth) {
                splitWidth = width;
                splitChannel = channel;
                split = i;
            }
        }
        if (split == boxes.size()) break;  // every box holds one colour
        std::vector<Colour> box = std::move(boxes[split]);
        std::sort(box.begin(), box.end(), [&](const Colour& a, const Colour& b) {
            return a[splitChannel] != b[splitChannel] ? a[splitChannel] < b[splitChannel] : a < b;
        });
        const size_t half = box.size() / 2;
        boxes[split].assign(box.begin(), box.begin() + half);
        boxes.emplace_back(box.begin() + half, box.end());
    }
    std::vector<Colour> palette;
    for (const std::vector<Colour>& box : boxes) {
        Colour sum = {0, 0, 0};
        for (const Colour& colour : box) {
            for (int c = 0; c < 3; ++c) sum[c] += colour[c];
        }
        const int n = static_cast<int>(box.size());
        palette.push_back({(sum[0] + n / 2) / n, (sum[1] + n / 2) / n, (sum[2] + n / 2) / n});
    }
    return palette;
}

void PutLE(std::vector<unsigned char>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

}  // namespace

IconPicture DrawIconPicture(int size) {
    IconPicture picture;
    picture.size = size;
    const std::vector<Rgb> full = DrawFullColour(size);
    std::vector<Colour> pixels(full.size());
    std::vector<Colour> visible;  // one entry per visible pixel: median cut weighs by area
    picture.transparent.resize(full.size());
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const size_t i = static_cast<size_t>(y) * size + x;
            for (int c = 0; c < 3; ++c)
                pixels[i][c] = static_cast<int>(std::lround(full[i][c] * 255));
            picture.transparent[i] = Outside(size, x, y);
            if (!picture.transparent[i]) visible.push_back(pixels[i]);
        }
    }
    // Index 0 stays black for the transparent pixels.
    std::vector<Colour> palette = {{0, 0, 0}};
    const std::vector<Colour> cut = MedianCut(visible, kIconColours - 1);
    palette.insert(palette.end(), cut.begin(), cut.end());
    palette.resize(kIconColours, Colour{0, 0, 0});

    picture.palette.reserve(kIconColours * 3);
    for (const Colour& colour : palette) {
        picture.palette.insert(picture.palette.end(), {static_cast<unsigned char>(colour[0]),
                                                       static_cast<unsigned char>(colour[1]),
                                                       static_cast<unsigned char>(colour[2])});
    }
    picture.indices.resize(full.size());
    for (size_t i = 0; i < full.size(); ++i) {
        if (picture.transparent[i]) continue;  // index 0
        int best = 0;
        long bestDistance = -1;
        for (int p = 0; p < kIconColours; ++p) {
            long distance = 0;
            for (int c = 0; c < 3; ++c) {
                const long d = pixels[i][c] - palette[p][c];
                distance += d * d;
            }
            if (bestDistance < 0 || distance < bestDistance) {
                bestDistance = distance;
                best = p;
            }
        }
        picture.indices[i] = static_cast<unsigned char>(best);
    }
    return picture;
}

std::vector<unsigned char> MakeIconFile() {
    constexpr int kCount = sizeof(kIconSizes) / sizeof(kIconSizes[0]);
    std::vector<std::vector<unsigned char>> images;
    for (int size : kIconSizes) {
        const IconPicture picture = DrawIconPicture(size);
        const uint32_t xorRow = (static_cast<uint32_t>(size) + 3) / 4 * 4;
        const uint32_t andRow = (static_cast<uint32_t>(size) + 31) / 32 * 4;
        std::vector<unsigned char> image;
        PutLE(image, 40, 4);        // info header size
        PutLE(image, size, 4);      // width
        PutLE(image, size * 2, 4);  // height: colour rows and mask rows, bottom-up
        PutLE(image, 1, 2);         // planes
        PutLE(image, 8, 2);         // bits per pixel
        PutLE(image, 0, 4);         // uncompressed
        PutLE(image, (xorRow + andRow) * size, 4);
        PutLE(image, 0, 4);
        PutLE(image, 0, 4);
        PutLE(image, kIconColours, 4);  // colours used
        PutLE(image, 0, 4);
        for (int p = 0; p < kIconColours; ++p) {  // B, G, R, reserved
            image.insert(image.end(), {picture.palette[p * 3 + 2], picture.palette[p * 3 + 1],
                                       picture.palette[p * 3], 0});
        }
        for (int y = size - 1; y >= 0; --y) {
            for (uint32_t x = 0; x < xorRow; ++x) {
                image.push_back(x < static_cast<uint32_t>(size)
                                    ? picture.indices[static_cast<size_t>(y) * size + x]
                                    : 0);
            }
        }
        for (int y = size - 1; y >= 0; --y) {
            std::vector<unsigned char> row(andRow, 0);
            for (int x = 0; x < size; ++x) {
                if (picture.transparent[static_cast<size_t>(y) * size + x]) {
                    row[x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
                }
            }
            image.insert(image.end(), row.begin(), row.end());
        }
        images.push_back(std::move(image));
    }

    std::vector<unsigned char> out;
    PutLE(out, 0, 2);  // reserved
    PutLE(out, 1, 2);  // type: icon
    PutLE(out, kCount, 2);
    uint32_t offset = 6 + 16 * kCount;
    for (int i = 0; i < kCount; ++i) {
        out.push_back(static_cast<unsigned char>(kIconSizes[i]));  // width (0 would be 256)
        out.push_back(static_cast<unsigned char>(kIconSizes[i]));  // height
        out.push_back(0);                                          // colour count: 0 for 256
        out.push_back(0);                                          // reserved
        PutLE(out, 1, 2);                                          // planes
        PutLE(out, 8, 2);                                          // bits per pixel
        PutLE(out, static_cast<uint32_t>(images[i].size()), 4);
        PutLE(out, offset, 4);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const std::vector<unsigned char>& image : images) {
        out.insert(out.end(), image.begin(), image.end());
    }
    return out;
}
