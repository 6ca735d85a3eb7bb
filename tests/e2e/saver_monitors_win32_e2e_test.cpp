// A saver run on a desk of three monitors of different sizes side by side,
// with a window manager (the test's display: scripts/test-env.sh --monitors),
// as a user meets it: the real Glintra.scr /s beside the real Glintra.dll,
// windows of other programs on every monitor, input through the X server
// (x11_desktop_probe), so that it passes the window manager as a user's does.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "support/program_folder.h"
#include "support/test_window_win32.h"
#include "support/win32_child_process.h"
#include "support/win32_screen.h"
#include "shared/program_contract.h"

namespace {

constexpr double kStartSeconds = 30;  // Wine, WGL and llvmpipe from cold, three screens

// The monitors, the primary first.
std::vector<RECT> MonitorAreas() {
    std::vector<RECT> areas;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM list) -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            GetMonitorInfoW(monitor, &info);
            auto& areas = *reinterpret_cast<std::vector<RECT>*>(list);
            const bool primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
            areas.insert(primary ? areas.begin() : areas.end(), info.rcMonitor);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&areas));
    return areas;
}

RECT Inset(RECT area, int by) {
    InflateRect(&area, -by, -by);
    return area;
}

// A probe's place: the centre of `area`.
std::string At(const RECT& area) {
    const POINT centre = Centre(area);
    return std::to_string(centre.x) + " " + std::to_string(centre.y);
}

// The X display as the user meets it, through x11_desktop_probe: its exit
// status.
std::optional<int> Probe(const std::string& arguments) {
    return RunUnixCommand(std::string(GLINTRA_X11_PROBE) + " " + arguments);
}

bool PointerShows() { return Probe("pointer-shows") == 0; }

// The share of `area`'s pixels on the screen that are exactly `rgb`.
double ShareOf(const RECT& area, unsigned rgb) {
    const ScreenImage image = CaptureScreenArea(area);
    long count = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) count += image.Rgb(x, y) == rgb;
    }
    return image.width > 0 ? static_cast<double>(count) / (image.width * image.height) : 0;
}

bool Black(const RECT& area) { return ShareOf(area, 0x000000) == 1.0; }

// A window of another program, white with the arrow pointer, over `area`.
class OtherWindow : public TestWindow {
public:
    OtherWindow(const RECT& area, bool alwaysOnTop)
        : TestWindow(alwaysOnTop ? "always on top" : "another program", WS_POPUP | WS_VISIBLE,
                     area.right - area.left, area.bottom - area.top) {
        SetWindowPos(hwnd(), alwaysOnTop ? HWND_TOPMOST : HWND_TOP, area.left, area.top,
                     area.right - area.left, area.bottom - area.top, 0);
    }
};

