#include "host/command_button/button_state.h"

namespace command_button {

namespace {

Reaction MouseMove(Reaction r) {
    if (r.state == ButtonState::StateNormal) {
        r.state = ButtonState::StateHighLight;
        r.face = Face::HighLight;
    }
    // On the state the first test left.
    if (r.state == ButtonState::StateSelected && !r.leftDown) {
        r.state = ButtonState::StateHighLightSelect;
        r.face = Face::HighLightSelect;
    }
    return r;
}

Reaction MouseDown(Reaction r, int button) {
    if (button == kLeftButton) {
        r.face = Face::Pressed;
        r.leftDown = true;
    }
    return r;
}

Reaction MouseUp(Reaction r, int button, bool enabled) {
    if (button == kLeftButton) {
        r.leftDown = false;
        if (r.state == ButtonState::StateHighLight) r.face = Face::Normal;
        if (r.state == ButtonState::StateHighLightSelect) r.face = Face::HighLightSelect;
    }
    // Any button.
    if (r.state != ButtonState::StateSelected && enabled) r.click = true;
    return r;
}

Reaction GotFocus(Reaction r) {
    if (r.state != ButtonState::StateHighLight) {
        r.state = ButtonState::StateSelected;
        r.face = Face::Selected;
    }
    if (r.state == ButtonState::StateHighLight) {
        r.state = ButtonState::StateHighLightSelect;
        r.face = Face::Pressed;
    }
    return r;
}

Reaction LostFocus(Reaction r) {
    if (r.state != ButtonState::StateNormal) {
        r.state = ButtonState::StateNormal;
        r.face = Face::Normal;
    }
    return r;
}

Reaction MouseLeave(Reaction r) {
    if (r.state == ButtonState::StateHighLight) {
        r.state = ButtonState::StateNormal;
        r.face = Face::Normal;
    }
    if (r.state == ButtonState::StateHighLightSelect) {
        r.state = ButtonState::StateSelected;
        r.face = Face::Selected;
    }
    return r;
}

}  // namespace

Reaction React(const ButtonFields& fields, Event event, int button) {
    const Reaction unchanged{fields.state, fields.leftDown, std::nullopt, false};
    if (!fields.enabled) return unchanged;
    switch (event) {
        case Event::MouseMove:
            return MouseMove(unchanged);
        case Event::MouseDown:
            return MouseDown(unchanged, button);
        case Event::MouseUp:
            return MouseUp(unchanged, button, fields.enabled);
        case Event::GotFocus:
            return GotFocus(unchanged);
        case Event::LostFocus:
            return LostFocus(unchanged);
        case Event::MouseLeave:
            return MouseLeave(unchanged);
    }
    return unchanged;
}

bool PollCallsMouseLeave(uintptr_t underPointer, uintptr_t button, std::optional<uintptr_t> form) {
    // With no form to compare with, the first test fails and the poll goes
    // on with its next statement, the MouseLeave call.
    if (!form) return true;
    if (underPointer == *form) return true;
    return underPointer != button;
}

}  // namespace command_button
