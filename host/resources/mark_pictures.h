#pragma once

#include <cstdint>
#include <vector>

// The settings dialog's two selection marks, 12 x 12 pixels: not selected, an
// empty square with a grey frame and a light face; selected, the same square
// filled with blue inside a darker blue frame. Committed as
// mark_not_selected.bmp and mark_selected.bmp (dialog_pictures.rc).
constexpr int kMarkSize = 12;

// The colours, 0x00RRGGBB.
constexpr uint32_t kMarkFrameGrey = 0x808080;
constexpr uint32_t kMarkFaceLight = 0xF4F4F4;
constexpr uint32_t kMarkFrameDarkBlue = 0x102C80;
constexpr uint32_t kMarkFillBlue = 0x3070E0;

// The pixel of the mark at column x and row y, counted from the top.
uint32_t MarkPixel(bool selected, int x, int y);

// A complete 24-bit bottom-up BMP file of the mark.
std::vector<unsigned char> MakeMarkBitmapFile(bool selected);

// The committed file names, in host/resources.
inline constexpr char kMarkNotSelectedFile[] = "mark_not_selected.bmp";
inline constexpr char kMarkSelectedFile[] = "mark_selected.bmp";
