#pragma once

// The settings dialog of the real Glintra.scr under test, as both dialog
// tests find it: the host started with /c, its window, panel and controls
// where the layout table puts them, in this screen's pixels with the forms'
// own rounding.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "host/forms/twips.h"
#include "support/win32_child_process.h"

// Twips to this screen's pixels, rounded as the forms round them
// (forms::PixelsFromTwips): where a test expects the host to put something.
struct ScreenPixels {
    int dpi = 96;
    // The screen's logical resolution; the test program must be DPI-aware
    // (SetProcessDPIAware) to be told it.
    static ScreenPixels OfScreen();
    int operator()(double twips) const { return forms::PixelsFromTwips(twips, 1440.0 / dpi); }
};

// A rectangle in pixels.
struct Box {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Box& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};
std::ostream& operator<<(std::ostream& out, const Box& box);

// `window`'s outer rectangle relative to the inner (client) area of
// `container`.
Box BoxIn(HWND window, HWND container);

class SettingsDialogDriver {
public:
    // Starts `host` with `arguments` and waits up to `seconds` for its
    // dialog on the screen, with its panel, repeat box and four buttons.
    SettingsDialogDriver(const std::string& host, const std::string& arguments, double seconds);

    // Where the layout table puts control `name` (`index` in its array): in
    // the pixels of its container's inner area, and on the screen.
    Box DesignBox(const char* name, int16_t index = -1) const;
    RECT ScreenRectOf(const char* name, int16_t index = -1) const;

    // For a failure's line: whether the host still runs, and what it shows.
    std::string State() const;

    ChildProcess host;
    // Why the dialog can't be driven; empty when it can.
    std::string error;
    ScreenPixels px;
    HWND window = nullptr;
    HWND panel = nullptr;
    HWND repeatBox = nullptr;
    // The Command buttons: "...", "その他の作品", "設定", "ｷｬﾝｾﾙ".
    HWND chooser = nullptr, otherWorks = nullptr, set = nullptr, cancel = nullptr;

private:
    // The Command button's window that lies where the layout puts `name`.
    HWND ButtonAt(const char* name) const;
};
