#include "host/forms/form.h"

#include <algorithm>
#include <utility>

#include "host/forms/child_control.h"
#include "host/forms/text_win32.h"
#include "host/forms/timer.h"

namespace forms {

namespace {

std::vector<Form*>& Loaded() {
    static std::vector<Form*> forms;
    return forms;
}

void Forget(Form* form) {
    auto& forms = Loaded();
    forms.erase(std::remove(forms.begin(), forms.end(), form), forms.end());
}

RECT WindowRectOf(HWND window) {
    RECT rect = {};
    if (window != nullptr) GetWindowRect(window, &rect);
    return rect;
}

// The child controls of `container` and of the containers in it, in the
// order they were built.
void CollectChildren(const Container& container, std::vector<ChildControl*>& out) {
    for (ChildControl* child : container.ChildControls()) {
        out.push_back(child);
        if (auto* inner = dynamic_cast<Container*>(child)) CollectChildren(*inner, out);
    }
}

}  // namespace

Form::Form(std::string caption) : caption_(std::move(caption)) {}

Form::~Form() { Forget(this); }

const std::vector<Form*>& Form::LoadedForms() { return Loaded(); }

bool Form::Load() {
    if (loaded_) return true;
    if (hwnd() == nullptr) {
        if (!Create(WindowKind::Form, ExStyle(), WideFromUtf8(caption_).c_str(), Style(), nullptr,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT)) {
            return false;
        }
        SetIcons();
        // The controls' windows, and their properties read, before the
        // form's own load handler runs.
        CreateChildControls();
    }
    loaded_ = true;
    Loaded().push_back(this);
    // Timers enabled at design time run from the window's creation on.
    ArmAllTimers();
    {
        LoadingScope loading;
        Form_Load();
    }
    return loaded_;
}

void Form::SetIcons() {
    const int id = IconResource();
    if (id == 0) return;
    // The big icon for the task switcher, the small one for the caption, each
    // from the image of that size in the icon resource.
    // https://learn.microsoft.com/en-us/windows/win32/winmsg/wm-seticon
    const struct {
        WPARAM which;
        int widthMetric, heightMetric;
    } kIcons[] = {{ICON_BIG, SM_CXICON, SM_CYICON}, {ICON_SMALL, SM_CXSMICON, SM_CYSMICON}};
    for (const auto& icon : kIcons) {
        // Shared: the system keeps a resource icon loaded with LR_SHARED.
        const HANDLE image = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                        GetSystemMetrics(icon.widthMetric),
                                        GetSystemMetrics(icon.heightMetric), LR_SHARED);
        if (image != nullptr) {
            SendMessageW(hwnd(), WM_SETICON, icon.which, reinterpret_cast<LPARAM>(image));
        }
    }
}

void Form::Show() {
    if (!Load()) return;
    ShowWindow(hwnd(), SW_SHOW);
}

void Form::ShowModal() {
    if (!Load()) return;
    for (Form* other : Loaded()) {
        if (other != this && other->hwnd() != nullptr && IsWindowEnabled(other->hwnd())) {
            EnableWindow(other->hwnd(), FALSE);
            disabledForms_.push_back(other->hwnd());
        }
    }
    Show();
    const LoadingScope::Suspended ticking;
    while (loaded_) {
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT is meant for the outermost loop: leave it there.
            // https://learn.microsoft.com/en-us/windows/win32/winmsg/wm-quit
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) break;
        Dispatch(message);
    }
    EnableDisabledForms();
}

