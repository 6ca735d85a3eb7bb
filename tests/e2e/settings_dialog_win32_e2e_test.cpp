// The settings dialog under Wine, end to end: the real Glintra.scr, started
// with /c from a folder of the test's own beside a prepared Glintra.ini, is
// driven with real input (SendInput) and judged from outside: the marks and
// the "..." button by their pixels on the screen, the repeat box by its
// window, message boxes and the file chooser by their windows and texts,
// Glintra.ini byte for byte, and the host's exit status.
//
// "その他の作品" is watched where the system hands the address on: this
// program, registered in the test's own prefix as the handler of https
// addresses, writes down what it was asked to open.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/program_folder.h"
#include "support/screen_image.h"
#include "support/win32_child_process.h"
#include "support/win32_input.h"
#include "support/win32_screen.h"
#include "support/settings_dialog_driver_win32.h"
#include "support/settings_file_bytes.h"
#include "support/win32_text.h"
#include "host/resources/button_faces.h"
#include "host/resources/mark_pictures.h"
#include "host/settings/settings.h"
#include "host/settings_dialog/dialog_layout.h"
#include "host/settings_dialog/dialog_messages.h"
#include "shared/program_contract.h"

namespace {

constexpr double kWait = 20;  // seconds: generous deadlines, never timings
constexpr char kRecordAddress[] = "--record-address";

// ---- The settings file ----

std::string IniFile(int kind, int repeat, const std::string& file) {
    return SettingsFileBytes(std::to_string(kind), std::to_string(repeat), file);
}

std::string ReadBytes(const std::string& path) {
    return PathExists(path) ? FileBytes(path) : "(no file)";
}

// Bytes as a one-line text: printable ASCII as it is, the rest as \xNN.
std::string Shown(const std::string& bytes) {
    std::string out;
    for (const unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

// ---- The screen ----

// What a Command button's face says, from its top edge in the middle: the
// outline on row 1 is dark blue while the button is enabled, grey while it
// is disabled (host/resources/button_faces.h).
std::string ButtonLook(HWND button) {
    const ScreenImage shot = CaptureScreenArea(ScreenRect(button));
    if (shot.height < 4) return "not on the screen";
    const uint32_t outline = shot.Rgb(shot.width / 2, 1);
    if (outline == kOutline) return "enabled";
    if (outline == kDisabledOutline) return "disabled";
    char text[32];
    std::snprintf(text, sizeof text, "outline %06X", outline);
    return text;
}

// The pointer-over look (its orange rim), or the pressed look that a button
// taking the focus under the pointer shows: either way a release on it
// clicks.
bool ShowsPointerOver(HWND button) {
    const ScreenImage shot = CaptureScreenArea(ScreenRect(button));
    if (shot.height < 4) return false;
    const int x = shot.width / 2;
    return shot.Rgb(x, 3) == FacePixel(FacePicture::HighLight, 32, 3) ||
           shot.Rgb(x, 2) == FacePixel(FacePicture::Pressed, 32, 2);
}

// ---- The host and its windows ----

GUITHREADINFO InputStateOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

HWND FocusOf(HWND window) { return InputStateOf(window).hwndFocus; }

// Waits until the last press on `window`'s thread has been handled to its
// release: the window that took the mouse on the press holds it until then,
// and Wine gives the next press to that window, wherever it is.
bool WaitForReleaseHandled(HWND window) {
    return WaitUntil([&] { return InputStateOf(window).hwndCapture == nullptr; }, kWait);
}

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000,
                        &length);
    return text;
}

// Entry `index` of a combo box's list (also another process's).
std::wstring ListEntry(HWND comboBox, int index) {
    wchar_t text[256] = {};
    SendMessageTimeoutW(comboBox, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text), SMTO_BLOCK,
                        5000, nullptr);
    return text;
}

