// Conversion of validated pixel data to RGB rows: colour tables, packed
// 16- and 32-bit pixels, and RLE8/RLE4 data.
#include "renderer/dib_decode.h"

#include <cstdlib>
#include <cstring>

#include "renderer/dib_format.h"

// Where GDI has a say (colour indices past the table, RLE pixels left out,
// bit-field scaling), the decoder does what Wine's SetDIBits does, so that
// both back ends give the same bytes; the loader tests hold them to that.

namespace {

using dib::ReadU16;
using dib::ReadU32;

// One colour channel of a 16- or 32-bit pixel, scaled to 8 bits as GDI does:
// a wider field gives its top 8 bits, a narrower one is repeated once below
// itself (5 bits abcde become abcdeabc).
struct Field {
    int shift;
    int length;
};

Field FieldOf(uint32_t mask) {
    Field f{0, 0};
    if (mask == 0) return f;
    while ((mask & 1) == 0) {
        mask >>= 1;
        ++f.shift;
    }
    while ((mask & 1) != 0) {
        mask >>= 1;
        ++f.length;
    }
    return f;
}

unsigned char FieldValue(uint32_t pixel, Field f) {
    const int toTopBit = f.shift + f.length - 8;
    uint32_t v = toTopBit >= 0 ? pixel >> toTopBit : pixel << -toTopBit;
    if (f.length >= 8) return static_cast<unsigned char>(v & 0xff);
    v &= (0xffu << (8 - f.length)) & 0xff;
    return static_cast<unsigned char>(v | v >> f.length);
}

// Where a decoded pixel goes and what colour an index or a packed pixel
// gives, for one accepted file.
class PixelWriter {
public:
    PixelWriter(const DibLayout& d, unsigned char* out) : d_(d), out_(out) {
        for (int c = 0; c < 3; ++c) fields_[c] = FieldOf(d.masks[c]);
    }

    unsigned char* At(int64_t x, int64_t row) const {
        return out_ +
               (static_cast<size_t>(row) * static_cast<size_t>(d_.width) + static_cast<size_t>(x)) *
                   3;
    }

    // An index past the table gives black, as GDI pads short tables with it.
    void PutIndex(unsigned char* dst, unsigned index) const {
        if (index >= d_.colourCount) {
            dst[0] = dst[1] = dst[2] = 0;
            return;
        }
        const unsigned char* entry =
            d_.colourTable + static_cast<size_t>(index) * d_.colourEntrySize;
        dst[0] = entry[2];
        dst[1] = entry[1];
        dst[2] = entry[0];
    }

    void PutPacked(unsigned char* dst, uint32_t pixel) const {
        for (int c = 0; c < 3; ++c) dst[c] = FieldValue(pixel, fields_[c]);
    }

private:
    const DibLayout& d_;
    unsigned char* out_;
    Field fields_[3];
};

void DecodeRow(const DibLayout& d, const PixelWriter& w, const unsigned char* src,
               unsigned char* dst) {
    for (int32_t x = 0; x < d.width; ++x, dst += 3) {
        switch (d.bitCount) {
            case 1:
                w.PutIndex(dst, (src[x / 8] >> (7 - x % 8)) & 1);
                break;
            case 4:
                w.PutIndex(dst, x % 2 == 0 ? src[x / 2] >> 4 : src[x / 2] & 15);
                break;
            case 8:
                w.PutIndex(dst, src[x]);
                break;
            case 16:
                w.PutPacked(dst, ReadU16(src + 2 * static_cast<size_t>(x)));
                break;
            case 24:
                dst[0] = src[3 * static_cast<size_t>(x) + 2];
                dst[1] = src[3 * static_cast<size_t>(x) + 1];
                dst[2] = src[3 * static_cast<size_t>(x)];
                break;
            default:
                w.PutPacked(dst, ReadU32(src + 4 * static_cast<size_t>(x)));
                break;
        }
    }
}

void DecodePixels(const DibLayout& d, unsigned char* out) {
    const PixelWriter writer(d, out);
    const int32_t rows = DibRows(d);
    if (d.compression == kDibRle8 || d.compression == kDibRle4) {
        size_t consumed = 0;
        dib::WalkRle(d.pixels, d.pixelBytes, d.width, rows, d.bitCount, &consumed,
                     [&writer](int64_t x, int64_t row, unsigned index) {
                         writer.PutIndex(writer.At(x, row), index);
                     });
        return;
    }
    const uint64_t stride = dib::RowStride(d.width, d.bitCount);
    for (int32_t r = 0; r < rows; ++r) {
        // Top-down files come out upright: their first row is the top one.
        const int32_t outRow = d.height < 0 ? rows - 1 - r : r;
        DecodeRow(d, writer, d.pixels + r * stride, writer.At(0, outRow));
    }
}

}  // namespace

DibStatus DecodeDib(const unsigned char* file, size_t size, RgbImage** image, uint64_t maxPixels) {
    *image = nullptr;
    DibLayout layout;
    const DibStatus status = ParseDib(file, size, &layout, maxPixels);
    if (status != DibStatus::kOk) return status;

    const int32_t rows = DibRows(layout);
    const size_t bytes = static_cast<size_t>(layout.width) * static_cast<size_t>(rows) * 3;
    auto* pixels = static_cast<unsigned char*>(std::malloc(bytes));
    if (pixels == nullptr) return DibStatus::kOutOfMemory;
    // RLE data need not set every pixel; the rest are black.
    if (layout.compression == kDibRle8 || layout.compression == kDibRle4) {
        std::memset(pixels, 0, bytes);
    }
    DecodePixels(layout, pixels);
    *image = NewRgbImage(layout.width, rows, pixels);
    if (*image == nullptr) {
        std::free(pixels);
        return DibStatus::kOutOfMemory;
    }
    return DibStatus::kOk;
}

void CopyBgrRowsAsRgb(const unsigned char* bgr, int32_t width, int32_t rows, unsigned char* rgb) {
    // A 24-bit row of `width` pixels is padded by width % 4 bytes.
    const size_t padding = static_cast<size_t>(width % 4);
    for (int32_t r = 0; r < rows; ++r) {
        for (int32_t x = 0; x < width; ++x, bgr += 3, rgb += 3) {
            rgb[0] = bgr[2];
            rgb[1] = bgr[1];
            rgb[2] = bgr[0];
        }
        bgr += padding;
    }
}
