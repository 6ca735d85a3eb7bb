// The form toolkit under Wine: real windows and real window-message timers,
// containers painting and hit-testing their windowless controls, the focus.
// What ends the process (End, the last form unloading) is watched from
// outside, on this program started again as a child in one of its modes.
#include <windows.h>
#include <imm.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/child_of_this_program_win32.h"
#include "support/win32_input.h"
#include "support/win32_screen.h"
#include "host/forms/application.h"
#include "host/forms/combo_box.h"
#include "host/forms/form.h"
#include "host/forms/image.h"
#include "host/forms/label.h"
#include "host/forms/picture_box.h"
#include "host/forms/shape.h"
#include "host/forms/timer.h"
#include "host/forms/user_control.h"
#include "host/resources/host_icon.h"

using forms::Form;
using forms::Timer;
using forms::UnloadMode;

namespace {

using Log = std::vector<std::string>;

// A form that writes its events into a log, under its caption.
class LoggingForm : public Form {
public:
    LoggingForm(std::string caption, std::function<void(const std::string&)> write)
        : Form(std::move(caption)), write_(std::move(write)) {}
    LoggingForm(std::string caption, Log& log)
        : LoggingForm(std::move(caption),
                      [&log](const std::string& line) { log.push_back(line); }) {}

    bool cancelInQueryUnload = false;
    bool cancelInUnload = false;
    std::function<void()> onLoad;
    std::optional<UnloadMode> unloadMode;

protected:
    void Form_Load() override {
        write_(Caption() + ".Load");
        if (onLoad) onLoad();
    }
    void Form_QueryUnload(bool& cancel, UnloadMode mode) override {
        write_(Caption() + ".QueryUnload");
        unloadMode = mode;
        cancel = cancelInQueryUnload;
    }
    void Form_Unload(bool& cancel) override {
        write_(Caption() + ".Unload");
        cancel = cancelInUnload;
    }

private:
    std::function<void(const std::string&)> write_;
};

TEST(Form, LoadsHiddenAndIsFoundByItsCaption) {
    Log log;
    LoggingForm form("Glintra_Main", log);
    ASSERT_EQ(FindWindowA(nullptr, "Glintra_Main"), nullptr);
    ASSERT_TRUE(form.Load());
    const HWND window = form.hwnd();
    EXPECT_EQ(log, Log{"Glintra_Main.Load"});
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(FindWindowA(nullptr, "Glintra_Main"), window);
    EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow()) << "not a top-level window";
    EXPECT_EQ(Form::LoadedForms(), std::vector<Form*>{&form});

    form.Load();  // loaded already: no second Form_Load
    EXPECT_EQ(log.size(), 1u);

    // A caption outside the ANSI code page arrives as written.
    LoggingForm japanese("設定 <Glintra>", log);
    ASSERT_TRUE(japanese.Load());
    EXPECT_EQ(FindWindowW(nullptr, L"\u8A2D\u5B9A <Glintra>"), japanese.hwnd());

    EXPECT_TRUE(form.Unload());
    EXPECT_TRUE(japanese.Unload());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(FindWindowA(nullptr, "Glintra_Main"), nullptr);
    EXPECT_TRUE(Form::LoadedForms().empty());
}

TEST(Form, UnloadAsksQueryUnloadThenUnloadAndEitherCanCancel) {
    Log log;
    LoggingForm form("F", log);
    ASSERT_TRUE(form.Load());

    form.cancelInQueryUnload = true;
    EXPECT_FALSE(form.Unload());
    EXPECT_EQ(log, (Log{"F.Load", "F.QueryUnload"}));
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_EQ(form.unloadMode, UnloadMode::FormCode);

    form.cancelInQueryUnload = false;
    form.cancelInUnload = true;
    EXPECT_FALSE(form.Unload());
    EXPECT_EQ(log, (Log{"F.Load", "F.QueryUnload", "F.QueryUnload", "F.Unload"}));
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_TRUE(IsWindow(form.hwnd()));

    // The window's close command takes the same road, with its own mode.
    form.cancelInUnload = false;
    log.clear();
    const HWND window = form.hwnd();
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(log, (Log{"F.QueryUnload", "F.Unload"}));
    EXPECT_EQ(form.unloadMode, UnloadMode::FormControlMenu);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_FALSE(IsWindow(window));

    // An unloaded form loads again, with a new window.
    log.clear();
    ASSERT_TRUE(form.Load());
    EXPECT_EQ(log, Log{"F.Load"});
    EXPECT_TRUE(form.Unload());
}