// The host started with `arguments`, and its dialog once it is on the screen,
// painted and in front, where the input goes.
class Dialog : public SettingsDialogDriver {
public:
    Dialog(const ProgramFolder& programs, const std::string& arguments)
        : SettingsDialogDriver(programs.host(), arguments, kWait) {
        if (!error.empty()) return;
        if (!WaitUntil([&] { return ButtonLook(chooser).find("abled") != std::string::npos; },
                       kWait)) {
            error = "the dialog is not painted";
        } else if (!WaitUntil([&] { return GetForegroundWindow() == window; }, kWait)) {
            error = "the dialog is not in front";
        }
    }

    // A press (and release) of `button` on a mark or a kind's label.
    void Press(const char* name, int16_t index, DWORD button) const {
        ASSERT_TRUE(WaitForReleaseHandled(window)) << "the last press is still held" << State();
        const POINT at = Centre(ScreenRectOf(name, index));
        ASSERT_TRUE(ClickAt(at.x, at.y, button)) << "the pointer did not get to " << name;
    }

    // A left click on a Command button, as a user makes it: the pointer
    // moves over it until the button shows that it is there. (A user's
    // pointer arrives in many moves; under Wine one move to a window just
    // shown is now and then not seen, so the pointer moves on, a pixel at a
    // time.)
    void Click(HWND button) const {
        static int step = 0;
        ASSERT_TRUE(WaitForReleaseHandled(window)) << "the last press is still held" << State();
        const POINT centre = Centre(ScreenRect(button));
        // Another pixel each time: a pointer that does not move brings no move.
        const auto moveOn = [&] { return MoveMouseTo(centre.x - 4 + step++ % 9, centre.y); };
        ASSERT_TRUE(moveOn());
        ASSERT_TRUE(
            WaitUntil([&] { return ShowsPointerOver(button) || (moveOn() && false); }, kWait, 250))
            << "the button shows no pointer-over look" << State();
        SendMouseButton(MOUSEEVENTF_LEFTDOWN);
        SendMouseButton(MOUSEEVENTF_LEFTUP);
    }

    // Replaces the repeat box's text by typing, the box enabled.
    void TypeRepeat(const std::wstring& text) const {
        const RECT box = ScreenRect(repeatBox);
        const HWND edit = FindWindowExW(repeatBox, nullptr, L"Edit", nullptr);
        ASSERT_TRUE(WaitForReleaseHandled(window)) << "the last press is still held" << State();
        ASSERT_TRUE(ClickAt(box.left + 6, (box.top + box.bottom) / 2));
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(window) == edit; }, kWait))
            << "the repeat box did not take the focus" << State();
        TapKey(VK_END);
        for (size_t i = TextOf(repeatBox).size(); i > 0; --i) TapKey(VK_BACK);
        TypeText(text);
        ASSERT_TRUE(WaitUntil([&] { return TextOf(repeatBox) == text; }, kWait))
            << "the box holds \"" << Shown(AnsiFromWide(TextOf(repeatBox))) << "\"";
    }

    // What the dialog shows of the kind, in one line: each mark (index
    // order), the repeat box, the "..." button.
    std::string KindShown() const {
        std::string shown;
        for (int16_t i = 0; i < 3; ++i) {
            // The picture at the image's top-left corner; the panel's
            // gradient around it.
            const RECT image = ScreenRectOf("kindMarks", i);
            const ScreenImage mark = CaptureScreenArea(
                {image.left, image.top, image.left + kMarkSize, image.top + kMarkSize});
            long blue = 0, light = 0;
            for (int y = 0; y < mark.height; ++y) {
                for (int x = 0; x < mark.width; ++x) {
                    blue += mark.Rgb(x, y) == kMarkFillBlue;
                    light += mark.Rgb(x, y) == kMarkFaceLight;
                }
            }
            shown += std::string("mark ") + char('0' + i) +
                     (blue > 0 && light == 0   ? " selected"
                      : light > 0 && blue == 0 ? " not selected"
                                               : " unreadable") +
                     ", ";
        }
        return shown + "repeat box " + (IsWindowEnabled(repeatBox) ? "enabled" : "disabled") +
               ", ... " + ButtonLook(chooser);
    }

    // Waits until the dialog shows `kind` (one outside 0 to 2: no mark);
    // what it shows then, for the failure's line.
    std::string WaitForKind(int kind) const {
        std::string expected;
        for (int i = 0; i < 3; ++i) {
            expected += std::string("mark ") + char('0' + i) +
                        (i == kind ? " selected" : " not selected") + ", ";
        }
        expected += std::string("repeat box ") + (kind == 1 ? "enabled" : "disabled") + ", ... " +
                    (kind == 2 ? "enabled" : "disabled");
        std::string shown;
        WaitUntil([&] { return (shown = KindShown()) == expected; }, kWait);
        return shown == expected ? "" : "shows " + shown + "; wanted " + expected;
    }

    // A message box of the host over the dialog: its text, once it is there.
    std::optional<std::wstring> WaitForMessage() {
        WaitUntil([&] { return (box = VisibleWindowOf(host.pid(), WideFromUtf8(kHostTitle))); },
                  kWait);
        if (box == nullptr) return std::nullopt;
        wchar_t text[256] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 256);
        return std::wstring(text);
    }

    // OK on the message box, with the mouse; the dialog is the host's
    // foreground window again.
    void AnswerMessage() const {
        const HWND ok = GetDlgItem(box, IDOK);
        ASSERT_NE(ok, nullptr) << "the box has no OK button";
        const POINT at = Centre(ScreenRect(ok));
        ASSERT_TRUE(ClickAt(at.x, at.y));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box) && IsWindowEnabled(window); }, kWait))
            << "the message box stays";
    }

    std::optional<DWORD> WaitForExit() const { return host.WaitForExit(kWait); }

    HWND box = nullptr;  // the last message box
};

class SettingsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(programs_.error().empty()) << programs_.error();
        music_ = programs_.File("start.mp3");
        ASSERT_TRUE(programs_.Write("start.mp3", "ID3")) << "cannot write " << music_;
    }
    void TearDown() override { SetFileAttributesA(Ini().c_str(), FILE_ATTRIBUTE_NORMAL); }

    std::string Ini() const { return programs_.File("Glintra.ini"); }
    void Prepare(const std::string& bytes) {
        prepared_ = bytes;
        ASSERT_TRUE(programs_.Write("Glintra.ini", bytes));
    }
    std::string Written() const { return Shown(ReadBytes(Ini())); }

    // The dialog, started with `arguments` from the prepared folder.
    // A new start waits until the last dialog has gone: one still there
    // would end the new start at once.
    std::unique_ptr<Dialog> Open(const std::string& arguments = "/c") {
        const bool gone = WaitUntil(
            [] { return !FindWindowW(nullptr, WideFromUtf8(kSettingsDialogCaption).c_str()); },
            kWait);
        EXPECT_TRUE(gone) << "an earlier dialog stays after its host's end";
        return std::make_unique<Dialog>(programs_, arguments);
    }

    // "設定": the host ends, with status 0, and the file holds `expected`.
    void SetAndExpect(Dialog& dialog, const std::string& expected) {
        dialog.Click(dialog.set);
        EXPECT_EQ(dialog.WaitForExit(), std::optional<DWORD>(0)) << "the host did not end";
        EXPECT_EQ(Written(), Shown(expected));
    }

    ProgramFolder programs_;
    std::string music_;
    std::string prepared_;
};

// ---- The kind ----

