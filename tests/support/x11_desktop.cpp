#include "support/x11_desktop.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>

namespace {

// Windows of the programs under test come and go between our requests; a
// BadWindow must not end the test program as Xlib's default handler would.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

void CollectNamed(X11Desktop& desktop, Window window, const std::string& name,
                  std::vector<Window>& found) {
    if (desktop.WindowName(window) == name) found.push_back(window);
    Window rootReturn = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(desktop.display(), window, &rootReturn, &parent, &children, &count)) return;
    for (unsigned i = 0; i < count; ++i) CollectNamed(desktop, children[i], name, found);
    if (children != nullptr) XFree(children);
}

Window SupportingWindow(Display* d, Window window) {
    const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    Window found = 0;
    if (XGetWindowProperty(d, window, check, 0, 1, False, XA_WINDOW, &type, &format, &count, &after,
                           &data) == Success &&
        type == XA_WINDOW && count == 1)
        found = *reinterpret_cast<Window*>(data);
    if (data != nullptr) XFree(data);
    return found;
}

// The EWMH check: the root names a window that names itself, so a property
// left behind by a window manager that died does not count.
bool HasWindowManager(X11Desktop& desktop) {
    const Window check = SupportingWindow(desktop.display(), desktop.root());
    return check != 0 && SupportingWindow(desktop.display(), check) == check;
}

}  // namespace

X11Desktop::X11Desktop() {
    XSetErrorHandler(IgnoreXError);
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr) return;
    root_ = DefaultRootWindow(display_);
    width_ = DisplayWidth(display_, DefaultScreen(display_));
    height_ = DisplayHeight(display_, DefaultScreen(display_));
}

X11Desktop::~X11Desktop() {
    if (display_ != nullptr) XCloseDisplay(display_);
}

std::vector<Window> X11Desktop::WindowsNamed(const std::string& name) {
    std::vector<Window> found;
    CollectNamed(*this, root_, name, found);
    return found;
}

std::optional<std::string> X11Desktop::TextProperty(Window window, const char* property) {
    XTextProperty text{};
    if (!XGetTextProperty(display_, window, &text, XInternAtom(display_, property, False)))
        return std::nullopt;
    std::string value(reinterpret_cast<const char*>(text.value), text.nitems);
    XFree(text.value);
    return value;
}

std::optional<std::string> X11Desktop::WindowName(Window window) {
    return TextProperty(window, "WM_NAME");
}

std::optional<X11Desktop::Rect> X11Desktop::Geometry(Window window) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display_, window, &attributes)) return std::nullopt;
    int x = 0, y = 0;
    Window child = 0;
    if (!XTranslateCoordinates(display_, window, root_, 0, 0, &x, &y, &child)) return std::nullopt;
    return Rect{x, y, attributes.width, attributes.height};
}

bool X11Desktop::Viewable(Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display_, window, &attributes) &&
           attributes.map_state == IsViewable;
}

Window X11Desktop::FocusedWindow() {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    return focus;
}

ScreenImage X11Desktop::Capture() {
    ScreenImage image;
    XImage* x = XGetImage(display_, root_, 0, 0, static_cast<unsigned>(width_),
                          static_cast<unsigned>(height_), AllPlanes, ZPixmap);
    if (x == nullptr) return image;
    image.width = width_;
    image.height = height_;
    image.rgb.resize(static_cast<size_t>(width_) * height_ * 3);
    auto channel = [](unsigned long pixel, unsigned long mask) {
        int shift = 0;
        while (mask != 0 && (mask & 1) == 0) mask >>= 1, ++shift;
        return static_cast<unsigned char>(((pixel >> shift) & mask) * 255 / (mask ? mask : 1));
    };
    for (int py = 0; py < height_; ++py) {
        for (int px = 0; px < width_; ++px) {
            const unsigned long pixel = XGetPixel(x, px, py);
            unsigned char* out = &image.rgb[(static_cast<size_t>(py) * width_ + px) * 3];
            out[0] = channel(pixel, x->red_mask);
            out[1] = channel(pixel, x->green_mask);
            out[2] = channel(pixel, x->blue_mask);
        }
    }
    XDestroyImage(x);
    return image;
}

void X11Desktop::MovePointer(int x, int y) {
    XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
    XSync(display_, False);
}

void X11Desktop::Click(unsigned button) {
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
    XSync(display_, False);
}

void X11Desktop::TapKey(unsigned long keysym) {
    const KeyCode code = XKeysymToKeycode(display_, keysym);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    XSync(display_, False);
}

bool X11Desktop::CursorVisible() {
    XFixesCursorImage* cursor = XFixesGetCursorImage(display_);
    if (cursor == nullptr) return false;
    bool visible = false;
    for (int i = 0; i < cursor->width * cursor->height; ++i) {
        visible |= (cursor->pixels[i] >> 24) != 0;  // ARGB in each long
    }
    XFree(cursor);
    return visible;
}

bool X11Desktop::WaitUntil(const std::function<bool()>& condition, double seconds) {
    const double deadline = MonotonicSeconds() + seconds;
    for (;;) {
        if (condition()) return true;
        if (MonotonicSeconds() >= deadline) return false;
        PollPause();
    }
}

WindowManager::WindowManager(X11Desktop& desktop) {
    if (HasWindowManager(desktop)) {
        ok_ = true;
        return;
    }
    process_ = std::make_unique<ChildProcess>("/usr/bin/openbox", std::vector<std::string>{});
    ok_ = desktop.WaitUntil([&] { return HasWindowManager(desktop); }, 20);
}

WindowManager::~WindowManager() {
    if (process_) process_->Terminate(5);
}
