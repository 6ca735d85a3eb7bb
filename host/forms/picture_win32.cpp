#include "host/forms/picture.h"

namespace forms {

Picture::Picture(HBITMAP bitmap) : bitmap_(bitmap) {
    BITMAP info = {};
    if (bitmap_ != nullptr && GetObjectW(bitmap_, sizeof info, &info) != 0) {
        width_ = info.bmWidth;
        height_ = info.bmHeight;
    }
}

Picture::~Picture() {
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

PictureRef Picture::FromResource(int id) {
    const HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap == nullptr) return nullptr;
    return std::make_shared<const Picture>(bitmap);
}

void Picture::Draw(HDC dc, int x, int y, int width, int height, int sourceX, int sourceY,
                   int sourceWidth, int sourceHeight) const {
    if (bitmap_ == nullptr || width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) {
        return;
    }
    HDC source = CreateCompatibleDC(dc);
    if (source == nullptr) return;
    const HGDIOBJ old = SelectObject(source, bitmap_);
    if (width == sourceWidth && height == sourceHeight) {
        BitBlt(dc, x, y, width, height, source, sourceX, sourceY, SRCCOPY);
    } else {
        // COLORONCOLOR keeps the colours of the pixels it picks; HALFTONE
        // would average the frame's outline into its neighbours.
        // https://learn.microsoft.com/en-us/windows/win32/api/wingdi/nf-wingdi-setstretchbltmode
        const int mode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight,
                   SRCCOPY);
        SetStretchBltMode(dc, mode);
    }
    SelectObject(source, old);
    DeleteDC(source);
}

}  // namespace forms
