// The settings dialog as it lies on the screen, end to end: the real
// Glintra.scr started with /c from a folder of the test's own, with music
// kind 1 in its Glintra.ini, at the screen's logical resolution (96 dpi by
// default; with_screen_dpi.cmake runs this program at 120 and 144 dpi too).
// Seen from outside, as a user sees it: where the window opens, where its
// child windows are, and what the screen shows (the painted gradients, the
// selected mark, the texts whole inside their controls).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "support/canvas_win32.h"
#include "support/program_folder.h"
#include "support/win32_child_process.h"
#include "support/win32_screen.h"
#include "support/settings_dialog_driver_win32.h"
#include "support/settings_file_bytes.h"
#include "support/win32_text.h"
#include "host/resources/command_button_pictures.h"
#include "host/settings_dialog/dialog_layout.h"
#include "shared/program_contract.h"

namespace {

constexpr double kWaitSeconds = 30;
// An "&" in the path: shown as it is, not taken for an access key.
constexpr char kMusicFile[] = "R&B.mp3";

Box DesignBox(const char* name, int16_t index, ScreenPixels px) {
    const ControlLayout* c = FindControl(name, index);
    if (c == nullptr) return {};
    return {px(c->left), px(c->top), px(c->width), px(c->height)};
}

// The direct children of `parent` of the window class `className`, left to right.
std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* className) {
    std::vector<HWND> found;
    for (HWND c = GetWindow(parent, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        if (ClassNameOf(c) == className) found.push_back(c);
    }
    std::sort(found.begin(), found.end(),
              [&](HWND a, HWND b) { return BoxIn(a, parent).left < BoxIn(b, parent).left; });
    return found;
}

// The screen under the inner area of `window`: pixels from its top-left corner.
ScreenImage CaptureInner(HWND window) {
    RECT r = {};
    GetClientRect(window, &r);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    return CaptureScreenArea(r);
}

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

Rgb At(const ScreenImage& image, int x, int y) {
    const unsigned char* p = image.At(x, y);
    return {p[0], p[1], p[2]};
}

bool Differs(const Rgb& a, const Rgb& b, int by) {
    return std::abs(a.r - b.r) > by || std::abs(a.g - b.g) > by || std::abs(a.b - b.b) > by;
}

bool IsBlue(const Rgb& c) { return c.b >= c.r + 60 && c.b >= c.g + 60; }

// A surface with its painted gradient: the window or the panel, captured from
// the screen, and a column of it that no control covers.
struct Surface {
    const char* name;
    ScreenImage image;
    int freeColumns[2];
    int tint;  // blue minus red and green on every row
    Rgb edge, middle;
};

// The columns where ink (text or picture) lies in the rows [top, bottom) and
// the columns [left, right) of `surface`: pixels that differ from their
// row's background, read at a free column of the same surface.
struct Ink {
    int left = -1, right = -1;  // first and last inked column; -1: none
    long pixels = 0;
};

Ink FindInk(const Surface& surface, int left, int top, int right, int bottom) {
    Ink ink;
    const ScreenImage& image = surface.image;
    for (int y = std::max(top, 0); y < std::min(bottom, image.height); ++y) {
        const Rgb background = At(image, surface.freeColumns[0], y);
        for (int x = std::max(left, 0); x < std::min(right, image.width); ++x) {
            if (!Differs(At(image, x, y), background, 60)) continue;
            ++ink.pixels;
            if (ink.left < 0 || x < ink.left) ink.left = x;
            if (x > ink.right) ink.right = x;
        }
    }
    return ink;
}

// Where the ink of `text` lies when the system draws it on one line in the
// labels' face, "ＭＳ Ｐゴシック" 9.75 pt, at `dpi`: its first and last inked
// columns from the pen's start. What a label or a caption shows whole.
Ink RenderedInk(const std::string& text, int dpi) {
    Canvas canvas(1000, 100);
    canvas.Fill(RGB(255, 255, 255));
    LOGFONTW face = {};
    face.lfHeight = -static_cast<LONG>(std::nearbyint(kLabelFontPoints * dpi / 72));
    face.lfWeight = FW_NORMAL;
    face.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpynW(face.lfFaceName, WideFromUtf8(kLabelFontFace).c_str(), LF_FACESIZE);
    const HFONT font = CreateFontIndirectW(&face);
    const HGDIOBJ oldFont = SelectObject(canvas.dc(), font);
    SetTextColor(canvas.dc(), RGB(0, 0, 0));
    SetBkMode(canvas.dc(), TRANSPARENT);
    const std::wstring wide = WideFromUtf8(text);
    RECT all = {0, 0, canvas.width(), canvas.height()};
    DrawTextW(canvas.dc(), wide.c_str(), static_cast<int>(wide.size()), &all,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(canvas.dc(), oldFont);
    DeleteObject(font);
    const ScreenImage drawn = canvas.Image();

    Ink ink;
    for (int y = 0; y < drawn.height; ++y) {
        for (int x = 0; x < drawn.width; ++x) {
            // Dark enough to count as ink on the screen too: not the faint
            // edge of a smoothed letter.
            if (At(drawn, x, y).r > 0xFF - 60) continue;
            ++ink.pixels;
            if (ink.left < 0 || x < ink.left) ink.left = x;
            ink.right = std::max(ink.right, x);
        }
    }
    return ink;
}

// A piece of a face picture of the real Glintra.scr, `sourceSize` of its own
// pixels square from (sourceX, sourceY), stretched to `size` pixels square as
// the system stretches it (COLORONCOLOR).
ScreenImage StretchedFacePiece(const std::string& host, int id, int sourceX, int sourceY,
                               int sourceSize, int size) {
    ScreenImage piece;
    const HMODULE module = LoadLibraryExA(
        host.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr) return piece;
    const auto picture = static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (picture != nullptr) {
        Canvas target(size, size);
        const HDC from = CreateCompatibleDC(nullptr);
        const HGDIOBJ oldFrom = SelectObject(from, picture);
        SetStretchBltMode(target.dc(), COLORONCOLOR);
        StretchBlt(target.dc(), 0, 0, size, size, from, sourceX, sourceY, sourceSize, sourceSize,
                   SRCCOPY);
        SelectObject(from, oldFrom);
        DeleteDC(from);
        piece = target.Image();
        DeleteObject(picture);
    }
    FreeLibrary(module);
    return piece;
}

class SettingsDialogLayoutTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Screen pixels as they are: Windows tells a program that is not
        // DPI-aware 96 dpi and scales the host's windows for it.
        SetProcessDPIAware();
        px_ = ScreenPixels::OfScreen();

        programs_ = new ProgramFolder;
        if (!programs_->error().empty()) return;
        // Music kind 1: the mark of "音楽CD" selected. A music file that
        // exists, for the path label.
        programs_->Write(kMusicFile, "not music");
        programs_->Write("Glintra.ini", SettingsFileBytes("1", "5", programs_->File(kMusicFile)));
        // The pointer away from the dialog, so that no button shows its
        // pointer-over face.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);

        driver_ = new SettingsDialogDriver(programs_->host(), "/c", kWaitSeconds);
        if (!driver_->error.empty()) return;
        dialog_ = driver_->window;
        // Painted: the gradient's top row on the window, the panel's, and
        // the selected mark, and the whole window as it was a poll before
        // (the buttons paint themselves after their containers).
        ScreenImage before;
        WaitUntil(
            [&before] {
                const std::vector<HWND> panels = ChildrenOfClass(dialog_, L"Glintra.PictureBox");
                if (panels.size() != 1) return false;
                const ScreenImage window = CaptureInner(dialog_);
                const ScreenImage panel = CaptureInner(panels[0]);
                if (window.width == 0 || panel.width == 0) return false;
                const Box mark = DesignBox("kindMarks", 1, px_);
                const bool settled = CountChangedPixels(window, before) == 0;
                before = window;
                return settled && At(window, 1, 0) == Rgb{0, 0, 30} &&
                       At(panel, 1, 0) == Rgb{30, 30, 30} &&
                       IsBlue(At(panel, mark.left + mark.width / 2, mark.top + mark.height / 2));
            },
            kWaitSeconds, 200);
        RECT outer = {};
        GetWindowRect(dialog_, &outer);
        SaveScreenshot(CaptureScreenArea(outer),
                       "settings_dialog_" + std::to_string(px_.dpi) + "dpi.bmp");
    }

    static void TearDownTestSuite() {
        if (dialog_ != nullptr) PostMessageW(dialog_, WM_CLOSE, 0, 0);
        if (driver_ != nullptr) driver_->host.WaitForExit(kWaitSeconds);
        delete driver_;
        delete programs_;
        driver_ = nullptr;
        dialog_ = nullptr;
        programs_ = nullptr;
    }

    void SetUp() override {
        ASSERT_TRUE(programs_->error().empty()) << programs_->error();
        ASSERT_EQ(driver_->error, "") << driver_->State();
        // Which resolution this run is about; with_screen_dpi.cmake says
        // which it set.
        if (const char* wanted = std::getenv("GLINTRA_SCREEN_DPI")) {
            ASSERT_EQ(px_.dpi, std::atoi(wanted)) << "the screen's dpi was not set";
        }
        panels_ = ChildrenOfClass(dialog_, L"Glintra.PictureBox");
        ASSERT_EQ(panels_.size(), 1u) << "one panel panel";
    }

    HWND panel() const { return panels_[0]; }

    Surface WindowSurface() const {
        const ScreenImage image = CaptureInner(dialog_);
        // Left of the panel and right of it, over the whole height.
        return {"window", image, {px_(90), px_(7080)}, 30, {0, 0, 30}, {220, 220, 250}};
    }
    Surface PanelSurface() const {
        const ScreenImage image = CaptureInner(panel());
        // Left of the marks, and right of the path label.
        return {"panel", image, {px_(150), px_(6585)}, 0, {30, 30, 30}, {250, 250, 250}};
    }

    static ScreenPixels px_;
    static ProgramFolder* programs_;
    static SettingsDialogDriver* driver_;
    static HWND dialog_;
    std::vector<HWND> panels_;
};

