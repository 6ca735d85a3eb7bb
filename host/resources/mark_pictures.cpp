#include "host/resources/mark_pictures.h"

#include "host/resources/bmp_file.h"

uint32_t MarkPixel(bool selected, int x, int y) {
    const bool frame = x == 0 || y == 0 || x == kMarkSize - 1 || y == kMarkSize - 1;
    if (selected) return frame ? kMarkFrameDarkBlue : kMarkFillBlue;
    return frame ? kMarkFrameGrey : kMarkFaceLight;
}

std::vector<unsigned char> MakeMarkBitmapFile(bool selected) {
    return MakeBmpFile24(kMarkSize, kMarkSize,
                         [selected](int x, int y) { return MarkPixel(selected, x, y); });
}
