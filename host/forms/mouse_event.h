#pragma once

// What a mouse event tells its handler, in the codes that the forms' events
// have always used. Portable.

namespace forms {

// Button codes; a move reports the buttons held, added together.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;

// Shift codes, added together.
constexpr int kShiftKey = 1;
constexpr int kCtrlKey = 2;
constexpr int kAltKey = 4;

struct MouseEvent {
    int button = 0;
    int shift = 0;
    double x = 0;  // twips, from the top-left corner of the control that gets the event
    double y = 0;
};

}  // namespace forms
