#include "host/forms/child_control.h"

#include <algorithm>

#include "host/forms/container.h"

namespace forms {

namespace {

// The default tab order: the order controls are built in.
int nextTabIndex = 1000;

}  // namespace

ChildControl::ChildControl(Container& parent, TwipsRect rect)
    : parent_(parent), rect_(rect), id_(parent.NextChildId()), tabIndex_(nextTabIndex++) {
    parent_.Add(this);
}

ChildControl::~ChildControl() { parent_.Remove(this); }

void ChildControl::Move(double left, double top, double width, double height) {
    rect_ = TwipsRect{left, top, std::max(width, 0.0), std::max(height, 0.0)};
    const HWND window = ChildHandle();
    if (window == nullptr) return;
    const PixelRect pixels = PixelsFromTwips(rect_, parent_.Twips());
    MoveWindow(window, pixels.left, pixels.top, pixels.width, pixels.height, TRUE);
}

}  // namespace forms
