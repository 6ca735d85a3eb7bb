#pragma once

// A picture to draw into from a test: a 32-bit top-down DIB section in a
// memory device context, read back as a ScreenImage.
#include <windows.h>

#include "support/screen_image.h"

class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void Fill(COLORREF colour);
    // What has been drawn, top-down RGB; empty when the canvas could not be
    // made.
    ScreenImage Image() const;

private:
    HBITMAP bitmap_ = nullptr;
    void* bits_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};
