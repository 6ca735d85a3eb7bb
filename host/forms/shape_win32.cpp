#include "host/forms/shape.h"

#include "host/forms/colour.h"

namespace forms {

bool Shape::SetBorderColor(uint32_t colour) {
    if (!IsValidColour(colour)) return false;
    borderColor_ = colour;
    Invalidate();
    return true;
}

void Shape::Paint(HDC dc, const RECT& bounds) {
    const HBRUSH brush = CreateSolidBrush(DrawingColour(borderColor_));
    FrameRect(dc, &bounds, brush);
    DeleteObject(brush);
}

}  // namespace forms
