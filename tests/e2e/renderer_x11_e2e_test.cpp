// The native renderer as a user meets it: the real glintra-renderer on
// freeglut and Mesa, on the test display under a window manager, with the
// keyboard and mouse driven through XTest.

// GoogleTest first: Xlib's macros (None, Bool, Status) would break it.
#include <gtest/gtest.h>

#include <X11/keysym.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "support/posix_process.h"
#include "e2e/animation_checks.h"
#include "support/screen_image.h"
#include "support/x11_desktop.h"
#include "host/resources/glow_texture.h"
#include "shared/program_contract.h"

namespace {

constexpr const char* kTitle = kRendererWindowTitle;
constexpr double kStartSeconds = 20;  // a cold Mesa start on a loaded machine
constexpr double kExitSeconds = 10;

class NativeRendererTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        desktop_ = new X11Desktop;
        if (desktop_->ok()) windowManager_ = new WindowManager(*desktop_);
    }
    static void TearDownTestSuite() {
        delete windowManager_;
        windowManager_ = nullptr;
        delete desktop_;
        desktop_ = nullptr;
    }

    void SetUp() override {
        ASSERT_TRUE(desktop_->ok()) << "no display; run through scripts/test-env.sh";
        ASSERT_TRUE(windowManager_->ok())
            << "no window manager came up (openbox, from scripts/setup.sh)";
        const char* bin = std::getenv("GLINTRA_BIN_DIR");
        ASSERT_NE(bin, nullptr);
        renderer_ = std::string(bin) + "/glintra-renderer";
    }

    void TearDown() override { std::remove(kGlowBitmapPath); }

    void WriteGlowBitmap() {
        mkdir(kGlowBitmapFolder, 0755);
        const std::vector<unsigned char> file = MakeGlowBitmapFile();
        std::FILE* out = std::fopen(kGlowBitmapPath, "wb");
        ASSERT_NE(out, nullptr) << kGlowBitmapPath;
        ASSERT_EQ(std::fwrite(file.data(), 1, file.size(), out), file.size());
        ASSERT_EQ(std::fclose(out), 0);
    }

    std::unique_ptr<ChildProcess> StartRenderer() {
        // The renderer may be built with sanitizers. A finding ends it with a
        // status of its own. Leak checking is off: Mesa unloads its driver
        // before the check runs, so the driver's memory cannot be told apart
        // by name, and the texture image is kept until exit by design.
        const std::vector<std::string> environment = {
            "ASAN_OPTIONS=detect_leaks=0:exitcode=86",
            "UBSAN_OPTIONS=exitcode=86:print_stacktrace=1",
        };
        auto child = std::make_unique<ChildProcess>(renderer_, environment);
        EXPECT_TRUE(child->started()) << renderer_;
        return child;
    }

    // The first window titled `title`, once the renderer has made it.
    Window WaitForWindow(ChildProcess& renderer, const char* title) {
        Window found = 0;
        desktop_->WaitUntil(
            [&] {
                const std::vector<Window> windows = desktop_->WindowsNamed(title);
                if (!windows.empty() && desktop_->Viewable(windows[0])) found = windows[0];
                return found != 0 || !renderer.Running();
            },
            kStartSeconds);
        return found;
    }

    // Waits until the screen shows a frame other than `previous`.
    bool WaitForNewFrame(ScreenImage& previous) {
        return desktop_->WaitUntil(
            [&] {
                ScreenImage now = desktop_->Capture();
                if (CountChangedPixels(previous, now) <= 0) return false;
                previous = std::move(now);
                return true;
            },
            10);
    }

    void ExpectEndsWith(ChildProcess& renderer, int status) {
        EXPECT_EQ(renderer.WaitForExit(kExitSeconds), std::optional<int>(status));
        // The X server drops the windows when it notices the closed connection.
        EXPECT_TRUE(desktop_->WaitUntil([&] { return desktop_->WindowsNamed(kTitle).empty(); }, 5))
            << "the renderer's window outlived it";
    }

    static X11Desktop* desktop_;
    static WindowManager* windowManager_;
    std::string renderer_;
};

X11Desktop* NativeRendererTest::desktop_ = nullptr;
WindowManager* NativeRendererTest::windowManager_ = nullptr;