ScreenPixels SettingsDialogLayoutTest::px_;
ProgramFolder* SettingsDialogLayoutTest::programs_ = nullptr;
SettingsDialogDriver* SettingsDialogLayoutTest::driver_ = nullptr;
HWND SettingsDialogLayoutTest::dialog_ = nullptr;

// The faces a real Windows has are here to be seen: Tahoma, the panel's and
// the repeat box's, and Marlett, the glyphs of the close box (without them
// Wine draws a stand-in face and an "r").
TEST(Faces, TahomaAndMarlettAreInstalled) {
    const HDC screen = GetDC(nullptr);
    for (const wchar_t* face : {L"Tahoma", L"Marlett"}) {
        LOGFONTW wanted = {};
        wanted.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
        bool found = false;
        EnumFontFamiliesExW(
            screen, &wanted,
            [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
                *reinterpret_cast<bool*>(found) = true;
                return 0;
            },
            reinterpret_cast<LPARAM>(&found), 0);
        EXPECT_TRUE(found) << AnsiFromWide(face) << " is missing (Debian: fonts-wine)";
    }
    ReleaseDC(nullptr, screen);
}

// Its inner area at the design size in this screen's pixels, the whole window
// centred across the screen and a third of the free height down.
TEST_F(SettingsDialogLayoutTest, OpensAtItsSizeCentredAThirdDown) {
    SCOPED_TRACE(std::to_string(px_.dpi) + " dpi");
    RECT inner = {}, outer = {};
    GetClientRect(dialog_, &inner);
    GetWindowRect(dialog_, &outer);
    EXPECT_EQ(inner.right, px_(kDialogInnerWidth));
    EXPECT_EQ(inner.bottom, px_(kDialogInnerHeight));
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(outer.left, (screenWidth - width) / 2) << "screen " << screenWidth << " wide";
    EXPECT_EQ(outer.top, (screenHeight - height) / 3) << "screen " << screenHeight << " high";
}

