#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "host/forms/form.h"

// The preview form: a still of the effect inside the small monitor picture of
// the Display Properties dialog. Black, with no border or title bar; its
// coordinates inside are pixels.
class Glintra_R : public forms::Form {
public:
    Glintra_R();
    ~Glintra_R() override;

    // Img_Prev: a windowless image painted by the form. Its picture is drawn
    // at its own size from the image's top-left corner, never stretched, and
    // cut to the image's bounds; everything else is the form's black.
    void MoveImg_Prev(int left, int top, int width, int height);

protected:
    DWORD Style() const override { return WS_POPUP; }
    void Form_Unload(bool& cancel) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc);

    HBITMAP still_ = nullptr;  // the embedded still, loaded once
    SIZE stillSize_ = {};
    RECT imgPrev_ = {0, 0, 152, 112};  // its design size: 2280 x 1680 twips
};

// The preview branch of Main: makes a Glintra_R a borderless child of the
// window that `handle` names, covering it, and shows it. The host lives on
// while the form is loaded and ends when the window goes. A handle that names
// no window ends the host at once: nothing would ever unload the form.
// Returns the form; nothing when it could not be loaded.
std::unique_ptr<Glintra_R> ShowPreviewIn(int32_t handle);
