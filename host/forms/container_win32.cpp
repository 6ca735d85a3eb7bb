#include "host/forms/container.h"

#include <windowsx.h>

#include <algorithm>

#include "host/forms/child_control.h"
#include "host/forms/windowless_control.h"

namespace forms {

namespace {

RECT ClientRect(HWND window) {
    RECT client = {};
    if (window != nullptr) GetClientRect(window, &client);
    return client;
}

void FillColour(HDC dc, const RECT& rect, uint32_t colour) {
    const HBRUSH brush = CreateSolidBrush(DrawingColour(colour));
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

int ShiftCode(WPARAM wParam) {
    return ((wParam & MK_SHIFT) != 0 ? kShiftKey : 0) |
           ((wParam & MK_CONTROL) != 0 ? kCtrlKey : 0) | (GetKeyState(VK_MENU) < 0 ? kAltKey : 0);
}

int HeldButtons(WPARAM wParam) {
    return ((wParam & MK_LBUTTON) != 0 ? kLeftButton : 0) |
           ((wParam & MK_RBUTTON) != 0 ? kRightButton : 0) |
           ((wParam & MK_MBUTTON) != 0 ? kMiddleButton : 0);
}

}  // namespace

Container::Container()
    : font_(forms::Font::New(DefaultFormFont())), twips_(ScreenTwipsPerPixel()) {}

Container::~Container() = default;

void Container::SetFont(FontRef font) {
    if (font != nullptr) font_ = std::move(font);
}

bool Container::SetBackColor(uint32_t colour) {
    if (!IsValidColour(colour)) return false;
    backColor_ = colour;
    if (hwnd() != nullptr) InvalidateRect(hwnd(), nullptr, FALSE);
    return true;
}

double Container::ScaleWidth() const {
    const RECT client = ClientRect(hwnd());
    return scaleMode_ == ScaleMode::Twips ? client.right * twips_.x : client.right;
}

double Container::ScaleHeight() const {
    const RECT client = ClientRect(hwnd());
    return scaleMode_ == ScaleMode::Twips ? client.bottom * twips_.y : client.bottom;
}

double Container::FromScaleX(double value) const {
    return scaleMode_ == ScaleMode::Twips ? PixelsFromTwips(value, twips_.x) : value;
}

double Container::FromScaleY(double value) const {
    return scaleMode_ == ScaleMode::Twips ? PixelsFromTwips(value, twips_.y) : value;
}

HDC Container::hdc() {
    if (hwnd() == nullptr) return nullptr;
    if (!image_.valid()) {
        const RECT client = ClientRect(hwnd());
        image_.Resize(client.right, client.bottom, DrawingColour(backColor_));
    }
    return image_.dc();
}

void Container::Cls() {
    if (hdc() != nullptr) image_.Fill(DrawingColour(backColor_));
}

void Container::Line(double x1, double y1, double x2, double y2, uint32_t colour) {
    const HDC dc = hdc();
    if (dc == nullptr || !IsValidColour(colour)) return;
    const HPEN pen = CreatePen(PS_SOLID, 1, DrawingColour(colour));
    const HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, static_cast<int>(FromScaleX(x1)), static_cast<int>(FromScaleY(y1)), nullptr);
    LineTo(dc, static_cast<int>(FromScaleX(x2)), static_cast<int>(FromScaleY(y2)));
    SelectObject(dc, old);
    DeleteObject(pen);
}

void Container::Refresh() {
    if (hwnd() == nullptr) return;
    // Children too: a transparent one shows this container's image.
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Container::Add(WindowlessControl* control) { controls_.push_back(control); }

void Container::Remove(WindowlessControl* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    if (captured_ == control) captured_ = nullptr;
}

void Container::Invalidate(const WindowlessControl* control) {
    if (hwnd() == nullptr) return;
    const PixelRect bounds = control->PixelBounds();
    const RECT rect = {bounds.left, bounds.top, bounds.left + bounds.width,
                       bounds.top + bounds.height};
    InvalidateRect(hwnd(), &rect, FALSE);
}

void Container::Add(ChildControl* child) { children_.push_back(child); }

void Container::Remove(ChildControl* child) {
    children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
}

void Container::CreateChildControls() {
    for (ChildControl* child : children_) {
        if (child->ChildHandle() != nullptr) continue;
        child->CreateWindowIn(hwnd(), PixelsFromTwips(child->rect_, twips_), child->id_);
    }
}

void Container::ArmAllTimers() {
    ArmTimers();
    for (ChildControl* child : children_) {
        if (auto* container = dynamic_cast<Container*>(child)) container->ArmAllTimers();
    }
}

void Container::Paint(HDC target) {
    const RECT client = ClientRect(hwnd());
    if (client.right <= 0 || client.bottom <= 0) return;
    // Composed off screen first, so that the controls never flicker over
    // the image.
    if (compose_.width() < client.right || compose_.height() < client.bottom) {
        compose_.Resize(std::max<int>(client.right, compose_.width()),
                        std::max<int>(client.bottom, compose_.height()), 0);
    }
    if (!compose_.valid()) return;
    PaintContent(compose_.dc(), POINT{0, 0});
    BitBlt(target, 0, 0, client.right, client.bottom, compose_.dc(), 0, 0, SRCCOPY);
}

void Container::PaintContent(HDC dc, POINT origin) {
    const RECT client = ClientRect(hwnd());
    const RECT area = {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    if (!ShowsOwnImage()) {
        PaintBehind(dc, origin);
    } else if (image_.valid()) {
        FillColour(dc, area, backColor_);
        BitBlt(dc, origin.x, origin.y, image_.width(), image_.height(), image_.dc(), 0, 0, SRCCOPY);
    } else {
        FillColour(dc, area, backColor_);
    }
    for (WindowlessControl* control : controls_) {
        if (!control->Visible()) continue;
        const PixelRect b = control->PixelBounds();
        const RECT bounds = {origin.x + b.left, origin.y + b.top, origin.x + b.left + b.width,
                             origin.y + b.top + b.height};
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
        control->Paint(dc, bounds);
        RestoreDC(dc, saved);
    }
}

void Container::PaintBehind(HDC dc, POINT origin) {
    const HWND parentWindow = GetParent(hwnd());
    auto* parent = dynamic_cast<Container*>(Window::FromHandle(parentWindow));
    if (parent == nullptr) {
        const RECT client = ClientRect(hwnd());
        FillColour(dc, {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom},
                   backColor_);
        return;
    }
    POINT position = {0, 0};
    MapWindowPoints(hwnd(), parentWindow, &position, 1);
    parent->PaintContent(dc, POINT{origin.x - position.x, origin.y - position.y});
}

WindowlessControl* Container::ControlAt(POINT pixel) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        if (!(*it)->TakesMouse()) continue;
        const PixelRect b = (*it)->PixelBounds();
        if (pixel.x >= b.left && pixel.x < b.left + b.width && pixel.y >= b.top &&
            pixel.y < b.top + b.height) {
            return *it;
        }
    }
    return nullptr;
}

void Container::RouteMouse(MouseAction action, int button, WPARAM wParam, LPARAM lParam) {
    const POINT pixel = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const int held = HeldButtons(wParam);
    // Windows sends moves that are none: one when the capture ends, and
    // under Wine an echo of a move from the X server, both at the place of
    // the mouse message before. The pointer moved only if the place or the
    // buttons differ; that memory goes when the pointer leaves the window.
    if (action == MouseAction::Move && lastSeen_ && pixel.x == lastPoint_.x &&
        pixel.y == lastPoint_.y && held == lastHeld_) {
        return;
    }
    lastSeen_ = true;
    lastPoint_ = pixel;
    lastHeld_ = held;
    if (!trackingLeave_) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, hwnd(), 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    WindowlessControl* target = nullptr;
    if (action == MouseAction::Down && !capturing_) {
        // The control under the pointer gets everything until the last
        // button is up, as does the container when none is there.
        target = ControlAt(pixel);
        capturing_ = true;
        captured_ = target;
        SetCapture(hwnd());
    } else {
        target = capturing_ ? captured_ : ControlAt(pixel);
    }

    MouseEvent event;
    event.button = action == MouseAction::Move ? held : button;
    event.shift = ShiftCode(wParam);
    event.x = pixel.x * twips_.x - (target != nullptr ? target->Left() : 0);
    event.y = pixel.y * twips_.y - (target != nullptr ? target->Top() : 0);
    if (target == nullptr) {
        OnMouse(action, event);
    } else {
        const auto& handler = action == MouseAction::Down   ? target->MouseDown
                              : action == MouseAction::Move ? target->MouseMove
                                                            : target->MouseUp;
        if (handler) handler(event);
    }

    if (action == MouseAction::Up && held == 0 && capturing_) {
        capturing_ = false;
        captured_ = nullptr;
        if (hwnd() != nullptr && GetCapture() == hwnd()) ReleaseCapture();
    }
}

LRESULT Container::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    static constexpr struct {
        UINT message;
        MouseAction action;
        int button;
    } kMouseMessages[] = {
        {WM_LBUTTONDOWN, MouseAction::Down, kLeftButton},
        {WM_RBUTTONDOWN, MouseAction::Down, kRightButton},
        {WM_MBUTTONDOWN, MouseAction::Down, kMiddleButton},
        {WM_MOUSEMOVE, MouseAction::Move, 0},
        {WM_LBUTTONUP, MouseAction::Up, kLeftButton},
        {WM_RBUTTONUP, MouseAction::Up, kRightButton},
        {WM_MBUTTONUP, MouseAction::Up, kMiddleButton},
    };
    for (const auto& mouse : kMouseMessages) {
        if (mouse.message == message) {
            RouteMouse(mouse.action, mouse.button, wParam, lParam);
            return 0;
        }
    }
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        case WM_PAINT: {
            PAINTSTRUCT paint;
            if (HDC dc = BeginPaint(hwnd(), &paint)) {
                Paint(dc);
                EndPaint(hwnd(), &paint);
            }
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_SIZE:
            if (image_.valid()) {
                image_.Resize(LOWORD(lParam), HIWORD(lParam), DrawingColour(backColor_));
            }
            OnResize();
            return 0;
        case WM_MOUSELEAVE:
            trackingLeave_ = false;
            lastSeen_ = false;
            return 0;
        case WM_CAPTURECHANGED:
            // Taken away (a window of the system's, a modal loop): no
            // release will come.
            if (reinterpret_cast<HWND>(lParam) != hwnd()) {
                capturing_ = false;
                captured_ = nullptr;
            }
            return 0;
    }
    return Window::OnMessage(message, wParam, lParam);
}

}  // namespace forms