TEST(Form, WindowDestroyedFromOutsideUnloadsTheFormWhateverItSays) {
    Log log;
    LoggingForm form("F", log);
    ASSERT_TRUE(form.Load());
    form.cancelInQueryUnload = true;  // can't keep a window that is going
    DestroyWindow(form.hwnd());
    EXPECT_EQ(log, (Log{"F.Load", "F.QueryUnload", "F.Unload"}));
    EXPECT_EQ(form.unloadMode, UnloadMode::FormOwner);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(form.hwnd(), nullptr);
}

TEST(Form, UnloadInsideItsOwnHandlerKeepsTheWindowUntilTheHandlerReturns) {
    Log log;
    LoggingForm form("F", log);
    bool windowDuringHandler = false;
    int ticks = 0;
    Timer timer(form, 10, true, [&] {
        ++ticks;
        const HWND window = form.hwnd();
        form.Unload();
        windowDuringHandler = IsWindow(window) && form.hwnd() == window;
    });
    ASSERT_TRUE(form.Load());
    const HWND window = form.hwnd();
    ASSERT_TRUE(PumpUntil([&] { return ticks > 0; }, 5));
    EXPECT_TRUE(windowDuringHandler);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(form.hwnd(), nullptr);
    PumpFor(0.1);
    EXPECT_EQ(ticks, 1) << "an unloaded form's timer ticked";
}

// A form that notes, when its window is hidden and when it is destroyed,
// whether `other` is enabled by then.
class WatchedForm : public LoggingForm {
public:
    WatchedForm(std::string caption, Log& log, Form& other)
        : LoggingForm(std::move(caption), log), other_(other) {}
    std::vector<bool> otherEnabledAsTheWindowWent;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if ((message == WM_SHOWWINDOW && wParam == FALSE) || message == WM_DESTROY) {
            otherEnabledAsTheWindowWent.push_back(IsWindowEnabled(other_.hwnd()) != FALSE);
        }
        return LoggingForm::OnMessage(message, wParam, lParam);
    }

private:
    Form& other_;
};

TEST(Form, ShowModalDisablesTheOtherFormsAndEnablesThemBeforeItsWindowGoes) {
    Log log;
    LoggingForm other("Other", log);
    WatchedForm dialog("Dialog", log, other);
    ASSERT_TRUE(other.Load());
    int ticks = 0;
    bool visibleWhileShown = false, otherEnabledWhileShown = true;
    Timer timer(dialog, 20, true, [&] {
        if (++ticks < 3) return;
        visibleWhileShown = IsWindowVisible(dialog.hwnd()) != FALSE;
        otherEnabledWhileShown = IsWindowEnabled(other.hwnd()) != FALSE;
        dialog.Unload();
    });
    // Should the modal loop miss the unload, this ends the test instead of
    // hanging it.
    bool rescued = false;
    Timer rescue(dialog, 10000, true, [&] {
        rescued = true;
        dialog.Unload();
    });

    dialog.ShowModal();
    EXPECT_FALSE(rescued);
    EXPECT_EQ(ticks, 3);
    EXPECT_TRUE(visibleWhileShown);
    EXPECT_FALSE(otherEnabledWhileShown);
    EXPECT_EQ(dialog.otherEnabledAsTheWindowWent, (std::vector<bool>{true, true}));
    EXPECT_TRUE(IsWindowEnabled(other.hwnd()));
    EXPECT_FALSE(dialog.IsLoaded());
    EXPECT_EQ(log, (Log{"Other.Load", "Dialog.Load", "Dialog.QueryUnload", "Dialog.Unload"}));
    EXPECT_TRUE(other.Unload());
}