// A press of any mouse button on a mark or on its label selects that kind,
// from any kind to any kind; the repeat box is enabled only for the music CD
// and "..." only for a file; the path stays whatever the kind, and "設定"
// writes the last kind with the rest as it was loaded.
TEST_F(SettingsDialog, EveryPressOnAMarkOrItsLabelSelectsItsKind) {
    Prepare(IniFile(0, 5, music_));
    const auto dialog = Open("/c:1234");
    ASSERT_EQ(dialog->error, "");
    // Each button's window carries its caption, as a screen reader asks for it.
    const std::pair<HWND, const wchar_t*> named[] = {{dialog->chooser, L"..."},
                                                     {dialog->otherWorks, L"その他の作品"},
                                                     {dialog->set, L"設定"},
                                                     {dialog->cancel, L"ｷｬﾝｾﾙ"}};
    for (const auto& [button, caption] : named) EXPECT_EQ(TextOf(button), caption);
    EXPECT_EQ(dialog->WaitForKind(0), "") << "as loaded";

    const struct {
        const char* control;
        int16_t index;
        DWORD button;
    } presses[] = {
        {"kindMarks", 1, MOUSEEVENTF_LEFTDOWN},   {"kindLabels", 2, MOUSEEVENTF_RIGHTDOWN},
        {"kindMarks", 0, MOUSEEVENTF_MIDDLEDOWN}, {"kindLabels", 1, MOUSEEVENTF_LEFTDOWN},
        {"kindMarks", 2, MOUSEEVENTF_RIGHTDOWN},  {"kindLabels", 2, MOUSEEVENTF_LEFTDOWN},
        {"kindLabels", 0, MOUSEEVENTF_RIGHTDOWN}, {"kindMarks", 0, MOUSEEVENTF_LEFTDOWN},
        {"kindMarks", 2, MOUSEEVENTF_LEFTDOWN},   {"kindLabels", 1, MOUSEEVENTF_RIGHTDOWN},
    };
    for (const auto& press : presses) {
        SCOPED_TRACE(std::string(press.control) + "(" + std::to_string(press.index) + "), " +
                     (press.button == MOUSEEVENTF_LEFTDOWN    ? "left"
                      : press.button == MOUSEEVENTF_RIGHTDOWN ? "right"
                                                              : "middle") +
                     " button");
        dialog->Press(press.control, press.index, press.button);
        EXPECT_EQ(dialog->WaitForKind(press.index), "");
    }
    SetAndExpect(*dialog, IniFile(1, 5, music_));
}

// A kind outside 0 to 2 in the file selects no mark and enables neither the
// repeat box nor "..."; "設定" writes it back as it was.
TEST_F(SettingsDialog, LoadedKindOutsideTheMarksIsShownAsNoneAndWrittenBack) {
    Prepare(IniFile(7, 3, music_));
    const auto dialog = Open();
    ASSERT_EQ(dialog->error, "");
    EXPECT_EQ(dialog->WaitForKind(7), "");
    SetAndExpect(*dialog, prepared_);
}

// ---- The repeat box ----

// The typed text, read at "設定" as a decimal number rounded halves to even
// (no number: 0), whichever kind is selected by then. The box is narrow: a
// longer text scrolls and is taken whole.
TEST_F(SettingsDialog, TypedRepeatTextIsWrittenAsAWholeNumber) {
    const struct {
        const wchar_t* typed;
        int kindThen;  // the kind selected after typing, before "設定"
        int written;
    } cases[] = {
        {L"", 1, 0},
        {L"abc", 1, 0},
        {L"12", 1, 12},
        {L"2.5", 0, 2},
        {L"3.5", 2, 4},
        {L"45", 1, 45},
        {L"-3", 1, -3},
        {L"1234.5e-2", 1, 12},
        {L"\uFF11\uFF12", 1, 12},  // "１２", as an input method types it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("typed \"" + AnsiFromWide(c.typed) + "\", kind " + std::to_string(c.kindThen));
        Prepare(IniFile(1, 5, music_));
        const auto dialog = Open();
        ASSERT_EQ(dialog->error, "");
        dialog->TypeRepeat(c.typed);
        if (c.kindThen != 1) {
            dialog->Press("kindMarks", static_cast<int16_t>(c.kindThen), MOUSEEVENTF_LEFTDOWN);
            EXPECT_EQ(dialog->WaitForKind(c.kindThen), "");
        }
        SetAndExpect(*dialog, IniFile(c.kindThen, c.written, music_));
    }
}