// The panel on the window; the repeat box and "..." on the panel; the other
// three buttons on the window: each at its place and size.
TEST_F(SettingsDialogLayoutTest, ChildWindowsLieAtTheirPlaces) {
    SCOPED_TRACE(std::to_string(px_.dpi) + " dpi");
    EXPECT_EQ(BoxIn(panel(), dialog_), DesignBox("panel", -1, px_)) << "panel";

    const std::vector<HWND> combos = ChildrenOfClass(panel(), L"ComboBox");
    ASSERT_EQ(combos.size(), 1u) << "one repeat box on the panel";
    // The closed box takes its height from its font; its place and width are
    // the layout's, and it ends inside the line it shares with "音楽CD".
    const Box combo = BoxIn(combos[0], panel());
    const Box design = DesignBox("repeatBox", -1, px_);
    EXPECT_EQ(combo.left, design.left) << "repeatBox at " << combo;
    EXPECT_EQ(combo.top, design.top) << "repeatBox at " << combo;
    EXPECT_EQ(combo.width, design.width) << "repeatBox at " << combo;
    EXPECT_LE(combo.top + combo.height, DesignBox("kindMarks", 0, px_).top)
        << "repeatBox reaches into the line below: " << combo;

    const std::vector<HWND> onPanel = ChildrenOfClass(panel(), L"Glintra.UserControl");
    ASSERT_EQ(onPanel.size(), 1u) << "one button on the panel";
    EXPECT_EQ(BoxIn(onPanel[0], panel()), DesignBox("chooseButton", -1, px_)) << "chooseButton";

    const std::vector<HWND> onWindow = ChildrenOfClass(dialog_, L"Glintra.UserControl");
    ASSERT_EQ(onWindow.size(), 3u) << "three buttons on the window";
    const char* leftToRight[] = {"otherWorksButton", "setButton", "cancelButton"};
    for (size_t i = 0; i < onWindow.size(); ++i) {
        EXPECT_EQ(BoxIn(onWindow[i], dialog_), DesignBox(leftToRight[i], -1, px_))
            << leftToRight[i];
    }
}

