// The native message box on a bare X display (no window manager, the harder
// case for focus): what it shows and every way a user can and cannot close it.
// Each box runs in a forked copy of this program, because ShowErrorBox blocks
// until the box is dismissed; the copy exits 0 once ShowErrorBox returned.
#include "renderer/error_box.h"

// GoogleTest first: Xlib's macros (None, Bool, Status) would break it.
#include <gtest/gtest.h>

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "support/posix_process.h"
#include "support/screen_image.h"
#include "support/x11_desktop.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

constexpr char kMessage[] = "Failed to open DIB file /tmp/q_vane/Glintra.bmp.\n";  // a sample
constexpr int kLeaked = 86;
// The OK button's focus frame, the one thing the box draws in this colour.
constexpr unsigned char kFocusBlue[3] = {0x00, 0x78, 0xd7};

int ShowBox(const void* text) {
    ShowErrorBox(static_cast<const char*>(text));
#if defined(__SANITIZE_ADDRESS__)
    // The forked copy ends with _exit, past LeakSanitizer's own check.
    if (__lsan_do_recoverable_leak_check() != 0) return kLeaked;
#endif
    return 0;
}

int ShowBoxWithoutDisplay(const void* text) {
    unsetenv("DISPLAY");
    return ShowBox(text);
}

class ErrorBoxTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(desktop_.ok()) << "no display"; }

    // Shows a box with `text` and waits until it is up and has the keyboard.
    Window Show(const char* text, std::unique_ptr<ChildProcess>& child) {
        child = std::make_unique<ChildProcess>(ShowBox, text);
        Window box = 0;
        desktop_.WaitUntil(
            [&] {
                for (Window w : desktop_.WindowsNamed("Error")) {
                    if (desktop_.Viewable(w) && desktop_.FocusedWindow() == w) box = w;
                }
                return box != 0 || !child->Running();
            },
            10);
        return box;
    }

    bool Returned(ChildProcess& child) { return child.WaitForExit(5) == std::optional<int>(0); }

    // Still up after the input was handled: a round trip through the box's
    // own connection would have ended by now, so give it a few polls.
    bool StillUp(ChildProcess& child, Window box) {
        for (int i = 0; i < 10; ++i) PollPause();
        return child.Running() && desktop_.Viewable(box);
    }

    // Finds the OK button by its focus frame, the one thing drawn in that
    // blue, once the box has painted it: a box is mapped and focused before
    // its first Expose is handled.
    bool FindButton(Window box, X11Desktop::Rect& button) {
        return desktop_.WaitUntil(
            [&] {
                const auto rect = desktop_.Geometry(box);
                PixelBounds frame;
                if (!rect || !FindColour(desktop_.Capture(), rect->x, rect->y, rect->width,
                                         rect->height, kFocusBlue, frame)) {
                    return false;
                }
                button = {frame.left, frame.top, frame.width, frame.height};
                return true;
            },
            10);
    }

    X11Desktop desktop_;
};

TEST_F(ErrorBoxTest, ShowsTheMessageCentredUnderTheTitleErrorWithAFocusedOkButton) {
    std::unique_ptr<ChildProcess> child;
    const Window box = Show(kMessage, child);
    ASSERT_NE(box, 0u) << "no focused \"Error\" box";

    EXPECT_EQ(desktop_.WindowName(box), std::optional<std::string>("Error"));
    EXPECT_EQ(desktop_.TextProperty(box, "_NET_WM_NAME"), std::optional<std::string>("Error"));
    EXPECT_EQ(desktop_.TextProperty(box, "_GLINTRA_MESSAGE"), std::optional<std::string>(kMessage));

    const auto rect = desktop_.Geometry(box);
    ASSERT_TRUE(rect.has_value());
    EXPECT_NEAR(rect->x + rect->width / 2, desktop_.width() / 2, 1);
    EXPECT_NEAR(rect->y + rect->height / 2, desktop_.height() / 2, 1);

    X11Desktop::Rect button{};
    ASSERT_TRUE(FindButton(box, button)) << "no focused button drawn";
    EXPECT_GT(button.width, 40);
    EXPECT_GT(button.height, 16);
    // The text is drawn above the button.
    const ScreenImage screen = desktop_.Capture();
    int ink = 0;
    for (int y = rect->y; y < button.y; ++y) {
        for (int x = rect->x; x < rect->x + rect->width; ++x) ink += screen.At(x, y)[0] < 0x80;
    }
    EXPECT_GT(ink, 100) << "no text on the box";
    EXPECT_TRUE(SaveScreenshot(screen, "native-error-box.bmp"));

    EXPECT_TRUE(StillUp(*child, box)) << "the box went away by itself";
    desktop_.TapKey(XK_Return);
    EXPECT_TRUE(Returned(*child));
}

