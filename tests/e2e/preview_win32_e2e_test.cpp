// The preview under Wine, end to end: the real Glintra.scr started with /p
// and the handle of a window of the test's own, as the Display Properties
// dialog starts it. What the user would see is judged from the windows
// themselves: the host's child in ours, its frame and its life. Its picture
// can't be captured from here (Wine shows no window parented into another
// process's window, and a device context can't cross to the host), so the
// painting is tested in-process (tests/host/preview_form_win32_test.cpp) and
// here only the still that the real Glintra.scr carries.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/program_folder.h"
#include "support/win32_child_process.h"
#include "support/win32_screen.h"
#include "support/test_window_win32.h"
#include "host/resources/preview_pictures.h"
#include "shared/program_contract.h"

namespace {

constexpr double kWaitSeconds = 20;

// Glintra.scr started as Windows starts a screen saver. Our windows keep
// answering while we wait: the host's SetParent and the destruction of our
// window send messages across the two processes.
class Host : public ChildProcess {
public:
    Host(const std::string& path, const std::string& arguments)
        : ChildProcess(path, arguments, false) {}

    // The exit status, or nothing if the host is still up after the wait.
    std::optional<DWORD> WaitForExit() const {
        return ChildProcess::WaitForExit(kWaitSeconds, [] { PumpMessages(); });
    }
};

class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(programs_.error().empty()) << programs_.error(); }

    ProgramFolder programs_;
};

// The host's visible child captioned "Preview Window" in `parent`.
HWND WaitForPreviewForm(HWND parent, const Host& host) {
    HWND form = nullptr;
    PumpUntil(
        [&] {
            form = FindWindowExA(parent, nullptr, nullptr, kPreviewFormCaption);
            if (form != nullptr && !IsWindowVisible(form)) form = nullptr;
            return form != nullptr || !host.Running();
        },
        kWaitSeconds);
    return form;
}

// Window sizes and switches: the still's own size, a larger window and a
// smaller one; the blank and the colon as separators; the smallest without
// the renderer beside the host, which the preview does not need.
TEST_F(PreviewTest, FillsTheWindowWithTheStillAndEndsWithIt) {
    const struct {
        int width, height;
        const char* separator;
        bool withoutRenderer;
    } cases[] = {
        {152, 112, " ", false},
        {300, 200, ":", false},
        {100, 60, " ", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.width << "x" << c.height << ", separator \"" << c.separator << "\"");
        if (c.withoutRenderer) {
            ASSERT_TRUE(DeleteFileA(programs_.renderer().c_str()));
        }

        PreviewWindow parent(c.width, c.height);
        ASSERT_NE(parent.hwnd(), nullptr);
        Host host(programs_.host(), std::string("/p") + c.separator + parent.HandleText());
        ASSERT_TRUE(host.started()) << "cannot start the host: error " << GetLastError();

        const HWND form = WaitForPreviewForm(parent.hwnd(), host);
        ASSERT_NE(form, nullptr) << "no preview form; host running: " << host.Running();
        DWORD owner = 0;
        GetWindowThreadProcessId(form, &owner);
        EXPECT_EQ(owner, host.pid());

        // A borderless child covering the window exactly.
        const LONG style = GetWindowLongA(form, GWL_STYLE);
        EXPECT_TRUE(style & WS_CHILD);
        EXPECT_EQ(GetParent(form), parent.hwnd());
        EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_DLGFRAME | WS_BORDER));
        EXPECT_EQ(GetWindowLongA(form, GWL_EXSTYLE) &
                      (WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME),
                  0);
        RECT parentRect = {}, formRect = {}, client = {};
        GetWindowRect(parent.hwnd(), &parentRect);
        GetWindowRect(form, &formRect);
        GetClientRect(form, &client);
        EXPECT_TRUE(EqualRect(&formRect, &parentRect))
            << formRect.left << "," << formRect.top << "," << formRect.right << ","
            << formRect.bottom;
        EXPECT_EQ(client.right, c.width);
        EXPECT_EQ(client.bottom, c.height);

        // The host stays while the window does, and goes with it.
        EXPECT_TRUE(host.Running());
        parent.Destroy();
        EXPECT_EQ(host.WaitForExit(), std::optional<DWORD>(0)) << "the host outlived the window";
    }
}

// The still inside the real Glintra.scr is the committed picture.
TEST_F(PreviewTest, TheHostCarriesTheStill) {
    const HMODULE module =
        LoadLibraryExA(programs_.host().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << programs_.host() << ": error " << GetLastError();
    const HBITMAP embedded = static_cast<HBITMAP>(LoadImageA(
        module, MAKEINTRESOURCEA(IDB_PREVIEW_STILL), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    const ScreenImage inHost = PixelsOfBitmap(embedded);
    if (embedded != nullptr) DeleteObject(embedded);
    FreeLibrary(module);
    const ScreenImage committed = CommittedPicture("preview.bmp");
    EXPECT_EQ(inHost.width, 152);
    EXPECT_EQ(inHost.height, 112);
    EXPECT_TRUE(inHost.rgb == committed.rgb);
    SaveScreenshot(inHost, "preview_still_in_host.bmp");
}

// Without a window to draw into, the host ends at once and shows nothing:
// no number, a number that names no window, a window that has gone.
TEST_F(PreviewTest, WithoutAUsableWindowTheHostEndsAtOnce) {
    std::string gone;
    {
        PreviewWindow window(10, 10);
        gone = window.HandleText();
    }
    for (const std::string& arguments :
         {std::string("/p"), std::string("/p "), std::string("/p:abc"), std::string("/p 0"),
          std::string("/p 1234"), "/p " + gone}) {
        SCOPED_TRACE("arguments \"" + arguments + "\"");
        Host host(programs_.host(), arguments);
        ASSERT_TRUE(host.started());
        EXPECT_EQ(host.WaitForExit(), std::optional<DWORD>(0));
    }
}

}  // namespace
