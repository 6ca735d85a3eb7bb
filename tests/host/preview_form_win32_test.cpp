// The preview form's painting, under Wine, inside the test's own process:
// Wine puts no window on the screen that is parented into another process's
// window, and a device context can't cross processes, so the picture of the
// real host's preview can't be captured from outside (the end-to-end test
// checks its windows and its life instead). Here the same set-up, the same
// form and the same embedded still run in a window of our own.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "host/preview/preview_form.h"
#include "support/win32_screen.h"
#include "support/test_window_win32.h"

namespace {

// The still's own size, a larger window (black around it) and a smaller one
// (the still cut at the right and the bottom, never shrunk).
TEST(PreviewForm, ShowsTheStillUnstretchedAtTheTopLeftOnBlack) {
    const ScreenImage still = CommittedPicture("preview.bmp");
    ASSERT_EQ(still.width, 152);
    ASSERT_EQ(still.height, 112);
    for (const SIZE size : {SIZE{152, 112}, SIZE{300, 200}, SIZE{100, 60}}) {
        const int width = size.cx, height = size.cy;
        SCOPED_TRACE(testing::Message() << width << "x" << height);
        PreviewWindow window(width, height);
        const HWND parent = window.hwnd();
        ASSERT_NE(parent, nullptr);
        const std::unique_ptr<PreviewForm> shown = ShowPreviewIn(window.handle());
        ASSERT_NE(shown, nullptr);
        PreviewForm& form = *shown;
        ASSERT_TRUE(form.IsLoaded());
        EXPECT_EQ(GetParent(form.hwnd()), parent);
        EXPECT_TRUE(IsWindowVisible(form.hwnd()));

        const ScreenImage shot = CaptureWindowPainting(form.hwnd());
        ASSERT_EQ(shot.width, width);
        SaveScreenshot(
            shot, "preview_form_" + std::to_string(width) + "x" + std::to_string(height) + ".bmp");
        long stillWrong = 0, blackWrong = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const unsigned char* got = shot.At(x, y);
                if (x < still.width && y < still.height) {
                    stillWrong += !std::equal(got, got + 3, still.At(x, y));
                } else {
                    blackWrong += got[0] != 0 || got[1] != 0 || got[2] != 0;
                }
            }
        }
        EXPECT_EQ(stillWrong, 0) << "pixels of the still that differ";
        EXPECT_EQ(blackWrong, 0) << "pixels around the still that are not black";

        // The window taken away from under the form unloads it.
        window.Destroy();
        EXPECT_FALSE(form.IsLoaded());
    }
}

}  // namespace
