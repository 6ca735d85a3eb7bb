// The native message box: a small dialog window of our own, since X has no
// standard one. It looks and behaves like the Windows box the loader's texts
// were written for: caption "Error", the text, one OK button, modal in the
// sense that ShowErrorBox returns only once the user has dismissed it.
#include "renderer/error_box.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/Xft/Xft.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kPadding = 20;
constexpr int kLineGap = 4;
constexpr int kMinTextWidth = 220;
constexpr int kBandHeight = 48;  // grey strip along the bottom that holds the button
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 28;
constexpr int kBorder = 1;

// The loader's messages end in "\n" so that they read well on a console;
// drawn as a line of its own it would only leave a gap above the button.
std::vector<std::string> SplitLines(const char* text) {
    std::string s(text);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    std::vector<std::string> lines;
    std::istringstream in(s);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    if (lines.empty()) lines.emplace_back();
    return lines;
}

struct Box {
    Display* display = nullptr;
    Window window = 0;
    GC gc = nullptr;
    XftDraw* draw = nullptr;
    XftFont* font = nullptr;
    XftColor textColour{}, faceColour{}, bandColour{}, buttonColour{}, pressedColour{},
        borderColour{}, focusColour{};
    std::vector<std::string> lines;
    int width = 0, height = 0;
    bool focused = false, pressed = false, pointerInButton = false;

    XftColor Colour(unsigned r, unsigned g, unsigned b) {
        const XRenderColor rc{static_cast<unsigned short>(r * 257),
                              static_cast<unsigned short>(g * 257),
                              static_cast<unsigned short>(b * 257), 0xffff};
        XftColor c{};
        const int screen = DefaultScreen(display);
        XftColorAllocValue(display, DefaultVisual(display, screen),
                           DefaultColormap(display, screen), &rc, &c);
        return c;
    }

    int TextWidth(const std::string& s) const {
        XGlyphInfo extents{};
        XftTextExtentsUtf8(display, font, reinterpret_cast<const FcChar8*>(s.data()),
                           static_cast<int>(s.size()), &extents);
        return extents.xOff;
    }

    int LineHeight() const { return font->ascent + font->descent + kLineGap; }

    void ButtonRect(int& x, int& y) const {
        x = width - kPadding - kButtonWidth;
        y = height - kBandHeight + (kBandHeight - kButtonHeight) / 2;
    }

    bool InButton(int px, int py) const {
        int x, y;
        ButtonRect(x, y);
        return px >= x && px < x + kButtonWidth && py >= y && py < y + kButtonHeight;
    }

    void Fill(const XftColor& c, int x, int y, int w, int h) {
        XSetForeground(display, gc, c.pixel);
        XFillRectangle(display, window, gc, x, y, static_cast<unsigned>(w),
                       static_cast<unsigned>(h));
    }

    void Frame(const XftColor& c, int x, int y, int w, int h) {
        XSetForeground(display, gc, c.pixel);
        XDrawRectangle(display, window, gc, x, y, static_cast<unsigned>(w - 1),
                       static_cast<unsigned>(h - 1));
    }

    void DrawText(const std::string& s, int x, int baseline) {
        XftDrawStringUtf8(draw, &textColour, font, x, baseline,
                          reinterpret_cast<const FcChar8*>(s.data()), static_cast<int>(s.size()));
    }