// The box's list: the empty text for 0, then 1 to 30; an entry picked with
// the mouse is what "設定" writes.
TEST_F(SettingsDialog, RepeatListOffersTheTracksAndAPickedOneIsWritten) {
    Prepare(IniFile(1, 5, music_));
    const auto dialog = Open();
    ASSERT_EQ(dialog->error, "");
    std::vector<std::wstring> entries, expected;
    DWORD_PTR count = 0;
    SendMessageTimeoutW(dialog->repeatBox, CB_GETCOUNT, 0, 0, SMTO_BLOCK, 5000, &count);
    for (int i = 0; i < static_cast<int>(count); ++i) {
        entries.push_back(ListEntry(dialog->repeatBox, i));
    }
    for (int i = 0; i <= 30; ++i) expected.push_back(i == 0 ? L"" : std::to_wstring(i));
    EXPECT_EQ(entries, expected);

    // The list drops from the box's arrow, scrolled to the box's text.
    const RECT box = ScreenRect(dialog->repeatBox);
    ASSERT_TRUE(ClickAt(box.right - 5, (box.top + box.bottom) / 2));
    HWND list = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (HWND window : VisibleWindowsOf(dialog->host.pid())) {
                if (ClassNameOf(window) == L"ComboLBox") list = window;
            }
            return list != nullptr;
        },
        kWait))
        << "no list dropped";
    const int height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const int picked = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0)) + 2;
    POINT origin = {0, 0};
    ClientToScreen(list, &origin);
    ASSERT_TRUE(ClickAt(origin.x + 10, origin.y + 2 * height + height / 2));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(list); }, kWait)) << "the list stays";
    SetAndExpect(*dialog, IniFile(1, picked, music_));
}

// A number that a track can't hold is refused with a message; the dialog
// stays, nothing is written, and "ｷｬﾝｾﾙ" still ends it.
TEST_F(SettingsDialog, RepeatNumberOutOfRangeIsRefusedAndTheDialogStays) {
    Prepare(IniFile(1, 5, music_));
    const auto dialog = Open();
    ASSERT_EQ(dialog->error, "");
    dialog->TypeRepeat(L"40000");
    dialog->Click(dialog->set);
    EXPECT_EQ(dialog->WaitForMessage(), WideFromUtf8(kRepeatOutOfRangeMessage));
    dialog->AnswerMessage();
    EXPECT_TRUE(IsWindowVisible(dialog->window)) << "the dialog went";
    EXPECT_EQ(Written(), Shown(prepared_));

    dialog->Click(dialog->cancel);
    EXPECT_EQ(dialog->WaitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(Written(), Shown(prepared_));
}

// ---- Leaving without writing ----

// After changes, Enter, Escape (and Space on a button) do nothing, nor does
// a click on the disabled "..."; "ｷｬﾝｾﾙ" or a click on the close box that
// Wine draws on the caption bar ends the host and leaves the file as it was.
TEST_F(SettingsDialog, CancelAndTheCloseBoxLeaveTheFileAsItWas) {
    for (const bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "the close box" : "ｷｬﾝｾﾙ");
        Prepare(IniFile(1, 5, music_));
        const auto dialog = Open();
        ASSERT_EQ(dialog->error, "");
        dialog->TypeRepeat(L"9");
        TapKey(VK_RETURN);
        TapKey(VK_ESCAPE);
        // The keys once more on "設定", which has no keys of its own: Tab
        // from the box passes "..." and stops there.
        TapKey(VK_TAB);
        TapKey(VK_TAB);
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog->window) == dialog->set; }, kWait))
            << "Tab did not bring the focus to 設定";
        for (const WORD key : {VK_RETURN, VK_SPACE, VK_ESCAPE}) TapKey(key);
        // "..." is disabled in this kind: a click on it opens no chooser
        // (whose modal loop would keep the next press from the dialog).
        const POINT disabled = Centre(ScreenRect(dialog->chooser));
        ASSERT_TRUE(WaitForReleaseHandled(dialog->window));
        ASSERT_TRUE(ClickAt(disabled.x, disabled.y));
        dialog->Press("kindLabels", 2, MOUSEEVENTF_LEFTDOWN);
        EXPECT_EQ(dialog->WaitForKind(2), "");
        EXPECT_EQ(VisibleWindowsOf(dialog->host.pid()).size(), 1u) << "a window beside the dialog";
        TapKey(VK_RETURN);
        TapKey(VK_ESCAPE);
        // Input is handled in order: once the next press shows, the keys
        // have been handled.
        dialog->Press("kindMarks", 0, MOUSEEVENTF_LEFTDOWN);
        EXPECT_EQ(dialog->WaitForKind(0), "");
        EXPECT_TRUE(dialog->host.Running() && IsWindowVisible(dialog->window))
            << "Enter or Escape closed the dialog";
        EXPECT_EQ(Written(), Shown(prepared_));

        if (closeBox) {
            // The close box: where the caption bar answers HTCLOSE.
            const RECT outer = ScreenRect(dialog->window);
            RECT close = {outer.right, outer.bottom, outer.left, outer.top};
            for (int y = outer.top; y < outer.top + 40; ++y) {
                for (int x = outer.right - 60; x < outer.right; ++x) {
                    DWORD_PTR hit = 0;
                    SendMessageTimeoutW(dialog->window, WM_NCHITTEST, 0, MAKELPARAM(x, y),
                                        SMTO_BLOCK, 5000, &hit);
                    if (hit != HTCLOSE) continue;
                    close = {std::min(close.left, LONG(x)), std::min(close.top, LONG(y)),
                             std::max(close.right, LONG(x)), std::max(close.bottom, LONG(y))};
                }
            }
            ASSERT_LE(close.left, close.right) << "the caption bar has no close box";
            const POINT at = Centre(close);
            ASSERT_TRUE(ClickAt(at.x, at.y));
        } else {
            dialog->Click(dialog->cancel);
        }
        EXPECT_EQ(dialog->WaitForExit(), std::optional<DWORD>(0)) << "the host did not end";
        EXPECT_EQ(Written(), Shown(prepared_));
    }
}

