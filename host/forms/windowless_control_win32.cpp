#include "host/forms/windowless_control.h"

#include <algorithm>

#include "host/forms/container.h"

namespace forms {

WindowlessControl::WindowlessControl(Container& parent, TwipsRect rect)
    : parent_(parent), rect_(rect) {
    parent_.Add(this);
}

WindowlessControl::~WindowlessControl() {
    Invalidate();
    parent_.Remove(this);
}

void WindowlessControl::Move(double left, double top, double width, double height) {
    Invalidate();
    rect_ = TwipsRect{left, top, std::max(width, 0.0), std::max(height, 0.0)};
    Invalidate();
}

PixelRect WindowlessControl::PixelBounds() const { return PixelsFromTwips(rect_, parent_.Twips()); }

void WindowlessControl::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    Invalidate();
}

void WindowlessControl::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Invalidate();
}

void WindowlessControl::ZOrder(bool toFront) {
    auto& controls = parent_.controls_;
    controls.erase(std::remove(controls.begin(), controls.end(), this), controls.end());
    controls.insert(toFront ? controls.end() : controls.begin(), this);
    Invalidate();
}

void WindowlessControl::Invalidate() { parent_.Invalidate(this); }

}  // namespace forms
