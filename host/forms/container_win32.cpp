#include "host/forms/container.h"

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

// Where every container of the thread composes its picture before it goes
// to the screen, as large as the largest composed yet: one buffer, not one
// a container, since a container copies the result out before another
// paints.
BackBuffer& ComposingBuffer() {
    thread_local BackBuffer buffer;
    return buffer;
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
    mouse_.Forget(control);
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
    BackBuffer& compose = ComposingBuffer();
    if (compose.width() < client.right || compose.height() < client.bottom) {
        compose.Resize(std::max<int>(client.right, compose.width()),
                       std::max<int>(client.bottom, compose.height()), 0);
    }
    if (!compose.valid()) return;
    PaintContent(compose.dc(), POINT{0, 0});
    BitBlt(target, 0, 0, client.right, client.bottom, compose.dc(), 0, 0, SRCCOPY);
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

LRESULT Container::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (mouse_.Route(message, wParam, lParam)) return 0;
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
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
            // A window of the system's in a child control asks its colours.
            for (ChildControl* child : children_) {
                if (HBRUSH brush = child->ColoursFor(reinterpret_cast<HWND>(lParam),
                                                     reinterpret_cast<HDC>(wParam))) {
                    return reinterpret_cast<LRESULT>(brush);
                }
            }
            break;
        case WM_MOUSELEAVE:
            mouse_.PointerLeft();
            return 0;
        case WM_CAPTURECHANGED:
            mouse_.CaptureChanged(reinterpret_cast<HWND>(lParam));
            return 0;
    }
    return Window::OnMessage(message, wParam, lParam);
}

}  // namespace forms
