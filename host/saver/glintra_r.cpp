#include "host/saver/glintra_r.h"

#include <algorithm>

#include "host/forms/application.h"
#include "host/forms/twips.h"
#include "host/resources/preview_pictures.h"
#include "host/saver/preview_layout.h"
#include "shared/program_contract.h"

Glintra_R::Glintra_R() : forms::Form(kPreviewFormCaption) {
    still_ = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                             MAKEINTRESOURCEW(IDB_PREVIEW_STILL), IMAGE_BITMAP, 0,
                                             0, LR_CREATEDIBSECTION));
    BITMAP info = {};
    if (still_ != nullptr && GetObjectW(still_, sizeof info, &info) != 0) {
        stillSize_ = SIZE{info.bmWidth, info.bmHeight};
    }
}

Glintra_R::~Glintra_R() {
    if (still_ != nullptr) DeleteObject(still_);
}

void Glintra_R::MoveImg_Prev(int left, int top, int width, int height) {
    imgPrev_ = RECT{left, top, left + std::max(width, 0), top + std::max(height, 0)};
    if (hwnd() != nullptr) InvalidateRect(hwnd(), nullptr, FALSE);
}

void Glintra_R::Form_Unload(bool& /*cancel*/) {
    // A child window has no owner, so this posts WM_CLOSE to the thread's own
    // queue: harmless, and it wakes the message loop, which then finds no
    // form loaded and ends the host. That matters when the preview window is
    // destroyed from the other process: our WM_DESTROY then arrives as a sent
    // message, which alone would not make GetMessage return.
    // https://learn.microsoft.com/en-us/windows/win32/api/winuser/nf-winuser-postmessagea
    PostMessageA(GetWindow(hwnd(), GW_OWNER), WM_CLOSE, 0, 0);
}

LRESULT Glintra_R::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        case WM_PAINT: {
            PAINTSTRUCT paint;
            if (HDC dc = BeginPaint(hwnd(), &paint)) {
                Paint(dc);
                EndPaint(hwnd(), &paint);
            }
            return 0;
        }
        case WM_PRINTCLIENT:
            // PrintWindow and WM_PRINT come here: the way to see the form
            // where the system does not put it on the screen.
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
    }
    return Form::OnMessage(message, wParam, lParam);
}

void Glintra_R::Paint(HDC dc) {
    RECT client = {};
    GetClientRect(hwnd(), &client);
    const int saved = SaveDC(dc);
    if (still_ != nullptr) {
        // Unstretched, cut to the image's bounds.
        const int width = std::min<LONG>(imgPrev_.right - imgPrev_.left, stillSize_.cx);
        const int height = std::min<LONG>(imgPrev_.bottom - imgPrev_.top, stillSize_.cy);
        if (HDC picture = CreateCompatibleDC(dc)) {
            const HGDIOBJ old = SelectObject(picture, still_);
            BitBlt(dc, imgPrev_.left, imgPrev_.top, width, height, picture, 0, 0, SRCCOPY);
            SelectObject(picture, old);
            DeleteDC(picture);
            ExcludeClipRect(dc, imgPrev_.left, imgPrev_.top, imgPrev_.left + width,
                            imgPrev_.top + height);
        }
    }
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RestoreDC(dc, saved);
}

std::unique_ptr<Glintra_R> ShowPreviewIn(int32_t handle) {
    // Handles keep 32 significant bits and widen with their sign.
    // https://learn.microsoft.com/en-us/windows/win32/winprog64/interprocess-communication
    const HWND preview = reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle));
    // Without a window to live in, nothing would ever unload the form and the
    // host would stay, invisible, for ever.
    if (handle == 0 || !IsWindow(preview)) End();

    RECT rect = {};  // stays zero when it can't be read
    GetWindowRect(preview, &rect);
    const forms::TwipsPerPixel twips = forms::ScreenTwipsPerPixel();
    const PreviewLayout layout =
        LayOutPreview(rect.left, rect.top, rect.right, rect.bottom, twips.x, twips.y);

    auto form = std::make_unique<Glintra_R>();
    if (!form->Load()) return nullptr;  // no form loaded: the host ends
    const HWND window = form->hwnd();
    // WS_POPUP, which makes the form borderless while it is top-level, goes:
    // the two styles exclude each other, and with both GetParent would name
    // the (absent) owner instead of the preview window.
    // https://learn.microsoft.com/en-us/windows/win32/winmsg/window-styles
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    SetWindowLongA(window, GWL_STYLE, (style & ~WS_POPUP) | WS_CHILD);
    // The window may have gone since it was looked at.
    if (SetParent(window, preview) == nullptr && !IsWindow(preview)) End();
    MoveWindow(window, 0, 0, forms::PixelsFromTwips(layout.widthTwips, twips.x),
               forms::PixelsFromTwips(layout.heightTwips, twips.y), TRUE);
    form->MoveImg_Prev(0, 0, layout.imageWidth, layout.imageHeight);
    form->Show();
    return form;
}
