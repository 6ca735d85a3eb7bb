#include "host/resources/bmp_file.h"

namespace {

void PutLE(std::vector<unsigned char>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

}  // namespace

std::vector<unsigned char> MakeBmpFile24(int width, int height,
                                         const std::function<uint32_t(int x, int y)>& pixel) {
    constexpr uint32_t kHeaders = 14 + 40;
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) / 4 * 4;
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(height);
    std::vector<unsigned char> out;
    out.reserve(kHeaders + pixelBytes);

    out.push_back('B');
    out.push_back('M');
    PutLE(out, kHeaders + pixelBytes, 4);  // file size
    PutLE(out, 0, 4);                      // reserved
    PutLE(out, kHeaders, 4);               // offset of the pixels

    PutLE(out, 40, 4);  // info header size
    PutLE(out, static_cast<uint32_t>(width), 4);
    PutLE(out, static_cast<uint32_t>(height), 4);  // positive: rows bottom-up
    PutLE(out, 1, 2);                              // planes
    PutLE(out, 24, 2);                             // bits per pixel
    PutLE(out, 0, 4);                              // uncompressed
    PutLE(out, pixelBytes, 4);
    PutLE(out, 3780, 4);  // 96 dpi, in pixels per metre
    PutLE(out, 3780, 4);
    PutLE(out, 0, 4);  // colours used
    PutLE(out, 0, 4);  // colours important

    for (int row = height - 1; row >= 0; --row) {
        for (int column = 0; column < width; ++column) {
            const uint32_t rgb = pixel(column, row);
            out.insert(out.end(),
                       {static_cast<unsigned char>(rgb), static_cast<unsigned char>(rgb >> 8),
                        static_cast<unsigned char>(rgb >> 16)});
        }
        out.resize(out.size() + (rowBytes - static_cast<uint32_t>(width) * 3), 0);
    }
    return out;
}