// One horizontal line per row over the whole width: the window dark blue at
// its top and bottom edges and (220, 220, 250) in the middle, 30 bluer than
// red and green on every row; the panel grey from 30 to 250; each a sine
// that rises to the middle and falls again.
TEST_F(SettingsDialogLayoutTest, WindowAndPanelShowTheirGradients) {
    SCOPED_TRACE(std::to_string(px_.dpi) + " dpi");
    for (const Surface& s : {WindowSurface(), PanelSurface()}) {
        SCOPED_TRACE(s.name);
        const int h = s.image.height;
        ASSERT_GT(h, 0);
        for (int x : s.freeColumns) {
            SCOPED_TRACE("column " + std::to_string(x));
            ASSERT_LT(x, s.image.width);
            EXPECT_EQ(At(s.image, x, 0), s.edge) << "top row";
            EXPECT_EQ(At(s.image, x, h / 2), s.middle) << "middle row " << h / 2;
            // The last row painted lies at y = h, under the border; the last
            // one seen is a row above it, where the sine has risen by at most
            // 220 sin(3.142 / h).
            const Rgb bottom = At(s.image, x, h - 1);
            const int rise = static_cast<int>(std::ceil(220 * 3.142 / h));
            EXPECT_GE(bottom.r, s.edge.r) << "bottom row " << bottom;
            EXPECT_LE(bottom.r, s.edge.r + rise) << "bottom row " << bottom;
            // A sine, not a straight rise: a quarter of the way down the
            // strength is about 220 sin(pi / 4) = 156.
            const int quarter = At(s.image, x, h / 4).r - s.edge.r;
            EXPECT_NEAR(quarter, 156, 2) << "a quarter down, row " << h / 4;
            int previous = -1, falls = 0;
            for (int y = 0; y < h; ++y) {
                const Rgb c = At(s.image, x, y);
                ASSERT_TRUE(c.g == c.r && c.b == c.r + s.tint) << "row " << y << ": " << c;
                // Each line spans the whole width: the other free column agrees.
                ASSERT_EQ(c, At(s.image, s.freeColumns[0], y)) << "row " << y;
                if (y <= h / 2) {
                    EXPECT_GE(c.r, previous) << "row " << y << " darker than the one above";
                } else if (c.r > previous) {
                    ++falls;
                }
                previous = c.r;
            }
            EXPECT_EQ(falls, 0) << "rows below the middle that are lighter than the one above";
        }
    }
}

// Music kind 1: the mark beside "音楽CD" shows the selected (blue) picture,
// the other two the not-selected one.
TEST_F(SettingsDialogLayoutTest, OnlyTheMarkOfKindOneIsSelected) {
    SCOPED_TRACE(std::to_string(px_.dpi) + " dpi");
    const Surface panel = PanelSurface();
    for (int16_t kind = 0; kind < 3; ++kind) {
        SCOPED_TRACE("kindMarks(" + std::to_string(kind) + ")");
        const Box mark = DesignBox("kindMarks", kind, px_);
        long blue = 0;
        for (int y = mark.top; y < mark.top + mark.height; ++y) {
            for (int x = mark.left; x < mark.left + mark.width; ++x) {
                if (IsBlue(At(panel.image, x, y))) ++blue;
            }
        }
        const Ink drawn =
            FindInk(panel, mark.left, mark.top, mark.left + mark.width, mark.top + mark.height);
        // A picture of 12 x 12 pixels: its frame (44 pixels, grey or dark
        // blue) stands out from the light grey behind it.
        EXPECT_GE(drawn.pixels, 40) << "no mark picture";
        if (kind == 1) {
            EXPECT_GE(blue, 100) << "the selected mark is not blue";
        } else {
            EXPECT_EQ(blue, 0) << "a mark of another kind is blue";
        }
    }
}