// A form with an icon resource carries it in both sizes: the big one for the
// task switcher, the small one for its caption.
TEST(Form, CarriesItsIconInBothSizes) {
    class IconForm : public Form {
    public:
        IconForm() : Form("Icon") {}

    protected:
        int IconResource() const override { return IDI_GLINTRA; }
    } form;
    ASSERT_TRUE(form.Load());
    const auto widthOf = [&](WPARAM which) {
        const auto icon = reinterpret_cast<HICON>(SendMessageW(form.hwnd(), WM_GETICON, which, 0));
        ICONINFO info = {};
        if (icon == nullptr || !GetIconInfo(icon, &info)) return 0;
        BITMAP bitmap = {};
        GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
        if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
        return static_cast<int>(bitmap.bmWidth);
    };
    EXPECT_EQ(widthOf(ICON_BIG), GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(widthOf(ICON_SMALL), GetSystemMetrics(SM_CXSMICON));
    form.Unload();
}

// A form shown modally from start-up code (inside the loading scope that
// holds ticks back) still gets its timers' ticks: the user is at it by then.
TEST(Form, ShowModalFromStartUpCodeLetsTheTimersTick) {
    Log log;
    LoggingForm dialog("Dialog", log);
    int ticks = 0;
    Timer timer(dialog, 20, true, [&] {
        if (++ticks == 3) dialog.Unload();
    });
    // Should the ticks never come, a system timer of its own ends the loop.
    static LoggingForm* rescued = nullptr;
    rescued = &dialog;
    const UINT_PTR rescue = SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR, DWORD) {
        if (rescued != nullptr) rescued->Unload();
        rescued = nullptr;
    });
    {
        forms::LoadingScope startUp;
        dialog.ShowModal();
        EXPECT_TRUE(forms::LoadingScope::Active()) << "the scope is back after the loop";
    }
    KillTimer(nullptr, rescue);
    EXPECT_NE(rescued, nullptr) << "the ticks never came; the rescue timer ended the loop";
    rescued = nullptr;
    EXPECT_EQ(ticks, 3);
}

TEST(Timer, TicksOnlyOnceTheLoadingCodeHasReturned) {
    Log log;
    LoggingForm form("F", log);
    int ticks = 0;
    int ticksDuringLoad = -1;
    Timer atDesign(form, 5, true, [&] { ++ticks; });
    int laterTicks = 0;
    Timer enabledInLoad(form, 5, false, [&] { ++laterTicks; });
    form.onLoad = [&] {
        enabledInLoad.SetEnabled(true);
        PumpFor(0.2);  // a message loop inside the load handler: a message box's, say
        ticksDuringLoad = ticks + laterTicks;
    };
    ASSERT_TRUE(form.Load());
    EXPECT_EQ(ticksDuringLoad, 0);
    EXPECT_TRUE(PumpUntil([&] { return ticks > 0 && laterTicks > 0; }, 5));
    form.Unload();
}

TEST(Timer, TicksNeverOverlap) {
    Log log;
    LoggingForm form("F", log);
    int running = 0, overlaps = 0, slowTicks = 0;
    Timer slow(form, 5, true, [&] {
        if (running++ > 0) ++overlaps;
        PumpFor(0.1);  // the handler runs a message loop; other ticks come due meanwhile
        --running;
        ++slowTicks;
    });
    Timer fast(form, 5, true, [&] {
        if (running > 0) ++overlaps;
    });
    ASSERT_TRUE(form.Load());
    EXPECT_TRUE(PumpUntil([&] { return slowTicks >= 3; }, 10));
    EXPECT_EQ(overlaps, 0);
    form.Unload();
}

TEST(Timer, TicksOnlyWhileEnabledWithAnInterval) {
    Log log;
    LoggingForm form("F", log);
    int offTicks = 0, zeroTicks = 0, ticks = 0;
    Timer off(form, 5, false, [&] { ++offTicks; });
    Timer zero(form, 0, true, [&] { ++zeroTicks; });
    Timer selfStopping(form, 5, true, [&] {
        ++ticks;
        // A tick of this timer may be in the queue already; it must not run.
        Sleep(30);
    });
    ASSERT_TRUE(form.Load());
    ASSERT_TRUE(PumpUntil([&] { return ticks > 0; }, 5));
    selfStopping.SetEnabled(false);
    const int ticksWhenStopped = ticks;
    PumpFor(0.15);
    EXPECT_EQ(ticks, ticksWhenStopped);
    EXPECT_EQ(offTicks, 0);
    EXPECT_EQ(zeroTicks, 0);

    off.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return offTicks > 0; }, 5));
    zero.SetInterval(5);
    EXPECT_TRUE(PumpUntil([&] { return zeroTicks > 0; }, 5));
    form.Unload();
}

// Re-enabling a running timer changes nothing: the saver's CD check enables
// its 200 ms timer on every tick, which must keep its interval. Here a
// 200 ms timer is enabled again every 50 ms; restarting its count each time
// would keep it from ever ticking.
TEST(Timer, EnablingAnEnabledTimerKeepsItsCount) {
    Log log;
    LoggingForm form("F", log);
    int slowTicks = 0, fastTicks = 0;
    Timer slow(form, 200, true, [&] {
        ++slowTicks;
        slow.SetEnabled(true);  // as the CD check does in its own tick
    });
    Timer fast(form, 50, true, [&] {
        ++fastTicks;
        slow.SetEnabled(true);
    });
    ASSERT_TRUE(form.Load());
    EXPECT_TRUE(PumpUntil([&] { return slowTicks >= 3; }, 10))
        << slowTicks << " ticks of the slow timer beside " << fastTicks << " of the fast one";
    form.Unload();
}

