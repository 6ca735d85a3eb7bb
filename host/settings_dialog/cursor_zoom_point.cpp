#include "host/settings_dialog/cursor_zoom_point.h"

namespace {

int16_t ToInt16Or(int32_t value, int16_t keep) {
    if (value < INT16_MIN || value > INT16_MAX) return keep;
    return static_cast<int16_t>(value);
}

}  // namespace

ZoomXY ZoomPointFromCursor(bool gotCursor, int32_t x, int32_t y, ZoomXY previous) {
    if (!gotCursor) return ZoomXY{};
    return ZoomXY{ToInt16Or(x, previous.x), ToInt16Or(y, previous.y)};
}