void Form::EnableDisabledForms() {
    for (HWND window : disabledForms_) {
        if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    disabledForms_.clear();
}

bool Form::Unload() { return RunUnload(UnloadMode::FormCode, false); }

// `windowGoing`: the window is being destroyed already, so a cancel can't
// keep the form.
bool Form::RunUnload(UnloadMode mode, bool windowGoing) {
    if (!loaded_) return true;
    if (unloading_) return false;
    unloading_ = true;
    bool cancel = false;
    Form_QueryUnload(cancel, mode);
    if (!cancel || windowGoing) {
        cancel = false;
        Form_Unload(cancel);
    }
    unloading_ = false;
    if (cancel && !windowGoing) return false;

    loaded_ = false;
    Forget(this);
    // The application's loop sleeps in GetMessage and looks at the loaded
    // forms only when it wakes. An unload from a sent message (the window
    // destroyed by another process, as when the preview's parent goes)
    // doesn't wake it, so the last form to go wakes it itself.
    if (Loaded().empty()) PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
    ArmAllTimers();
    // Before the window is hidden or destroyed: the system then activates
    // one of the forms that ShowModal disabled, not another program.
    // https://learn.microsoft.com/en-us/windows/win32/winmsg/using-dialog-boxes
    EnableDisabledForms();
    // The unload may come from one of the handlers that run now (a button's
    // click): the window goes once they have returned.
    if (!windowGoing) DestroyWhenUnwound();
    return true;
}

double Form::Left() const { return WindowRectOf(hwnd()).left * Twips().x; }
double Form::Top() const { return WindowRectOf(hwnd()).top * Twips().y; }

double Form::Width() const {
    const RECT rect = WindowRectOf(hwnd());
    return (rect.right - rect.left) * Twips().x;
}

double Form::Height() const {
    const RECT rect = WindowRectOf(hwnd());
    return (rect.bottom - rect.top) * Twips().y;
}

void Form::Move(double left, double top) {
    if (hwnd() == nullptr) return;
    SetWindowPos(hwnd(), nullptr, PixelsFromTwips(left, Twips().x), PixelsFromTwips(top, Twips().y),
                 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetInnerSize(double widthTwips, double heightTwips) {
    if (hwnd() == nullptr) return;
    RECT rect = {0, 0, PixelsFromTwips(widthTwips, Twips().x),
                 PixelsFromTwips(heightTwips, Twips().y)};
    AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongW(hwnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(hwnd(), GWL_EXSTYLE)));
    SetWindowPos(hwnd(), nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::vector<HWND> Form::TabOrder() {
    std::vector<ChildControl*> children;
    CollectChildren(*this, children);
    std::stable_sort(
        children.begin(), children.end(),
        [](const ChildControl* a, const ChildControl* b) { return a->TabIndex() < b->TabIndex(); });
    std::vector<HWND> order;
    for (ChildControl* child : children) {
        const HWND window = child->ChildHandle();
        if (child->TabStop() && window != nullptr && IsWindowVisible(window) &&
            IsWindowEnabled(window)) {
            order.push_back(window);
        }
    }
    return order;
}

void Form::MoveFocus(bool forward) {
    const std::vector<HWND> order = TabOrder();
    if (order.empty()) return;
    // The control holding the focus, or else the nearest one around the
    // window that does: a window of the system's inside a control (the edit
    // field of a combo box) lies inside the panel holding that control too,
    // and Tab must go on from the control, not from the panel.
    auto at = order.end();
    for (HWND window = GetFocus(); window != nullptr && at == order.end();
         window = GetAncestor(window, GA_PARENT)) {
        at = std::find(order.begin(), order.end(), window);
    }
    size_t next = 0;
    if (at == order.end()) {
        next = forward ? 0 : order.size() - 1;
    } else {
        const size_t index = static_cast<size_t>(at - order.begin());
        next = forward ? (index + 1) % order.size() : (index + order.size() - 1) % order.size();
    }
    SetFocus(order[next]);
}

void Form::Dispatch(MSG& message) {
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB) {
        auto* form = dynamic_cast<Form*>(Window::FromHandle(GetAncestor(message.hwnd, GA_ROOT)));
        if (form != nullptr && form->loaded_) {
            form->MoveFocus(GetKeyState(VK_SHIFT) >= 0);
            return;
        }
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void Form::OnMouse(MouseAction action, const MouseEvent& event) {
    DispatchMouse<Form>(*this, action, event, &Form::Form_MouseDown, &Form::Form_MouseMove,
                        &Form::Form_MouseUp);
}

void Form::OnResize() {
    if (loaded_) Form_Resize();
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus != nullptr && IsChild(hwnd(), focus)) activeControl_ = focus;
            } else if (HIWORD(wParam) == 0) {  // not minimised
                HWND target = activeControl_;
                if (target == nullptr || !IsWindow(target) || !IsChild(hwnd(), target)) {
                    const std::vector<HWND> order = TabOrder();
                    target = order.empty() ? nullptr : order.front();
                }
                if (target != nullptr) {
                    SetFocus(target);
                    return 0;
                }
            }
            break;
        case WM_CLOSE:
            // Not DefWindowProc, which would destroy the window whatever the
            // handlers say.
            RunUnload(UnloadMode::FormControlMenu, false);
            return 0;
        case WM_DESTROY:
            RunUnload(UnloadMode::FormOwner, true);
            break;
    }
    return Container::OnMessage(message, wParam, lParam);
}

}  // namespace forms