// ---- Containers and controls ----

// A user control of the test's own: logs its events, and may unload its
// form from its mouse-up handler as a button's Click does.
class TestControl : public forms::UserControl {
public:
    TestControl(forms::Container& parent, forms::TwipsRect rect, Log& log)
        : UserControl(parent, rect, forms::PropertyBag{}), log_(log) {}
    std::function<void()> onMouseUp;
    forms::Timer timer{*this, 10, false, [this] { log_.push_back("control.Timer"); }};

protected:
    void UserControl_ReadProperties(forms::PropertyBag&) override {
        log_.push_back("ReadProperties");
    }
    void UserControl_Resize() override { log_.push_back("Resize"); }
    void UserControl_MouseDown(int button, int, double, double) override {
        log_.push_back("control.MouseDown " + std::to_string(button));
    }
    void UserControl_MouseUp(int button, int, double, double) override {
        log_.push_back("control.MouseUp " + std::to_string(button));
        if (onMouseUp) onMouseUp();
    }
    void UserControl_GotFocus() override { log_.push_back("control.GotFocus"); }
    void UserControl_LostFocus() override { log_.push_back("control.LostFocus"); }

private:
    Log& log_;
};

// A form with a control whose handler unloads the form: neither window goes
// while the handler runs (the control's handler, inside the form), and
// both go once it has returned. The depth is the thread's, so this holds
// for a window inside the one being unloaded.
TEST(Window, NothingIsDestroyedUnderARunningHandlerOfTheThread) {
    Log log;
    LoggingForm form("F", log);
    TestControl control(form, {150, 150, 600, 300}, log);
    bool keptWhileRunning = false;
    control.onMouseUp = [&] {
        const HWND formWindow = form.hwnd(), controlWindow = control.hwnd();
        form.Unload();
        keptWhileRunning = IsWindow(formWindow) && IsWindow(controlWindow) &&
                           !IsWindowVisible(formWindow) && forms::Window::HandlerDepth() > 0;
    };
    ASSERT_TRUE(form.Load());
    const HWND formWindow = form.hwnd(), controlWindow = control.hwnd();
    EXPECT_EQ(log, (Log{"ReadProperties", "Resize", "F.Load"}));
    SendMessageW(controlWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(controlWindow, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(keptWhileRunning);
    EXPECT_FALSE(IsWindow(controlWindow));
    EXPECT_FALSE(IsWindow(formWindow));
    EXPECT_EQ(form.hwnd(), nullptr);
    EXPECT_EQ(control.hwnd(), nullptr);
    EXPECT_EQ(forms::Window::HandlerDepth(), 0);
}

// Each kind of window has its class, none with double clicks; a control's
// timer ticks while its form is loaded.
TEST(Window, KindsOfWindowAndTheirTimers) {
    Log log;
    LoggingForm form("F", log);
    forms::PictureBox box(form, {0, 0, 300, 300});
    TestControl control(box, {0, 0, 150, 150}, log);
    ASSERT_TRUE(form.Load());
    for (const auto& [window, name] :
         std::vector<std::pair<HWND, std::wstring>>{{form.hwnd(), L"Glintra.Form"},
                                                    {box.hwnd(), L"Glintra.PictureBox"},
                                                    {control.hwnd(), L"Glintra.UserControl"}}) {
        EXPECT_EQ(ClassNameOf(window), name);
        EXPECT_EQ(GetClassLongW(window, GCL_STYLE) & CS_DBLCLKS, 0u) << name;
    }
    EXPECT_EQ(GetParent(control.hwnd()), box.hwnd());
    EXPECT_NE(box.Id(), 0);

    control.timer.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return log.back() == "control.Timer"; }, 5));
    form.Unload();
    log.clear();
    PumpFor(0.1);
    EXPECT_TRUE(log.empty()) << "a control's timer ticked on an unloaded form";
}

// A picture box on a form, holding windowless controls: painted over its
// persistent image in z-order, each handed the mouse it is under.
class PanelForm : public Form {
public:
    explicit PanelForm(Log& log) : Form("Panel"), log_(log) {}