    void Paint() {
        Fill(faceColour, 0, 0, width, height - kBandHeight);
        Fill(bandColour, 0, height - kBandHeight, width, kBandHeight);
        int baseline = kPadding + font->ascent;
        for (const std::string& line : lines) {
            DrawText(line, kPadding, baseline);
            baseline += LineHeight();
        }
        int x, y;
        ButtonRect(x, y);
        const bool down = pressed && pointerInButton;
        Fill(down ? pressedColour : buttonColour, x, y, kButtonWidth, kButtonHeight);
        // The one button is always the default one; a second, inner ring says
        // the keyboard is here, so Enter or Space will press it.
        Frame(focused ? focusColour : borderColour, x, y, kButtonWidth, kButtonHeight);
        if (focused) Frame(focusColour, x + 1, y + 1, kButtonWidth - 2, kButtonHeight - 2);
        const std::string ok = "OK";
        DrawText(ok, x + (kButtonWidth - TextWidth(ok)) / 2 + (down ? 1 : 0),
                 y + (kButtonHeight + font->ascent - font->descent) / 2 + (down ? 1 : 0));
    }

    Atom Intern(const char* name) const { return XInternAtom(display, name, False); }

    void SetUtf8Property(const char* name, const char* value) {
        XChangeProperty(display, window, Intern(name), Intern("UTF8_STRING"), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(value),
                        static_cast<int>(std::strlen(value)));
    }

    void Create(const char* text) {
        const int screen = DefaultScreen(display);
        lines = SplitLines(text);
        int textWidth = kMinTextWidth;
        for (const std::string& line : lines) textWidth = std::max(textWidth, TextWidth(line));
        width = std::min(textWidth + 2 * kPadding, DisplayWidth(display, screen));
        height =
            2 * kPadding + static_cast<int>(lines.size()) * LineHeight() - kLineGap + kBandHeight;
        const int x = (DisplayWidth(display, screen) - width) / 2 - kBorder;
        const int y = (DisplayHeight(display, screen) - height) / 2 - kBorder;

        textColour = Colour(0x1a, 0x1a, 0x1a);
        faceColour = Colour(0xff, 0xff, 0xff);
        bandColour = Colour(0xf0, 0xf0, 0xf0);
        buttonColour = Colour(0xe1, 0xe1, 0xe1);
        pressedColour = Colour(0xcc, 0xe4, 0xf7);
        borderColour = Colour(0xad, 0xad, 0xad);
        focusColour = Colour(0x00, 0x78, 0xd7);

        XSetWindowAttributes attributes{};
        attributes.background_pixel = faceColour.pixel;
        // Without a window manager's frame the box still needs an edge.
        attributes.border_pixel = borderColour.pixel;
        attributes.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                                ButtonReleaseMask | PointerMotionMask | FocusChangeMask |
                                StructureNotifyMask;
        window =
            XCreateWindow(display, RootWindow(display, screen), x, y, static_cast<unsigned>(width),
                          static_cast<unsigned>(height), kBorder, CopyFromParent, InputOutput,
                          CopyFromParent, CWBackPixel | CWBorderPixel | CWEventMask, &attributes);

        // A fixed-size dialog at the place we chose, kept above the
        // full-screen window it reports for.
        XSizeHints size{};
        size.flags = USPosition | PPosition | PMinSize | PMaxSize;
        size.x = x;
        size.y = y;
        size.min_width = size.max_width = width;
        size.min_height = size.max_height = height;
        XSetWMNormalHints(display, window, &size);
        XWMHints hints{};
        hints.flags = InputHint;
        hints.input = True;
        XSetWMHints(display, window, &hints);
        XSetTransientForHint(display, window, RootWindow(display, screen));
        XStoreName(display, window, "Error");
        SetUtf8Property("_NET_WM_NAME", "Error");
        // What the box says, for anyone who reads windows rather than pixels.
        SetUtf8Property("_GLINTRA_MESSAGE", text);
        Atom type = Intern("_NET_WM_WINDOW_TYPE_DIALOG");
        XChangeProperty(display, window, Intern("_NET_WM_WINDOW_TYPE"), XA_ATOM, 32,
                        PropModeReplace, reinterpret_cast<unsigned char*>(&type), 1);
        Atom states[] = {Intern("_NET_WM_STATE_MODAL"), Intern("_NET_WM_STATE_ABOVE")};
        XChangeProperty(display, window, Intern("_NET_WM_STATE"), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(states), 2);
        // Motif hints, which most window managers still read: a box can be
        // moved and closed, not resized, minimised or maximised.
        const long motif[5] = {1 | 2, 4 | 32, 2 | 8 | 16, 0, 0};  // functions, decorations
        XChangeProperty(display, window, Intern("_MOTIF_WM_HINTS"), Intern("_MOTIF_WM_HINTS"), 32,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(motif), 5);
        Atom deleteWindow = Intern("WM_DELETE_WINDOW");
        XSetWMProtocols(display, window, &deleteWindow, 1);
        XClassHint classHint{const_cast<char*>("glintra-renderer"), const_cast<char*>("Glintra")};
        XSetClassHint(display, window, &classHint);

        gc = XCreateGC(display, window, 0, nullptr);
        draw = XftDrawCreate(display, window, DefaultVisual(display, screen),
                             DefaultColormap(display, screen));
        XMapRaised(display, window);
    }

