#include "e2e/win32_screen.h"

#include <cstdlib>
#include <string>

namespace {

// A 32-bit top-down DIB section and a memory DC holding it.
struct Canvas {
    Canvas(int width, int height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        dc = CreateCompatibleDC(nullptr);
        old = SelectObject(dc, bitmap);
        this->width = width;
        this->height = height;
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteDC(dc);
        if (bitmap != nullptr) DeleteObject(bitmap);
    }
    ScreenImage Image() const {
        ScreenImage image;
        if (bitmap == nullptr) return image;
        GdiFlush();
        image.width = width;
        image.height = height;
        image.rgb.resize(static_cast<size_t>(width) * height * 3);
        const auto* in = static_cast<const unsigned char*>(bits);
        for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
            image.rgb[i * 3] = in[i * 4 + 2];
            image.rgb[i * 3 + 1] = in[i * 4 + 1];
            image.rgb[i * 3 + 2] = in[i * 4];
        }
        return image;
    }

    HBITMAP bitmap = nullptr;
    void* bits = nullptr;
    HDC dc = nullptr;
    HGDIOBJ old = nullptr;
    int width = 0;
    int height = 0;
};

}  // namespace

ScreenImage CaptureScreenArea(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return {};
    Canvas canvas(width, height);
    HDC screen = GetDC(nullptr);
    const bool copied = BitBlt(canvas.dc, 0, 0, width, height, screen, area.left, area.top,
                               SRCCOPY | CAPTUREBLT) != FALSE;
    ReleaseDC(nullptr, screen);
    return copied ? canvas.Image() : ScreenImage{};
}

ScreenImage CaptureWindowPainting(HWND window) {
    RECT rect = {};
    if (!GetWindowRect(window, &rect)) return {};
    Canvas canvas(rect.right - rect.left, rect.bottom - rect.top);
    RECT all = {0, 0, canvas.width, canvas.height};
    FillRect(canvas.dc, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    PrintWindow(window, canvas.dc, 0);
    return canvas.Image();
}

ScreenImage PixelsOfBitmap(HBITMAP bitmap) {
    BITMAP info = {};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0) return {};
    Canvas canvas(info.bmWidth, info.bmHeight);
    HDC source = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(canvas.dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    return canvas.Image();
}

ScreenImage CommittedPicture(const std::string& name) {
    const char* source = std::getenv("GLINTRA_SOURCE_DIR");
    const std::string path =
        std::string(source != nullptr ? source : ".") + "/host/resources/" + name;
    const auto bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                        LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ScreenImage image = PixelsOfBitmap(bitmap);
    if (bitmap != nullptr) DeleteObject(bitmap);
    return image;
}