    forms::PictureBox panel{*this, {0, 0, 1500, 900}};                           // 100 x 60 pixels
    std::array<forms::Label, 2> lbl{forms::Label{panel, {0, 0, 600, 300}},       // 0-39 x 0-19
                                    forms::Label{panel, {300, 150, 600, 300}}};  // 20-59 x 10-29
    forms::Shape frame{panel, {900, 450, 450, 300}};                             // 60-89 x 30-49
    forms::Image mark{panel, {0, 600, 300, 300}};                                // 0-19 x 40-59

protected:
    DWORD Style() const override { return WS_POPUP | WS_CLIPCHILDREN; }
    void Form_Load() override {
        Move(1500, 1500);
        SetInnerSize(1500, 900);
        panel.SetBackColor(0xFFFFFF);
        for (size_t i = 0; i < lbl.size(); ++i) {
            lbl[i].SetBackColor(i == 0 ? 0x0000FF : 0xFF0000);  // red, blue
            lbl[i].MouseDown = [this, i](const forms::MouseEvent& e) {
                log_.push_back("lbl(" + std::to_string(i) + ").MouseDown " +
                               std::to_string(e.button) + " at " + std::to_string(int(e.x)) + "," +
                               std::to_string(int(e.y)));
            };
            lbl[i].MouseMove = [this, i](const forms::MouseEvent& e) {
                log_.push_back("lbl(" + std::to_string(i) + ").MouseMove " +
                               std::to_string(e.button));
            };
            lbl[i].MouseUp = [this, i](const forms::MouseEvent&) {
                log_.push_back("lbl(" + std::to_string(i) + ").MouseUp");
            };
        }
        panel.MouseDown = [this](const forms::MouseEvent&) { log_.push_back("panel.MouseDown"); };
    }

private:
    Log& log_;
};

TEST(Container, PaintsItsControlsInZOrderOverItsImage) {
    Log log;
    PanelForm form(log);
    ASSERT_TRUE(form.Load());
    form.Show();
    // Placed and sized in twips (a popup: no border around its inner area).
    EXPECT_EQ((std::vector<double>{form.Left(), form.Top(), form.Width(), form.Height()}),
              (std::vector<double>{1500, 1500, 1500, 900}));
    // A 4 x 4 green picture in a 20 x 20 image: drawn at its own size.
    const uint32_t green[16] = {0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00,
                                0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00,
                                0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00};
    form.mark.SetPicture(std::make_shared<forms::Picture>(CreateBitmap(4, 4, 1, 32, green)));
    // Drawn into the persistent image, which stays under the controls.
    form.panel.Line(1350, 0, 1350, 900, 0x000000);  // column 90
    form.panel.Refresh();

    ScreenImage shot = CaptureWindowPainting(form.panel.hwnd());
    ASSERT_EQ(shot.width, 100);
    EXPECT_EQ(shot.Rgb(5, 5), 0xFF0000u) << "lbl(0)";
    EXPECT_EQ(shot.Rgb(30, 15), 0x0000FFu) << "lbl(1) over lbl(0)";
    EXPECT_EQ(shot.Rgb(60, 30), 0x000000u) << "the shape's outline";
    EXPECT_EQ(shot.Rgb(70, 40), 0xFFFFFFu) << "inside the shape";
    EXPECT_EQ(shot.Rgb(2, 42), 0x00FF00u) << "the picture";
    EXPECT_EQ(shot.Rgb(10, 50), 0xFFFFFFu) << "the image beyond its picture";
    EXPECT_EQ(shot.Rgb(90, 10), 0x000000u) << "the line";
    EXPECT_EQ(shot.Rgb(95, 10), 0xFFFFFFu);

    form.lbl[0].ZOrder(true);
    form.lbl[1].SetVisible(false);
    form.panel.Refresh();
    shot = CaptureWindowPainting(form.panel.hwnd());
    EXPECT_EQ(shot.Rgb(30, 15), 0xFF0000u) << "lbl(0) brought up";
    EXPECT_EQ(shot.Rgb(50, 25), 0xFFFFFFu) << "a hidden label";
    // What the window shows on the screen is the same picture.
    RECT onScreen = {};
    GetWindowRect(form.panel.hwnd(), &onScreen);
    PumpFor(0.2);
    EXPECT_EQ(CountChangedPixels(CaptureScreenArea(onScreen), shot), 0);
    form.Unload();
}