    // Runs until the user dismisses the box: OK clicked, Enter, Space or
    // Escape, or the window manager's close.
    void Run() {
        const Atom protocols = Intern("WM_PROTOCOLS");
        const Atom deleteWindow = Intern("WM_DELETE_WINDOW");
        for (;;) {
            XEvent e;
            XNextEvent(display, &e);
            switch (e.type) {
                case MapNotify:
                    // Without a window manager nobody else gives us the keyboard.
                    XSetInputFocus(display, window, RevertToParent, CurrentTime);
                    break;
                case Expose:
                    if (e.xexpose.count == 0) Paint();
                    break;
                case FocusIn:
                case FocusOut:
                    focused = e.type == FocusIn;
                    Paint();
                    break;
                case KeyPress: {
                    const KeySym key = XLookupKeysym(&e.xkey, 0);
                    if (key == XK_Return || key == XK_KP_Enter || key == XK_Escape) return;
                    // Space presses the button and lets it go on release, as a button does.
                    if (key == XK_space) pressed = pointerInButton = true, Paint();
                    break;
                }
                case KeyRelease:
                    if (XLookupKeysym(&e.xkey, 0) == XK_space && pressed) return;
                    break;
                case ButtonPress:
                    if (e.xbutton.button == Button1 && InButton(e.xbutton.x, e.xbutton.y)) {
                        pressed = pointerInButton = true;
                        Paint();
                    }
                    break;
                case MotionNotify:
                    if (pressed && InButton(e.xmotion.x, e.xmotion.y) != pointerInButton) {
                        pointerInButton = !pointerInButton;
                        Paint();
                    }
                    break;
                case ButtonRelease:
                    if (e.xbutton.button != Button1 || !pressed) break;
                    if (InButton(e.xbutton.x, e.xbutton.y)) return;
                    pressed = false;
                    Paint();
                    break;
                case ClientMessage:
                    if (e.xclient.message_type == protocols &&
                        static_cast<Atom>(e.xclient.data.l[0]) == deleteWindow)
                        return;
                    break;
                default:
                    break;
            }
        }
    }

    // The window and the colours go with the connection; the GC, the draw and
    // the font hold memory of the client's own.
    void Destroy() {
        XftDrawDestroy(draw);
        XFreeGC(display, gc);
        XftFontClose(display, font);
    }
};

}  // namespace

void ShowErrorBox(const char* text) {
    Display* display = XOpenDisplay(nullptr);
    XftFont* font = nullptr;
    if (display != nullptr)
        font = XftFontOpenName(display, DefaultScreen(display), "sans-serif:size=10");
    if (font == nullptr) {
        // Nowhere to show a box: the console is the one place left to say it.
        std::fputs(text, stderr);
        if (display != nullptr) XCloseDisplay(display);
        return;
    }
    Box box;
    box.display = display;
    box.font = font;
    box.Create(text);
    box.Run();
    box.Destroy();
    XCloseDisplay(display);
}
