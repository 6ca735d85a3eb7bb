#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/posix_process.h"
#include "support/screen_image.h"

// The test's own connection to the display the programs under test use: it
// finds their windows, reads the screen, and types and clicks through XTest
// as a user's keyboard and mouse would.
class X11Desktop {
public:
    X11Desktop();
    ~X11Desktop();
    X11Desktop(const X11Desktop&) = delete;
    X11Desktop& operator=(const X11Desktop&) = delete;

    bool ok() const { return display_ != nullptr; }
    Display* display() const { return display_; }
    Window root() const { return root_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Windows anywhere below the root whose WM_NAME is `name`.
    std::vector<Window> WindowsNamed(const std::string& name);
    std::optional<std::string> TextProperty(Window window, const char* property);
    std::optional<std::string> WindowName(Window window);

    struct Rect {
        int x, y, width, height;
    };
    // The window's inside in root coordinates, or nothing once it is gone.
    std::optional<Rect> Geometry(Window window);
    bool Viewable(Window window);
    Window FocusedWindow();

    ScreenImage Capture();
    void MovePointer(int x, int y);
    void Click(unsigned button);
    void TapKey(unsigned long keysym);
    // Whether the cursor on screen has any pixel that is not transparent.
    bool CursorVisible();

    // Polls `condition` until it holds or `seconds` have gone by.
    bool WaitUntil(const std::function<bool()>& condition, double seconds);

private:
    Display* display_ = nullptr;
    Window root_ = 0;
    int width_ = 0;
    int height_ = 0;
};

// freeglut asks the window manager for full screen (_NET_WM_STATE); without
// one the window keeps its initial size. A user's desktop has one, so the
// tests that need full screen bring one while they run, unless one is there.
class WindowManager {
public:
    explicit WindowManager(X11Desktop& desktop);
    ~WindowManager();
    bool ok() const { return ok_; }

private:
    std::unique_ptr<ChildProcess> process_;
    bool ok_ = false;
};
