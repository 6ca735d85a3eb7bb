#include "host/forms/back_buffer_win32.h"

#include <algorithm>

namespace forms {

BackBuffer::~BackBuffer() { Release(); }

void BackBuffer::Release() {
    if (dc_ != nullptr) {
        SelectObject(dc_, oldBitmap_);
        DeleteDC(dc_);
    }
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    oldBitmap_ = nullptr;
    width_ = height_ = 0;
}

bool BackBuffer::Resize(int width, int height, COLORREF fill) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (valid() && width == width_ && height == height_) return true;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) return false;
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) {
        DeleteObject(bitmap);
        return false;
    }
    const HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, width, height};
    const HBRUSH brush = CreateSolidBrush(fill);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    if (valid()) {
        BitBlt(dc, 0, 0, std::min(width, width_), std::min(height, height_), dc_, 0, 0, SRCCOPY);
    }
    Release();
    dc_ = dc;
    bitmap_ = bitmap;
    oldBitmap_ = old;
    width_ = width;
    height_ = height;
    return true;
}

void BackBuffer::Fill(COLORREF colour) {
    if (!valid()) return;
    RECT all = {0, 0, width_, height_};
    const HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
}

}  // namespace forms
