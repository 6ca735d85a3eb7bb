#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "host/forms/form.h"
#include "host/forms/image.h"

// The preview form: a still of the effect inside the small monitor picture of
// the Display Properties dialog. Black, with no border or title bar; the
// still shows at its own size from the top-left corner, never stretched, cut
// to the form.
class PreviewForm : public forms::Form {
public:
    PreviewForm();

    // The still: sized to the form by ShowPreviewIn.
    forms::Image still;

protected:
    DWORD Style() const override { return WS_POPUP; }
    void Form_Unload(bool& cancel) override;
};

// The preview branch of start-up: makes a PreviewForm a borderless child of
// the window that `handle` names, covering it, and shows it. The host lives
// on while the form is loaded and ends when the window goes. A handle that
// names no window ends the host at once: nothing would ever unload the form.
// Returns the form; nothing when it could not be loaded.
std::unique_ptr<PreviewForm> ShowPreviewIn(int32_t handle);
