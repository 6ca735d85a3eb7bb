// Glintra.dll as the host starts it and a user meets it, under Wine: started
// with CreateProcess beside the test, watched through the window list and the
// screen, and driven with SendInput as a keyboard and a mouse would drive it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "e2e/animation_checks.h"
#include "support/program_folder.h"
#include "support/screen_image.h"
#include "support/test_window_win32.h"
#include "support/win32_child_process.h"
#include "support/win32_input.h"
#include "support/win32_screen.h"
#include "host/resources/glow_texture.h"
#include "shared/program_contract.h"

namespace {

constexpr const char* kTitle = kRendererWindowTitle;
constexpr double kStartSeconds = 20;  // Wine, WGL and llvmpipe from cold
constexpr double kExitSeconds = 10;

std::string WindowText(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Top-level windows of process `pid` (any process when 0) titled `title`.
std::vector<HWND> TopLevelWindows(const char* title, DWORD pid) {
    struct Search {
        const char* title;
        DWORD pid;
        std::vector<HWND> found;
    } search{title, pid, {}};
    EnumWindows(
        [](HWND window, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if ((s->pid == 0 || owner == s->pid) && WindowText(window) == s->title)
                s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

ScreenImage CaptureScreen() {
    return CaptureScreenArea({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

// Waits until the screen shows a frame other than `previous`.
bool WaitForNewFrame(ScreenImage& previous) {
    return WaitUntil(
        [&] {
            ScreenImage now = CaptureScreen();
            if (CountChangedPixels(previous, now) <= 0) return false;
            previous = std::move(now);
            return true;
        },
        10);
}

// A press and a release wherever the pointer is.
void Click(DWORD downFlag) {
    SendMouseButton(downFlag);
    SendMouseButton(downFlag << 1);  // each button's release flag is the one above its press
}

bool CursorShowing() {
    CURSORINFO cursor{};
    cursor.cbSize = sizeof cursor;
    return GetCursorInfo(&cursor) && cursor.hCursor != nullptr &&
           (cursor.flags & CURSOR_SHOWING) != 0;
}

// The control for the renderer's hidden cursor: a window of our own with the
// ordinary arrow, in front, with the pointer over it. What Wine reports over
// the bare desktop depends on which program hid the cursor last.
bool CursorShowsOverAnOrdinaryWindow(int width, int height) {
    TestWindow probe("cursor probe", WS_POPUP | WS_VISIBLE, width, height);
    SetForegroundWindow(probe.hwnd());
    return PumpUntil(
        [&] {
            SetCursorPos(width / 2, height / 2);
            PumpMessages();
            return CursorShowing();
        },
        5);
}

// The renderer started as the host starts it: no arguments, show code 1.
class RendererProcess : public ChildProcess {
public:
    explicit RendererProcess(const std::string& path) : ChildProcess(path, "", true) {}
};

class WindowsRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        renderer_ = BinFolder() + kRendererFile;
        ASSERT_NE(GetFileAttributesA(renderer_.c_str()), INVALID_FILE_ATTRIBUTES) << renderer_;
    }

    void TearDown() override { DeleteFileA(kGlowBitmapPath); }

    void WriteGlowBitmap() {
        CreateDirectoryA(kGlowBitmapFolder, nullptr);
        const std::vector<unsigned char> file = MakeGlowBitmapFile();
        std::FILE* out = std::fopen(kGlowBitmapPath, "wb");
        ASSERT_NE(out, nullptr) << kGlowBitmapPath;
        ASSERT_EQ(std::fwrite(file.data(), 1, file.size(), out), file.size());
        ASSERT_EQ(std::fclose(out), 0);
    }

    // The first visible top-level window `title` of the renderer.
    HWND WaitForWindow(const RendererProcess& renderer, const char* title) {
        HWND found = nullptr;
        WaitUntil(
            [&] {
                for (HWND w : TopLevelWindows(title, renderer.pid())) {
                    if (IsWindowVisible(w)) found = w;
                }
                return found != nullptr || !renderer.Running();
            },
            kStartSeconds);
        return found;
    }

    void ExpectEndsWith(const RendererProcess& renderer, DWORD status) {
        EXPECT_EQ(renderer.WaitForExit(kExitSeconds), std::optional<DWORD>(status));
        EXPECT_EQ(FindWindowA(nullptr, kTitle), nullptr) << "the window outlived the renderer";
    }

    std::string renderer_;
};

TEST_F(WindowsRendererTest, AnimatesFullScreenWithoutCursorAndEndsOnlyOnEscape) {
    WriteGlowBitmap();
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    // Without this the hidden-cursor check below could not fail.
    ASSERT_TRUE(CursorShowsOverAnOrdinaryWindow(width, height))
        << "no cursor shows over an ordinary window to compare with";

    RendererProcess renderer(renderer_);
    ASSERT_TRUE(renderer.started()) << renderer_ << ": error " << GetLastError();
    const HWND window = WaitForWindow(renderer, kTitle);
    ASSERT_NE(window, nullptr) << "no window \"" << kTitle
                               << "\"; renderer running: " << renderer.Running();
    // The host looks for the title among all top-level windows.
    EXPECT_EQ(TopLevelWindows(kTitle, 0).size(), 1u);
    EXPECT_EQ(FindWindowA(nullptr, kTitle), window);

    // The client area covers the screen exactly; the window's frame, if it
    // kept one, lies beyond it.
    const bool fullScreen = WaitUntil(
        [&] {
            RECT client{};
            POINT origin{0, 0};
            return GetClientRect(window, &client) && ClientToScreen(window, &origin) &&
                   origin.x == 0 && origin.y == 0 && client.right == width &&
                   client.bottom == height;
        },
        10);
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_TRUE(fullScreen) << "window " << frame.left << "," << frame.top << " to " << frame.right
                            << "," << frame.bottom << " on a " << width << "x" << height
                            << " screen";
    EXPECT_TRUE(frame.left <= 0 && frame.top <= 0 && frame.right >= width &&
                frame.bottom >= height);

    // Keyboard input goes to the foreground window.
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, 5))
        << "foreground is \"" << WindowText(GetForegroundWindow()) << "\"";

    SetCursorPos(width / 2 + 7, height / 2 + 5);
    EXPECT_TRUE(WaitUntil([] { return !CursorShowing(); }, 5))
        << "the cursor shows over the renderer's window";

    ScreenImage frameImage = CaptureScreen();
    ASSERT_GT(frameImage.width, 0) << "cannot read the screen";
    CheckAnimationFillsTheScreen(
        frameImage, [&](ScreenImage& previous) { return WaitForNewFrame(previous); },
        "windows-renderer-running.bmp");
    if (HasFatalFailure()) return;

    // Keys other than Escape and the mouse are ignored. Two new frames after
    // the input was queued mean the renderer's message loop has been past it.
    for (WORD key : {WORD('A'), WORD(VK_SPACE), WORD(VK_RETURN), WORD('Q'), WORD(VK_F1)}) {
        TapKey(key);
    }
    Click(MOUSEEVENTF_LEFTDOWN);
    Click(MOUSEEVENTF_RIGHTDOWN);
    SetCursorPos(width / 4, height / 4);
    ASSERT_TRUE(WaitForNewFrame(frameImage));
    ASSERT_TRUE(WaitForNewFrame(frameImage)) << "the animation stopped after keys and clicks";
    EXPECT_TRUE(renderer.Running());
    EXPECT_EQ(TopLevelWindows(kTitle, 0).size(), 1u);

    TapKey(VK_ESCAPE);
    ExpectEndsWith(renderer, 0);
}

TEST_F(WindowsRendererTest, MissingBitmapShowsErrorBoxAndExitsWithOneAfterOk) {
    DeleteFileA(kGlowBitmapPath);
    RendererProcess renderer(renderer_);
    ASSERT_TRUE(renderer.started()) << renderer_ << ": error " << GetLastError();

    const HWND box = WaitForWindow(renderer, "Error");
    ASSERT_NE(box, nullptr) << "no \"Error\" box; renderer running: " << renderer.Running();
    EXPECT_EQ(ClassNameOf(box), L"#32770");  // the system's message box
    char text[512] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_EQ(std::string(text), std::string("Failed to open DIB file ") + kGlowBitmapPath + ".\n");

    // The renderer's window is made before the bitmap is read, and stays
    // while the user reads the message.
    EXPECT_EQ(TopLevelWindows(kTitle, renderer.pid()).size(), 1u);
    EXPECT_TRUE(SaveScreenshot(CaptureScreen(), "windows-renderer-error-box.bmp"));
    Sleep(200);  // the box waits for the user, not for a time-out
    EXPECT_TRUE(renderer.Running()) << "the renderer did not wait for the user";

    const HWND ok = GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr) << "no OK button";
    EXPECT_EQ(WindowText(ok), "OK");
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
    ExpectEndsWith(renderer, 1);
}

}  // namespace
