#pragma once

#include <cstdint>

#include "host/forms/windowless_control.h"

namespace forms {

// A windowless rectangle outline, one pixel wide, on the edge of its
// rectangle; inside it the container shows through. It never takes the
// mouse: a press on it is its container's.
class Shape : public WindowlessControl {
public:
    Shape(Container& parent, TwipsRect rect) : WindowlessControl(parent, rect) {}

    uint32_t BorderColor() const { return borderColor_; }
    bool SetBorderColor(uint32_t colour);

private:
    bool TakesMouse() const override { return false; }
    void Paint(HDC dc, const RECT& bounds) override;

    uint32_t borderColor_ = 0;  // black
};

}  // namespace forms
