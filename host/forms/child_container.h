#pragma once

#include "host/forms/child_control.h"
#include "host/forms/container.h"

namespace forms {

// A child control that is itself a container, with a window of one of the
// toolkit's classes: the common part of picture boxes and user controls.
class ChildContainer : public Container, public ChildControl {
public:
    HWND ChildHandle() const override { return hwnd(); }
    Form* ParentForm() override { return Parent().ParentForm(); }

protected:
    ChildContainer(Container& parent, TwipsRect rect, WindowKind kind)
        : ChildControl(parent, rect), kind_(kind) {}

    // The window and those of the controls inside it exist.
    virtual void Sited() {}
    bool IsSited() const { return sited_; }

private:
    bool CreateWindowIn(HWND parentWindow, const PixelRect& pixels, int id) override;

    WindowKind kind_;
    bool sited_ = false;
};

}  // namespace forms