// Every label's text is there and whole: its ink is as wide as the text's
// when the system draws it alone (a text cut at an edge is narrower), starts
// where the label does (the centred ones: centred on it) and stops before
// whatever lies to its right.
TEST_F(SettingsDialogLayoutTest, LabelsShowTheirTextsWhole) {
    SCOPED_TRACE(std::to_string(px_.dpi) + " dpi");
    struct Case {
        const char* name;
        int16_t index;
        Container container;
        double freeTo;  // twips: nothing else lies right of the label up to here
    };
    const Case cases[] = {
        {"heading", -1, Container::kPanel, 1995 - 15},  // inside headingFrame's outline
        {"kindLabels", 1, Container::kPanel, 1380},     // repeatBox
        {"repeatLabel", -1, Container::kPanel, 3600},
        {"kindLabels", 0, Container::kPanel, 1200},
        {"kindLabels", 2, Container::kPanel, 1800},
        {"creditLabel", -1, Container::kWindow, 2880},  // otherWorksButton
    };
    const Surface window = WindowSurface(), panel = PanelSurface();
    for (const Case& c : cases) {
        const ControlLayout* layout = FindControl(c.name, c.index);
        ASSERT_NE(layout, nullptr);
        SCOPED_TRACE(std::string(c.name) + "(" + std::to_string(c.index) + ") \"" +
                     layout->caption + "\"");
        const Box label = DesignBox(c.name, c.index, px_);
        const Surface& surface = c.container == Container::kPanel ? panel : window;
        // headingFrame's outline runs down the first column of heading.
        const int from = label.left + (std::string(c.name) == "heading" ? 1 : 0);
        const int to = px_(c.freeTo);
        const Ink ink = FindInk(surface, from, label.top, to, label.top + label.height);
        const Ink whole = RenderedInk(layout->caption, px_.dpi);
        ASSERT_GE(ink.pixels, 20) << "no text";
        ASSERT_GE(whole.pixels, 20);
        EXPECT_NEAR(ink.right - ink.left, whole.right - whole.left, 2)
            << "ink from " << ink.left << " to " << ink.right << "; the whole text is "
            << whole.right - whole.left + 1 << " wide";
        if (layout->align == TextAlign::kCentre) {
            EXPECT_NEAR((ink.left + ink.right + 1) / 2.0, label.left + label.width / 2.0, 1.5)
                << "ink from " << ink.left << " to " << ink.right;
        } else {
            EXPECT_NEAR(ink.left - label.left, whole.left, 1) << "ink from " << ink.left;
        }
        EXPECT_LT(ink.right, to - 1) << "the text runs into what lies right of the label";
    }
    // The path whole, its "&" too, inside the border of fileLabel.
    const Box path = DesignBox("fileLabel", -1, px_);
    const Ink ink = FindInk(panel, path.left + 2, path.top + 2, path.left + path.width - 2,
                            path.top + path.height - 2);
    const Ink whole = RenderedInk(programs_->File(kMusicFile), px_.dpi);
    EXPECT_GE(ink.pixels, 20) << "no path in fileLabel";
    EXPECT_NEAR(ink.right - ink.left, whole.right - whole.left, 2) << "the path is not whole";
}

