// Glintra.scr's start-up under Wine, end to end: the real host, started with
// the switches a user's system passes, beside a real Glintra.dll (or without
// it), in a folder of the test's own. What a mode did is seen from outside:
// whether the process ends and with which status, which windows it shows,
// and the text of its message box.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "e2e/win32_child_process.h"

namespace {

constexpr wchar_t kRendererMissing[] =
    L"Glintra.dll\u304C\u540C\u3058\uFF8C\uFF6B\uFF99\uFF80\uFF9E\u306B\u898B\u3064\u304B\u308A"
    L"\u307E\u305B\u3093\uFF01";
constexpr wchar_t kAppTitle[] = L"Glintra (ScreenSaver)";
constexpr double kStartSeconds = 20;

std::wstring WindowTextW(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

std::vector<HWND> VisibleWindowsOf(DWORD pid) {
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{pid, {}};
    EnumWindows(
        [](HWND window, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->pid && IsWindowVisible(window)) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Glintra.scr started as Windows starts a screen saver: its quoted path, a
// blank, and the arguments exactly as given.
class Host : public ChildProcess {
public:
    Host(const std::string& path, const std::string& arguments)
        : ChildProcess(path, arguments, false) {}

    // Waits for the end, noting every visible window the host showed meanwhile.
    std::optional<DWORD> WaitForExit(std::vector<std::wstring>* shown = nullptr) const {
        return ChildProcess::WaitForExit(kStartSeconds, [&] {
            if (shown != nullptr) {
                for (HWND w : VisibleWindowsOf(pid())) shown->push_back(WindowTextW(w));
            }
        });
    }

    // The first visible top-level window of the host titled `title`.
    HWND WaitForWindow(const std::wstring& title) const {
        const double deadline = Seconds() + kStartSeconds;
        while (Seconds() < deadline && Running()) {
            for (HWND w : VisibleWindowsOf(pid())) {
                if (WindowTextW(w) == title) return w;
            }
            Sleep(20);
        }
        return nullptr;
    }
};

// A top-level window of the test's own with the given caption, standing for
// a running saver's hidden form or an open settings dialog.
class MarkerWindow {
public:
    MarkerWindow(const char* caption, bool visible) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "GlintraStartupMarker";
        RegisterClassA(&windowClass);
        window_ = CreateWindowA(windowClass.lpszClassName, caption,
                                WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 0, 0, 200, 100,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
    }
    ~MarkerWindow() { DestroyWindow(window_); }
    MarkerWindow(const MarkerWindow&) = delete;
    MarkerWindow& operator=(const MarkerWindow&) = delete;
    HWND hwnd() const { return window_; }

private:
    HWND window_ = nullptr;
};

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* bin = std::getenv("GLINTRA_BIN_DIR");
        ASSERT_NE(bin, nullptr);
        std::string binDir = bin;
        for (char& c : binDir) {
            if (c == '/') c = '\\';
        }
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        static int count = 0;
        folder_ = std::string(temp) + "glintra_startup_" + std::to_string(GetCurrentProcessId()) +
                  "_" + std::to_string(++count);
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr)) << folder_;
        for (const char* file : {"\\Glintra.scr", "\\Glintra.dll"}) {
            ASSERT_TRUE(CopyFileA((binDir + file).c_str(), (folder_ + file).c_str(), FALSE))
                << binDir + file << ": error " << GetLastError();
        }
        host_ = folder_ + "\\Glintra.scr";
    }

    void TearDown() override {
        for (const char* file : {"\\Glintra.scr", "\\Glintra.dll", "\\Glintra.ini"}) {
            DeleteFileA((folder_ + file).c_str());
        }
        RemoveDirectoryA(folder_.c_str());
    }

    void RemoveRenderer() { ASSERT_TRUE(DeleteFileA((folder_ + "\\Glintra.dll").c_str())); }