// While the dialog is open, every further start of the host ends at once,
// with status 0 and no window.
TEST_F(SettingsDialog, AnOpenDialogEndsEveryFurtherStart) {
    Prepare(IniFile(1, 5, music_));
    const auto dialog = Open();
    ASSERT_EQ(dialog->error, "");
    for (const char* arguments : {"/s", "", "/c", "/p 1234"}) {
        SCOPED_TRACE(std::string("arguments \"") + arguments + "\"");
        ChildProcess second(programs_.host(), arguments, false);
        ASSERT_TRUE(second.started());
        int windows = 0;
        EXPECT_EQ(second.WaitForExit(
                      kWait, [&] { windows += int(VisibleWindowsOf(second.pid()).size()); }),
                  std::optional<DWORD>(0));
        EXPECT_EQ(windows, 0) << "the second start showed a window";
    }
    EXPECT_TRUE(dialog->host.Running()) << "the open dialog went";
    dialog->Click(dialog->cancel);
    EXPECT_EQ(dialog->WaitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(Written(), Shown(prepared_));
}

// A settings file that is read-only is not replaced: "設定" says so and the
// dialog stays with the user's choices; "ｷｬﾝｾﾙ" ends it.
TEST_F(SettingsDialog, ReadOnlySettingsFileIsReportedAndKept) {
    Prepare(IniFile(1, 5, music_));
    ASSERT_TRUE(SetFileAttributesA(Ini().c_str(), FILE_ATTRIBUTE_READONLY));
    const auto dialog = Open();
    ASSERT_EQ(dialog->error, "");
    dialog->Press("kindMarks", 0, MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(dialog->WaitForKind(0), "");
    dialog->Click(dialog->set);
    EXPECT_EQ(dialog->WaitForMessage(), WideFromUtf8(kSettingsNotSavedMessage));
    dialog->AnswerMessage();
    EXPECT_TRUE(IsWindowVisible(dialog->window)) << "the dialog went";
    EXPECT_EQ(dialog->WaitForKind(0), "") << "the choice was lost";
    EXPECT_EQ(Written(), Shown(prepared_));

    dialog->Click(dialog->cancel);
    EXPECT_EQ(dialog->WaitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(Written(), Shown(prepared_));
}

// ---- The file chooser ----

// The system's Open dialog that "..." brings up, and its file name box.
HWND WaitForChooser(const Dialog& dialog) {
    HWND chooser = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : VisibleWindowsOf(dialog.host.pid())) {
                if (ClassNameOf(window) == L"#32770") chooser = window;
            }
            return chooser != nullptr;
        },
        kWait);
    return chooser;
}