TEST_F(NativeRendererTest, AnimatesFullScreenWithoutCursorAndEndsOnlyOnEscape) {
    WriteGlowBitmap();
    X11Desktop& desktop = *desktop_;
    const int cx = desktop.width() / 2, cy = desktop.height() / 2;
    desktop.MovePointer(cx, cy);
    // Without this the hidden-cursor check below could not fail.
    ASSERT_TRUE(desktop.CursorVisible()) << "the bare desktop shows no cursor to compare with";

    std::unique_ptr<ChildProcess> renderer = StartRenderer();
    const Window window = WaitForWindow(*renderer, kTitle);
    ASSERT_NE(window, 0u) << "no window \"" << kTitle
                          << "\"; renderer running: " << renderer->Running();
    EXPECT_EQ(desktop.WindowsNamed(kTitle).size(), 1u);

    // The window starts at 1024 x 768; the test screen has another size, so
    // only a real switch to full screen passes.
    const bool fullScreen = desktop.WaitUntil(
        [&] {
            const auto r = desktop.Geometry(window);
            return r && r->x == 0 && r->y == 0 && r->width == desktop.width() &&
                   r->height == desktop.height();
        },
        10);
    const auto rect = desktop.Geometry(window);
    ASSERT_TRUE(rect.has_value());
    EXPECT_TRUE(fullScreen) << "window at " << rect->x << "," << rect->y << " size " << rect->width
                            << "x" << rect->height << " on a " << desktop.width() << "x"
                            << desktop.height() << " screen";

    desktop.MovePointer(cx + 7, cy + 5);
    EXPECT_TRUE(desktop.WaitUntil([&] { return !desktop.CursorVisible(); }, 5))
        << "the cursor shows over the renderer's window";

    ScreenImage frame = desktop.Capture();
    CheckAnimationFillsTheScreen(
        frame, [&](ScreenImage& previous) { return WaitForNewFrame(previous); },
        "native-renderer-running.bmp");
    if (HasFatalFailure()) return;

    // Keys other than Escape and the mouse are ignored. Two new frames after
    // the input has reached the server mean the renderer has read it.
    for (KeySym key : {XK_a, XK_space, XK_Return, XK_q, XK_F1}) desktop.TapKey(key);
    desktop.Click(Button1);
    desktop.Click(Button3);
    desktop.MovePointer(cx / 2, cy / 2);
    ASSERT_TRUE(WaitForNewFrame(frame));
    ASSERT_TRUE(WaitForNewFrame(frame)) << "the animation stopped after keys and clicks";
    EXPECT_TRUE(renderer->Running());
    EXPECT_EQ(desktop.WindowsNamed(kTitle).size(), 1u);

    desktop.TapKey(XK_Escape);
    ExpectEndsWith(*renderer, 0);
}

TEST_F(NativeRendererTest, MissingBitmapShowsErrorBoxAboveWindowAndExitsWithOneAfterEnter) {
    std::remove(kGlowBitmapPath);
    X11Desktop& desktop = *desktop_;

    std::unique_ptr<ChildProcess> renderer = StartRenderer();
    const Window box = WaitForWindow(*renderer, "Error");
    ASSERT_NE(box, 0u) << "no \"Error\" box; renderer running: " << renderer->Running();

    EXPECT_EQ(desktop.TextProperty(box, "_GLINTRA_MESSAGE"),
              std::optional<std::string>(std::string("Failed to open DIB file ") + kGlowBitmapPath +
                                         ".\n"));
    // The renderer's window is made before the bitmap is read, and stays
    // while the user reads the message.
    EXPECT_EQ(desktop.WindowsNamed(kTitle).size(), 1u);
    EXPECT_TRUE(renderer->Running());

    // The box is on top: its white face shows where it lies, not the
    // renderer's window underneath.
    const auto rect = desktop.Geometry(box);
    ASSERT_TRUE(rect.has_value());
    ASSERT_TRUE(desktop.WaitUntil([&] { return desktop.FocusedWindow() == box; }, 5))
        << "the box does not have the keyboard";
    // Once it has painted itself (its OK button's focus frame shows); a box
    // is mapped and focused before its first Expose is handled.
    ScreenImage screen;
    const unsigned char focusBlue[3] = {0x00, 0x78, 0xd7};
    PixelBounds button;
    EXPECT_TRUE(desktop.WaitUntil(
        [&] {
            screen = desktop.Capture();
            return FindColour(screen, rect->x, rect->y, rect->width, rect->height, focusBlue,
                              button);
        },
        10))
        << "the box's OK button never showed";
    EXPECT_TRUE(SaveScreenshot(screen, "native-renderer-error-box.bmp"));
    const unsigned char* face = screen.At(rect->x + 4, rect->y + 4);
    EXPECT_TRUE(face[0] == 255 && face[1] == 255 && face[2] == 255)
        << "box face shows " << int(face[0]) << "," << int(face[1]) << "," << int(face[2]);
    EXPECT_TRUE(renderer->Running()) << "the renderer did not wait for the user";

    desktop.TapKey(XK_Return);
    ExpectEndsWith(*renderer, 1);
    EXPECT_TRUE(desktop.WindowsNamed("Error").empty());
}

}  // namespace