TEST(SaverOnThreeMonitors, CoversTheOthersBlackAndEscapeStillEndsTheRun) {
    SetProcessDPIAware();
    ProgramFolder programs;
    ASSERT_TRUE(programs.error().empty()) << programs.error();
    const std::vector<RECT> monitors = MonitorAreas();
    ASSERT_EQ(monitors.size(), 3u) << "the test's display is not a desk of three monitors";
    const RECT desk = {monitors[0].left, monitors[0].top, monitors[2].right, monitors[0].bottom};

    // An ordinary window on the second monitor, always-on-top ones on the
    // third (a tool) and on the primary (a picture-in-picture player).
    const OtherWindow ordinary(Inset(monitors[1], 40), false);
    const OtherWindow tool(Inset(monitors[2], 40), true);
    const OtherWindow player(Inset(monitors[0], 200), true);
    ASSERT_TRUE(PumpUntil(
        [&] {
            return ShareOf(Inset(monitors[1], 41), 0xFFFFFF) == 1.0 &&
                   ShareOf(Inset(monitors[2], 41), 0xFFFFFF) == 1.0;
        },
        10))
        << "the other programs' windows do not show";
    ASSERT_EQ(Probe("move " + At(monitors[1])), 0);
    ASSERT_TRUE(PumpUntil(PointerShows, 5)) << "no pointer over an ordinary window";

    ChildProcess host(programs.host(), "/s", false);
    ASSERT_TRUE(host.started());
    const double startedAt = Seconds();
    ASSERT_TRUE(PumpUntil([&] { return Black(monitors[1]) && Black(monitors[2]); }, kStartSeconds))
        << "the other monitors are not covered; host running: " << host.Running();
    const double coveredAfter = Seconds() - startedAt;
    HWND renderer = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
            renderer = FindWindowA(nullptr, kRendererWindowTitle);
            return renderer != nullptr && GetForegroundWindow() == renderer;
        },
        kStartSeconds))
        << "the renderer is not in front";

    // The renderer animates over the primary, above the always-on-top player.
    PumpFor(1);
    const ScreenImage before = CaptureScreenArea(monitors[0]);
    PumpFor(0.3);
    EXPECT_GT(CountChangedPixels(before, CaptureScreenArea(monitors[0])), 0)
        << "nothing moves on the primary";
    EXPECT_LT(ShareOf(Inset(monitors[0], 201), 0xFFFFFF), 0.5) << "the player shows over the run";
    // The window manager here stacks a full-screen window in front anyway;
    // Windows goes by the window's own style.
    EXPECT_NE(GetWindowLongW(renderer, GWL_EXSTYLE) & WS_EX_TOPMOST, 0)
        << "the renderer's window is not always on top";
    EXPECT_TRUE(Black(monitors[1]) && Black(monitors[2]));
    SaveScreenshot(CaptureScreenArea(desk), "saver_three_monitors.bmp");

    // No pointer on any monitor.
    for (const RECT& monitor : monitors) {
        ASSERT_EQ(Probe("move " + At(monitor)), 0);
        EXPECT_TRUE(PumpUntil([] { return !PointerShows(); }, 5))
            << "a pointer shows at " << At(monitor);
    }

    // A click on a covered monitor, a move and a key: the run goes on, and
    // the renderer keeps the keyboard.
    ASSERT_EQ(Probe("click " + At(monitors[1])), 0);
    ASSERT_EQ(Probe("move " + At(Inset(monitors[1], 100))), 0);
    ASSERT_EQ(Probe("key a"), 0);
    PumpFor(1);
    EXPECT_TRUE(host.Running()) << "the run ended on a click, a move or a key";
    EXPECT_EQ(GetForegroundWindow(), renderer) << "a click on a covered monitor took the keyboard";

    // A monitor rearranged: its cover follows (a cover moved away stands for
    // a monitor that moved).
    const std::vector<HWND> covers = VisibleWindowsOf(host.pid());
    ASSERT_EQ(covers.size(), 2u) << "not one cover for each other monitor";
    SetWindowPos(covers[0], nullptr, 0, 0, 10, 10, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(PumpUntil([&] { return !(Black(monitors[1]) && Black(monitors[2])); }, 5));
    SendMessageTimeoutW(FindWindowA(nullptr, kSaverFormCaption), WM_DISPLAYCHANGE, 24,
                        MAKELPARAM(monitors[0].right, monitors[0].bottom), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    EXPECT_TRUE(PumpUntil([&] { return Black(monitors[1]) && Black(monitors[2]); }, 5))
        << "not covered anew after WM_DISPLAYCHANGE";

    // Escape ends the run, and nothing of it is left: the other programs'
    // windows show again, with their pointer.
    ASSERT_EQ(Probe("key Escape"), 0);
    EXPECT_EQ(host.WaitForExit(10, [] { PumpMessages(); }), std::optional<DWORD>(0))
        << "the run did not end on Escape";
    EXPECT_TRUE(PumpUntil([&] { return ShareOf(Inset(monitors[1], 41), 0xFFFFFF) == 1.0; }, 5))
        << "the second monitor does not show its window again";
    ASSERT_EQ(Probe("move " + At(monitors[2])), 0);
    EXPECT_TRUE(PumpUntil(PointerShows, 5)) << "no pointer after the run";
    std::printf("saver run on three monitors: the others covered %.2f s after the host's start\n",
                coveredAfter);
}

}  // namespace