// Waits until the focus is in a text box of `chooser`, where typing goes.
bool WaitForTyping(HWND chooser) {
    return WaitUntil(
        [&] {
            const HWND focus = FocusOf(chooser);
            return focus != nullptr && GetAncestor(focus, GA_ROOT) == chooser &&
                   ClassNameOf(focus) == L"Edit";
        },
        kWait);
}

bool WriteFileW(const std::wstring& path) {
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(file, "ID3", 3, &written, nullptr);
    CloseHandle(file);
    return written == 3;
}

// Two music files for the code page the test runs with: one whose name it
// holds (with that name's bytes in it) and one whose name it can't hold.
struct MusicNames {
    std::wstring storable;
    std::string storableBytes;
    std::wstring foreign;  // none where the code page holds every name
};

std::optional<MusicNames> NamesForTheCodePage() {
    // "曲ソ": the second half of ソ in code page 932 is the byte of "\".
    const std::wstring japanese = L"\u66F2\u30BD.mp3", latin = L"caf\u00E9.mp3";
    switch (GetACP()) {
        case 932:
            return MusicNames{japanese, "\x8B\xC8\x83\x5C.mp3", latin};
        case 1252:
            return MusicNames{latin, "caf\xE9.mp3", japanese};
        case 65001:
            return MusicNames{japanese, "\xE6\x9B\xB2\xE3\x82\xBD.mp3", L""};
    }
    return std::nullopt;
}

class SettingsDialogChooser : public SettingsDialog {
protected:
    void SetUp() override {
        SettingsDialog::SetUp();
        const auto names = NamesForTheCodePage();
        ASSERT_TRUE(names.has_value()) << "no music names for code page " << GetACP();
        names_ = *names;
        folder_ = WideFromAnsi(programs_.path()) + L"\\";
        for (const std::wstring& name : {names_.storable, names_.foreign}) {
            if (name.empty()) continue;
            ASSERT_TRUE(WriteFileW(folder_ + name))
                << "cannot make a music file: error " << GetLastError();
        }
        Prepare(IniFile(2, 5, music_));
    }

    // "...", and the chooser it brings up, ready for typing.
    HWND OpenChooser(const Dialog& dialog) {
        dialog.Click(dialog.chooser);
        const HWND chooser = WaitForChooser(dialog);
        EXPECT_NE(chooser, nullptr) << "no file chooser";
        if (chooser != nullptr) {
            EXPECT_TRUE(WaitForTyping(chooser)) << "nowhere to type a name";
        }
        return chooser;
    }

    // The name typed into the chooser, confirmed with Enter.
    static void Choose(HWND chooser, const std::wstring& path) {
        TypeText(path);
        TapKey(VK_RETURN);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(chooser); }, kWait))
            << "the chooser did not take the name";
    }

    MusicNames names_;
    std::wstring folder_;
};

