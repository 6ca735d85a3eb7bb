#pragma once

#include <cstdint>
#include <optional>

// What the Command button does with the pointer, the focus and the mouse
// buttons: its states, the face each event draws, when it raises Click.
// Portable; command_win32.cpp feeds it the window's events.

namespace command_button {

enum class ButtonState : uint8_t {
    StateNone = 0,             // before Initialize
    StateNormal = 1,           // neither focus nor pointer
    StateHighLight = 2,        // pointer over, no focus
    StateSelected = 3,         // focus, pointer not over
    StateHighLightSelect = 4,  // focus and pointer over
};

// The six face pictures.
enum class Face : uint8_t {
    Normal,
    HighLight,
    Pressed,
    Disable,
    Selected,
    HighLightSelect,
};

// The handlers that move the state: the control's mouse events (the
// caption's come the same way), the focus events, and MouseLeave (from the
// hover poll).
enum class Event : uint8_t {
    MouseMove,
    MouseDown,
    MouseUp,
    GotFocus,
    LostFocus,
    MouseLeave,
};

// Mouse button codes of the events; only the left one is told apart.
constexpr int kLeftButton = 1;

struct ButtonFields {
    ButtonState state = ButtonState::StateNone;
    bool leftDown = false;  // the left button went down on the control and has not come up
    bool enabled = false;   // ButtonEnabled
};

struct Reaction {
    ButtonState state;
    bool leftDown;
    std::optional<Face> face;  // drawn first
    bool click = false;        // then Click is raised, as the handler's last step
};

// One handler run: each handler's tests in their order, each on the state
// that the one before left. A disabled button changes nothing and draws
// nothing. `button` is the mouse button of MouseDown and MouseUp.
Reaction React(const ButtonFields& fields, Event event, int button = 0);

// The hover poll (hoverPoll, every 100 ms): whether it calls MouseLeave, given
// the window under the pointer, the button's own window and the window of the
// form holding the button (nothing when that can't be had: MouseLeave then).
// The pointer counts as over the button exactly when the window under it is
// the button's own.
bool PollCallsMouseLeave(uintptr_t underPointer, uintptr_t button, std::optional<uintptr_t> form);

}  // namespace command_button
