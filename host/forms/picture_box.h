#pragma once

#include <functional>

#include "host/forms/child_container.h"

namespace forms {

// A picture box: a child window with a persistent image that holds controls
// of its own (the settings dialog's panel holds its labels, marks and a
// button). The program draws on it through its container calls (hdc, Cls,
// Line, Refresh); its font is the one its labels start with.
class PictureBox : public ChildContainer {
public:
    PictureBox(Container& parent, TwipsRect rect)
        : ChildContainer(parent, rect, WindowKind::PictureBox) {}

    // The mouse where none of its windowless controls takes it.
    std::function<void(const MouseEvent&)> MouseDown;
    std::function<void(const MouseEvent&)> MouseMove;
    std::function<void(const MouseEvent&)> MouseUp;

private:
    void OnMouse(MouseAction action, const MouseEvent& event) override;
};

}  // namespace forms
