// The Command button under Wine, on a form of the test's own like the
// settings dialog: a panel first in the tab order, then buttons of the
// design size (1755 x 420 twips), 25 pixels high and taller. Driven by real
// input (SendInput), judged by the pixels on the screen. A button whose
// Click unloads its form is watched from outside, on this program started
// again as a child.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "support/screen_image.h"
#include "support/win32_child_process.h"
#include "support/win32_input.h"
#include "support/canvas_win32.h"
#include "support/child_of_this_program_win32.h"
#include "support/win32_screen.h"
#include "host/command_button/command_button.h"
#include "host/command_button/face_frame.h"
#include "host/forms/application.h"
#include "host/forms/form.h"
#include "host/forms/picture_box.h"
#include "host/resources/button_faces.h"

using command_button::Face;

// The tests look inside the button through the friend the control names.
namespace {

constexpr double kWait = 5;             // seconds: generous deadlines, never timings
constexpr POINT kNeutral = {900, 600};  // on no window of ours

bool Pump(const std::function<bool()>& done, double seconds = kWait) {
    return PumpUntil(done, seconds, forms::Form::Dispatch);
}

forms::FontDescription DialogFont() {
    forms::FontDescription font;
    font.name = "ＭＳ Ｐゴシック";
    font.size = 9.75;
    font.charset = forms::kShiftJisCharset;
    return font;
}

// What the settings dialog stores for each of its buttons besides the extent.
forms::PropertyBag Stored(const std::string& caption) {
    forms::PropertyBag bag;
    bag.Set("Caption", caption);
    bag.Set("Font", DialogFont());
    return bag;
}

class ButtonsForm : public forms::Form {
public:
    explicit ButtonsForm(const char* caption = "Command button test") : Form(caption) {}