TEST(Container, HandsTheMouseToTheControlUnderItAndHoldsItUntilTheLastButtonIsUp) {
    Log log;
    PanelForm form(log);
    ASSERT_TRUE(form.Load());
    const HWND panel = form.panel.hwnd();
    const auto send = [&](UINT message, WPARAM keys, int x, int y) {
        SendMessageW(panel, message, keys, MAKELPARAM(x, y));
    };
    send(WM_LBUTTONDOWN, MK_LBUTTON, 30, 15);  // both labels: the upper one
    send(WM_MOUSEMOVE, MK_LBUTTON, 200, 200);  // far off: still captured
    send(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, 5, 5);
    send(WM_LBUTTONUP, MK_RBUTTON, 5, 5);
    EXPECT_EQ(GetCapture(), panel);
    send(WM_RBUTTONUP, 0, 5, 5);
    EXPECT_NE(GetCapture(), panel);
    send(WM_MOUSEMOVE, 0, 5, 5);               // where the release was: no move
    send(WM_MOUSEMOVE, 0, 6, 5);               // no button: the control under the pointer
    send(WM_MOUSEMOVE, 0, 6, 5);               // the same place again: no move
    send(WM_LBUTTONDOWN, MK_LBUTTON, 70, 40);  // the shape: the container's
    send(WM_LBUTTONUP, 0, 70, 40);
    form.lbl[0].SetEnabled(false);
    send(WM_RBUTTONDOWN, MK_RBUTTON, 5, 5);  // a disabled label: the container's
    send(WM_RBUTTONUP, 0, 5, 5);
    EXPECT_EQ(log, (Log{"lbl(1).MouseDown 1 at 150,75", "lbl(1).MouseMove 1",
                        "lbl(1).MouseDown 2 at -225,-75", "lbl(1).MouseUp", "lbl(1).MouseUp",
                        "lbl(0).MouseMove 0", "panel.MouseDown", "panel.MouseDown"}));
    form.Unload();
}

// The focus: the first control in the tab order when the form is
// activated, Tab and Shift+Tab along TabIndex across the containers; a
// user control hears of the focus coming and going within its form.
TEST(Form, TabMovesTheFocusAlongTheTabOrder) {
    Log log;
    LoggingForm form("F", log);
    forms::PictureBox box(form, {0, 0, 600, 600});
    TestControl inBox(box, {0, 0, 300, 300}, log);
    TestControl onForm(form, {900, 0, 300, 300}, log);
    box.SetTabIndex(1);
    onForm.SetTabIndex(2);
    inBox.SetTabIndex(3);
    ASSERT_TRUE(form.Load());
    form.Show();
    SetForegroundWindow(form.hwnd());
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == box.hwnd(); }, 5)) << "first in the order";
    log.clear();
    MSG tab = {};
    tab.message = WM_KEYDOWN;
    tab.wParam = VK_TAB;
    const auto pressTab = [&] {
        tab.hwnd = GetFocus();
        Form::Dispatch(tab);
        return GetFocus();
    };
    EXPECT_EQ(pressTab(), onForm.hwnd());
    EXPECT_EQ(pressTab(), inBox.hwnd());
    EXPECT_EQ(pressTab(), box.hwnd());
    EXPECT_EQ(log, (Log{"control.GotFocus", "control.LostFocus", "control.GotFocus",
                        "control.LostFocus"}));
    form.Unload();
}

// The editable drop-down list: its text and list, set before and after its
// window exists; typed text scrolls on past the narrow box's width; a
// disabled box is a disabled window; its back colour (light yellow here: Wine
// draws a disabled box white anyway) shows in either state; with its input
// method off, its edit field has a closed input context of its own.
TEST(ComboBox, KeepsItsListAndTakesTypedTextWiderThanItself) {
    Log log;
    LoggingForm form("F", log);
    forms::ComboBox box(form, {150, 150, 615, 300});  // 41 pixels wide
    box.SetBackColor(0x00E0FFFF);                     // &H00BBGGRR
    box.SetIMEMode(forms::ImeMode::Off);
    box.AddItem("");
    box.AddItem("1");
    box.SetText("7");
    ASSERT_TRUE(form.Load());
    box.AddItem("ﾘﾋﾟｰﾄ");
    EXPECT_EQ(box.Text(), "7");
    ASSERT_EQ(box.ListCount(), 3);
    EXPECT_EQ((std::vector<std::string>{box.List(0), box.List(1), box.List(2)}),
              (std::vector<std::string>{"", "1", "ﾘﾋﾟｰﾄ"}));
    EXPECT_EQ(box.Text(), "7") << "the list leaves the text alone";

    form.Show();
    SetForegroundWindow(form.hwnd());
    SetFocus(box.ChildHandle());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == form.hwnd(); }, 5));
    box.SetText("");
    const std::string typed = "3.5-12345678";
    TypeText(std::wstring(typed.begin(), typed.end()));
    EXPECT_TRUE(PumpUntil([&] { return box.Text() == typed; }, 5, Form::Dispatch))
        << "typed into the box: \"" << box.Text() << "\"";

    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(box.ChildHandle(), &info));
    const HIMC own = ImmGetContext(info.hwndItem), shared = ImmGetContext(form.hwnd());
    EXPECT_NE(own, shared) << "the edit field has no input context of its own";
    EXPECT_FALSE(ImmGetOpenStatus(own)) << "the input method is on";
    ImmReleaseContext(info.hwndItem, own);
    ImmReleaseContext(form.hwnd(), shared);

    box.SetText("");
    // Inside the edit field, where no text is: its colour whether enabled or
    // not.
    const RECT field = info.rcItem;
    POINT inside = {field.right - 3, (field.top + field.bottom) / 2};
    ClientToScreen(box.ChildHandle(), &inside);
    for (const bool enabled : {false, true}) {
        box.SetEnabled(enabled);
        EXPECT_EQ(IsWindowEnabled(box.ChildHandle()) != FALSE, enabled);
        EXPECT_TRUE(PumpUntil(
            [&] {
                return CaptureScreenArea({inside.x, inside.y, inside.x + 1, inside.y + 1})
                           .Rgb(0, 0) == 0xFFFFE0u;
            },
            5, Form::Dispatch))
            << (enabled ? "enabled" : "disabled") << ", not in its colour";
    }
    form.Unload();
}

