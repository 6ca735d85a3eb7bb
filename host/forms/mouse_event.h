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

enum class MouseAction {
    Down,
    Move,
    Up,
};

// A handler of a form's or a user control's own mouse events, under its
// given name (Form_MouseDown, UserControl_MouseMove, ...).
template <typename Target>
using MouseHandler = void (Target::*)(int button, int shift, double x, double y);

// Hands `event` to `target`'s handler for `action`: the one way a container
// passes its own mouse events on.
template <typename Target>
void DispatchMouse(Target& target, MouseAction action, const MouseEvent& event,
                   MouseHandler<Target> down, MouseHandler<Target> move, MouseHandler<Target> up) {
    const MouseHandler<Target> handler = action == MouseAction::Down   ? down
                                         : action == MouseAction::Move ? move
                                                                       : up;
    (target.*handler)(event.button, event.shift, event.x, event.y);
}

}  // namespace forms
