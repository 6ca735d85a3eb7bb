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

#include "support/program_folder.h"
#include "support/test_window_win32.h"
#include "support/win32_child_process.h"
#include "support/win32_text.h"
#include "shared/program_contract.h"

namespace {

constexpr double kStartSeconds = 20;

// Glintra.scr started as Windows starts a screen saver: its quoted path, a
// blank, and the arguments exactly as given.
class Host : public ChildProcess {
public:
    Host(const std::wstring& path, const std::string& arguments)
        : ChildProcess(path, WideFromAnsi(arguments), false) {}

    // Waits for the end, noting every visible window the host showed meanwhile.
    std::optional<DWORD> WaitForExit(std::vector<std::wstring>* shown = nullptr) const {
        return ChildProcess::WaitForExit(kStartSeconds, [&] {
            if (shown != nullptr) {
                for (HWND w : VisibleWindowsOf(pid())) shown->push_back(WindowTextOf(w));
            }
        });
    }

    // The first visible top-level window of the host titled `title`.
    HWND WaitForWindow(const std::wstring& title) const {
        HWND found = nullptr;
        WaitUntil(
            [&] {
                found = VisibleWindowOf(pid(), title);
                return found != nullptr || !Running();
            },
            kStartSeconds);
        return found;
    }
};

// A top-level window of the test's own with the given caption, standing for
// a running saver's hidden form or an open settings dialog.
class MarkerWindow : public TestWindow {
public:
    MarkerWindow(const char* caption, bool visible)
        : TestWindow(caption, WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 200, 100) {}
};

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(programs_.error().empty()) << programs_.error();
        host_ = WideFromAnsi(programs_.host());
    }

    void RemoveRenderer() { ASSERT_TRUE(DeleteFileA(programs_.renderer().c_str())); }

    // The host ends by itself, with status 0, and shows no window.
    void ExpectEndsShowingNothing(const std::string& arguments) {
        SCOPED_TRACE("arguments \"" + arguments + "\"");
        Host host(host_, arguments);
        ASSERT_TRUE(host.started()) << "cannot start the host: error " << GetLastError();
        std::vector<std::wstring> shown;
        EXPECT_EQ(host.WaitForExit(&shown), std::optional<DWORD>(0));
        EXPECT_TRUE(shown.empty()) << "the host showed " << shown.size() << " window(s)";
    }

    // The message of the missing renderer, which waits for OK; then the end.
    void ExpectRendererMessageThenEnd(const std::string& arguments) {
        SCOPED_TRACE("arguments \"" + arguments + "\"");
        Host host(host_, arguments);
        ASSERT_TRUE(host.started()) << "cannot start the host: error " << GetLastError();
        const HWND box = host.WaitForWindow(WideFromUtf8(kHostTitle));
        ASSERT_NE(box, nullptr) << "no message box; host running: " << host.Running();
        EXPECT_EQ(ClassNameOf(box), L"#32770");  // the system's message box

        // The text as UTF-16, compared character by character.
        wchar_t text[256] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 256);
        EXPECT_EQ(std::wstring(text), WideFromUtf8(kRendererMissingText));

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
            EXPECT_EQ(title, WideFromUtf8(kHostTitle)) << "another window after OK";
        }
    }

    ProgramFolder programs_;
    std::wstring host_;
};

// With the renderer beside it, the modes that have no form of their own end
// without a window: an unknown switch, and a preview whose window is not
// there. The saver run and the settings dialog have tests of their own.
TEST_F(StartupTest, EveryModeEndsQuietlyWithTheRendererPresent) {
    for (const char* arguments : {" /s", "/a", "/p 1234", "/p:1234"}) {
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
        MarkerWindow saver(kSaverFormCaption, false);
        ASSERT_NE(saver.hwnd(), nullptr);
        for (const char* arguments : {"/s", "", "/c", "/p 1234"}) {
            ExpectEndsShowingNothing(arguments);
        }
    }
    {
        MarkerWindow dialog(kSettingsDialogCaption, true);
        ASSERT_NE(dialog.hwnd(), nullptr);
        for (const char* arguments : {"/s", "", "/c", "/p 1234"}) {
            ExpectEndsShowingNothing(arguments);
        }
    }
    // The renderer's own window is no marker.
    MarkerWindow renderer(kRendererWindowTitle, false);
    ExpectRendererMessageThenEnd("/s");
}

// A folder whose name the ANSI code page can't hold ("é" under code page
// 932): the host looks for its renderer in that folder, by its short name,
// never in the folder that a look-alike of the name would give ("Glintre",
// which holds a renderer here).
TEST_F(StartupTest, AFolderNameOutsideTheCodePageNeverLeadsToALookAlikeFolder) {
    const std::wstring base = WideFromAnsi(programs_.path());
    const std::wstring folder = base + L"\\Glintr\u00E9";
    const std::wstring lookAlike = base + L"\\Glintre";
    char ansi[16] = {};
    WideCharToMultiByte(CP_ACP, 0, L"\u00E9", 1, ansi, sizeof ansi, nullptr, nullptr);
    ASSERT_STREQ(ansi, "e") << "\"\u00E9\" has no look-alike in this code page to test with";

    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(lookAlike.c_str(), nullptr));
    const std::wstring host = WideFromUtf8(kHostFile), renderer = WideFromUtf8(kRendererFile);
    for (const std::wstring& to : {folder + host, lookAlike + host}) {
        ASSERT_TRUE(CopyFileW(host_.c_str(), to.c_str(), FALSE));
    }
    ASSERT_TRUE(CopyFileW((base + renderer).c_str(), (lookAlike + renderer).c_str(), FALSE));

    host_ = folder + host;
    ExpectRendererMessageThenEnd("/a");

    // With its renderer beside it, the host finds it by the folder's short
    // name.
    wchar_t shortName[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameW(folder.c_str(), shortName, MAX_PATH), 0u)
        << "the file system keeps no short names here, which this case needs";
    ASSERT_TRUE(CopyFileW((base + renderer).c_str(), (folder + renderer).c_str(), FALSE));
    ASSERT_TRUE(DeleteFileW((lookAlike + renderer).c_str()));
    ExpectEndsShowingNothing("/a");
}

// Both programs carry the manifest that tells Windows which versions they
// were made for, Vista to 10 and 11: read from the built files as Windows
// reads it (the manifest resource of id 1).
TEST(Manifests, NameEveryWindowsVersionTheProgramsWereMadeFor) {
    const char* kSupportedOs[] = {
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"};
    for (const char* program : {kHostFile, kRendererFile}) {
        SCOPED_TRACE(program);
        const std::string path = BinFolder() + program;
        const HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr) << path;
        const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
        ASSERT_NE(found, nullptr) << "no manifest";
        const char* text = static_cast<const char*>(LockResource(LoadResource(module, found)));
        const std::string manifest(text, SizeofResource(module, found));
        for (const char* id : kSupportedOs) {
            EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + id + "\"/>"),
                      std::string::npos)
                << id;
        }
        FreeLibrary(module);
    }
}

}  // namespace
