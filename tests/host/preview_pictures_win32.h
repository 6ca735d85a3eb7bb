#pragma once

// Pictures of the preview as the tests compare them: a GDI bitmap or a
// window's own painting, as top-down RGB pixels.
#include <windows.h>

#include <string>

#include "e2e/screen_image.h"

namespace preview_test {

// The pixels of `bitmap`, whatever its format; empty when they can't be read.
inline ScreenImage PixelsOf(HBITMAP bitmap) {
    ScreenImage image;
    BITMAP info = {};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0) return image;
    BITMAPINFO request = {};
    request.bmiHeader.biSize = sizeof request.bmiHeader;
    request.bmiHeader.biWidth = info.bmWidth;
    request.bmiHeader.biHeight = -info.bmHeight;  // top-down
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    std::string bgra(static_cast<size_t>(info.bmWidth) * info.bmHeight * 4, '\0');
    HDC dc = GetDC(nullptr);
    const int rows = GetDIBits(dc, bitmap, 0, info.bmHeight, bgra.data(), &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (rows != info.bmHeight) return image;
    image.width = info.bmWidth;
    image.height = info.bmHeight;
    image.rgb.resize(static_cast<size_t>(image.width) * image.height * 3);
    for (size_t i = 0; i < static_cast<size_t>(image.width) * image.height; ++i) {
        image.rgb[i * 3] = static_cast<unsigned char>(bgra[i * 4 + 2]);
        image.rgb[i * 3 + 1] = static_cast<unsigned char>(bgra[i * 4 + 1]);
        image.rgb[i * 3 + 2] = static_cast<unsigned char>(bgra[i * 4]);
    }
    return image;
}

// host/resources/preview.bmp, the committed still, read by the system.
inline ScreenImage CommittedStill() {
    const char* source = std::getenv("GLINTRA_SOURCE_DIR");
    const std::string path =
        std::string(source != nullptr ? source : ".") + "/host/resources/preview.bmp";
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                     LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ScreenImage image = PixelsOf(bitmap);
    if (bitmap != nullptr) DeleteObject(bitmap);
    return image;
}

// What `window` paints of itself (PrintWindow, through WM_PRINTCLIENT), on
// grey: a window that paints nothing shows grey, not the black of the form.
inline ScreenImage Capture(HWND window, int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    PrintWindow(window, dc, 0);
    SelectObject(dc, old);
    DeleteDC(dc);
    ScreenImage image = PixelsOf(bitmap);
    if (bitmap != nullptr) DeleteObject(bitmap);
    return image;
}

}  // namespace preview_test
