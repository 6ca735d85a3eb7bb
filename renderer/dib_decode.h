#pragma once

// The rules of the BMP format, free of any platform. Both loader back ends
// run a file through ParseDib before anything reads its pixels: the portable
// back end then decodes it here, the Windows one hands it to GDI. Either way
// nothing reads outside the file, whatever the file says: the glow bitmap
// lies in a folder that every user can write to.

#include <cstddef>
#include <cstdint>

#include "renderer/dib_loader.h"

enum class DibStatus {
    kOk,
    kOpenFailed,  // missing, unreadable or empty (an empty file cannot be mapped)
    kOutOfMemory,
    kUnknownFormat,   // a DIB header of neither 12 nor 40 bytes
    kNotConvertible,  // well formed, but compressed in a way nobody here decodes
    kInvalid,         // truncated, inconsistent, or too large to be safe
};

// Compression codes of the 40-byte header.
constexpr uint32_t kDibRgb = 0;
constexpr uint32_t kDibRle8 = 1;
constexpr uint32_t kDibRle4 = 2;
constexpr uint32_t kDibBitFields = 3;

// The largest picture accepted: 2^26 pixels, an 8192 x 8192 square. A few
// bytes of RLE data can describe any size of picture, so the file's size is
// no bound. At the cap the RGB result takes 192 MiB, and the Windows back end
// holds a 24-bit DIB section of the same size beside it; that is as much as a
// screen saver may ask of a machine, and twice the side of any texture that
// the renderer could sensibly use (it draws 32 x 32). The cap also keeps every
// size in the 32-bit fields of the working description.
constexpr uint64_t kDibMaxPixels = uint64_t{1} << 26;

// A file that ParseDib has accepted: the working description that GDI gets
// (the fields of a 40-byte header, after the defaults), plus where the colour
// table and the pixels lie inside the file. Every byte named here lies inside
// the file.
struct DibLayout {
    int32_t width;   // > 0
    int32_t height;  // != 0; negative for rows stored top-down (uncompressed only)
    uint16_t planes;
    uint16_t bitCount;
    uint32_t compression;  // kDibRgb, kDibRle8, kDibRle4 or kDibBitFields
    // For RLE data the length of the stream up to its end marker, so that GDI
    // never reads past the validated bytes; otherwise the file's value or,
    // when that is 0, ((bitCount * width + 7) / 8) * rows.
    uint32_t imageSize;
    int32_t xPelsPerMeter;
    int32_t yPelsPerMeter;
    uint32_t coloursUsed;  // the colour count when the file says 0
    uint32_t coloursImportant;
    // Red, green and blue masks. Written into the working description only
    // for bit-field files; for 16 and 32 bits without them, the implied 5-5-5
    // and 8-8-8 masks that the decoder uses.
    uint32_t masks[3];
    // colourCount entries of colourEntrySize bytes each: blue, green, red and,
    // for 4-byte entries, an unused byte. Never more than 2^bitCount entries
    // for 1, 4 and 8 bits.
    const unsigned char* colourTable;
    uint32_t colourCount;
    uint32_t colourEntrySize;
    // The pixel data and the number of its bytes that a conversion reads.
    const unsigned char* pixels;
    size_t pixelBytes;
};

// Validates `file` and describes it. On any status but kOk `layout` is
// unspecified. `maxPixels` can only lower the cap: the fuzzer wants small
// pictures.
DibStatus ParseDib(const unsigned char* file, size_t size, DibLayout* layout,
                   uint64_t maxPixels = kDibMaxPixels);

// Number of rows of the picture: the height without its sign.
int32_t DibRows(const DibLayout& layout);

// The working description in memory: a 40-byte BITMAPINFOHEADER, then for
// bit-field files the three masks, then the colour table in 4-byte entries.
size_t DibWorkingInfoSize(const DibLayout& layout);
void WriteDibWorkingInfo(const DibLayout& layout, unsigned char* out);

// Validates and decodes `file` into a new image (record and pixels from
// malloc, rows bottom-up whatever the file's order, height positive). Pixels
// that RLE data leaves out are black, as are colour indices past the table.
DibStatus DecodeDib(const unsigned char* file, size_t size, RgbImage** image,
                    uint64_t maxPixels = kDibMaxPixels);

// Copies `rows` rows of a 24-bit DIB (blue, green, red; rows padded to 4
// bytes) into tightly packed red, green, blue rows.
void CopyBgrRowsAsRgb(const unsigned char* bgr, int32_t width, int32_t rows, unsigned char* rgb);

// A malloc'd record for `data`, or null when there is no memory for it.
RgbImage* NewRgbImage(int32_t width, int32_t height, unsigned char* data);

inline constexpr char kDibOutOfMemoryText[] = "Out of memory.";

// The text that tells the user about a failed load, with the whole path
// where the message names the file, in a buffer from malloc; null for kOk,
// or when there is no memory for the text (show kDibOutOfMemoryText then).
char* DibFailureText(DibStatus status, const char* path);