// The application's hourglass shows over every window of the host, a child
// window of the system's inside a form included; the default gives the
// windows their own pointer back.
TEST(Application, TheHourglassShowsOverEveryWindowOfTheHost) {
    Log log;
    LoggingForm form("F", log);
    forms::PictureBox panel(form, {0, 0, 3000, 1500});
    forms::ComboBox box(panel, {150, 150, 1500, 300});
    ASSERT_TRUE(form.Load());
    form.Move(1500, 1500);
    form.SetInnerSize(3000, 1500);
    form.Show();
    SetForegroundWindow(form.hwnd());
    const HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
    const auto pointerOver = [&](HWND window) {
        RECT r = {};
        GetWindowRect(window, &r);
        static int step = 0;  // another pixel each time, so that the move is one
        MoveMouseTo((r.left + r.right) / 2 + (step++ % 3), (r.top + r.bottom) / 2);
        PumpFor(0.2, Form::Dispatch);
        CURSORINFO info = {};
        info.cbSize = sizeof info;
        GetCursorInfo(&info);
        return info.hCursor;
    };
    SetMousePointer(MousePointer::Hourglass);
    EXPECT_EQ(CurrentMousePointer(), MousePointer::Hourglass);
    EXPECT_EQ(pointerOver(panel.hwnd()), wait) << "over the panel";
    EXPECT_EQ(pointerOver(box.ChildHandle()), wait) << "over the combo box";
    SetMousePointer(MousePointer::Default);
    EXPECT_NE(pointerOver(panel.hwnd()), wait);
    EXPECT_NE(pointerOver(box.ChildHandle()), wait);
    form.Unload();
}

// A label one line high shows its line whole when the text is a little
// wider than the label: on one line, running past its right edge, not broken
// with its last word lost below.
TEST(Label, OneLineHighShowsItsWholeLine) {
    Log log;
    PanelForm form(log);
    ASSERT_TRUE(form.Load());
    form.Show();
    forms::Label& label = form.lbl[0];  // 0-39 x 0-19, on a white panel
    form.lbl[1].SetVisible(false);
    label.SetBackStyle(forms::BackStyle::Transparent);
    label.Move(0, 0, 600, 225);  // 40 x 15 pixels: one line of the default font
    label.SetCaption("WWW WWW");
    form.panel.Refresh();
    const ScreenImage shot = CaptureWindowPainting(form.panel.hwnd());
    int inkRight = -1;
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < shot.width; ++x) {
            if (shot.Rgb(x, y) != 0xFFFFFFu) inkRight = std::max(inkRight, x);
        }
    }
    EXPECT_GT(inkRight, 40) << "the second word is drawn beside the first, past the edge";
    form.Unload();
}

// Tab from the edit field of a combo box on a panel goes on to the control
// after the box (the field lies inside the panel as well, which comes first
// in the order).
TEST(Form, TabLeavesAComboBoxOnAPanel) {
    Log log;
    LoggingForm form("F", log);
    forms::PictureBox box(form, {0, 0, 1500, 600});
    forms::ComboBox combo(box, {0, 0, 900, 300});
    TestControl after(form, {1800, 0, 300, 300}, log);
    box.SetTabIndex(1);
    combo.SetTabIndex(2);
    after.SetTabIndex(3);
    ASSERT_TRUE(form.Load());
    form.Show();
    SetForegroundWindow(form.hwnd());
    SetFocus(combo.ChildHandle());
    const HWND field = GetFocus();
    ASSERT_TRUE(IsChild(combo.ChildHandle(), field)) << "the box gives the focus to its field";
    MSG tab = {};
    tab.message = WM_KEYDOWN;
    tab.wParam = VK_TAB;
    tab.hwnd = field;
    Form::Dispatch(tab);
    EXPECT_EQ(GetFocus(), after.hwnd()) << "Tab stayed in the box";
    form.Unload();
}