TEST_F(ErrorBoxTest, EachWayOfDismissingItReturns) {
    struct Way {
        const char* name;
        std::function<void(X11Desktop&, Window, const X11Desktop::Rect&)> act;
    };
    const Way ways[] = {
        {"Return", [](X11Desktop& d, Window, const X11Desktop::Rect&) { d.TapKey(XK_Return); }},
        {"keypad Enter",
         [](X11Desktop& d, Window, const X11Desktop::Rect&) { d.TapKey(XK_KP_Enter); }},
        {"Escape", [](X11Desktop& d, Window, const X11Desktop::Rect&) { d.TapKey(XK_Escape); }},
        {"Space", [](X11Desktop& d, Window, const X11Desktop::Rect&) { d.TapKey(XK_space); }},
        {"click on OK",
         [](X11Desktop& d, Window, const X11Desktop::Rect& b) {
             d.MovePointer(b.x + b.width / 2, b.y + b.height / 2);
             d.Click(Button1);
         }},
        {"window manager's close",
         [](X11Desktop& d, Window box, const X11Desktop::Rect&) {
             XEvent e{};
             e.xclient.type = ClientMessage;
             e.xclient.window = box;
             e.xclient.message_type = XInternAtom(d.display(), "WM_PROTOCOLS", False);
             e.xclient.format = 32;
             e.xclient.data.l[0] =
                 static_cast<long>(XInternAtom(d.display(), "WM_DELETE_WINDOW", False));
             e.xclient.data.l[1] = CurrentTime;
             XSendEvent(d.display(), box, False, NoEventMask, &e);
             XSync(d.display(), False);
         }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        std::unique_ptr<ChildProcess> child;
        const Window box = Show(kMessage, child);
        ASSERT_NE(box, 0u);
        X11Desktop::Rect button{};
        ASSERT_TRUE(FindButton(box, button)) << "the box shows no focused OK button";
        way.act(desktop_, box, button);
        EXPECT_TRUE(Returned(*child));
        EXPECT_TRUE(desktop_.WaitUntil([&] { return desktop_.WindowsNamed("Error").empty(); }, 5));
    }
}

TEST_F(ErrorBoxTest, OtherKeysAndClicksBesideTheButtonLeaveItUp) {
    std::unique_ptr<ChildProcess> child;
    const Window box = Show(kMessage, child);
    ASSERT_NE(box, 0u);
    X11Desktop::Rect button{};
    ASSERT_TRUE(FindButton(box, button)) << "the box shows no focused OK button";

    for (KeySym key : {XK_a, XK_Tab, XK_F1, XK_BackSpace}) desktop_.TapKey(key);
    const auto rect = desktop_.Geometry(box);
    ASSERT_TRUE(rect.has_value());
    desktop_.MovePointer(rect->x + 10, rect->y + 10);  // on the text
    desktop_.Click(Button1);
    desktop_.MovePointer(button.x + button.width / 2, button.y + button.height / 2);
    desktop_.Click(Button3);
    // Pressed on OK but let go beside it: a button is not clicked that way.
    XTestFakeButtonEvent(desktop_.display(), Button1, True, CurrentTime);
    desktop_.MovePointer(button.x - 30, button.y - 30);
    XTestFakeButtonEvent(desktop_.display(), Button1, False, CurrentTime);
    XSync(desktop_.display(), False);
    EXPECT_TRUE(StillUp(*child, box));

    desktop_.TapKey(XK_Escape);
    EXPECT_TRUE(Returned(*child));
}

TEST_F(ErrorBoxTest, TrailingNewlineAddsNoLineAndEveryOtherLineDoes) {
    auto heightOf = [&](const char* text) {
        std::unique_ptr<ChildProcess> child;
        const Window box = Show(text, child);
        EXPECT_NE(box, 0u) << text;
        const auto rect = box != 0 ? desktop_.Geometry(box) : std::nullopt;
        desktop_.TapKey(XK_Escape);
        EXPECT_TRUE(Returned(*child)) << text;
        return rect ? rect->height : -1;
    };
    const int one = heightOf("Out of memory.");
    EXPECT_EQ(heightOf("Out of memory.\n"), one);
    const int two = heightOf("first line\nsecond line");
    EXPECT_GT(two, one);
    EXPECT_EQ(heightOf("first line\nsecond line\n"), two);
    EXPECT_GT(heightOf("first line\n\nthird line"), two);
}

TEST_F(ErrorBoxTest, WithoutADisplayTheTextGoesToStandardError) {
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    std::unique_ptr<ChildProcess> child;
    {
        // The forked copy writes to the pipe as its standard error.
        const int savedStderr = dup(STDERR_FILENO);
        dup2(pipeEnds[1], STDERR_FILENO);
        child = std::make_unique<ChildProcess>(ShowBoxWithoutDisplay, kMessage);
        dup2(savedStderr, STDERR_FILENO);
        close(savedStderr);
        close(pipeEnds[1]);
    }
    EXPECT_TRUE(Returned(*child));
    std::string written;
    char buffer[256];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) written.append(buffer, n);
    close(pipeEnds[0]);
    EXPECT_EQ(written, kMessage);
}

}  // namespace