// Under every code page the chooser's title and file type read as written.
// Escape closes it and changes nothing; a file whose name the code page
// can't hold (none under UTF-8) is refused with a message, and the previous
// file stays: "設定" writes the file as it was.
TEST_F(SettingsDialogChooser, ChooserTextsReadRightAndCancelOrARefusedNameChangeNothing) {
    const auto dialog = Open();
    ASSERT_EQ(dialog->error, "");
    EXPECT_EQ(dialog->WaitForKind(2), "");
    HWND chooser = OpenChooser(*dialog);
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(WindowTextOf(chooser), L"ﾌｧｲﾙを開く");
    const HWND types = GetDlgItem(chooser, 0x470);  // cmb1: the file types
    DWORD_PTR count = 0;
    SendMessageTimeoutW(types, CB_GETCOUNT, 0, 0, SMTO_BLOCK, 5000, &count);
    EXPECT_EQ(count, 1u) << "file types offered";
    EXPECT_EQ(ListEntry(types, 0), L"BGMﾌｧｲﾙ (MP3 WAV)");
    TapKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(chooser); }, kWait)) << "Escape left it open";

    if (!names_.foreign.empty()) {
        chooser = OpenChooser(*dialog);
        ASSERT_NE(chooser, nullptr);
        Choose(chooser, folder_ + names_.foreign);
        EXPECT_EQ(dialog->WaitForMessage(), WideFromUtf8(kPathNotStorableMessage));
        dialog->AnswerMessage();
    }
    SetAndExpect(*dialog, prepared_);
}

// A file chosen by its typed path is written in the code page's bytes.
TEST_F(SettingsDialogChooser, ChosenFileIsWrittenInTheCodePage) {
    const auto dialog = Open();
    ASSERT_EQ(dialog->error, "");
    const HWND chooser = OpenChooser(*dialog);
    ASSERT_NE(chooser, nullptr);
    Choose(chooser, folder_ + names_.storable);
    SetAndExpect(*dialog, IniFile(2, 5, programs_.path() + "\\" + names_.storableBytes));
}

// ---- The home page ----

std::wstring SelfPath() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return self;
}

// "その他の作品" asks the system to open the home page, and the dialog stays.
// The test's prefix sends https addresses to this program, which writes
// down the arguments it gets.
TEST_F(SettingsDialog, OtherWorksOpensTheHomePageAndTheDialogStays) {
    const std::string log = programs_.File("opened.txt");
    // Under the classes root, where Wine 8 looks (it reads no user's
    // Software\Classes there).
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, L"https\\shell\\open\\command", 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::wstring command = L"\"" + SelfPath() + L"\" " + WideFromUtf8(kRecordAddress) +
                                 L" \"" + WideFromAnsi(log) + L"\" \"%1\"";
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);

    Prepare(IniFile(2, 5, music_));
    const auto dialog = Open();
    ASSERT_EQ(dialog->error, "");
    dialog->Click(dialog->otherWorks);
    std::string opened;
    EXPECT_TRUE(WaitUntil([&] { return (opened = ReadBytes(log)) != "(no file)"; }, kWait))
        << "nothing was asked to open an https address";
    EXPECT_EQ(opened, std::string(kHomePageAddress) + "\n");
    EXPECT_TRUE(dialog->host.Running() && IsWindowVisible(dialog->window)) << "the dialog went";
    EXPECT_EQ(dialog->WaitForKind(2), "");

    dialog->Click(dialog->cancel);
    EXPECT_EQ(dialog->WaitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(Written(), Shown(prepared_));
}

// Run as the https handler: each argument after the log's path on a line of
// its own, UTF-8. The log is written under another name and then renamed, so
// that the test never reads it half written.
int RecordArguments() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count < 3) return 1;
    const std::wstring log = arguments[2], draft = log + L".part";
    std::FILE* file = _wfopen(draft.c_str(), L"wb");
    if (file == nullptr) return 1;
    for (int i = 3; i < count; ++i) {
        std::fprintf(file, "%s\n", Utf8FromWide(arguments[i]).c_str());
    }
    std::fclose(file);
    LocalFree(arguments);
    return MoveFileW(draft.c_str(), log.c_str()) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string(argv[1]) == kRecordAddress) return RecordArguments();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