    forms::PictureBox panel{*this, {60, 60, 300, 300}};
    CommandButton design{*this, {600, 60, 1755, 420}, Stored("設定")};
    CommandButton low{*this, {600, 780, 1755, 375}, Stored("ｷｬﾝｾﾙ")};
    CommandButton tall{*this, {600, 1455, 1755, 900}, Stored("その他の作品")};
    std::array<CommandButton*, 3> buttons{&design, &low, &tall};
    std::array<int, 3> clicks{};

protected:
    DWORD Style() const override { return WS_POPUP | WS_BORDER | WS_CLIPCHILDREN; }
    void Form_Load() override {
        Move(600, 600);
        SetInnerSize(2700, 2700);
        for (size_t i = 0; i < buttons.size(); ++i) {
            buttons[i]->Initialize();
            buttons[i]->Click = [this, i] { ++clicks[i]; };
        }
    }
};

ButtonsForm& Shared() {
    static ButtonsForm form;
    if (!form.IsLoaded()) {
        form.Show();
        SetForegroundWindow(form.hwnd());
    }
    return form;
}

POINT Centre(HWND window) { return Centre(ScreenRect(window)); }

// A point on the caption of `button`, another one at every call: coming back
// to the very pixel it left, the pointer would bring no move (see
// forms::Container).
POINT OnCaption(HWND button) {
    static int step = 0;
    const POINT centre = Centre(button);
    return {centre.x - 12 + (step++ % 25), centre.y};
}

void PointAt(POINT p) { MoveMouseTo(p.x, p.y); }

void ClickWith(DWORD down, DWORD up) {
    SendMouseButton(down);
    SendMouseButton(up);
}

void LeftClick() { ClickWith(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }
void RightClick() { ClickWith(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }

// ---- What a look must be, on the screen ----

const ScreenImage& FacePicture(Face face) {
    static std::array<ScreenImage, 6> pictures;
    ScreenImage& picture = pictures[static_cast<int>(face)];
    if (picture.width == 0)
        picture = CommittedPicture(FaceFileName(command_button::PictureOfFace(face)));
    return picture;
}

struct Colour {
    int r, g, b;
};

Colour At(const ScreenImage& image, int x, int y) {
    const unsigned char* p = image.At(x, y);
    return {p[0], p[1], p[2]};
}

bool Same(Colour a, Colour b, int tolerance = 0) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

Colour FromRgb(uint32_t rgb) {
    return {static_cast<int>(rgb >> 16), static_cast<int>((rgb >> 8) & 0xFF),
            static_cast<int>(rgb & 0xFF)};
}

// The gradient's colour on row `y` of a button `height` pixels high.
Colour GradientAt(int y, int height, bool reversed) {
    const Colour white = {255, 255, 255}, tint = {198, 197, 215};
    const Colour top = reversed ? tint : white, bottom = reversed ? white : tint;
    const double t = static_cast<double>(y) / (height - 1);
    return {static_cast<int>(top.r + (bottom.r - top.r) * t + 0.5),
            static_cast<int>(top.g + (bottom.g - top.g) * t + 0.5),
            static_cast<int>(top.b + (bottom.b - top.b) * t + 0.5)};
}

// Everything wrong with `shot` as the look of `face` over a gradient in
// the given direction; empty when it is right. 15 twips to the pixel.
std::string LookProblems(const ScreenImage& shot, Face face, bool reversed, bool greyCaption) {
    std::ostringstream out;
    int problems = 0;
    const auto fail = [&](const std::string& what, int x, int y) {
        if (problems++ < 6) out << what << " at " << x << "," << y << "; ";
    };
    const ScreenImage& picture = FacePicture(face);
    const int w = shot.width, h = shot.height;
    if (picture.width != 64 || w < 8 || h < 8) return "no picture";

    // Corners: 4 x 4, unstretched.
    for (const auto& [sx, sy, fx, fy] : std::vector<std::array<int, 4>>{
             {0, 0, 0, 0}, {w - 4, 0, 60, 0}, {0, h - 4, 0, 21}, {w - 4, h - 4, 60, 21}}) {
        for (int j = 0; j < 4; ++j) {
            for (int i = 0; i < 4; ++i) {
                if (!Same(At(shot, sx + i, sy + j), At(picture, fx + i, fy + j))) {
                    fail("corner", sx + i, sy + j);
                }
            }
        }
    }
    // Edges: each pixel one of the source's near the proportional place.
    const auto stretched = [&](int along, int length, int sourceLength, int fixedSource,
                               bool horizontal, Colour got) {
        const int centre = 4 + (along - 4) * sourceLength / length;
        for (int s = std::max(4, centre - 1); s <= std::min(3 + sourceLength, centre + 1); ++s) {
            const Colour want =
                horizontal ? At(picture, s, fixedSource) : At(picture, fixedSource, s);
            if (Same(got, want)) return true;
        }
        return false;
    };
    for (int j = 0; j < 4; ++j) {
        for (int x = 4; x < w - 4; ++x) {
            if (!stretched(x, w - 8, 56, j, true, At(shot, x, j))) fail("top edge", x, j);
            if (!stretched(x, w - 8, 56, 21 + j, true, At(shot, x, h - 4 + j))) {
                fail("bottom edge", x, h - 4 + j);
            }
        }
        for (int y = 4; y < h - 4; ++y) {
            if (!stretched(y, h - 8, 17, j, false, At(shot, j, y))) fail("left edge", j, y);
            if (!stretched(y, h - 8, 17, 60 + j, false, At(shot, w - 4 + j, y))) {
                fail("right edge", w - 4 + j, y);
            }
        }
    }
    // The outline, one pixel further in when pressed; along the edges, clear
    // of the curved corners (whose last pixel the edges stretch).
    const int in = face == Face::Pressed ? 2 : 1;
    const Colour outline = FromRgb(face == Face::Disable ? kDisabledOutline : kOutline);
    for (int x = 8; x < w - 8; ++x) {
        if (!Same(At(shot, x, in), outline)) fail("top outline", x, in);
        if (!Same(At(shot, x, h - 1 - in), outline)) fail("bottom outline", x, h - 1 - in);
    }
    for (int y = 8; y < h - 8; ++y) {
        if (!Same(At(shot, in, y), outline)) fail("left outline", in, y);
        if (!Same(At(shot, w - 1 - in, y), outline)) fail("right outline", w - 1 - in, y);
    }
    // The gradient, beside the caption.
    for (int y = 4; y < h - 4; ++y) {
        for (int x : {4, 5, w - 6, w - 5}) {
            if (!Same(At(shot, x, y), GradientAt(y, h, reversed), 3)) fail("gradient", x, y);
        }
    }
    // The caption: its letters centred across the button, in the caption
    // label's rows, black or greyed.
    const double heightTwips = h * 15.0;
    const int labelTop =
        static_cast<int>(std::lround(command_button::CaptionTop(heightTwips, 195) / 15));
    int left = w, right = -1, top = h, bottom = -1, darkest = 765;
    for (int y = 4; y < h - 4; ++y) {
        const Colour g = GradientAt(y, h, reversed);
        for (int x = 6; x < w - 6; ++x) {
            const Colour c = At(shot, x, y);
            if (std::abs(c.r - g.r) + std::abs(c.g - g.g) + std::abs(c.b - g.b) < 60) continue;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
            darkest = std::min(darkest, c.r + c.g + c.b);
        }
    }
    if (right < 0) {
        fail("no caption", 0, 0);
    } else {
        if (std::abs((left + right + 1) - w) > 3) fail("caption off centre", left, right);
        if (top < labelTop || bottom >= labelTop + 13) fail("caption off its rows", top, bottom);
        if (greyCaption ? darkest < 200 : darkest > 150) fail("caption colour", darkest, 0);
    }
    if (problems > 6) out << "and " << problems - 6 << " more";
    return out.str();
}

ScreenImage Shot(const CommandButton& button) {
    return CaptureScreenArea(ScreenRect(button.hwnd()));
}

// Waits until `button` shows the look; the problems of the last picture
// when it never does.
std::string WaitForLook(const CommandButton& button, Face face, bool reversed,
                        bool greyCaption = false) {
    std::string problems;
    Pump([&] {
        problems = LookProblems(Shot(button), face, reversed, greyCaption);
        return problems.empty();
    });
    return problems;
}

// Keys go to the foreground window's focus: the form takes the foreground
// back first, should another program's window have taken it.
void TakeForeground(ButtonsForm& form) {
    EXPECT_TRUE(Pump([&] {
        if (GetForegroundWindow() == form.hwnd()) return true;
        SetForegroundWindow(form.hwnd());
        return false;
    })) << "the test form can't get the foreground";
}

// Back to the start: no button held, the pointer on no window of ours, the
// focus on the panel, every button enabled with black text, normal.
void Reset(ButtonsForm& form) {
    PointAt(kNeutral);
    SendMouseButton(MOUSEEVENTF_LEFTUP);
    for (CommandButton* button : form.buttons) {
        button->SetEnabled(true);
        button->SetFontColour(0);
    }
    TakeForeground(form);
    SetFocus(form.panel.hwnd());
    for (CommandButton* button : form.buttons) {
        EXPECT_EQ(WaitForLook(*button, Face::Normal, false), "") << "not back to normal";
    }
    PumpFor(0.2, forms::Form::Dispatch);
    form.clicks = {};
}

void TabTo(ButtonsForm& form, size_t index) {
    TakeForeground(form);
    SetFocus(form.panel.hwnd());
    for (size_t i = 0; i <= index; ++i) TapKey(VK_TAB);
    EXPECT_TRUE(Pump([&] { return GetFocus() == form.buttons[index]->hwnd(); }))
        << "Tab did not bring the focus";
}

using command_button::ButtonState;

// The pointer onto the caption; waits for the pointer-over state (focused
// or not).
void Hover(CommandButton& button, ButtonState state = ButtonState::StateHighLight) {
    PointAt(OnCaption(button.hwnd()));
    EXPECT_TRUE(Pump([&] { return button.State() == state; })) << "no pointer-over state";
}

// ---- The looks ----

struct Look {
    const char* name;
    std::function<void(ButtonsForm&, CommandButton&, size_t)> reach;
    Face face;
    bool reversed;
    bool greyCaption;
};

const std::vector<Look>& Looks() {
    static const std::vector<Look> looks = {
        {"Normal", [](ButtonsForm&, CommandButton&, size_t) {}, Face::Normal, false, false},
        {"HighLight: pointer over",
         [](ButtonsForm&, CommandButton& b, size_t) { PointAt(OnCaption(b.hwnd())); },
         Face::HighLight, true, false},
        {"Selected: focus", [](ButtonsForm& f, CommandButton&, size_t i) { TabTo(f, i); },
         Face::Selected, false, false},
        {"HighLightSelect: focus, then pointer over",
         [](ButtonsForm& f, CommandButton& b, size_t i) {
             TabTo(f, i);
             PointAt(OnCaption(b.hwnd()));
         },
         Face::HighLightSelect, false, false},
        {"Pressed: left button down on a focused button",
         [](ButtonsForm& f, CommandButton& b, size_t i) {
             TabTo(f, i);
             PointAt(OnCaption(b.hwnd()));
             SendMouseButton(MOUSEEVENTF_LEFTDOWN);
         },
         Face::Pressed, false, false},
        {"Pressed: focus arriving under the pointer",
         [](ButtonsForm& f, CommandButton& b, size_t i) {
             PointAt(OnCaption(b.hwnd()));
             Pump([&] { return b.State() == command_button::ButtonState::StateHighLight; });
             TabTo(f, i);
         },
         Face::Pressed, true, false},
        {"HighLightSelect: released after a click from the pointer-over look",
         [](ButtonsForm&, CommandButton& b, size_t) {
             PointAt(OnCaption(b.hwnd()));
             LeftClick();
         },
         Face::HighLightSelect, true, false},
        {"Normal over the pointer-over gradient: colour set",
         [](ButtonsForm&, CommandButton& b, size_t) {
             PointAt(OnCaption(b.hwnd()));
             Pump([&] { return b.State() == command_button::ButtonState::StateHighLight; });
             b.SetFontColour(0x000080);
         },
         Face::Normal, true, false},
        {"Disable", [](ButtonsForm&, CommandButton& b, size_t) { b.SetEnabled(false); },
         Face::Disable, false, true},
        {"Disable over the pointer-over gradient",
         [](ButtonsForm&, CommandButton& b, size_t) {
             PointAt(OnCaption(b.hwnd()));
             Pump([&] { return b.State() == command_button::ButtonState::StateHighLight; });
             b.SetEnabled(false);
         },
         Face::Disable, true, true},
    };
    return looks;
}

// All looks of the three buttons on one sheet, a row per look, named.
void SaveContactSheet(const std::vector<std::array<ScreenImage, 3>>& shots) {
    constexpr int kScale = 2, kPad = 8, kNameWidth = 300;
    int columnWidth = 0, rowHeight = 0;
    for (const auto& row : shots) {
        for (const ScreenImage& s : row) {
            columnWidth = std::max(columnWidth, s.width * kScale);
            rowHeight = std::max(rowHeight, s.height * kScale);
        }
    }
    const int width = kNameWidth + 3 * (columnWidth + kPad) + kPad;
    const int height = static_cast<int>(shots.size()) * (rowHeight + kPad) + kPad;
    Canvas sheet(width, height);
    sheet.Fill(RGB(255, 255, 255));
    const HDC dc = sheet.dc();
    for (size_t r = 0; r < shots.size(); ++r) {
        const int top = kPad + static_cast<int>(r) * (rowHeight + kPad);
        RECT name = {kPad, top, kNameWidth, top + rowHeight};
        DrawTextA(dc, Looks()[r].name, -1, &name, DT_WORDBREAK | DT_VCENTER);
        for (int c = 0; c < 3; ++c) {
            const ScreenImage& s = shots[r][c];
            for (int y = 0; y < s.height * kScale; ++y) {
                for (int x = 0; x < s.width * kScale; ++x) {
                    const unsigned char* p = s.At(x / kScale, y / kScale);
                    SetPixelV(dc, kNameWidth + c * (columnWidth + kPad) + x, top + y,
                              RGB(p[0], p[1], p[2]));
                }
            }
        }
    }
    SaveScreenshot(sheet.Image(), "command_button_looks.bmp");
}

// Every look on each of the three buttons, reached by real input.
TEST(CommandButton, LooksOfEveryStateOverEachGradient) {
    ButtonsForm& form = Shared();
    std::vector<std::array<ScreenImage, 3>> shots;
    for (const Look& look : Looks()) {
        shots.emplace_back();
        for (size_t i = 0; i < form.buttons.size(); ++i) {
            CommandButton& button = *form.buttons[i];
            SCOPED_TRACE(testing::Message() << look.name << ", button " << i);
            Reset(form);
            look.reach(form, button, i);
            const std::string problems =
                WaitForLook(button, look.face, look.reversed, look.greyCaption);
            shots.back()[i] = Shot(button);
            EXPECT_EQ(problems, "");
            if (!problems.empty()) {
                SaveScreenshot(shots.back()[i], "command_button_failed.bmp");
            }
        }
    }
    SaveContactSheet(shots);
    Reset(form);
}

// ---- Clicks ----

POINT OnFormBackground(const ButtonsForm& form) {
    POINT p = {20, 150};  // left of the buttons, below the panel
    ClientToScreen(form.hwnd(), &p);
    return p;
}

struct Sequence {
    const char* name;
    std::function<void(ButtonsForm&, CommandButton&)> run;
    int clicks;
    Face face;  // the look it ends in
    bool reversed;
};

// Each sequence on the design-size button: the Click events it raises and
// the look it leaves.
TEST(CommandButton, ClickSequences) {
    const Sequence sequences[] = {
        {"a full click on an unfocused button",
         [](ButtonsForm&, CommandButton& b) {
             Hover(b);
             LeftClick();
         },
         1, Face::HighLightSelect, true},
        {"a full click on a focused button",
         [](ButtonsForm& f, CommandButton& b) {
             TabTo(f, 0);
             Hover(b, ButtonState::StateHighLightSelect);
             LeftClick();
         },
         1, Face::HighLightSelect, false},
        {"a full click beside the caption",
         [](ButtonsForm&, CommandButton& b) {
             const RECT r = ScreenRect(b.hwnd());
             PointAt({r.left + 6, (r.top + r.bottom) / 2});
             EXPECT_TRUE(Pump([&] { return b.State() == ButtonState::StateHighLight; }));
             LeftClick();
         },
         1, Face::HighLightSelect, true},
        {"a quick second click, which is no double click",
         [](ButtonsForm&, CommandButton& b) {
             Hover(b);
             LeftClick();
             LeftClick();
         },
         2, Face::HighLightSelect, true},
        {"pressed, dragged off past the poll, back and released; then a right click",
         [](ButtonsForm& f, CommandButton& b) {
             Hover(b);
             SendMouseButton(MOUSEEVENTF_LEFTDOWN);
             EXPECT_EQ(WaitForLook(b, Face::Pressed, true), "");
             PointAt(OnFormBackground(f));
             EXPECT_EQ(WaitForLook(b, Face::Selected, false), "") << "the poll missed the leave";
             PointAt(OnCaption(b.hwnd()));
             PumpFor(0.3, forms::Form::Dispatch);  // past a poll or two
             EXPECT_EQ(LookProblems(Shot(b), Face::Selected, false, false), "");
             SendMouseButton(MOUSEEVENTF_LEFTUP);
             PumpFor(0.2, forms::Form::Dispatch);
             // Still StateSelected with the pointer over it: no move since.
             RightClick();
         },
         0, Face::Selected, false},
        {"right and middle clicks on an unfocused button",
         [](ButtonsForm&, CommandButton& b) {
             Hover(b);
             RightClick();
             ClickWith(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
         },
         2, Face::HighLight, true},
        {"a right click on a focused button under the pointer",
         [](ButtonsForm& f, CommandButton& b) {
             TabTo(f, 0);
             Hover(b, ButtonState::StateHighLightSelect);
             RightClick();
         },
         1, Face::HighLightSelect, false},
        {"Enter and Space on the button that a click focused",
         [](ButtonsForm& f, CommandButton& b) {
             Hover(b);
             LeftClick();
             EXPECT_TRUE(Pump([&] { return GetFocus() == b.hwnd(); }));
             TakeForeground(f);
             TapKey(VK_RETURN);
             TapKey(VK_SPACE);
             PumpFor(0.3, forms::Form::Dispatch);
             EXPECT_EQ(GetFocus(), b.hwnd()) << "the keys went elsewhere";
         },
         1, Face::HighLightSelect, true},
        {"a disabled button, pointed at, clicked and focused",
         [](ButtonsForm& f, CommandButton& b) {
             b.SetEnabled(false);
             PointAt(OnCaption(b.hwnd()));
             LeftClick();
             RightClick();
             TabTo(f, 0);
             PumpFor(0.3, forms::Form::Dispatch);
         },
         0, Face::Disable, false},
        {"the pointer leaving for the form",
         [](ButtonsForm& f, CommandButton& b) {
             Hover(b);
             PointAt(OnFormBackground(f));
         },
         0, Face::Normal, false},
        {"the pointer leaving for another window of the form",
         [](ButtonsForm& f, CommandButton& b) {
             Hover(b);
             PointAt(Centre(f.panel.hwnd()));
         },
         0, Face::Normal, false},
        {"the pointer leaving the program's windows",
         [](ButtonsForm&, CommandButton& b) {
             Hover(b);
             PointAt(kNeutral);
         },
         0, Face::Normal, false},
        {"the focus moving on with Tab while the pointer is over the button",
         [](ButtonsForm& f, CommandButton& b) {
             TabTo(f, 0);
             Hover(b, ButtonState::StateHighLightSelect);
             TapKey(VK_TAB);
             EXPECT_TRUE(Pump([&] { return GetFocus() == f.low.hwnd(); }));
         },
         0, Face::Normal, false},
    };
    ButtonsForm& form = Shared();
    for (const Sequence& sequence : sequences) {
        SCOPED_TRACE(sequence.name);
        Reset(form);
        sequence.run(form, form.design);
        EXPECT_EQ(WaitForLook(form.design, sequence.face, sequence.reversed,
                              sequence.face == Face::Disable),
                  "");
        PumpFor(0.3, forms::Form::Dispatch);  // for a late Click to show
        EXPECT_EQ(form.clicks, (std::array<int, 3>{sequence.clicks, 0, 0}));
    }
    Reset(form);
}

// ---- A Click that unloads the form ----

constexpr char kUnloadingCaption[] = "Command button unload test";
// Where the test's own form is not: a form of this program's lies at 40, 40.
constexpr RECT kDesktopCorner = {0, 0, 320, 36};

// The settings dialog's "ｷｬﾝｾﾙ" in small: its Click unloads the form.
class UnloadingForm : public forms::Form {
public:
    UnloadingForm() : Form(kUnloadingCaption) {}
    CommandButton cancelButton{*this, {300, 300, 1035, 375}, Stored("ｷｬﾝｾﾙ")};

protected:
    DWORD Style() const override { return WS_POPUP | WS_BORDER | WS_CLIPCHILDREN; }
    void Form_Load() override {
        Move(9000, 600);
        SetInnerSize(1800, 1200);
        cancelButton.Initialize();
        cancelButton.Click = [this] { CancelButton_Click(); };
    }
    void Form_Unload(bool& /*cancel*/) override { WriteChildLog("Form_Unload"); }

private:
    void CancelButton_Click() {
        WriteChildLog("CancelButton_Click");
        const HWND button = cancelButton.hwnd(), window = hwnd();
        Unload();
        WriteChildLog(IsWindow(button) && IsWindow(window) && !IsWindowVisible(window)
                          ? "hidden, windows kept while the click runs"
                          : "windows gone, or still shown, under the click");
    }
};

TEST(CommandButton, ClickThatUnloadsTheFormEndsTheHostCleanly) {
    PointAt(kNeutral);
    const ScreenImage cornerBefore = CaptureScreenArea(kDesktopCorner);

    ChildOfThisProgram child("unload");
    ASSERT_TRUE(child.started());
    HWND form = nullptr, button = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            form = FindWindowA(nullptr, kUnloadingCaption);
            button = FindWindowExW(form, nullptr, L"Glintra.UserControl", nullptr);
            return form != nullptr && button != nullptr && IsWindowVisible(form);
        },
        kWait));
    PointAt(Centre(button));
    PumpFor(0.2);
    LeftClick();
    EXPECT_EQ(child.WaitForExit(kWait * 2), std::optional<DWORD>(0));
    EXPECT_EQ(child.Log(), (std::vector<std::string>{"CancelButton_Click", "Form_Unload",
                                                     "hidden, windows kept while the click runs"}));
    // Nothing painted on the desktop: a control painting after its window
    // had gone would draw through the screen's own device context, from its
    // top-left corner. (Only there: tests beside this one may show windows
    // elsewhere on the shared screen.)
    EXPECT_EQ(CountChangedPixels(CaptureScreenArea(kDesktopCorner), cornerBefore), 0)
        << "pixels in the screen's corner changed";
}

// ---- Properties and their bag ----

class OneButtonForm : public forms::Form {
public:
    explicit OneButtonForm(std::optional<forms::PropertyBag> stored)
        : Form("Command button properties"), button(*this, {0, 0, 1755, 420}, std::move(stored)) {
        Load();
    }
    CommandButton button;
};

forms::PropertyBag Saved(CommandButton& button) {
    forms::PropertyBag bag;
    button.WriteProperties(bag);
    return bag;
}

// What the settings dialog stores: extent, caption and font.
TEST(CommandButtonProperties, AButtonStoredWithCaptionAndFontOnlyLoadsEnabledBlackAndOpaque) {
    OneButtonForm form(Stored("設定"));
    CommandButton& b = form.button;
    EXPECT_EQ(b.Caption(), "設定");
    EXPECT_EQ(b.Font()->Name(), "ＭＳ Ｐゴシック");
    EXPECT_EQ(b.Font()->Size(), 9.75);
    EXPECT_TRUE(b.Enabled());
    EXPECT_EQ(b.FontColour(), 0u);
    EXPECT_EQ(b.Visible(), 255);
    EXPECT_EQ(LookProblems(CaptureWindowPainting(b.hwnd()), Face::Normal, false, false), "");
    // Saving writes back only what differs from the defaults: the caption
    // and the font (the form's own is another).
    EXPECT_EQ(Saved(b).Keys(), (std::vector<std::string>{"Caption", "Font"}));
}

TEST(CommandButtonProperties, RoundTripsThroughTheBag) {
    OneButtonForm first(Stored("設定"));
    CommandButton& b = first.button;

    // A caption of exactly "Command" is left out, and loads as "Command1".
    b.SetCaption("Command");
    forms::PropertyBag bag = Saved(b);
    EXPECT_FALSE(bag.Contains("Caption"));
    EXPECT_EQ(OneButtonForm(bag).button.Caption(), "Command1");

    // A font of another size and weight comes back with its face name only.
    b.SetFont(forms::Font::New({"Tahoma", 14, true, true, false, false, forms::kDefaultCharset}));
    {
        OneButtonForm second(Saved(b));
        const forms::FontDescription font = second.button.Font()->Description();
        EXPECT_EQ(font.name, "Tahoma");
        EXPECT_EQ(font.size, 9.75);
        EXPECT_FALSE(font.bold);
        EXPECT_FALSE(font.italic);
        EXPECT_EQ(font.charset, forms::kShiftJisCharset);
    }

    // Visible: 255 opaque, 0 transparent; any value but 0 is opaque.
    b.SetVisible(0);
    EXPECT_EQ(b.Visible(), 0);
    EXPECT_EQ(OneButtonForm(Saved(b)).button.Visible(), 0);
    b.SetVisible(7);
    EXPECT_EQ(b.Visible(), 255);
    EXPECT_FALSE(Saved(b).Contains("Visible"));
    EXPECT_EQ(OneButtonForm(Saved(b)).button.Visible(), 255);

    // A disabled button with coloured text.
    b.SetEnabled(false);
    b.SetFontColour(0x00FF0000);
    OneButtonForm third(Saved(b));
    EXPECT_FALSE(third.button.Enabled());
    EXPECT_EQ(third.button.FontColour(), 0x00FF0000u);
}

// A button placed new on a form: nothing stored, so off and black until a
// designer's first look turns it on; saved in key order with the defaults
// left out. Reading a property changes nothing.
TEST(CommandButtonProperties, ANewButtonIsOffUntilTurnedOn) {
    OneButtonForm form(std::nullopt);
    CommandButton& b = form.button;
    b.SetCaption("Cmd_New");
    EXPECT_FALSE(b.Enabled());
    EXPECT_EQ(b.FontColour(), 0u);
    EXPECT_EQ(Saved(b).Keys(),
              (std::vector<std::string>{"Enabled", "Caption", "FirstRun", "Font"}));
    b.TurnOnIfNew();
    EXPECT_TRUE(b.Enabled());
    EXPECT_EQ(Saved(b).Keys(), (std::vector<std::string>{"Caption", "Font"}));
}

TEST(CommandButtonProperties, SettersTellTheFormWhatChanged) {
    OneButtonForm form(Stored("設定"));
    CommandButton& b = form.button;
    std::vector<std::string> changed;
    b.SetPropertyChangedHandler([&](const std::string& name) { changed.push_back(name); });
    b.SetCaption("x");
    EXPECT_EQ(WindowTextOf(b.hwnd()), L"x") << "the window's text follows the caption";
    b.SetFont(forms::Font::New(DialogFont()));
    b.SetFontColour(0x123456);
    b.SetFontColour(0x12345678);  // no colour: nothing changes, nothing is told
    b.SetEnabled(true);
    b.SetVisible(1);
    EXPECT_EQ(changed,
              (std::vector<std::string>{"Caption", "Font", "FontColour", "Enabled", "Visible"}));
    EXPECT_EQ(b.FontColour(), 0x123456u);
    // The font by reference: a change to the object shows on the button.
    forms::FontRef font = b.Font();
    font->SetSize(12);
    EXPECT_EQ(b.Font()->Size(), 12);
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<int> child =
        RunAsChild(argc, argv, {{"unload", []() -> int {
                                     RunApplication([] {
                                         auto form = std::make_unique<UnloadingForm>();
                                         form->Show();
                                         return std::unique_ptr<forms::Form>(std::move(form));
                                     });
                                 }}});
    if (child) return *child;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
