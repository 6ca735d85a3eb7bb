#include "host/forms/user_control.h"

namespace forms {

bool UserControl::SetBackStyle(int style) {
    if (style != 0 && style != 1) return false;
    backStyle_ = style;
    Refresh();
    return true;
}

void UserControl::Sited() {
    if (stored_) {
        PropertyBag bag = *stored_;
        UserControl_ReadProperties(bag);
    } else {
        UserControl_InitProperties();
    }
    UserControl_Resize();
}

void UserControl::OnResize() {
    if (IsSited()) UserControl_Resize();
}

void UserControl::OnMouse(MouseAction action, const MouseEvent& event) {
    DispatchMouse<UserControl>(*this, action, event, &UserControl::UserControl_MouseDown,
                               &UserControl::UserControl_MouseMove,
                               &UserControl::UserControl_MouseUp);
}

LRESULT UserControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            // The focus first, so that the press finds it there.
            if (canGetFocus_ && GetFocus() != hwnd()) SetFocus(hwnd());
            if (hwnd() == nullptr) return 0;
            break;
        case WM_SETFOCUS:
            if (!focused_) {
                focused_ = true;
                UserControl_GotFocus();
            }
            return 0;
        case WM_KILLFOCUS: {
            // Only a move to another window of the same form takes the
            // form's focus away from the control.
            const HWND next = reinterpret_cast<HWND>(wParam);
            if (focused_ && next != nullptr &&
                GetAncestor(next, GA_ROOT) == GetAncestor(hwnd(), GA_ROOT)) {
                focused_ = false;
                UserControl_LostFocus();
            }
            return 0;
        }
    }
    return ChildContainer::OnMessage(message, wParam, lParam);
}

}  // namespace forms
