#pragma once

// Byte-level rules of the BMP format that the validation and the decoder
// share (dib_decode.cpp and dib_pixels.cpp); not for other users.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace dib {

inline uint16_t ReadU16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

inline uint32_t ReadU32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

inline int32_t ReadS32(const unsigned char* p) {
    const uint32_t u = ReadU32(p);
    int32_t s;
    std::memcpy(&s, &u, sizeof s);
    return s;
}

// Bytes per row of uncompressed data: rows are padded to 4 bytes.
inline uint64_t RowStride(int32_t width, uint16_t bitCount) {
    return (static_cast<uint64_t>(width) * bitCount + 31) / 32 * 4;
}

// Walks RLE8 or RLE4 data of `length` bytes, calling paint(x, row, index)
// for every pixel it sets, rows counted from the bottom. Succeeds only when
// the data reaches its end (the end-of-bitmap escape, or the end of the last
// row) without leaving the data or the top of the picture; `*consumed` is
// then the number of bytes up to and including that end. Runs and moves past
// the right edge stop there, as in GDI: encoders such as ImageMagick's fill
// each row's padding too.
template <typename Paint>
bool WalkRle(const unsigned char* data, size_t length, int32_t width, int32_t rows, int bits,
             size_t* consumed, Paint paint) {
    size_t i = 0;
    int64_t x = 0;
    int64_t row = 0;
    for (;;) {
        if (length - i < 2) return false;
        const unsigned count = data[i];
        const unsigned value = data[i + 1];
        i += 2;
        if (count > 0) {
            // An encoded run: RLE4 alternates the byte's two nibbles.
            const int64_t shown = std::min<int64_t>(count, width - x);
            for (int64_t k = 0; k < shown; ++k) {
                const unsigned index = bits == 8 ? value : (k % 2 == 0 ? value >> 4 : value & 15);
                paint(x + k, row, index);
            }
            x += shown;
            continue;
        }
        switch (value) {
            case 0:  // end of line
                x = 0;
                if (++row == rows) {
                    *consumed = i;
                    return true;
                }
                break;
            case 1:  // end of bitmap
                *consumed = i;
                return true;
            case 2:  // delta: move right and up; the pixels passed over stay unset
                if (length - i < 2) return false;
                x = std::min<int64_t>(x + data[i], width);
                row += data[i + 1];
                i += 2;
                if (row >= rows) return false;
                break;
            default: {  // an absolute run of `value` pixels, padded to a 16-bit word
                const size_t bytes = (static_cast<size_t>(value) * bits + 7) / 8;
                if (length - i < bytes) return false;
                const int64_t shown = std::min<int64_t>(value, width - x);
                for (int64_t k = 0; k < shown; ++k) {
                    const unsigned char b = data[i + static_cast<size_t>(bits == 8 ? k : k / 2)];
                    const unsigned index = bits == 8 ? b : (k % 2 == 0 ? b >> 4 : b & 15);
                    paint(x + k, row, index);
                }
                x += shown;
                i += bytes;
                if (bytes % 2 != 0) {
                    if (i == length) return false;
                    ++i;
                }
                break;
            }
        }
    }
}

}  // namespace dib
