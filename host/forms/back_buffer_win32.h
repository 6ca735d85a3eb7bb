#pragma once

#include <windows.h>

namespace forms {

// A window's persistent image: a 32-bit top-down DIB section selected into a
// memory device context. What is drawn into it stays until it is drawn over
// or cleared, and the window shows it on every WM_PAINT and WM_PRINTCLIENT
// (the AutoRedraw of the forms), so a window never flickers and a test can
// take its picture with PrintWindow.
class BackBuffer {
public:
    BackBuffer() = default;
    ~BackBuffer();
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    // Makes the image `width` x `height`, keeping what it holds where the
    // two sizes overlap and filling the rest with `fill` (&H00BBGGRR).
    // False when the image can't be made; the old one then stays.
    bool Resize(int width, int height, COLORREF fill);
    void Fill(COLORREF colour);

    bool valid() const { return dc_ != nullptr; }
    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    void Release();

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace forms
