#include "host/preview/preview_form.h"

#include "host/forms/application.h"
#include "host/forms/twips.h"
#include "host/preview/preview_layout.h"
#include "host/resources/preview_pictures.h"
#include "shared/program_contract.h"

PreviewForm::PreviewForm() : forms::Form(kPreviewFormCaption), still(*this, {0, 0, 2280, 1680}) {
    SetBackColor(0x000000);
    still.SetPicture(forms::Picture::FromResource(IDB_PREVIEW_STILL));
}

void PreviewForm::Form_Unload(bool& /*cancel*/) {
    // A child window has no owner, so this posts WM_CLOSE to the thread's own
    // queue: harmless, and it wakes the message loop, which then finds no
    // form loaded and ends the host. That matters when the preview window is
    // destroyed from the other process: our WM_DESTROY then arrives as a sent
    // message, which alone would not make GetMessage return.
    // https://learn.microsoft.com/en-us/windows/win32/api/winuser/nf-winuser-postmessagea
    PostMessageA(GetWindow(hwnd(), GW_OWNER), WM_CLOSE, 0, 0);
}

std::unique_ptr<PreviewForm> ShowPreviewIn(int32_t handle) {
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

    auto form = std::make_unique<PreviewForm>();
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
    form->still.Move(0, 0, forms::TwipsFromPixels(layout.imageWidth, twips.x),
                     forms::TwipsFromPixels(layout.imageHeight, twips.y));
    form->Show();
    return form;
}