// A user control with a transparent background shows what lies behind it,
// and its windowless controls over that.
TEST(Container, ATransparentUserControlShowsItsContainerBehindIt) {
    Log log;
    PanelForm form(log);
    TestControl control(form.panel, {0, 0, 900, 450}, log);  // 60 x 30 over both labels
    forms::Label caption(control, {600, 0, 300, 300});       // 40-59 x 0-19 inside it
    ASSERT_TRUE(form.Load());
    caption.SetBackColor(0x00FF00);
    control.SetBackColor(0x808080);
    ScreenImage shot = CaptureWindowPainting(control.hwnd());
    EXPECT_EQ(shot.Rgb(5, 5), 0x808080u) << "opaque: its own image";
    ASSERT_TRUE(control.SetBackStyle(0));
    EXPECT_FALSE(control.SetBackStyle(2));
    shot = CaptureWindowPainting(control.hwnd());
    EXPECT_EQ(shot.Rgb(5, 5), 0xFF0000u) << "lbl(0) behind";
    EXPECT_EQ(shot.Rgb(30, 15), 0x0000FFu) << "lbl(1) behind";
    EXPECT_EQ(shot.Rgb(50, 5), 0x00FF00u) << "its own label";
    form.Unload();
}

// ---- The process's end, seen from outside ----

// Main of the child that ends through End() in a timer tick after Main has
// returned; the form's unload handlers must not run.
std::unique_ptr<forms::Form> MainEndingInATick() {
    static LoggingForm form("A", WriteChildLog);
    static Timer timer(form, 10, true, [] {
        WriteChildLog("A.Timer");
        End();
    });
    form.Load();
    WriteChildLog("Main returns");
    return nullptr;
}

// Main of the child that ends when its last form unloads. Ticks wait for Main
// to return, even while Main runs a message loop.
std::unique_ptr<forms::Form> MainEndingWithTheLastForm() {
    static LoggingForm a("A", WriteChildLog);
    static LoggingForm b("B", WriteChildLog);
    static int ticks = 0;
    static Timer timer(a, 10, true, [] {
        WriteChildLog("A.Timer");
        if (++ticks == 1) b.Unload();
        if (ticks == 2) a.Unload();
    });
    a.Load();
    b.Load();
    PumpFor(0.1);
    WriteChildLog("Main returns");
    return nullptr;
}

struct ChildResult {
    std::optional<DWORD> status;
    Log log;
};

ChildResult RunChildProcess(const std::string& mode) {
    ChildOfThisProgram child(mode);
    EXPECT_TRUE(child.started()) << "cannot start the child " << mode;
    ChildResult result;
    result.status = child.WaitForExit(20);
    result.log = child.Log();
    return result;
}

TEST(Application, EndExitsAtOnceWithoutUnloadingTheForms) {
    ChildResult inMain = RunChildProcess("end-in-main");
    EXPECT_EQ(inMain.status, std::optional<DWORD>(0));
    EXPECT_EQ(inMain.log, Log{"A.Load"});

    ChildResult inTick = RunChildProcess("end-in-tick");
    EXPECT_EQ(inTick.status, std::optional<DWORD>(0));
    EXPECT_EQ(inTick.log, (Log{"A.Load", "Main returns", "A.Timer"}));
}

TEST(Application, EndsWhenTheLastFormUnloadsAndTicksWaitForMain) {
    ChildResult child = RunChildProcess("last-form");
    EXPECT_EQ(child.status, std::optional<DWORD>(0));
    EXPECT_EQ(child.log, (Log{"A.Load", "B.Load", "Main returns", "A.Timer", "B.QueryUnload",
                              "B.Unload", "A.Timer", "A.QueryUnload", "A.Unload"}));
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<int> child =
        RunAsChild(argc, argv,
                   {{"end-in-tick", []() -> int { RunApplication(MainEndingInATick); }},
                    {"last-form", []() -> int { RunApplication(MainEndingWithTheLastForm); }},
                    {"end-in-main", []() -> int {
                         RunApplication([]() -> std::unique_ptr<forms::Form> {
                             LoggingForm form("A", WriteChildLog);
                             form.Load();
                             End();
                         });
                     }}});
    if (child) return *child;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
