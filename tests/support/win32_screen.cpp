#include "support/win32_screen.h"

#include "support/canvas_win32.h"

#include <cstdlib>
#include <string>

ScreenImage CaptureScreenArea(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return {};
    Canvas canvas(width, height);
    HDC screen = GetDC(nullptr);
    const bool copied = BitBlt(canvas.dc(), 0, 0, width, height, screen, area.left, area.top,
                               SRCCOPY | CAPTUREBLT) != FALSE;
    ReleaseDC(nullptr, screen);
    return copied ? canvas.Image() : ScreenImage{};
}

ScreenImage CaptureWindowPainting(HWND window) {
    RECT rect = {};
    if (!GetWindowRect(window, &rect)) return {};
    Canvas canvas(rect.right - rect.left, rect.bottom - rect.top);
    canvas.Fill(RGB(128, 128, 128));
    PrintWindow(window, canvas.dc(), 0);
    return canvas.Image();
}

ScreenImage PixelsOfBitmap(HBITMAP bitmap) {
    BITMAP info = {};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0) return {};
    Canvas canvas(info.bmWidth, info.bmHeight);
    HDC source = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(canvas.dc(), 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    return canvas.Image();
}

RECT ScreenRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

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