// Each button's caption whole (as wide as the text drawn alone) and centred
// on its face, clear of the frame.
TEST_F(SettingsDialogLayoutTest, ButtonCaptionsAreWholeAndCentred) {
    SCOPED_TRACE(std::to_string(px_.dpi) + " dpi");
    std::vector<HWND> buttons = ChildrenOfClass(panel(), L"Glintra.UserControl");
    for (HWND b : ChildrenOfClass(dialog_, L"Glintra.UserControl")) buttons.push_back(b);
    ASSERT_EQ(buttons.size(), 4u);
    const char* names[] = {"chooseButton", "otherWorksButton", "setButton", "cancelButton"};
    const int inset = px_(60);  // the frame's corners
    for (size_t i = 0; i < buttons.size(); ++i) {
        const ControlLayout* layout = FindControl(names[i]);
        ASSERT_NE(layout, nullptr);
        SCOPED_TRACE(std::string(names[i]) + " \"" + layout->caption + "\"");
        RECT r = {};
        GetWindowRect(buttons[i], &r);
        const ScreenImage face = CaptureScreenArea(r);
        ASSERT_GT(face.width, 2 * inset);
        // The face is one colour along each row (a vertical gradient): the
        // row's most common colour inside the frame. The caption is darker
        // in every channel: black, or grey on a disabled button.
        Ink ink;
        for (int y = inset; y < face.height - inset; ++y) {
            std::vector<Rgb> row;
            for (int x = inset; x < face.width - inset; ++x) row.push_back(At(face, x, y));
            Rgb background = row[0];
            size_t most = 0;
            for (const Rgb& c : row) {
                const size_t n = std::count(row.begin(), row.end(), c);
                if (n > most) most = n, background = c;
            }
            for (int x = inset; x < face.width - inset; ++x) {
                const Rgb c = At(face, x, y);
                if (c.r > background.r - 40 || c.g > background.g - 40 || c.b > background.b - 40) {
                    continue;
                }
                ++ink.pixels;
                if (ink.left < 0 || x < ink.left) ink.left = x;
                ink.right = std::max(ink.right, x);
            }
        }
        const Ink whole = RenderedInk(layout->caption, px_.dpi);
        ASSERT_GE(ink.pixels, 3) << "no caption";
        EXPECT_NEAR(ink.right - ink.left, whole.right - whole.left, 2)
            << "ink from " << ink.left << " to " << ink.right << "; the whole caption is "
            << whole.right - whole.left + 1 << " wide";
        EXPECT_NEAR((ink.left + ink.right + 1) / 2.0, face.width / 2.0, 1.5)
            << "ink from " << ink.left << " to " << ink.right << " of " << face.width;
        EXPECT_GT(ink.left, inset) << "the caption reaches the frame";
        EXPECT_LT(ink.right, face.width - inset - 1) << "the caption reaches the frame";
    }
}

// Each button's four corners are its face picture's 4 x 4 pixel corners,
// grown with the screen: 60 twips square.
TEST_F(SettingsDialogLayoutTest, ButtonCornersComeFromTheirFacePictures) {
    SCOPED_TRACE(std::to_string(px_.dpi) + " dpi");
    std::vector<HWND> buttons = ChildrenOfClass(panel(), L"Glintra.UserControl");
    for (HWND b : ChildrenOfClass(dialog_, L"Glintra.UserControl")) buttons.push_back(b);
    ASSERT_EQ(buttons.size(), 4u);
    // "..." is disabled while the kind is 1; the others show their normal face.
    const struct {
        const char* name;
        int face;
    } faces[] = {{"chooseButton", IDB_BUTTON_DISABLE},
                 {"otherWorksButton", IDB_BUTTON_NORMAL},
                 {"setButton", IDB_BUTTON_NORMAL},
                 {"cancelButton", IDB_BUTTON_NORMAL}};
    const int corner = px_(60);
    constexpr int kPictureWidth = 64, kPictureHeight = 25, kPictureCorner = 4;
    for (size_t i = 0; i < buttons.size(); ++i) {
        SCOPED_TRACE(faces[i].name);
        RECT r = {};
        GetWindowRect(buttons[i], &r);
        const ScreenImage shown = CaptureScreenArea(r);
        ASSERT_GT(shown.width, 2 * corner);
        const struct {
            const char* where;
            int x, y, sourceX, sourceY;
        } corners[] = {
            {"top left", 0, 0, 0, 0},
            {"top right", shown.width - corner, 0, kPictureWidth - kPictureCorner, 0},
            {"bottom left", 0, shown.height - corner, 0, kPictureHeight - kPictureCorner},
            {"bottom right", shown.width - corner, shown.height - corner,
             kPictureWidth - kPictureCorner, kPictureHeight - kPictureCorner},
        };
        for (const auto& c : corners) {
            const ScreenImage expected = StretchedFacePiece(
                programs_->host(), faces[i].face, c.sourceX, c.sourceY, kPictureCorner, corner);
            ASSERT_EQ(expected.width, corner) << "no face picture in the host";
            int wrong = 0;
            for (int y = 0; y < corner; ++y) {
                for (int x = 0; x < corner; ++x) {
                    if (!(At(shown, c.x + x, c.y + y) == At(expected, x, y))) ++wrong;
                }
            }
            EXPECT_EQ(wrong, 0) << c.where << " corner: pixels unlike the face picture's";
        }
    }
}

}  // namespace
