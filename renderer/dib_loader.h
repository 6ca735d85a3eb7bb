#pragma once

#include <cstdint>

// A loaded bitmap: tightly packed 8-bit red, green, blue triples, rows in the
// file's order (bottom-up for the usual positive height), no row padding.
// The record and `data` come from malloc; the caller owns both.
struct RgbImage {
    int32_t width;
    int32_t height;
    unsigned char* data;
};

// Loads a BMP file (file header optional; 12- or 40-byte DIB header) as RGB.
// On failure shows one message through ShowErrorBox, waits for the user and
// returns null.
RgbImage* LoadDibAsRgb(const char* path);
