// Validation of a BMP file, the working description that GDI gets, and the
// texts of the loader's messages.
#include "renderer/dib_decode.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "renderer/dib_format.h"

// Every size is worked out in 64 bits and every offset checked against the
// file's size before it is used; nothing here trusts a field of the file.

namespace {

using dib::ReadS32;
using dib::ReadU16;
using dib::ReadU32;

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kPixelOffsetField = 10;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr size_t kMaskBytes = 12;

static_assert(kDibMaxPixels * 32 / 8 <= UINT32_MAX, "sizes must fit the 32-bit header fields");

void WriteU16(unsigned char* p, uint16_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}

void WriteU32(unsigned char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

void WriteS32(unsigned char* p, int32_t v) {
    uint32_t u;
    std::memcpy(&u, &v, sizeof u);
    WriteU32(p, u);
}

// True when the `length` bytes from `offset` on lie inside `size` bytes.
bool Fits(uint64_t offset, uint64_t length, uint64_t size) {
    return offset <= size && length <= size - offset;
}

bool DepthMatchesCompression(uint16_t bitCount, uint32_t compression) {
    switch (compression) {
        case kDibRgb:
            return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 ||
                   bitCount == 24 || bitCount == 32;
        case kDibRle8:
            return bitCount == 8;
        case kDibRle4:
            return bitCount == 4;
        case kDibBitFields:
            return bitCount == 16 || bitCount == 32;
        default:
            return false;
    }
}

// Each mask one unbroken run of bits inside the pixel, and no two sharing a
// bit: anything else has no sensible meaning as a colour.
bool MasksAreSound(const uint32_t (&masks)[3], uint16_t bitCount) {
    const uint32_t pixelBits = bitCount == 32 ? UINT32_MAX : (uint32_t{1} << bitCount) - 1;
    uint32_t seen = 0;
    for (uint32_t mask : masks) {
        if (mask == 0 || (mask & ~pixelBits) != 0 || (mask & seen) != 0) return false;
        const uint32_t lowest = mask & (~mask + 1);
        const uint64_t aboveRun = static_cast<uint64_t>(mask) + lowest;
        if ((aboveRun & (aboveRun - 1)) != 0) return false;  // mask + lowest bit: one carry
        seen |= mask;
    }
    return true;
}

}  // namespace

int32_t DibRows(const DibLayout& layout) {
    return layout.height < 0 ? -layout.height : layout.height;
}

DibStatus ParseDib(const unsigned char* file, size_t size, DibLayout* layout, uint64_t maxPixels) {
    DibLayout& d = *layout;
    d = DibLayout{};

    // With the "BM" file header the DIB header follows it; a bare DIB starts
    // with its header.
    const bool fileHeader = size >= 2 && file[0] == 'B' && file[1] == 'M';
    const size_t headerAt = fileHeader ? kFileHeaderSize : 0;
    if (!Fits(headerAt, 4, size)) return DibStatus::kInvalid;
    const uint32_t headerSize = ReadU32(file + headerAt);
    if (headerSize != kCoreHeaderSize && headerSize != kInfoHeaderSize) {
        return DibStatus::kUnknownFormat;
    }
    if (!Fits(headerAt, headerSize, size)) return DibStatus::kInvalid;
    const unsigned char* h = file + headerAt;
    const bool core = headerSize == kCoreHeaderSize;

    uint32_t coloursUsed = 0;
    if (core) {
        d.width = ReadU16(h + 4);
        d.height = ReadU16(h + 6);
        d.planes = ReadU16(h + 8);
        d.bitCount = ReadU16(h + 10);
        d.compression = kDibRgb;
        d.colourEntrySize = 3;
    } else {
        d.width = ReadS32(h + 4);
        d.height = ReadS32(h + 8);
        d.planes = ReadU16(h + 12);
        d.bitCount = ReadU16(h + 14);
        d.compression = ReadU32(h + 16);
        d.imageSize = ReadU32(h + 20);
        d.xPelsPerMeter = ReadS32(h + 24);
        d.yPelsPerMeter = ReadS32(h + 28);
        coloursUsed = ReadU32(h + 32);
        d.coloursImportant = ReadU32(h + 36);
        d.colourEntrySize = 4;
    }

    // JPEG, PNG and the rest are well-formed files that nothing here can
    // convert, which is what GDI reports for them too.
    if (d.compression > kDibBitFields) return DibStatus::kNotConvertible;
    if (d.planes != 1 || !DepthMatchesCompression(d.bitCount, d.compression)) {
        return DibStatus::kInvalid;
    }
    if (d.width <= 0 || d.height == 0 || d.height == INT32_MIN) return DibStatus::kInvalid;
    const bool rle = d.compression == kDibRle8 || d.compression == kDibRle4;
    if (rle && d.height < 0) return DibStatus::kInvalid;  // RLE is bottom-up by definition
    const int32_t rows = DibRows(d);
    if (maxPixels > kDibMaxPixels) maxPixels = kDibMaxPixels;
    if (static_cast<uint64_t>(d.width) * static_cast<uint64_t>(rows) > maxPixels) {
        return DibStatus::kInvalid;
    }

    uint32_t colourCount = coloursUsed;
    if (colourCount == 0) colourCount = d.bitCount <= 8 ? uint32_t{1} << d.bitCount : 0;
    if (d.bitCount <= 8 && colourCount > (uint32_t{1} << d.bitCount)) return DibStatus::kInvalid;

    uint64_t tableAt = headerAt + headerSize;
    if (d.compression == kDibBitFields) {
        if (!Fits(tableAt, kMaskBytes, size)) return DibStatus::kInvalid;
        for (int c = 0; c < 3; ++c) d.masks[c] = ReadU32(file + tableAt + 4 * c);
        if (!MasksAreSound(d.masks, d.bitCount)) return DibStatus::kInvalid;
        tableAt += kMaskBytes;
    } else if (d.bitCount == 16) {
        d.masks[0] = 0x7c00;
        d.masks[1] = 0x03e0;
        d.masks[2] = 0x001f;
    } else if (d.bitCount == 32) {
        d.masks[0] = 0xff0000;
        d.masks[1] = 0x00ff00;
        d.masks[2] = 0x0000ff;
    }
    const uint64_t tableBytes = static_cast<uint64_t>(colourCount) * d.colourEntrySize;
    if (!Fits(tableAt, tableBytes, size)) return DibStatus::kInvalid;
    d.colourTable = file + tableAt;
    d.colourCount = colourCount;

    // The pixels may not overlap the headers or the colour table.
    const uint64_t pixelsAt = fileHeader ? ReadU32(file + kPixelOffsetField) : tableAt + tableBytes;
    if (pixelsAt < tableAt + tableBytes || pixelsAt > size) return DibStatus::kInvalid;
    d.pixels = file + pixelsAt;
    const uint64_t available = size - pixelsAt;

    d.coloursUsed = coloursUsed != 0 ? coloursUsed : colourCount;
    if (core) d.coloursImportant = colourCount;
    if (d.imageSize == 0) {
        d.imageSize = static_cast<uint32_t>(
            (static_cast<uint64_t>(d.bitCount) * static_cast<uint64_t>(d.width) + 7) / 8 *
            static_cast<uint64_t>(rows));
    }

    if (rle) {
        const size_t length =
            static_cast<size_t>(d.imageSize < available ? d.imageSize : available);
        size_t consumed = 0;
        if (!dib::WalkRle(d.pixels, length, d.width, rows, d.bitCount, &consumed,
                          [](int64_t, int64_t, unsigned) {})) {
            return DibStatus::kInvalid;
        }
        d.imageSize = static_cast<uint32_t>(consumed);
        d.pixelBytes = consumed;
    } else {
        const uint64_t bytes = dib::RowStride(d.width, d.bitCount) * static_cast<uint64_t>(rows);
        if (bytes > available) return DibStatus::kInvalid;
        d.pixelBytes = static_cast<size_t>(bytes);
    }
    return DibStatus::kOk;
}

size_t DibWorkingInfoSize(const DibLayout& layout) {
    return kInfoHeaderSize + (layout.compression == kDibBitFields ? kMaskBytes : 0) +
           static_cast<size_t>(layout.colourCount) * 4;
}

void WriteDibWorkingInfo(const DibLayout& layout, unsigned char* out) {
    WriteU32(out, kInfoHeaderSize);
    WriteS32(out + 4, layout.width);
    WriteS32(out + 8, layout.height);
    WriteU16(out + 12, layout.planes);
    WriteU16(out + 14, layout.bitCount);
    WriteU32(out + 16, layout.compression);
    WriteU32(out + 20, layout.imageSize);
    WriteS32(out + 24, layout.xPelsPerMeter);
    WriteS32(out + 28, layout.yPelsPerMeter);
    WriteU32(out + 32, layout.coloursUsed);
    WriteU32(out + 36, layout.coloursImportant);
    unsigned char* p = out + kInfoHeaderSize;
    if (layout.compression == kDibBitFields) {
        for (uint32_t mask : layout.masks) {
            WriteU32(p, mask);
            p += 4;
        }
    }
    for (uint32_t i = 0; i < layout.colourCount; ++i, p += 4) {
        const unsigned char* entry =
            layout.colourTable + static_cast<size_t>(i) * layout.colourEntrySize;
        p[0] = entry[0];
        p[1] = entry[1];
        p[2] = entry[2];
        p[3] = layout.colourEntrySize == 4 ? entry[3] : 0;
    }
}

RgbImage* NewRgbImage(int32_t width, int32_t height, unsigned char* data) {
    auto* image = static_cast<RgbImage*>(std::malloc(sizeof(RgbImage)));
    if (image == nullptr) return nullptr;
    image->width = width;
    image->height = height;
    image->data = data;
    return image;
}

char* DibFailureText(DibStatus status, const char* path) {
    const char* fixed = nullptr;
    const char* before = nullptr;
    switch (status) {
        case DibStatus::kOk:
            return nullptr;
        case DibStatus::kOpenFailed:
            before = "Failed to open DIB file ";
            break;
        case DibStatus::kInvalid:
            before = "Invalid DIB file ";
            break;
        case DibStatus::kOutOfMemory:
            fixed = kDibOutOfMemoryText;
            break;
        case DibStatus::kUnknownFormat:
            fixed = "Unknown DIB file format.";
            break;
        case DibStatus::kNotConvertible:
            fixed = "Image file conversion error.";
            break;
    }
    // Sized for the whole path: a fixed buffer would cut a long path short.
    const char* after = ".\n";
    if (path == nullptr) path = "";
    const size_t length = fixed != nullptr
                              ? std::strlen(fixed)
                              : std::strlen(before) + std::strlen(path) + std::strlen(after);
    auto* text = static_cast<char*>(std::malloc(length + 1));
    if (text == nullptr) return nullptr;
    if (fixed != nullptr) {
        std::memcpy(text, fixed, length + 1);
    } else {
        char* p = text;
        for (const char* part : {before, path, after}) {
            const size_t n = std::strlen(part);
            std::memcpy(p, part, n);
            p += n;
        }
        *p = '\0';
    }
    return text;
}