    // The host ends by itself, with status 0, and shows no window.
    void ExpectEndsShowingNothing(const std::string& arguments) {
        SCOPED_TRACE("arguments \"" + arguments + "\"");
        Host host(host_, arguments);
        ASSERT_TRUE(host.started()) << host_ << ": error " << GetLastError();
        std::vector<std::wstring> shown;
        EXPECT_EQ(host.WaitForExit(&shown), std::optional<DWORD>(0));
        EXPECT_TRUE(shown.empty()) << "the host showed " << shown.size() << " window(s)";
    }

    // The message of the missing renderer, which waits for OK; then the end.
    void ExpectRendererMessageThenEnd(const std::string& arguments) {
        SCOPED_TRACE("arguments \"" + arguments + "\"");
        Host host(host_, arguments);
        ASSERT_TRUE(host.started()) << host_ << ": error " << GetLastError();
        const HWND box = host.WaitForWindow(kAppTitle);
        ASSERT_NE(box, nullptr) << "no message box; host running: " << host.Running();
        char className[64] = {};
        GetClassNameA(box, className, sizeof className);
        EXPECT_STREQ(className, "#32770");  // the system's message box

        // The text as UTF-16, compared character by character.
        wchar_t text[256] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 256);
        EXPECT_EQ(std::wstring(text), std::wstring(kRendererMissing));

        // OK alone, and no icon: no icon control of the box holds one
        // (Windows and Wine give that control different IDs, and Wine keeps
        // it, empty, in a box without an icon).
        const HWND ok = GetDlgItem(box, IDOK);
        ASSERT_NE(ok, nullptr) << "no OK button";
        EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
        int icons = 0;
        for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                SendMessageA(child, STM_GETICON, 0, 0) != 0) {
                ++icons;
            }
        }
        EXPECT_EQ(icons, 0) << "the box shows an icon";

        Sleep(200);  // the box waits for the user, not for a time-out
        EXPECT_TRUE(host.Running()) << "the host did not wait for OK";
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
        std::vector<std::wstring> shown;
        EXPECT_EQ(host.WaitForExit(&shown), std::optional<DWORD>(0));
        for (const std::wstring& title : shown) {
            EXPECT_EQ(title, kAppTitle) << "another window after OK";
        }
    }

    std::string folder_;
    std::string host_;
};

// With the renderer beside it, every mode but the saver run (saver_win32_e2e_test)
// ends without a window (the preview and the settings dialog are where later
// forms plug in).
TEST_F(StartupTest, EveryModeEndsQuietlyWithTheRendererPresent) {
    for (const char* arguments : {" /s", "/a", "/c", "/c:1234", "/p 1234", "/p:1234"}) {
        ExpectEndsShowingNothing(arguments);
    }
}

// Without the renderer, every mode but the preview reads the settings, finds
// it missing and says so; the leading blank and /a too, since the renderer
// is checked before the other switches are turned away.
TEST_F(StartupTest, MissingRendererIsReportedInEveryModeButThePreview) {
    RemoveRenderer();
    for (const char* arguments : {"/s", "/S", "-s", "xs", "", " /s", "/a", "/c", "/c:1234"}) {
        ExpectRendererMessageThenEnd(arguments);
    }
    ExpectEndsShowingNothing("/p 1234");
    ExpectEndsShowingNothing("/p:1234");
}

// A running saver (its hidden form) or an open settings dialog stops every
// new start before anything else: without the renderer, no message comes.
TEST_F(StartupTest, RunningSaverOrOpenDialogEndsANewStartAtOnce) {
    RemoveRenderer();
    {
        MarkerWindow saver("Glintra_Main", false);
        ASSERT_NE(saver.hwnd(), nullptr);
        for (const char* arguments : {"/s", "", "/c", "/p 1234"}) {
            ExpectEndsShowingNothing(arguments);
        }
    }
    {
        MarkerWindow dialog("<Glintra>", true);
        ASSERT_NE(dialog.hwnd(), nullptr);
        for (const char* arguments : {"/s", "", "/c", "/p 1234"}) {
            ExpectEndsShowingNothing(arguments);
        }
    }
    // The renderer's own window is no marker.
    MarkerWindow renderer("Glintra_VC", false);
    ExpectRendererMessageThenEnd("/s");
}

}  // namespace
