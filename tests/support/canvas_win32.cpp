#include "support/canvas_win32.h"

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
}

Canvas::~Canvas() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

void Canvas::Fill(COLORREF colour) {
    RECT all = {0, 0, width_, height_};
    const HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
}

ScreenImage Canvas::Image() const {
    ScreenImage image;
    if (bitmap_ == nullptr) return image;
    GdiFlush();
    image.width = width_;
    image.height = height_;
    const size_t pixels = static_cast<size_t>(width_) * height_;
    image.rgb.resize(pixels * 3);
    const auto* in = static_cast<const unsigned char*>(bits_);
    for (size_t i = 0; i < pixels; ++i) {  // BGRA in, RGB out
        image.rgb[i * 3] = in[i * 4 + 2];
        image.rgb[i * 3 + 1] = in[i * 4 + 1];
        image.rgb[i * 3 + 2] = in[i * 4];
    }
    return image;
}
