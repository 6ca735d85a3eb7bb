#include "host/forms/child_container.h"

namespace forms {

bool ChildContainer::CreateWindowIn(HWND parentWindow, const PixelRect& pixels, int id) {
    // Clipping children and siblings: each window paints only its own part.
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (!Create(kind_, 0, L"", style, parentWindow, pixels.left, pixels.top, pixels.width,
                pixels.height, id)) {
        return false;
    }
    CreateChildControls();
    sited_ = true;
    Sited();
    return true;
}

}  // namespace forms
